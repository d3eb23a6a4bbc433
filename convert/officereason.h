// The reason an Office host gave for a failure, as a user should read it.
#pragma once

#include <string>

namespace folivex::convert {

// `errorText` without the member it came through and without the host's
// "Cannot open PATH: " preamble: "Documents.Open: Cannot open /d/a.docx: the
// file is empty" gives "the file is empty". Texts of another shape come back
// as they are ("Word ended unexpectedly (killed by signal 9)").
std::string OfficeReason(const std::string &errorText, const std::string &documentPath);

} // namespace folivex::convert
