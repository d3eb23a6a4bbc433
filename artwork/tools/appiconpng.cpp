// artwork-icon OUT.png SIDE: writes the application icon as a SIDE x SIDE
// PNG, for the desktop's icon theme.
#include "artwork/appicon.h"

#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    const int side = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;
    if (side < 1) {
        std::fprintf(stderr, "usage: artwork-icon OUT.png SIDE (SIDE a number of pixels above 0)\n");
        return 2;
    }
    if (!folivex::artwork::AppIcon(side).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "artwork-icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
