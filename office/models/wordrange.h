// WordRange: a Range of a Word document, or the Selection (which reads and
// moves the document's selection). Members of both: Start and End (read and
// assign: a Start past End moves End along and the reverse), Select,
// CopyAsPicture, GoToNext(1) (the start of the next page; the start of the
// same page on the last one). The Selection also has Information(n) (4: the
// page count; 1 and 3: the page number of its end) and Range.
#pragma once

#include "office/server/hostobject.h"

#include <memory>

namespace folivex::office {

class WordPages;

class WordRange : public HostObject {
public:
    // The range [start, max(start, end)) of a document's pages.
    static std::shared_ptr<WordRange> between(std::shared_ptr<WordPages> pages, int32_t start, int32_t end);
    // The document's selection.
    static std::shared_ptr<WordRange> selectionOf(std::shared_ptr<WordPages> pages);

    // A range from start to end; or, with `selection`, the selection itself.
    WordRange(std::shared_ptr<WordPages> pages, int32_t start, int32_t end, bool selection);
    const char *className() const override { return selection_ ? "Selection" : "Range"; }

private:
    int32_t start() const;
    int32_t end() const;
    void set(int32_t start, int32_t end);

    std::shared_ptr<WordPages> pages_;
    int32_t start_;
    int32_t end_;
    bool selection_;
};

} // namespace folivex::office
