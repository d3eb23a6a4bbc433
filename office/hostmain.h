// RunHost: the whole of folivex-office. Arguments: --application Word |
// PowerPoint | Excel. The socket to the client is descriptor 3. Never
// returns: the process ends with _exit (LibreOfficeKit must not be torn
// down), with status 0 after serving and 1 when it could not start.
#pragma once

namespace folivex::office {

[[noreturn]] void RunHost(int argc, char **argv);

} // namespace folivex::office
