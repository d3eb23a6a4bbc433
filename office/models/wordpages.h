// WordPages: what a Word document and its ranges share: the document's
// pages as positions, and its selection.
//
// Position p (0 <= p <= page count) is the start of page p + 1, and the page
// count is the end of the document; a range [s, e) covers the pages s + 1
// to e. The document is laid out when it is opened and open read-only, so
// the page count and the page rectangles stay as first read.
#pragma once

#include "office/engine/engine.h"

#include <cstdint>
#include <memory>

namespace folivex::office {

class HostContext;

class WordPages {
public:
    WordPages(std::shared_ptr<EngineDocument> document, HostContext &context);

    bool closed() const { return document_->closed(); }
    EngineDocument &document() const { return *document_; }
    int32_t pageCount() const;
    // The page (0-based) a position lies on.
    int32_t pageOf(int32_t position) const;
    // `position` clamped to the document: 0 to the page count.
    int32_t clamp(int32_t position) const;

    int32_t selectionStart() const { return selStart_; }
    int32_t selectionEnd() const { return selEnd_; }
    // Selects [start, end), both clamped; an end before the start is the start.
    void select(int32_t start, int32_t end);

    // Puts the picture of pages [start, end) on the clipboard, one below the
    // other; throws folivex::Error for an empty range.
    void copyPages(int32_t start, int32_t end) const;

private:
    std::shared_ptr<EngineDocument> document_;
    HostContext &context_;
    mutable int32_t pageCount_ = -1;
    int32_t selStart_ = 0;
    int32_t selEnd_ = 0;
};

} // namespace folivex::office
