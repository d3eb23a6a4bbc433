// The name of a document's PDF in the output folder.
#pragma once

#include <string>

namespace folivex::convert {

// The output folder joined with the document's file name, keeping the
// document's extension: "/home/ana/Output" or "/home/ana/Output/" with
// "/docs/report.docx" give "/home/ana/Output/report.docx"; an empty folder
// gives "/report.docx".
std::string OutputName(const std::string &outputFolder, const std::string &documentPath);

// `name` with the extension of its file name replaced by ".pdf", or ".pdf"
// appended when the file name has no dot.
std::string PdfName(const std::string &name);

} // namespace folivex::convert
