// What a conversion shows and reads: the window implements it with widgets,
// the command line for a terminal, tests to record what happened.
//
// Every call comes on the user-interface thread. PumpMessages may run any
// event handler, the Stop button's and the list's among them; rows may be
// unticked, removed or re-sorted in there, which is why rows are found by
// an identity that stays with the row rather than by their index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace folivex::convert {

using RowId = std::uint64_t;

struct DocumentRow {
    bool ticked = false;
    std::string path; // the full path, UTF-8
};

class ConversionView {
public:
    virtual ~ConversionView() = default;

    // The status label (Label1), and repainting it or the whole window at once.
    virtual void SetStatusText(const std::string &text) = 0;
    virtual void RepaintStatus() = 0;
    virtual void RepaintWindow() = 0;

    // The progress bar (ProgressBar1).
    virtual void SetProgressVisible(bool visible) = 0;
    virtual void SetProgress(std::int32_t maximum, std::int32_t position) = 0;

    // A modal box with one sentence, a one-word caption and one OK button.
    virtual void ShowMessage(const std::string &text, const std::string &caption) = 0;
    // The same box for a failure of LibreOffice with `document` (its full
    // path), with the reason LibreOffice gave ("it is a spreadsheet, not a
    // text document"); the text stays as it is, and the document's name and
    // the reason are shown beside it where the view has room.
    virtual void ShowMessageWithReason(const std::string &text, const std::string &caption,
                                       const std::string &document, const std::string &reason)
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
    // it is now; nullopt once it has been removed.
    virtual std::vector<RowId> DocumentRows() = 0;
    virtual std::optional<DocumentRow> FindDocumentRow(RowId row) = 0;

    // The settings texts, read at the moment they are needed. A view
    // without a resolution setting has its pages at 72 dpi.
    virtual std::string SizePercentText() = 0;
    virtual std::string OutputFolderText() = 0;
    virtual std::string ResolutionText() { return "72"; }
};

} // namespace folivex::convert
