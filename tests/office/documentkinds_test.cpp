// The client and the host agree on every kind of the table: the host started
// for a row's programmatic identifier serves that row's collection, opens a
// document of that kind and refuses one of another kind; a host asked for an
// application the table does not name refuses to start.
#include "core/documentkind.h"
#include "platform/connection.h"
#include "tests/office/officetesting.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace folivex;
using namespace folivex::testing;
using automation::Variant;

TEST(DocumentKinds, EveryKindsHostOpensItsOwnDocumentsAndNoOthers)
{
    struct Documents {
        std::string own, other, otherIs;
    };
    const std::map<DocumentKind, Documents> documents = {
        {DocumentKind::Word, {"letter3.docx", "workbook.xlsx", "a spreadsheet"}},
        {DocumentKind::PowerPoint, {"wide16x9.pptx", "letter3.docx", "a text document"}},
        {DocumentKind::Excel, {"workbook.xlsx", "letter3.docx", "a text document"}}};
    for (const DocumentKindFacts &facts : DocumentKinds()) {
        const std::string application(facts.application);
        const std::string collection(facts.collection);
        const Documents &files = documents.at(facts.kind);
        // A host that has read a document opens no other: one host for each.
        Variant refusing = automation::CreateOleObject(facts.progId);
        const std::string refusal = errorText([&] { refusing.read(collection).call("Open", {fixture(files.other)}); });
        EXPECT_TRUE(refusal.ends_with("Cannot open " + fixture(files.other) + ": it is " + files.otherIs + ", not " +
                                      std::string(facts.libreOfficeTypeText)))
            << refusal;
        refusing.call("Quit");

        Variant app = automation::CreateOleObject(facts.progId);
        EXPECT_EQ(app.read(collection).read("Count").toInt32(), 0) << application;
        app.read(collection).call("Open", {fixture(files.own)});
        EXPECT_EQ(app.read(collection).read("Count").toInt32(), 1) << application;
        app.call("Quit");
    }
}

TEST(DocumentKinds, AHostForAnApplicationOutsideTheTableRefusesToStart)
{
    EXPECT_EQ(errorText([] { automation::Connection::start("Visio"); }), "Unknown application \"Visio\"");
    EXPECT_EQ(errorText([] { automation::Connection::start("word"); }), "Unknown application \"word\"");
}
