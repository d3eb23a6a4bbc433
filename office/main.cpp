// folivex-office: one Office application object served to the Folivex
// process that started it.
#include "office/hostmain.h"

int main(int argc, char **argv)
{
    folivex::office::RunHost(argc, argv);
}
