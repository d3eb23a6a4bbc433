// WordApplication: "Word.Application" over LibreOffice Writer. Members:
// Visible, WindowState, Application, Quit, Documents, ActiveDocument,
// Selection (the active document's selection). It keeps every document it
// opened, and the active one.
#pragma once

#include "office/models/applicationobject.h"
#include "office/models/worddocument.h"

#include <memory>
#include <vector>

namespace folivex::office {

class WordApplication : public ApplicationObject, public WordDocument::Owner {
public:
    explicit WordApplication(HostContext &context);

    std::shared_ptr<HostObject> open(const std::string &path) override;
    // Throws folivex::Error when no document is open.
    std::shared_ptr<WordDocument> activeDocument() const;

    void activate(const std::shared_ptr<WordDocument> &document) override { active_ = document; }
    std::shared_ptr<HostObject> applicationObject() override { return shared_from_this(); }

private:
    std::shared_ptr<WordDocument> active_;
    std::vector<std::shared_ptr<WordDocument>> documents_;
};

} // namespace folivex::office
