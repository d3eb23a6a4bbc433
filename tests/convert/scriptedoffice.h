// Scripted Office application objects and a recording view, for the
// conversion's unit tests: failures a real LibreOffice cannot be made to
// produce on demand (a count that fails, a copy that fails on page 3, an
// application that cannot start for one document of five).
#pragma once

#include "convert/conversionview.h"
#include "platform/clipboard.h"
#include "platform/dispatch.h"
#include "platform/variant.h"

#include <QColor>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace folivex::test {

using automation::Variant;

// An object whose members are functions; every call is logged by the office.
class ScriptedObject : public automation::Dispatch, public std::enable_shared_from_this<ScriptedObject> {
public:
    using Member = std::function<Variant(unsigned flags, const std::vector<Variant> &args)>;

    ScriptedObject(std::string name, std::vector<std::string> *log) : name_(std::move(name)), log_(log) {}
    ~ScriptedObject() override
    {
        if (onDestroy)
            onDestroy();
    }
    std::function<void()> onDestroy;

    // Adds a member; names resolve without regard to case.
    ScriptedObject &on(const std::string &member, Member body);
    ScriptedObject &value(const std::string &member, Variant result);

    std::int32_t GetIDsOfNames(std::string_view name) override;
    Variant Invoke(std::int32_t dispid, unsigned flags, const std::vector<Variant> &args) override;

private:
    std::string name_;
    std::vector<std::string> *log_;
    std::vector<std::pair<std::string, Member>> members_;
};

std::shared_ptr<ScriptedObject> MakeObject(const std::string &name, std::vector<std::string> *log);

// A picture that fills its rectangle with one colour and counts its plays.
class SolidPicture : public clipboard::Picture {
public:
    explicit SolidPicture(QColor colour) : colour_(colour) {}
    void play(QImage &target, const QRect &rect) const override;
    mutable int plays = 0;
    mutable QRect lastRect;

private:
    QColor colour_;
};

// The page geometry an application reports, in points.
struct PageGeometry {
    double width = 612, height = 792;
    double left = 72, right = 72, top = 72, bottom = 72;
};

// One scripted application of a kind (1 Word, 2 PowerPoint, 3 Excel) with a
// document of `pages` pages. `copyFails(n)` makes the copy of page n fail;
// copies put a SolidPicture under format 14 (or `copyFormat`).
struct ScriptedOffice {
    int kind = 1;
    int pages = 3;
    PageGeometry geometry;
    QColor ink = Qt::black;
    std::uint32_t copyFormat = clipboard::EnhancedMetafile;
    std::function<bool(int n)> copyFails = [](int) { return false; };
    bool copyWithoutData = false; // the copy lists its format with no picture behind it
    bool openFails = false;
    std::function<void()> onOpen; // runs inside Open, as an event handler would while a real one waits
    bool countFails = false;      // the batch's count call
    bool visibleFails = false;
    bool quitFails = false;
    std::vector<std::string> log; // "Object.Member(args)" for every call
    int quits = 0;
    int selectedPage = 0; // Word: the page the selection covers

    // The application object; `released` turns true when the last reference goes.
    Variant application();
    std::shared_ptr<bool> released = std::make_shared<bool>(false);
};

// A view that records everything the batch shows.
class RecordingView : public convert::ConversionView {
public:
    void SetStatusText(const std::string &text) override { statusTexts.push_back(status = text); }
    void RepaintStatus() override {}
    void RepaintWindow() override {}
    void SetProgressVisible(bool visible) override { progressVisible = visible; }
    void SetProgress(std::int32_t maximum, std::int32_t position) override { progress.emplace_back(maximum, position); }
    void ShowMessage(const std::string &text, const std::string &caption) override
    {
        messages.push_back(caption + ": " + text);
    }
    void ShowMessageWithReason(const std::string &text, const std::string &caption, const std::string &document,
                               const std::string &reason) override
    {
        ShowMessage(text, caption);
        documents.push_back(document);
        reasons.push_back(reason);
    }
    void DocumentStarted(const convert::DocumentStart &start) override { started.push_back(start); }
    void DocumentFinished(const convert::DocumentResult &result) override { finished.push_back(result); }
    void BatchFinished(const std::vector<convert::DocumentResult> &results) override { batches.push_back(results); }
    void OpenFolder(const std::string &folder) override { openedFolders.push_back(folder); }
    void PumpMessages() override
    {
        ++pumps;
        if (onPump)
            onPump();
    }
    std::vector<convert::RowId> DocumentRows() override;
    std::optional<convert::DocumentRow> FindDocumentRow(convert::RowId row) override;
    std::string SizePercentText() override { return sizePercent; }
    std::string OutputFolderText() override { return outputFolder; }
    std::string ResolutionText() override { return resolution; }

    // Rows in displayed order; a removed row is erased from here.
    void addRow(const std::string &path, bool ticked = true);
    std::vector<std::pair<convert::RowId, convert::DocumentRow>> rows;

    std::string status;
    std::vector<std::string> statusTexts;
    bool progressVisible = false;
    std::vector<std::pair<int, int>> progress;
    std::vector<std::string> messages;
    std::vector<std::string> reasons;   // what LibreOffice said, for each message that carried it
    std::vector<std::string> documents; // and the document it was said of
    std::vector<std::string> openedFolders;
    std::vector<convert::DocumentStart> started;
    std::vector<convert::DocumentResult> finished;
    std::vector<std::vector<convert::DocumentResult>> batches;
    // The documents finished with `status`.
    std::size_t finishedAs(convert::DocumentStatus status) const
    {
        return std::size_t(std::count_if(finished.begin(), finished.end(),
                                         [status](const convert::DocumentResult &r) { return r.status == status; }));
    }
    std::string sizePercent = "100";
    std::string resolution = "72";
    std::string outputFolder;
    int pumps = 0;
    std::function<void()> onPump;

private:
    convert::RowId nextId_ = 1;
};

} // namespace folivex::test
