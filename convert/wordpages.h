// Word pages: counting them and selecting one for the copy.
#pragma once

#include "platform/variant.h"

#include <cstdint>

namespace folivex::convert {

// The page count of Word document `document` of application `word`:
// document.Activate, then word.Selection.Information(4). Any failure gives 0.
std::int32_t WordPageCount(const automation::Variant &word, const automation::Variant &document);

// Selects the text of page n (from 1) of `document`; on the last page the
// selection runs to the end of the document. Does nothing when either object
// is empty, when the count is 0 or n lies outside 1..count. Failures after
// the count are thrown (folivex::Error).
void SelectWordPage(const automation::Variant &word, const automation::Variant &document, std::int32_t n);

} // namespace folivex::convert
