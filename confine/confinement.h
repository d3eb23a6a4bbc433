// Confinement of a process that opens untrusted documents: the Office host
// and its render worker. Three layers, each from the kernel, none needing
// root:
// - no_new_privs: nothing the process runs can gain privileges;
// - Landlock: it reads only what LibreOffice needs to run (its installation,
//   the system's libraries, fonts and configuration) and writes only its
//   own folders; no other file of the user's, nothing of /tmp;
// - a system-call filter: no new sockets at all, so no network and no other
//   service's Unix socket.
// A kernel without Landlock or the filter leaves the process running with
// the layers it has; Confinement says which took effect.
#pragma once

#include "confine/landlock.h"

#include <string>
#include <vector>

namespace folivex::confine {

struct Confinement {
    bool noNewPrivs = false;
    bool landlock = false;
    bool syscallFilter = false;
    // Why a layer is missing, one text a layer.
    std::vector<std::string> missing;
};

// The paths a LibreOffice process reads to run: `programFolder`'s
// installation, the system's libraries and configuration, fonts (the
// system's and the user's own), this process's /proc entries; and the
// `writable` folders, its own.
std::vector<PathRule> OfficePathRules(const std::string &programFolder, const std::vector<std::string> &writable);

// Confines the calling process to `rules`. Call it while the process has a
// single thread. $FOLIVEX_CONFINEMENT=0 turns confinement off (for tests
// that check what LibreOffice's own settings do without it). Never throws.
Confinement ConfineProcess(const std::vector<PathRule> &rules);

// What a host started now would be given, in one line for --version:
// "Document protections: ...". Confines nothing.
std::string ProtectionSummary();

} // namespace folivex::confine
