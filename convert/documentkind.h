// Which Office application converts a document, told by its extension.
#pragma once

#include <cstdint>
#include <string>

namespace folivex::convert {

// DocumentKind codes.
inline constexpr std::int32_t kNoKind = 0;
inline constexpr std::int32_t kWord = 1;
inline constexpr std::int32_t kPowerPoint = 2;
inline constexpr std::int32_t kExcel = 3;

// The extension of the path's file name with its dot, ASCII letters lower-cased;
// empty when the file name has no dot.
std::string LowerCaseExtension(const std::string &path);

// The kind for a lower-cased extension, by substrings tested in order:
// "do" Word, else "p" PowerPoint, else "xl" Excel, else no kind.
std::int32_t DocumentKindOf(const std::string &lowerCaseExtension);

// "Word.Application", "PowerPoint.Application", "Excel.Application".
std::string ProgIdOf(std::int32_t kind);

// The error texts for an application that cannot be started, and one that
// cannot open the document.
std::string FailedToConnectText(std::int32_t kind);
std::string FailedToOpenText(std::int32_t kind);

} // namespace folivex::convert
