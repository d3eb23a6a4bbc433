// ProfileSlot: the LibreOffice user profile of one running host.
//
// Profiles live in numbered folders under $FOLIVEX_PROFILE_DIR, else
// $XDG_CACHE_HOME/folivex/profiles, else ~/.cache/folivex/profiles. A host
// takes the first folder whose lock file it can lock (flock, held until the
// process ends), so no two running hosts share a profile while profiles are
// kept and reused across runs: a used profile starts fast.
//
// Beside each profile is the slot's folder for temporary files, where
// LibreOffice makes its own (it leaves them behind, since a host ends with
// _exit): it is emptied whenever a host takes the slot, so what a host left,
// even one that was killed, goes with the next one.
#pragma once

#include "core/uniquefd.h"

#include <string>

namespace folivex::office {

class ProfileSlot {
public:
    // Throws folivex::Error when no folder can be created or locked.
    ProfileSlot();
    ProfileSlot(ProfileSlot &&) = default;
    ProfileSlot &operator=(ProfileSlot &&) = default;
    const std::string &folder() const { return folder_; }
    std::string url() const { return "file://" + folder_; }
    // The temporary folder, empty when the slot was taken.
    const std::string &temporaryFolder() const { return temporaryFolder_; }

private:
    std::string folder_;
    std::string temporaryFolder_;
    UniqueFd lock_;
};

} // namespace folivex::office
