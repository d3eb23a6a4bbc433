// The batch behind the Convert and Stop buttons.
//
// SpeedButton11Click walks the ticked rows of the document list; for each,
// ConvertDocument starts the matching Office application, opens the
// document, counts its pages and has WritePdf pull them through CapturePage.
// The converter owns PageJpeg and CurrentKind; it borrows the view.
//
// Errors that no step catches (the application's Visible, WindowState, page
// count and Quit calls, as on the desktop Office applications) leave
// SpeedButton11Click as folivex::Error: the caller shows them in the
// top-level error box. Every application object is released, and its host
// ended, on every path.
#pragma once

#include "convert/conversionview.h"
#include "convert/documentresult.h"
#include "convert/pagecapture.h"
#include "convert/pagejpeg.h"
#include "platform/clipboard.h"
#include "platform/variant.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace folivex::convert {

class BatchConverter {
public:
    // Creates an application object from its programmatic identifier; throws on failure.
    using ApplicationFactory = std::function<automation::Variant(const std::string &progId)>;

    explicit BatchConverter(ConversionView &view, ApplicationFactory createApplication = {});

    // Convert: the whole batch. Ignored while a batch runs (it can be pressed
    // again from inside the batch's message pumps).
    void SpeedButton11Click();
    // Stop: abandons the document being converted at its next page (a
    // document still opening, at once, its host ended); the batch goes on.
    void SpeedButton1Click();

    // Ends the running batch as soon as it can: the document being captured
    // or written is abandoned (no file left), no further row is converted and
    // no completion is shown. For closing the window in the middle of a batch.
    void AbortBatch();

    // Converts one document and returns what became of it. What the
    // Office host refuses (starting, opening) and what the writer reports
    // are in the result; a failure that no step catches (see above) throws.
    DocumentResult ConvertDocument(const std::string &extension, const std::string &path);

    // One document of a run its caller walks itself (the command line, which
    // goes on after a failure): converted as a ticked row is, AbortBatch
    // working meanwhile, the clipboard emptied after. Throws nothing: a
    // failure that no step catches fails this document (BatchHalt::Writer),
    // and a PDF already in place stays converted. Refused, as stopped with
    // BatchHalt::OfficeStart, while a batch runs. `nextPath`, when known, is
    // the document that comes after: its application's host is started
    // while this one converts (see automation::PrestartHost); the caller
    // ends what was not used with automation::EndPrestartedHosts.
    // `pdfName`, when given, is the PDF written instead of the output
    // folder's one of the document's name. `index` and `count` place the
    // document in its run for DocumentStarted.
    DocumentResult ConvertOne(const std::string &path, const std::string &nextPath = {},
                              const std::string &pdfName = {}, std::size_t index = 0, std::size_t count = 1);
    // The progress callback: pumps messages, then moves the bar.
    void ProgressCallback(std::int32_t maximum, std::int32_t position);

    bool running() const { return running_; }
    std::int32_t CurrentKind() const { return currentKind_; }

private:
    class DocumentPages;

    void chooseTextHinting();
    // ConvertDocument's work: `result` is filled in as the document goes,
    // so that what a later step throws finds it as far as it got.
    void convertDocument(const std::string &extension, const std::string &path, DocumentResult &result);
    void runBatch();
    void complete(const std::vector<DocumentResult> &results);
    void emptyClipboard();

    ConversionView &view_;
    ApplicationFactory createApplication_;
    PageJpeg pageJpeg_;
    PageCapture pageCapture_;
    std::int32_t currentKind_ = 0;
    // The place of the document being converted in its batch or run.
    std::size_t documentIndex_ = 0;
    std::size_t documentCount_ = 1;
    // With the real applications: the identifier of the next document's
    // application, whose host ConvertDocument starts once its own is busy.
    bool prestarting_ = false;
    std::string nextProgId_;
    std::string pdfName_; // ConvertOne's own PDF name, empty for the batch's
    bool running_ = false;
    bool aborting_ = false;
    // The application while it opens its document: Stop ends its host
    // rather than wait for a long document to load.
    const automation::Variant *opening_ = nullptr;
};

} // namespace folivex::convert
