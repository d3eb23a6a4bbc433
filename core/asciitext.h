// Letter case of ASCII text, whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace folivex {

// `text` with A to Z turned into a to z; every other byte, UTF-8 sequences
// included, as it is. Never throws but std::bad_alloc.
std::string AsciiLower(std::string_view text);

} // namespace folivex
