#include "core/documentkind.h"

#include "core/asciitext.h"

namespace folivex {

namespace {

constexpr std::string_view kPowerPointExtensions[] = {".ppt",  ".pps", ".pptx", ".ppsx", ".pptm",
                                                      ".ppsm", ".pot", ".potx", ".potm"};
constexpr std::string_view kWordExtensions[] = {".doc", ".docx", ".docm", ".dot", ".dotx", ".dotm"};
constexpr std::string_view kExcelExtensions[] = {".xls", ".xlsx", ".xlsm", ".xlsb", ".xlam"};

// LibreOfficeKit's LOK_DOCTYPE_* values; its header stays with the host's engine.
constexpr int kLokText = 0;
constexpr int kLokSpreadsheet = 1;
constexpr int kLokPresentation = 2;

constexpr DocumentKindFacts kDocumentKinds[] = {
    {DocumentKind::PowerPoint, "PowerPoint", "PowerPoint.Application", "Presentations", "Impress", "libsdlo.so",
     kLokPresentation, "a presentation",
     "Failed to open the ppt file. If the powerpoint version is below 2007, please update it.", kPowerPointExtensions},
    {DocumentKind::Word, "Word", "Word.Application", "Documents", "Writer", "libswlo.so", kLokText, "a text document",
     "Failed to open the word document. If the Word version is below 2007, please update it.", kWordExtensions},
    {DocumentKind::Excel, "Excel", "Excel.Application", "WorkBooks", "Calc", "libsclo.so", kLokSpreadsheet,
     "a spreadsheet", "Failed to open the Excel document. If the Excel version is below 2007, please update it.",
     kExcelExtensions},
};

} // namespace

std::span<const DocumentKindFacts> DocumentKinds()
{
    return kDocumentKinds;
}

const DocumentKindFacts &FactsOf(DocumentKind kind)
{
    for (const DocumentKindFacts &facts : kDocumentKinds)
        if (facts.kind == kind)
            return facts;
    // Every enumerator has its row.
    return kDocumentKinds[0];
}

std::string LowerCaseExtension(const std::string &path)
{
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return AsciiLower(std::string_view(path).substr(dot));
}

std::optional<DocumentKind> DocumentKindOf(std::string_view extension)
{
    const std::string lower = AsciiLower(extension);
    for (const DocumentKindFacts &facts : kDocumentKinds)
        for (std::string_view known : facts.extensions)
            if (known == lower)
                return facts.kind;
    return std::nullopt;
}

std::optional<DocumentKind> DocumentKindNamed(std::string_view application)
{
    for (const DocumentKindFacts &facts : kDocumentKinds)
        if (facts.application == application)
            return facts.kind;
    return std::nullopt;
}

std::optional<DocumentKind> DocumentKindOfProgId(std::string_view progId)
{
    const std::string lower = AsciiLower(progId);
    for (const DocumentKindFacts &facts : kDocumentKinds)
        if (AsciiLower(facts.progId) == lower)
            return facts.kind;
    return std::nullopt;
}

std::string FailedToConnectText(DocumentKind kind)
{
    const DocumentKindFacts &facts = FactsOf(kind);
    return "Failed to connect " + std::string(facts.application) + ". Please install LibreOffice " +
           std::string(facts.module) + ".";
}

} // namespace folivex
