// WordApplication: "Word.Application" over LibreOffice Writer. Members:
// Visible, WindowState, Application, Quit, Documents, ActiveDocument,
// Selection (the active document's selection).
#pragma once

#include "office/models/applicationobject.h"

#include <memory>

namespace folivex::office {

class WordDocument;

class WordApplication : public ApplicationObject {
public:
    explicit WordApplication(HostContext &context);

    std::shared_ptr<WordDocument> open(const std::string &path);
    void activate(const std::shared_ptr<WordDocument> &document) { active_ = document; }
    // Throws folivex::Error when no document is open.
    std::shared_ptr<WordDocument> activeDocument() const;

private:
    std::shared_ptr<WordDocument> active_;
    std::vector<std::shared_ptr<WordDocument>> documents_;
};

} // namespace folivex::office
