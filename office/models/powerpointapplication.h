// PowerPointApplication: "PowerPoint.Application" over LibreOffice Impress.
// Members: Visible, WindowState, Application, Quit, Presentations,
// ActivePresentation.
#pragma once

#include "office/models/applicationobject.h"

#include <memory>

namespace folivex::office {

class Presentation;

class PowerPointApplication : public ApplicationObject {
public:
    explicit PowerPointApplication(HostContext &context);
    std::shared_ptr<HostObject> open(const std::string &path) override;

private:
    std::shared_ptr<Presentation> active_;
};

} // namespace folivex::office
