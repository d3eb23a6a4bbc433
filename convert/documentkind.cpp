#include "documentkind.h"

#include "core/asciitext.h"

namespace folivex::convert {

namespace {

constexpr KnownExtension kKnownExtensions[] = {
    {".ppt", kPowerPoint}, {".pps", kPowerPoint}, {".pptx", kPowerPoint}, {".ppsx", kPowerPoint},
    {".pptm", kPowerPoint}, {".ppsm", kPowerPoint}, {".pot", kPowerPoint}, {".potx", kPowerPoint},
    {".potm", kPowerPoint},
    {".doc", kWord}, {".docx", kWord}, {".docm", kWord}, {".dot", kWord}, {".dotx", kWord}, {".dotm", kWord},
    {".xls", kExcel}, {".xlsx", kExcel}, {".xlsm", kExcel}, {".xlsb", kExcel}, {".xlam", kExcel},
};

} // namespace

std::span<const KnownExtension> KnownExtensions() { return kKnownExtensions; }

std::string LowerCaseExtension(const std::string &path)
{
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return AsciiLower(std::string_view(path).substr(dot));
}

std::int32_t DocumentKindOf(std::string_view extension)
{
    const std::string lower = AsciiLower(extension);
    for (const KnownExtension &known : KnownExtensions())
        if (known.extension == lower)
            return known.kind;
    return kNoKind;
}

std::string ProgIdOf(std::int32_t kind)
{
    switch (kind) {
    case kWord: return "Word.Application";
    case kPowerPoint: return "PowerPoint.Application";
    case kExcel: return "Excel.Application";
    default: return {};
    }
}

std::string FailedToConnectText(std::int32_t kind)
{
    switch (kind) {
    case kWord: return "Failed to connect Word. Please install LibreOffice Writer.";
    case kPowerPoint: return "Failed to connect PowerPoint. Please install LibreOffice Impress.";
    default: return "Failed to connect Excel. Please install LibreOffice Calc.";
    }
}

std::string FailedToOpenText(std::int32_t kind)
{
    switch (kind) {
    case kWord: return "Failed to open the word document. If the Word version is below 2007, please update it.";
    case kPowerPoint: return "Failed to open the ppt file. If the powerpoint version is below 2007, please update it.";
    default: return "Failed to open the Excel document. If the Excel version is below 2007, please update it.";
    }
}

} // namespace folivex::convert
