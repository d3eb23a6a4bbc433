// The file output of the PDF writer: a temporary file in the output folder,
// renamed over the output name when the PDF is complete.
#pragma once

#include "core/uniquefd.h"
#include "pdf/filesink.h"
#include "pdf/pdfoutput.h"

#include <optional>

namespace folivex::pdf {

class FileOutput : public PdfOutput {
public:
    // Creates the temporary file; throws folivex::Error("Cannot create file ...").
    explicit FileOutput(std::string outputName);
    ~FileOutput() override;

    FileOutput(const FileOutput &) = delete;
    FileOutput &operator=(const FileOutput &) = delete;

    ByteSink &sink() override { return *sink_; }
    void commit() override;
    void abandon() noexcept override;

private:
    std::string outputName_;
    std::string temporaryName_;
    UniqueFd fd_;                  // the temporary file, open until commit() or abandon()
    std::optional<FileSink> sink_; // writes through fd_
    bool finished_ = false;
};

} // namespace folivex::pdf
