// The installed layout: the program finds its Office host and its help page
// in a tree laid out as the package installs it, under any prefix, and the
// desktop entry offers it for every document type the program accepts.
#include "app/helppage.h"
#include "doclist/extensions.h"
#include "platform/hostprocess.h"
#include "tests/support/testsupport.h"

#include <QMimeDatabase>
#include <QSet>

#include <gtest/gtest.h>

#include <sstream>

using folivex::test::TempFolder;
using folivex::test::WriteFile;
namespace fs = std::filesystem;

namespace {

// An installed tree: PREFIX/bin holds the program.
fs::path makeTree(const TempFolder &root, const std::string &prefix)
{
    const fs::path bin = root / (prefix + "/bin");
    fs::create_directories(bin);
    return bin;
}

QString qt(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

} // namespace

TEST(InstalledLayout, TheHostIsFoundBesideTheProgramElseUnderItsPrefix)
{
    TempFolder root;
    for (const std::string prefix : {"usr", "opt/folivex"}) {
        const fs::path bin = makeTree(root, prefix);
        EXPECT_EQ(folivex::automation::HostProgramFor(bin), "") << prefix << ": no host anywhere";

        const fs::path installed = root / (prefix + "/libexec/folivex/folivex-office");
        fs::create_directories(installed.parent_path());
        WriteFile(installed, "#!/bin/sh\n");
        EXPECT_EQ(folivex::automation::HostProgramFor(bin), installed.string()) << prefix;

        // A host beside the program (as in the build tree) comes first.
        WriteFile(bin / "folivex-office", "#!/bin/sh\n");
        EXPECT_EQ(folivex::automation::HostProgramFor(bin), (bin / "folivex-office").string()) << prefix;
    }
}

TEST(InstalledLayout, TheHelpPageIsFoundBesideTheProgramElseInItsDataFolder)
{
    TempFolder root;
    for (const std::string prefix : {"usr", "opt/folivex"}) {
        const fs::path bin = makeTree(root, prefix);
        // Only the data folder of the configured prefix can still have one.
        const QString nowhere = folivex::app::FindHelpPage(qt(bin));
        EXPECT_TRUE(nowhere.isEmpty() || !nowhere.startsWith(qt(root.path()))) << nowhere.toStdString();

        const fs::path installed = root / (prefix + "/share/folivex/quillmark.html");
        fs::create_directories(installed.parent_path());
        WriteFile(installed, "<html></html>");
        EXPECT_EQ(folivex::app::FindHelpPage(qt(bin)), qt(installed)) << prefix;

        WriteFile(bin / "quillmark.html", "<html></html>");
        EXPECT_EQ(folivex::app::FindHelpPage(qt(bin)), qt(bin / "quillmark.html")) << prefix;
    }
}

TEST(InstalledLayout, TheDesktopEntryOffersEveryAcceptedDocumentTypeAndNoOther)
{
    QStringList listed;
    std::istringstream entry(folivex::test::ReadFile(FOLIVEX_DESKTOP_ENTRY));
    for (std::string line; std::getline(entry, line);)
        if (line.rfind("MimeType=", 0) == 0)
            listed = QString::fromStdString(line.substr(9)).split(';', Qt::SkipEmptyParts);
    ASSERT_FALSE(listed.isEmpty()) << "no MimeType line";
    const QSet<QString> offered(listed.begin(), listed.end());
    EXPECT_EQ(offered.size(), listed.size()) << "a type listed twice";

    // Every extension that Add folder and the open dialog accept has a type
    // in the shared MIME database that the entry lists.
    const QMimeDatabase mime;
    const QStringList &accepted = folivex::doclist::AcceptedExtensions();
    EXPECT_EQ(accepted.size(), 20);
    for (const QString &extension : accepted) {
        bool found = false;
        QStringList types;
        for (const QMimeType &type : mime.mimeTypesForFileName(QStringLiteral("document") + extension)) {
            types << type.name();
            found = found || offered.contains(type.name());
        }
        EXPECT_TRUE(found) << extension.toStdString() << " has the types " << types.join(", ").toStdString();
    }

    // Every listed type is one of those extensions' types.
    for (const QString &name : listed) {
        const QMimeType type = mime.mimeTypeForName(name);
        ASSERT_TRUE(type.isValid()) << name.toStdString() << " is not in the MIME database";
        bool ours = false;
        for (const QString &suffix : type.suffixes())
            ours = ours || accepted.contains("." + suffix.toLower());
        EXPECT_TRUE(ours) << name.toStdString() << " (" << type.suffixes().join(", ").toStdString()
                          << ") is no accepted document type";
    }
}
