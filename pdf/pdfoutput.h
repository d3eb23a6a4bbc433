// Where one PDF file is written while the writer is at work.
//
// The writer opens an output, writes everything through sink(), then either
// commit()s it (the file is complete) or abandon()s it (stopped or failed).
// Destroying an output that was neither committed nor abandoned abandons it.
#pragma once

#include "core/bytesink.h"

#include <functional>
#include <memory>
#include <string>

namespace folivex::pdf {

class PdfOutput {
public:
    virtual ~PdfOutput() = default;

    virtual ByteSink &sink() = 0;
    // Makes the written bytes the output file. Throws folivex::Error.
    virtual void commit() = 0;
    // Drops what was written. Never throws.
    virtual void abandon() noexcept = 0;
};

// Opens the output for a PDF of the given name; throws folivex::Error when it
// cannot be created.
using OutputOpener = std::function<std::unique_ptr<PdfOutput>(const std::string &outputName)>;

// The program's output: a new file beside the output name, renamed over it on
// commit. A file that already has the output name is untouched until then, so
// a stopped or failed document never destroys the user's earlier PDF.
std::unique_ptr<PdfOutput> OpenFileOutput(const std::string &outputName);

} // namespace folivex::pdf
