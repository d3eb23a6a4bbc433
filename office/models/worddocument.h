// WordDocument: one Word document over a Writer document.
//
// Positions count pages: position p (0 <= p <= page count) is the start of
// page p + 1, and the page count is the end of the document. A range [s, e)
// covers the pages s + 1 to e. Members: Activate; Application; Range (the
// whole document) and Range(start, end); goto(1, 1, n) (the start of page n,
// clamped to the document; also goto(1, 2 | 3, k): k pages on or back from
// the selection); PageSetup (the page style of the page that holds the
// selection's start).
#pragma once

#include "office/server/hostobject.h"
#include "office/engine/engine.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace folivex::office {

class WordApplication;
class WordRange;

class WordDocument : public HostObject {
public:
    WordDocument(std::shared_ptr<EngineDocument> document, std::shared_ptr<WordApplication> application);
    const char *className() const override { return "Document"; }

    bool closed() const { return document_->closed(); }
    int32_t pageCount() const;
    // The page (0-based) a position lies on.
    int32_t pageOf(int32_t position) const;
    int32_t clamp(int32_t position) const;

    int32_t selectionStart() const { return selStart_; }
    int32_t selectionEnd() const { return selEnd_; }
    void select(int32_t start, int32_t end);
    std::shared_ptr<WordRange> selection();
    std::shared_ptr<WordRange> range(int32_t start, int32_t end);

    // Puts the picture of pages [start, end) on the clipboard, one below the
    // other; throws folivex::Error for an empty range.
    void copyPages(int32_t start, int32_t end) const;

private:
    using PageValues = std::vector<std::pair<std::string, double>>;
    // The page style values of page `page`, looked up once: the document is
    // open read-only, so neither its pages nor their styles change.
    const PageValues &pageSetupOf(int32_t page);

    std::shared_ptr<EngineDocument> document_;
    std::shared_ptr<WordApplication> application_;
    mutable int32_t pageCount_ = -1; // laid out when the document was opened
    std::map<int32_t, PageValues> pageSetups_;
    int32_t selStart_ = 0;
    int32_t selEnd_ = 0;
};

} // namespace folivex::office
