// Which Office application converts a document, told by its extension.
//
// The one table of the extensions Folivex knows: the folder scan, the open
// dialog's filters and the conversion all take it from here. An extension
// outside it has no kind, and nothing is started for such a document.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace folivex::convert {

// DocumentKind codes.
inline constexpr std::int32_t kNoKind = 0;
inline constexpr std::int32_t kWord = 1;
inline constexpr std::int32_t kPowerPoint = 2;
inline constexpr std::int32_t kExcel = 3;

struct KnownExtension {
    std::string_view extension; // lower case, with its dot
    std::int32_t kind;
};

// Every known extension, PowerPoint's first, then Word's, then Excel's.
std::span<const KnownExtension> KnownExtensions();

// The extension of the path's file name with its dot, ASCII letters lower-cased;
// empty when the file name has no dot.
std::string LowerCaseExtension(const std::string &path);

// The kind of an extension (with its dot; A to Z match a to z), kNoKind for
// one that KnownExtensions() does not list, the empty one included.
std::int32_t DocumentKindOf(std::string_view extension);

// "Word.Application", "PowerPoint.Application", "Excel.Application"; empty for kNoKind.
std::string ProgIdOf(std::int32_t kind);

// The error texts for an application that cannot be started, and one that
// cannot open the document.
std::string FailedToConnectText(std::int32_t kind);
std::string FailedToOpenText(std::int32_t kind);

} // namespace folivex::convert
