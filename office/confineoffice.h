// The confinement of a host or render worker: what LibreOffice needs to run,
// and of the user's files only this process's profile and temporary folders
// (where its copy of the document lies). Called once the profile is taken
// and before LibreOffice starts, while the process has one thread.
#pragma once

#include "office/engine/profileslot.h"

namespace folivex::office {

// Confines this process; says on standard error (the host's log) which
// layers the kernel could not give. Never throws.
void ConfineOfficeProcess(const ProfileSlot &profile);

} // namespace folivex::office
