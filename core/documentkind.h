// DocumentKind: Word, PowerPoint or Excel, and the one table of what each
// kind is called and where its documents go.
//
// The folder scan and the open dialog take their extensions from here, the
// client its programmatic identifiers, collections and messages, the Office
// host its application names and the LibreOffice module behind each. An
// extension outside the table has no kind, and nothing is started for such
// a document. Nothing here throws but std::bad_alloc.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace folivex {

// The values are the kind codes the conversion shows (CurrentKind) and
// hands to CapturePage; 0 there means no document.
enum class DocumentKind : std::int32_t { Word = 1, PowerPoint = 2, Excel = 3 };

struct DocumentKindFacts {
    DocumentKind kind;
    // The Office application, as messages name it and as the Office host is
    // started for it ("--application Word").
    std::string_view application;
    // Its programmatic identifier ("Word.Application").
    std::string_view progId;
    // The application's collection of open documents ("Documents").
    std::string_view collection;
    // The LibreOffice module that stands in for it ("Writer"), and the
    // library of LibreOffice's program folder that holds that module.
    std::string_view module;
    std::string_view moduleLibrary;
    // LibreOfficeKit's document type of what that module loads
    // (LOK_DOCTYPE_TEXT, _SPREADSHEET, _PRESENTATION), and how a message
    // names such a document ("a text document").
    int libreOfficeType;
    std::string_view libreOfficeTypeText;
    // The message for a document the application cannot open.
    std::string_view failedToOpenText;
    // Its extensions, lower case with their dot, in the order the folder
    // scan tests them and the open dialog lists them.
    std::span<const std::string_view> extensions;
};

// The table: PowerPoint's row first, then Word's, then Excel's (the order in
// which the extensions are tested).
std::span<const DocumentKindFacts> DocumentKinds();

// The row of `kind`.
const DocumentKindFacts &FactsOf(DocumentKind kind);

// The kind code of `kind`, as CurrentKind() and CapturePage take it.
constexpr std::int32_t KindCode(DocumentKind kind)
{
    return static_cast<std::int32_t>(kind);
}

// The extension of the path's file name with its dot, ASCII letters lower-cased;
// empty when the file name has no dot.
std::string LowerCaseExtension(const std::string &path);

// The kind of an extension (with its dot; A to Z match a to z); none for one
// that the table does not list, the empty one included.
std::optional<DocumentKind> DocumentKindOf(std::string_view extension);

// The kind whose application is `application` ("Word"; exact case); none
// for any other name.
std::optional<DocumentKind> DocumentKindNamed(std::string_view application);

// "Failed to connect Word. Please install LibreOffice Writer.": the message
// for an application that cannot be started.
std::string FailedToConnectText(DocumentKind kind);

// The kind whose programmatic identifier is `progId` (letter case does not
// matter: "word.application"); none for any other identifier.
std::optional<DocumentKind> DocumentKindOfProgId(std::string_view progId);

} // namespace folivex
