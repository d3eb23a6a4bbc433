// WordDocument: one Word document over a Writer document.
//
// Positions count pages (see WordPages). Members: Activate; Application;
// Range (the whole document) and Range(start, end); goto(1, 1, n) (the
// start of page n, clamped to the document; also goto(1, 2 | 3, k): k pages
// on or back from the selection); PageSetup (the page style of the page
// that holds the selection's start).
#pragma once

#include "office/engine/engine.h"
#include "office/server/hostobject.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace folivex::office {

class HostContext;
class WordPages;
class WordRange;

class WordDocument : public HostObject {
public:
    // What a document asks of the application that opened it.
    class Owner {
    public:
        // Makes `document` the active document (Activate).
        virtual void activate(const std::shared_ptr<WordDocument> &document) = 0;
        // The application object itself (Application).
        virtual std::shared_ptr<HostObject> applicationObject() = 0;

    protected:
        ~Owner() = default;
    };

    // `owner` is kept alive by the document.
    WordDocument(std::shared_ptr<EngineDocument> document, HostContext &context, std::shared_ptr<Owner> owner);
    const char *className() const override { return "Document"; }

    bool closed() const;
    std::shared_ptr<WordRange> selection();

private:
    using PageValues = std::vector<std::pair<std::string, double>>;
    // The page style values of page `page`, looked up once: the document is
    // open read-only, so neither its pages nor their styles change.
    const PageValues &pageSetupOf(int32_t page);

    std::shared_ptr<WordPages> pages_;
    std::shared_ptr<Owner> owner_;
    std::map<int32_t, PageValues> pageSetups_;
};

} // namespace folivex::office
