// Whether a document is protected by a password, from its own bytes: the
// reason to give when LibreOffice refuses to open it.
#pragma once

#include <string>

namespace folivex::cli {

// True when `path` is an OLE2 compound file that says it is encrypted:
// an "EncryptionInfo" stream (an encrypted .docx, .xlsx or .pptx is such a
// file), an "EncryptedSummary" stream or the encrypted header token of the
// "Current User" stream (PowerPoint 97-2003), the fEncrypted
// flag of a "WordDocument" stream's file information block (Word 97-2003),
// or a FILEPASS record in a "Workbook" or "Book" stream's first substream
// (Excel 97-2003). Anything else, or a file that cannot be read, is false.
bool IsPasswordProtected(const std::string &path);

} // namespace folivex::cli
