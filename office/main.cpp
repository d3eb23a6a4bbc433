// folivex-office: one Office application object served to the Folivex
// process that started it; with --render-worker, a host's render worker.
#include "office/hostmain.h"
#include "office/workermain.h"

#include <cstring>

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--render-worker") == 0)
        folivex::office::RunRenderWorker(argc, argv);
    folivex::office::RunHost(argc, argv);
}
