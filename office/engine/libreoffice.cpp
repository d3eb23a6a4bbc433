#include "office/engine/libreoffice.h"

#include "core/error.h"
#include "office/engine/biffsheets.h"
#include "office/engine/lok.h"
#include "office/engine/officedocument.h"
#include "office/engine/packagesheets.h"
#include "office/engine/uno.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/view/XViewSettingsSupplier.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XFlushable.hpp>
#include <com/sun/star/util/XRefreshable.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <unistd.h>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

Reference<css::container::XNameReplace> settings(const Reference<css::lang::XMultiServiceFactory> &provider,
                                                 const char *path)
{
    css::beans::NamedValue node(rtl::OUString("nodepath"), css::uno::Any(rtl::OUString::createFromAscii(path)));
    css::uno::Sequence<css::uno::Any> args(1);
    args.getArray()[0] <<= node;
    return Reference<css::container::XNameReplace>(
        provider->createInstanceWithArguments(rtl::OUString("com.sun.star.configuration.ConfigurationUpdateAccess"),
                                              args),
        UNO_QUERY_THROW);
}

void commit(const Reference<css::container::XNameReplace> &access)
{
    Reference<css::util::XChangesBatch>(access, UNO_QUERY_THROW)->commitChanges();
}

// Sets the switches `names` of the configuration node `path` to `value` and
// commits them.
void setSwitches(const Reference<css::lang::XMultiServiceFactory> &provider, const std::string &path,
                 std::initializer_list<const char *> names, bool value)
{
    auto node = settings(provider, path.c_str());
    for (const char *name : names)
        node->replaceByName(rtl::OUString::createFromAscii(name), css::uno::Any(value));
    commit(node);
}

// No lock files beside the user's documents: they are only ever read. And
// the profile is marked as past its first start, written out now rather than
// at a shutdown that never comes (the host ends with _exit): a profile whose
// first start was never recorded repeats that work, about half a second, at
// every start.
void settleProfile(bool blockLinks)
{
    auto context = comphelper::getProcessComponentContext();
    Reference<css::lang::XMultiServiceFactory> provider = css::configuration::theDefaultProvider::get(context);
    setSwitches(provider, "/org.openoffice.Office.Common/Misc",
                {"UseDocumentOOoLockFile", "UseDocumentSystemFileLocking", "UseLocking", "FirstRun"}, false);
    auto product = settings(provider, "/org.openoffice.Setup/Product");
    Reference<css::container::XNameAccess> read(product, UNO_QUERY_THROW);
    product->replaceByName(rtl::OUString("ooSetupLastVersion"), read->getByName(rtl::OUString("ooSetupVersion")));
    commit(product);
    // Calc lays out with the screen's metrics; once a workbook has switched
    // a profile to the printer's, column widths would depend on the profile.
    setSwitches(provider, "/org.openoffice.Office.Calc/Input", {"UsePrinterMetrics"}, false);
    // A document's macros never run: the host only reads and renders.
    setSwitches(provider, "/org.openoffice.Office.Common/Security/Scripting", {"DisableMacrosExecution"}, true);
    // A document never makes LibreOffice fetch what it links to (pictures,
    // sections, stylesheets) from a web address or another file: documents
    // come from anyone, and a link can leak that the document was opened, or
    // show a local file in the pages. A link then shows as a missing one. No
    // folder is trusted, so no document escapes the rule by where it lies.
    setSwitches(provider, "/org.openoffice.Office.Common/Security/Scripting", {"BlockUntrustedRefererLinks"},
                blockLinks);
    {
        auto scripting = settings(provider, "/org.openoffice.Office.Common/Security/Scripting");
        scripting->replaceByName(rtl::OUString("SecureURL"), css::uno::Any(css::uno::Sequence<rtl::OUString>()));
        commit(scripting);
    }
    // Work an editor does in the background and a rendering never shows:
    // spelling marks, collecting words for completion, the sidebar. It holds
    // the same lock the rendering needs.
    setSwitches(provider, "/org.openoffice.Office.Linguistic/SpellChecking", {"IsSpellAuto"}, false);
    setSwitches(provider, "/org.openoffice.Office.Writer/AutoFunction/Completion", {"Enable", "CollectWords"}, false);
    for (const char *module : {"swriter", "scalc", "simpress", "sdraw"})
        setSwitches(provider,
                    std::string("/org.openoffice.Office.Views/Windows/org.openoffice.Office.Views:WindowType['") +
                        module + "/10336']",
                    {"Visible"}, false);
    // Nothing is edited, so there is nothing to save for recovery.
    setSwitches(provider, "/org.openoffice.Office.Recovery/AutoSave", {"Enabled"}, false);
    setSwitches(provider, "/org.openoffice.Office.Recovery/RecoveryInfo", {"Enabled"}, false);
    // What the edit view draws and a print does not: text, table and
    // section boundaries, field shadings, the page shadow.
    const std::string scheme = "/org.openoffice.Office.UI/ColorScheme/ColorSchemes/"
                               "org.openoffice.Office.UI:ColorScheme['LibreOffice']/";
    for (const char *group : {"DocBoundaries", "ObjectBoundaries", "TableBoundaries", "Shadow", "WriterFieldShadings",
                              "WriterIdxShadings", "WriterSectionBoundaries"})
        setSwitches(provider, scheme + group, {"IsVisible"}, false);
    Reference<css::util::XFlushable>(provider, UNO_QUERY_THROW)->flush();
}

void setAll(const Reference<css::beans::XPropertySet> &set, std::initializer_list<const char *> names, bool value)
{
    if (!set.is())
        return;
    auto info = set->getPropertySetInfo();
    for (const char *name : names) {
        rtl::OUString n = rtl::OUString::createFromAscii(name);
        if (info->hasPropertyByName(n))
            set->setPropertyValue(n, css::uno::Any(value));
    }
}

// An empty placeholder of a slide shows its prompt ("Click to add Title")
// in the edit view and nothing in print: it is hidden, so that no slide has
// text its document does not hold.
void hideEmptyPlaceholders(const Reference<css::frame::XModel> &model)
{
    Reference<css::drawing::XDrawPagesSupplier> supplier(model, UNO_QUERY);
    if (!supplier.is())
        return;
    Reference<css::container::XIndexAccess> slides(supplier->getDrawPages(), UNO_QUERY_THROW);
    const rtl::OUString empty("IsEmptyPresentationObject"), visible("Visible");
    for (sal_Int32 i = 0; i < slides->getCount(); ++i) {
        Reference<css::container::XIndexAccess> shapes(slides->getByIndex(i), UNO_QUERY);
        if (!shapes.is())
            continue;
        for (sal_Int32 k = 0; k < shapes->getCount(); ++k) {
            Reference<css::beans::XPropertySet> shape(shapes->getByIndex(k), UNO_QUERY);
            if (!shape.is())
                continue;
            const Reference<css::beans::XPropertySetInfo> info = shape->getPropertySetInfo();
            bool isEmpty = false;
            if (info.is() && info->hasPropertyByName(empty) && info->hasPropertyByName(visible) &&
                (shape->getPropertyValue(empty) >>= isEmpty) && isEmpty)
                shape->setPropertyValue(visible, css::uno::Any(false));
        }
    }
}

// The view draws the page as it prints: no text boundaries, field shading,
// grid lines, page-break lines or placeholder prompts (LibreOfficeKit
// renders the edit view).
void showAsPrinted(const Reference<css::frame::XModel> &model, DocumentKind kind)
{
    Reference<css::frame::XController> controller = model->getCurrentController();
    if (kind == DocumentKind::Word) {
        Reference<css::view::XViewSettingsSupplier> supplier(controller, UNO_QUERY);
        if (supplier.is())
            setAll(supplier->getViewSettings(),
                   {"ShowTextBoundaries", "ShowTextFieldBackground", "ShowIndexMarkBackground",
                    "ShowFootnoteBackground", "ShowTableBoundaries", "ShowAnnotations", "ShowChangesInMargin",
                    "ShowBreaks", "ShowParaBreaks", "ShowNonprintingCharacters", "ShowFieldCommands"},
                   false);
    } else if (kind == DocumentKind::Excel) {
        setAll(Reference<css::beans::XPropertySet>(controller, UNO_QUERY),
               {"ShowGrid", "ShowPageBreaks", "ShowNotes", "ShowHelpLines"}, false);
        // A workbook saved in page break preview would be drawn with grey
        // outside its print ranges and "Page 1" across them.
        Reference<css::frame::XDispatchProvider> frame(controller->getFrame(), UNO_QUERY);
        if (frame.is())
            css::frame::DispatchHelper::create(comphelper::getProcessComponentContext())
                ->executeDispatch(frame, ".uno:NormalViewMode", "", 0, {});
    } else if (kind == DocumentKind::PowerPoint) {
        hideEmptyPlaceholders(model);
    }
}

std::string fileUrl(const std::string &path)
{
    // Percent-encode everything but the unreserved characters and "/".
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~')
            out += char(c);
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::vector<Reference<css::frame::XModel>> loadedModels()
{
    std::vector<Reference<css::frame::XModel>> models;
    auto desktop = css::frame::Desktop::create(comphelper::getProcessComponentContext());
    auto all = desktop->getComponents()->createEnumeration();
    while (all->hasMoreElements()) {
        Reference<css::frame::XModel> model(all->nextElement(), UNO_QUERY);
        if (model.is())
            models.push_back(model);
    }
    return models;
}

// How a message names a document of LibreOfficeKit's document type `type`.
std::string typeText(int type)
{
    for (const DocumentKindFacts &facts : DocumentKinds())
        if (facts.libreOfficeType == type)
            return std::string(facts.libreOfficeTypeText);
    return type == LOK_DOCTYPE_DRAWING ? "a drawing" : "no known kind of document";
}

// LibreOffice checks a document's signatures as it loads it, and to do so
// asks GnuPG for its version and folders: five processes on every load. It
// finds GnuPG's programs through PATH, and a rendering never needs a
// signature, so the folders that hold them leave this process's PATH. Nothing
// else that a host runs is looked up there.
void hideGnuPG()
{
    const char *path = std::getenv("PATH");
    if (!path)
        return;
    std::string kept;
    std::string rest = path;
    for (size_t begin = 0; begin <= rest.size();) {
        size_t end = rest.find(':', begin);
        if (end == std::string::npos)
            end = rest.size();
        const std::string folder = rest.substr(begin, end - begin);
        if (!folder.empty() && ::access((folder + "/gpgconf").c_str(), X_OK) != 0)
            kept += (kept.empty() ? "" : ":") + folder;
        begin = end + 1;
    }
    ::setenv("PATH", kept.c_str(), 1);
}

} // namespace

std::string LibreOffice::programFolder()
{
    if (const char *dir = std::getenv("FOLIVEX_LIBREOFFICE"); dir && *dir)
        return dir;
    return "/usr/lib/libreoffice/program";
}

void LibreOffice::requireModule(DocumentKind kind)
{
    const DocumentKindFacts &facts = FactsOf(kind);
    const std::string library(facts.moduleLibrary);
    std::string folder = programFolder();
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::path(folder) / "libmergedlo.so", ec))
        throw Error("LibreOffice is not installed (no libmergedlo.so in " + folder + ")");
    if (!std::filesystem::exists(std::filesystem::path(folder) / library, ec))
        throw Error("LibreOffice " + std::string(facts.module) + " is not installed (no " + library + " in " + folder +
                    ")");
}

bool LibreOffice::linksBlocked()
{
    const char *setting = std::getenv("FOLIVEX_BLOCK_LINKS");
    return !(setting && std::strcmp(setting, "0") == 0);
}

namespace {

// With FOLIVEX_TEXT_HINTING=none, text is drawn from its glyphs' own
// outlines, as LibreOffice's PDF export has them, rather than hinted onto
// the pixel grid: pages drawn above 72 dpi are for zooming and paper. The
// system's font configuration is kept and only hinting is turned off, in a
// file of the profile's temporary folder that fontconfig reads at start.
void useUnhintedText(const std::string &folder)
{
    const char *setting = std::getenv("FOLIVEX_TEXT_HINTING");
    if (!setting || std::strcmp(setting, "none") != 0 || folder.empty())
        return;
    const char *current = std::getenv("FONTCONFIG_FILE");
    const std::string system = current && *current ? current : "/etc/fonts/fonts.conf";
    const std::string path = folder + "/fonts-unhinted.conf";
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "w"), &std::fclose);
    if (!file)
        throw Error("Cannot write " + path + ": " + std::strerror(errno));
    const std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                             "  <include ignore_missing=\"yes\">" +
                             system +
                             "</include>\n"
                             "  <match target=\"font\">\n"
                             "    <edit name=\"hinting\" mode=\"assign\"><bool>false</bool></edit>\n"
                             "    <edit name=\"hintstyle\" mode=\"assign\"><const>hintnone</const></edit>\n"
                             "  </match>\n</fontconfig>\n";
    if (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fclose(file.release()) != 0)
        throw Error("Cannot write " + path + ": " + std::strerror(errno));
    ::setenv("FONTCONFIG_FILE", path.c_str(), 1);
}

} // namespace

LibreOffice::LibreOffice(ProfileSlot profile, bool blockLinks) : profile_(std::move(profile))
{
    hideGnuPG();
    useUnhintedText(profile_.temporaryFolder());
    // GLib's settings and file services, which LibreOffice's libraries may
    // start, stay in this process: no dconf database in the user's cache
    // (a confined host cannot write there) and no virtual file system
    // service on the session bus (it cannot reach the bus).
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
    ::setenv("GIO_USE_VFS", "local", 1);
    // LibreOffice's temporary files go to the profile's own folder, which
    // the next host on this profile empties, rather than /tmp, where every
    // host left two folders of them.
    ::setenv("TMPDIR", profile_.temporaryFolder().c_str(), 1);
    // Calc's tile rendering moves each drawing object by as much as Calc's
    // whole pixels have moved the cell it is anchored to, so that objects
    // stay on their cells as Calc draws them (renderSheetRows then puts
    // both where the model has them). Calc's messages to a LibreOfficeKit
    // client, which this host does not take, come in twips with it.
    ::setenv("SAL_LOK_OPTIONS", "sc_print_twips_msgs", 1);
    std::string folder = programFolder();
    office_ = unoGuarded([&] { return lok::lok_cpp_init(folder.c_str(), profile_.url().c_str()); });
    if (!office_)
        throw Error("LibreOffice could not be started from " + folder);
    try {
        settleProfile(blockLinks);
    } catch (const css::uno::Exception &e) {
        throw Error("Cannot configure LibreOffice: " + fromOUString(e.Message));
    }
    // From here on this thread keeps LibreOffice's lock, so its main loop
    // never runs what it schedules for idle moments: an editor's background
    // work, such as Writer's idle layout and word count, which a rendering
    // never shows. Run, it held the lock for tenths of a second between two
    // calls and took a core from the rendering.
    Application::AcquireSolarMutex(1);
}

std::shared_ptr<EngineDocument> LibreOffice::load(const DocumentFile &file, DocumentKind kind)
{
    // What the checks below do not turn into a text of their own is
    // LibreOffice's.
    return unoGuarded([&] { return loadChecked(file, kind); });
}

std::shared_ptr<EngineDocument> LibreOffice::loadChecked(const DocumentFile &file, DocumentKind kind)
{
    const DocumentKindFacts &facts = FactsOf(kind);
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string shown = fs::absolute(file.path, ec).string();
    const fs::path copy = fs::absolute(file.copy, ec);
    if (!fs::is_regular_file(copy, ec))
        throw Error("Cannot open " + shown + ": there is no such file");
    // LibreOffice opens an empty file as a new, empty document.
    if (fs::file_size(copy, ec) == 0)
        throw Error("Cannot open " + shown + ": the file is empty");

    std::string url = fileUrl(copy.string());
    std::vector<Reference<css::frame::XModel>> before;
    try {
        before = loadedModels();
    } catch (const css::uno::Exception &e) {
        throw Error("Cannot open " + shown + ": " + fromOUString(e.Message));
    }
    // No password dialog can appear: the password feature stays off, so a
    // protected document fails to load.
    std::unique_ptr<lok::Document> document(office_->documentLoad(url.c_str(), "Batch=true"));
    if (!document)
        throw Error("Cannot open " + shown +
                    ": LibreOffice cannot load it (damaged, protected by a password, or not a document)");
    const int loadedType = document->getDocumentType();

    // The UNO model of what was just loaded is the one that was not there
    // before. Its URL cannot tell: a template (.dotx, .potx, .xltx) opens as
    // a new untitled document with no URL at all.
    Reference<css::frame::XModel> model;
    try {
        for (const Reference<css::frame::XModel> &candidate : loadedModels())
            if (std::find(before.begin(), before.end(), candidate) == before.end())
                model = candidate;
    } catch (const css::uno::Exception &e) {
        throw Error("Cannot open " + shown + ": " + fromOUString(e.Message));
    }
    if (!model.is())
        throw Error("Cannot open " + shown + ": LibreOffice lost the document it loaded");

    std::string filter;
    for (const css::beans::PropertyValue &arg : model->getArgs())
        if (arg.Name == "FilterName") {
            rtl::OUString name;
            arg.Value >>= name;
            filter = fromOUString(name);
        }
    // Anything unreadable loads as plain text; that is no document of ours.
    if (filter.rfind("Text", 0) == 0)
        throw Error("Cannot open " + shown + ": it is not a " + std::string(facts.application) +
                    " document (LibreOffice reads it as plain text)");
    if (loadedType != facts.libreOfficeType)
        throw Error("Cannot open " + shown + ": it is " + typeText(loadedType) + ", not " +
                    std::string(facts.libreOfficeTypeText));

    document->initializeForRendering("");
    try {
        showAsPrinted(model, kind);
        // Writer lays a document out while it draws it, so what one page
        // shows could depend on which pages were drawn before it. The whole
        // layout is done now, once: every page then draws the same, in any
        // order and in any process that loads the file.
        if (kind == DocumentKind::Word)
            Reference<css::util::XRefreshable>(model, UNO_QUERY_THROW)->refresh();
    } catch (const css::uno::Exception &e) {
        throw Error("Cannot open " + shown + ": " + fromOUString(e.Message));
    }
    // Whether a sheet is a chart sheet only the file can tell reliably; it
    // is read now, while the file this process loaded is surely there.
    FileChartSheets chartSheets;
    if (kind == DocumentKind::Excel) {
        if (std::optional<std::set<std::string>> declared = chartSheetsOfPackage(url))
            chartSheets = FileChartSheets{std::move(*declared), true};
        else if ((declared = chartSheetsOfBiff(url)))
            chartSheets = FileChartSheets{std::move(*declared), false};
    }
    return std::make_shared<OfficeDocument>(std::move(document), model, kind, shown, std::move(chartSheets));
}

} // namespace folivex::office
