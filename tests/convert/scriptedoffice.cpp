#include "scriptedoffice.h"

#include "core/asciitext.h"
#include "core/error.h"

#include <QPainter>

#include <algorithm>

namespace folivex::test {

namespace {

std::string describe(const std::vector<Variant> &args)
{
    std::string out;
    for (const Variant &arg : args) {
        if (!out.empty())
            out += ",";
        out += arg.type() == Variant::Type::Object ? "object" : arg.toString();
    }
    return out;
}

// Puts the page picture on the clipboard as a host's copy call does.
void putPicture(const ScriptedOffice &office)
{
    clipboard::Clipboard &clipboard = clipboard::ProcessClipboard();
    if (office.copyFormat == clipboard::Bitmap || office.copyFormat == clipboard::Dib) {
        QImage bitmap(8, 8, QImage::Format_RGB888);
        bitmap.fill(office.ink);
        clipboard.open();
        clipboard.empty();
        clipboard.setBitmap(office.copyFormat, bitmap);
        clipboard.close();
        return;
    }
    std::shared_ptr<const clipboard::Picture> picture;
    if (!office.copyWithoutData)
        picture = std::make_shared<SolidPicture>(office.ink);
    clipboard.replaceFromHost({{office.copyFormat, picture}});
}

Variant object(const std::shared_ptr<ScriptedObject> &o)
{
    return Variant(automation::DispatchRef(o));
}

} // namespace

ScriptedObject &ScriptedObject::on(const std::string &member, Member body)
{
    members_.emplace_back(AsciiLower(member), std::move(body));
    return *this;
}

ScriptedObject &ScriptedObject::value(const std::string &member, Variant result)
{
    return on(member, [result](unsigned, const std::vector<Variant> &) { return result; });
}

std::int32_t ScriptedObject::GetIDsOfNames(std::string_view name)
{
    const std::string key = AsciiLower(name);
    for (std::size_t i = 0; i < members_.size(); ++i)
        if (members_[i].first == key)
            return static_cast<std::int32_t>(i);
    throw Error("Unknown name: " + std::string(name));
}

Variant ScriptedObject::Invoke(std::int32_t dispid, unsigned flags, const std::vector<Variant> &args)
{
    const auto &[member, body] = members_.at(static_cast<std::size_t>(dispid));
    if (log_)
        log_->push_back(name_ + "." + member + "(" + describe(args) + ")");
    return body(flags, args);
}

std::shared_ptr<ScriptedObject> MakeObject(const std::string &name, std::vector<std::string> *log)
{
    return std::make_shared<ScriptedObject>(name, log);
}

void SolidPicture::play(QImage &target, const QRect &rect) const
{
    ++plays;
    lastRect = rect;
    QPainter painter(&target);
    painter.fillRect(rect, colour_);
}

Variant ScriptedOffice::application()
{
    auto *log = &this->log;
    auto app = MakeObject("App", log);
    std::weak_ptr<ScriptedObject> self = app;
    app->onDestroy = [flag = released] { *flag = true; };
    app->on("Visible", [this](unsigned, const auto &) -> Variant {
        if (visibleFails)
            throw Error("The application refused to show itself");
        return {};
    });
    app->value("WindowState", {});
    app->on("Quit", [this](unsigned, const auto &) -> Variant {
        ++quits;
        if (quitFails)
            throw Error("The application did not quit");
        return {};
    });
    auto opener = MakeObject("Documents", log);
    opener->on("Open", [this](unsigned, const auto &) -> Variant {
        if (onOpen)
            onOpen();
        if (openFails)
            throw Error("The document cannot be opened");
        return {};
    });

    auto pageSetup = MakeObject("PageSetup", log);
    pageSetup->value("LeftMargin", geometry.left)
        .value("RightMargin", geometry.right)
        .value("TopMargin", geometry.top)
        .value("BottomMargin", geometry.bottom)
        .value("PageWidth", geometry.width)
        .value("PageHeight", geometry.height)
        .value("SlideWidth", geometry.width)
        .value("SlideHeight", geometry.height);

    auto count = [this](unsigned, const auto &) -> Variant {
        if (countFails)
            throw Error("The count is not available");
        return pages;
    };

    if (kind == 1) {
        app->value("Documents", object(opener));
        app->on("Application",
                [self](unsigned, const auto &) { return Variant(automation::DispatchRef(self.lock())); });
        auto range = MakeObject("Range", log);
        range->on("CopyAsPicture", [this](unsigned, const auto &) -> Variant {
            if (copyFails(selectedPage))
                throw Error("Nothing to copy");
            putPicture(*this);
            return {};
        });
        auto selection = MakeObject("Selection", log);
        selection->on("Information", count).value("Range", object(range));
        app->value("Selection", object(selection));

        auto document = MakeObject("Document", log);
        document->value("Activate", {}).value("PageSetup", object(pageSetup));
        // Positions count in pages: page n starts at n, the document ends at pages + 1.
        auto position = [log](int start) {
            auto p = MakeObject("Position", log);
            auto startValue = std::make_shared<Variant>(start);
            p->on("Start", [startValue](unsigned flags, const std::vector<Variant> &args) {
                if (flags & automation::PropertyPut)
                    *startValue = args.at(0);
                return *startValue;
            });
            return p;
        };
        document->on("goto", [this, position](unsigned, const std::vector<Variant> &args) {
            const int n = args.at(2).toInt32();
            auto start = position(n);
            start->on("GoToNext",
                      [this, n, position](unsigned, const auto &) { return object(position(std::min(n + 1, pages))); });
            return object(start);
        });
        document->on("Range", [this, log](unsigned, const std::vector<Variant> &args) {
            auto r = MakeObject("DocumentRange", log);
            if (args.empty()) {
                r->value("End", pages + 1);
            } else {
                const int from = args.at(0).toInt32();
                r->on("Select", [this, from](unsigned, const auto &) -> Variant {
                    selectedPage = from;
                    return {};
                });
            }
            return object(r);
        });
        app->value("ActiveDocument", object(document));
    } else if (kind == 2) {
        app->value("Presentations", object(opener));
        auto slides = MakeObject("Slides", log);
        slides->on("Count", count);
        slides->on("Range", [this, log](unsigned, const std::vector<Variant> &args) {
            const int n = args.at(0).toInt32();
            auto slide = MakeObject("SlideRange", log);
            slide->on("select", [this, n](unsigned, const auto &) -> Variant {
                selectedPage = n;
                return {};
            });
            slide->on("copy", [this, n](unsigned, const auto &) -> Variant {
                if (copyFails(n))
                    throw Error("Nothing to copy");
                putPicture(*this);
                return {};
            });
            return object(slide);
        });
        auto presentation = MakeObject("Presentation", log);
        presentation->value("Slides", object(slides)).value("PageSetup", object(pageSetup));
        app->value("ActivePresentation", object(presentation));
    } else {
        app->value("WorkBooks", object(opener));
        auto sheets = MakeObject("Worksheets", log);
        sheets->on("Count", count);
        // Worksheets is the collection; Worksheets(n) one sheet of it.
        app->on("Worksheets", [this, log, sheets](unsigned, const std::vector<Variant> &args) {
            if (args.empty())
                return object(sheets);
            const int n = args.at(0).toInt32();
            auto sheet = MakeObject("Sheet", log);
            sheet->on("Activate", [this, n](unsigned, const auto &) -> Variant {
                selectedPage = n;
                return {};
            });
            return object(sheet);
        });
        auto usedRange = MakeObject("UsedRange", log);
        usedRange->value("Select", {}).value("Width", geometry.width).value("Height", geometry.height);
        auto activeSheet = MakeObject("ActiveSheet", log);
        activeSheet->value("UsedRange", object(usedRange)).value("PageSetup", object(pageSetup));
        app->value("ActiveSheet", object(activeSheet));
        auto selection = MakeObject("Selection", log);
        selection->on("Copy", [this](unsigned, const auto &) -> Variant {
            if (copyFails(selectedPage))
                throw Error("Nothing to copy");
            putPicture(*this);
            return {};
        });
        app->value("Selection", object(selection));
    }
    return object(app);
}

std::vector<convert::RowId> RecordingView::DocumentRows()
{
    std::vector<convert::RowId> ids;
    for (const auto &[id, row] : rows)
        ids.push_back(id);
    return ids;
}

std::optional<convert::DocumentRow> RecordingView::FindDocumentRow(convert::RowId id)
{
    for (const auto &[rowId, row] : rows)
        if (rowId == id)
            return row;
    return std::nullopt;
}

void RecordingView::addRow(const std::string &path, bool ticked)
{
    rows.emplace_back(nextId_++, convert::DocumentRow{ticked, path});
}

} // namespace folivex::test
