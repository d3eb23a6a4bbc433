// folivex: the window on a desktop; `folivex --convert ...` on the command line.
#include "cli/convertcommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (folivex::cli::WantsCommandLine(arguments)) {
        QCoreApplication app(argc, argv);
        return folivex::cli::RunConvertCommand(arguments, stdout, stderr);
    }
    std::fprintf(stderr, "folivex: the window is not part of this build yet; use folivex --convert PATH...\n");
    return 2;
}
