// What became of one document of a conversion: the one record that the
// converter returns for every document and that the window, the command
// line and its report read. A plain value: it owns its strings and throws
// nothing.
#pragma once

#include <cstdint>
#include <string>

namespace folivex::convert {

enum class DocumentStatus : std::uint8_t {
    Converted, // its PDF is written
    Failed,    // no PDF: `reason` says why
    Stopped,   // no PDF: Stop (or the end of the run) abandoned it
    Skipped,   // not converted: its PDF is newer, or the run ended before it began
    // Not converted because an earlier document's failure ended the batch.
    // It counts among the documents without their PDF; a report names it
    // "skipped" as it does the others.
    SkippedAfterFailure,
};

// Where a conversion ended before its PDF in a way that decides how a
// batch goes on: an application that could not be had or could not open
// its document ends the batch at once, a writer that threw ends it after
// the document. Any other document, converted or not, lets it go on.
enum class BatchHalt : std::uint8_t {
    None,
    OfficeStart, // the application could not be had
    OfficeOpen,  // the application could not open the document
    Writer,      // the PDF writer threw
};

struct DocumentResult {
    DocumentStatus status = DocumentStatus::Failed;
    std::string input;       // the document's full path, as bytes
    std::string output;      // the PDF written (its path, as bytes); empty when none was
    std::string reason;      // why no PDF was written; empty when converted
    std::int32_t pages = 0;  // pages, slides or worksheets written
    std::uint64_t bytes = 0; // the size of the PDF written
    BatchHalt halt = BatchHalt::None;
};

// A document that was asked for and has no PDF because something failed:
// failed, or skipped after an earlier failure. Stopped and skipped ones are not.
inline bool EndedWithoutPdf(const DocumentResult &result)
{
    return result.status == DocumentStatus::Failed || result.status == DocumentStatus::SkippedAfterFailure;
}

// Whether a batch ends at once after `result` (the application failed).
inline bool EndsBatchAtOnce(const DocumentResult &result)
{
    return result.halt == BatchHalt::OfficeStart || result.halt == BatchHalt::OfficeOpen;
}

} // namespace folivex::convert
