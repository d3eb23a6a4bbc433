// What a conversion shows and reads: the window implements it with widgets,
// the command line for a terminal, tests to record what happened.
//
// What happened reaches a view as typed events (DocumentStarted,
// DocumentFinished, BatchFinished, SetProgress): a view decides what to show
// from them. The status label's texts and the message boxes are the
// window's own; a view without them (the terminal) leaves those calls alone.
//
// Every call comes on the user-interface thread. PumpMessages may run any
// event handler, the Stop button's and the list's among them; rows may be
// unticked, removed or re-sorted in there, which is why rows are found by
// an identity that stays with the row rather than by their index.
#pragma once

#include "convert/documentresult.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace folivex::convert {

using RowId = std::uint64_t;

// A document whose pages are about to be captured: it is open and counted.
struct DocumentStart {
    std::string path;       // the document's full path, as bytes
    std::string outputName; // the output folder joined with its file name (OutputName)
    std::size_t index = 0;  // its place among the documents of the run, from 0
    std::size_t count = 1;  // the documents of the run, as known when it began
    std::int32_t pages = 0; // the pages, slides or worksheets it has
};

struct DocumentRow {
    bool ticked = false;
    std::string path; // the full path, UTF-8
};

class ConversionView {
public:
    virtual ~ConversionView() = default;

    // A document's pages are captured next; it was opened and counted. A
    // document that fails or is stopped before that has no start.
    virtual void DocumentStarted(const DocumentStart &start) { (void)start; }
    // A document is done with, whatever became of it: from the batch for
    // each ticked row it reached; from the command line's run, once for
    // each of its documents, when the run has its final result.
    virtual void DocumentFinished(const DocumentResult &result) { (void)result; }
    // Page `page` (from 1) of the document being converted could not be
    // copied out of its application; the document fails with it.
    virtual void PageNotCopied(std::int32_t page) { (void)page; }
    // Every document of a batch or run is done with; `results` in their order.
    // A batch ended by a failing application, or aborted, has no finish.
    virtual void BatchFinished(const std::vector<DocumentResult> &results) { (void)results; }

    // The progress bar (ProgressBar1): the pages captured of the page count,
    // then the bytes of the PDF written (see pdf::ProgressCallback).
    virtual void SetProgressVisible(bool visible) = 0;
    virtual void SetProgress(std::int32_t maximum, std::int32_t position) = 0;

    // The status label (Label1), and repainting it or the whole window at
    // once: the window's texts, exactly as it shows them.
    virtual void SetStatusText(const std::string &text) { (void)text; }
    virtual void RepaintStatus() {}
    virtual void RepaintWindow() {}

    // A modal box with one sentence, a one-word caption and one OK button.
    virtual void ShowMessage(const std::string &text, const std::string &caption)
    {
        (void)text;
        (void)caption;
    }
    // The same box for a failure of LibreOffice with `document` (its full
    // path), with the reason LibreOffice gave ("it is a spreadsheet, not a
    // text document"); the text stays as it is, and the document's name and
    // the reason are shown beside it where the view has room.
    virtual void ShowMessageWithReason(const std::string &text, const std::string &caption, const std::string &document,
                                       const std::string &reason)
    {
        (void)document;
        (void)reason;
        ShowMessage(text, caption);
    }
    // The folder opened in the desktop's file manager.
    virtual void OpenFolder(const std::string &folder) = 0;
    // Handles the pending window messages and returns.
    virtual void PumpMessages() = 0;

    // The rows of the document list in their displayed order, and one row as
    // it is now; nullopt once it has been removed. A view without a list
    // (the command line, which converts one document at a time) has none.
    virtual std::vector<RowId> DocumentRows() { return {}; }
    virtual std::optional<DocumentRow> FindDocumentRow(RowId row)
    {
        (void)row;
        return std::nullopt;
    }

    // The settings texts, read at the moment they are needed. A view
    // without a resolution setting has its pages at 72 dpi.
    virtual std::string SizePercentText() = 0;
    virtual std::string OutputFolderText() = 0;
    virtual std::string ResolutionText() { return "72"; }
};

} // namespace folivex::convert
