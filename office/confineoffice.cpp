#include "office/confineoffice.h"

#include "confine/confinement.h"
#include "office/engine/libreoffice.h"

#include <cstdio>

namespace folivex::office {

void ConfineOfficeProcess(const ProfileSlot &profile)
{
    const confine::Confinement done = confine::ConfineProcess(
        confine::OfficePathRules(LibreOffice::programFolder(), {profile.folder(), profile.temporaryFolder()}));
    for (const std::string &missing : done.missing)
        std::fprintf(stderr, "folivex-office: not confined: %s\n", missing.c_str());
}

} // namespace folivex::office
