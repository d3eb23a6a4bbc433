#include "batchconverter.h"

#include "convert/officereason.h"
#include "convert/outputname.h"
#include "core/documentkind.h"
#include "core/error.h"
#include "core/resolution.h"
#include "pdf/jpeg2pdf.h"
#include "platform/automation.h"

#include <filesystem>

namespace folivex::convert {

using automation::Variant;

namespace {

constexpr std::int32_t kMinimised = 2;

// Thrown into the capture when the batch is being aborted.
struct AbortSignal : std::exception {
    const char *what() const noexcept override { return "the conversion was ended"; }
};

// The application of one document. Whatever way the document ends, the
// reference is released with the hold, and releasing the last reference
// ends the host; quitAndRelease asks it to quit first, and a failing Quit
// still reaches the caller with the reference already let go.
class ApplicationHold {
public:
    explicit ApplicationHold(Variant app) : app_(std::move(app)) {}

    const Variant &get() const { return app_; }
    void quitAndRelease()
    {
        Variant app = std::move(app_);
        app_ = Variant::null();
        app.call("Quit");
    }

private:
    Variant app_;
};

} // namespace

// The pages of the document being converted, as the PDF writer pulls them.
class BatchConverter::DocumentPages : public pdf::PageSource {
public:
    DocumentPages(BatchConverter &converter, const Variant &app) : converter_(converter), app_(app) {}

    void CapturePage(std::int32_t pageIndex) override
    {
        if (converter_.aborting_)
            throw AbortSignal();
        converter_.pageCapture_.CapturePage(pageIndex, clipboard::ProcessClipboard(), app_, converter_.currentKind_);
    }
    void SavePageImage(ByteSink &stream) override { converter_.pageJpeg_.SaveToStream(stream); }
    std::function<std::vector<std::uint8_t>()> DetachPageImage() override { return converter_.pageJpeg_.DetachEncoding(); }
    std::int32_t PageResolution() override { return converter_.pageCapture_.Resolution(); }

private:
    BatchConverter &converter_;
    const Variant &app_;
};

BatchConverter::BatchConverter(ConversionView &view, ApplicationFactory createApplication)
    : view_(view), createApplication_(std::move(createApplication)), pageCapture_(view, pageJpeg_)
{
    if (!createApplication_) {
        createApplication_ = [](const std::string &progId) { return automation::CreateOleObject(progId); };
        prestarting_ = true;
    }
}

void BatchConverter::SpeedButton11Click()
{
    if (running_)
        return;
    running_ = true;
    aborting_ = false;
    failures_.clear();
    converted_.clear();
    struct Done {
        bool &running;
        ~Done()
        {
            running = false;
            automation::EndPrestartedHosts();
        }
    } done{running_};
    chooseTextHinting();
    try {
        runBatch();
    } catch (const std::exception &) {
        // Once the batch is being ended its hosts are gone, and a call that
        // nothing guards fails for that reason alone: no error to show.
        if (!aborting_)
            throw;
    }
}

ConvertOutcome BatchConverter::ConvertOne(const std::string &path, const std::string &nextPath,
                                          const std::string &pdfName)
{
    if (running_)
        return ConvertOutcome::OfficeFailed;
    running_ = true;
    aborting_ = false;
    failures_.clear();
    converted_.clear();
    lastPageCount_ = 0;
    const std::optional<DocumentKind> nextKind =
        nextPath.empty() ? std::nullopt : DocumentKindOf(LowerCaseExtension(nextPath));
    nextProgId_ = nextKind ? std::string(FactsOf(*nextKind).progId) : std::string();
    pdfName_ = pdfName;
    struct Done {
        bool &running;
        std::string &pdfName;
        ~Done()
        {
            running = false;
            pdfName.clear();
        }
    } done{running_, pdfName_};
    chooseTextHinting();
    const ConvertOutcome outcome = ConvertDocument(LowerCaseExtension(path), path);
    if (outcome != ConvertOutcome::OfficeFailed)
        emptyClipboard();
    return outcome;
}

void BatchConverter::chooseTextHinting()
{
    // Pages above 72 dpi are for zooming and paper: their text keeps its
    // glyphs' own shapes, as in LibreOffice's PDF. A resolution that is no
    // number leaves hinting on; its first page fails with the reason.
    try {
        automation::SetHostTextHinting(CheckedResolution(view_.ResolutionText()) == kLowestResolution);
    } catch (const Error &) {
        automation::SetHostTextHinting(true);
    }
}

void BatchConverter::runBatch()
{
    view_.RepaintWindow();
    view_.SetProgressVisible(true);
    view_.SetStatusText("Converting...");
    view_.RepaintStatus();

    // The rows as they stand now, in their displayed order; each row is read
    // again when its turn comes, so a tick changed meanwhile counts and a row
    // removed meanwhile is passed over.
    const std::vector<RowId> rows = view_.DocumentRows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        view_.PumpMessages();
        if (aborting_)
            return;
        const std::optional<DocumentRow> row = view_.FindDocumentRow(rows[i]);
        if (!row || !row->ticked)
            continue;
        // The next ticked row as the list stands now: its host can start
        // while this row converts.
        nextProgId_.clear();
        for (std::size_t j = i + 1; j < rows.size() && nextProgId_.empty(); ++j)
            if (const std::optional<DocumentRow> next = view_.FindDocumentRow(rows[j]); next && next->ticked)
                if (const std::optional<DocumentKind> kind = DocumentKindOf(LowerCaseExtension(next->path)))
                    nextProgId_ = FactsOf(*kind).progId;
        const ConvertOutcome outcome = ConvertDocument(LowerCaseExtension(row->path), row->path);
        if (aborting_)
            return;
        if (outcome == ConvertOutcome::OfficeFailed)
            return;
        emptyClipboard();
        if (outcome == ConvertOutcome::WriterFailed)
            break;
    }
    complete();
}

void BatchConverter::complete()
{
    view_.SetProgressVisible(false);
    const std::string folder = view_.OutputFolderText();
    if (failures_.empty()) {
        view_.SetStatusText("Successed!");
        view_.ShowMessage("Successed!", "Congratulation");
    } else {
        view_.SetStatusText("Finished with errors.");
        std::string text;
        for (const DocumentFailure &failure : failures_)
            text += (text.empty() ? "" : "\n") + std::string("No PDF was written for ") + failure.path + ": " +
                    failure.reason;
        view_.ShowMessage(text, "Error");
    }
    std::error_code ignored;
    if (failures_.empty() || std::filesystem::is_directory(folder, ignored))
        view_.OpenFolder(folder);
}

void BatchConverter::SpeedButton1Click()
{
    // The writer finds the request before its next page or object; a
    // document being opened is not waited for.
    pdf::StopRequested = true;
    view_.SetStatusText("");
    view_.SetProgressVisible(false);
    if (opening_)
        automation::EndHost(*opening_, "the conversion was stopped");
}

void BatchConverter::AbortBatch()
{
    if (!running_)
        return;
    aborting_ = true;
    pdf::StopRequested = true;
    // A call waiting on a host (a long Open among them) fails at once, and
    // the host started ahead for the next document goes too.
    if (prestarting_)
        automation::EndAllHosts("the conversion was ended");
}

void BatchConverter::emptyClipboard()
{
    clipboard::Clipboard &clipboard = clipboard::ProcessClipboard();
    clipboard.open();
    clipboard.empty();
    clipboard.close();
}

ConvertOutcome BatchConverter::ConvertDocument(const std::string &extension, const std::string &path)
{
    // A stop pressed before this document began was meant for another one.
    pdf::StopRequested = false;
    const std::optional<DocumentKind> known = DocumentKindOf(extension);
    if (!known) {
        // Nothing can convert it: no application is started.
        failures_.push_back({path, "it is not a Word, PowerPoint or Excel document."});
        return ConvertOutcome::Converted;
    }
    const DocumentKind kind = *known;
    const DocumentKindFacts &facts = FactsOf(kind);
    currentKind_ = KindCode(kind);

    // The box shows the fixed message with the host's reason beside it.
    auto showFailure = [&](const std::string &message, const std::exception &cause) {
        const std::string reason = OfficeReason(cause.what(), path);
        if (!aborting_)
            view_.ShowMessageWithReason(message, "Error", path, reason);
        return message + " (LibreOffice: " + reason + ")";
    };
    // The application could not be had, or could not open the document: the
    // batch ends here, without its completion.
    auto officeFailed = [&](const std::string &failure) {
        failures_.push_back({path, failure});
        view_.SetProgressVisible(false);
        view_.SetStatusText("");
        currentKind_ = 0;
        return ConvertOutcome::OfficeFailed;
    };

    Variant created;
    try {
        created = createApplication_(std::string(facts.progId));
    } catch (const std::exception &cause) {
        return officeFailed(showFailure(FailedToConnectText(kind), cause));
    }
    ApplicationHold app(std::move(created));

    app.get().put("Visible", true);
    app.get().put("WindowState", kMinimised);

    // Stopped before the document was opened, or while it opened: no
    // failure, the batch goes on.
    auto stopped = [&] {
        app.quitAndRelease();
        return ConvertOutcome::Converted;
    };
    if (pdf::StopRequested && !aborting_)
        return stopped();
    try {
        opening_ = &app.get();
        struct Opened {
            const Variant *&opening;
            ~Opened() { opening = nullptr; }
        } opened{opening_};
        app.get().read(std::string(facts.collection)).call("Open", {path});
        if (prestarting_ && !nextProgId_.empty() && !aborting_)
            automation::PrestartHost(nextProgId_);
    } catch (const std::exception &cause) {
        if (pdf::StopRequested && !aborting_)
            return stopped();
        const std::string failure = showFailure(std::string(facts.failedToOpenText), cause);
        app.quitAndRelease();
        return officeFailed(failure);
    }

    std::int32_t pageCount = 0;
    switch (kind) {
    case DocumentKind::Word:
        pageCount = app.get().read("Application").read("Selection").get("Information", {4}).toInt32();
        break;
    case DocumentKind::PowerPoint:
        pageCount = app.get().read("ActivePresentation").read("Slides").read("Count").toInt32();
        break;
    default: pageCount = app.get().read("Worksheets").read("Count").toInt32(); break;
    }
    lastPageCount_ = pageCount;

    const std::string name = OutputName(view_.OutputFolderText(), path);
    // Stopped while it opened: the label stays empty and the writer stops
    // before the first page.
    if (!pdf::StopRequested)
        view_.SetStatusText("Converting  " + name);

    ConvertOutcome outcome = ConvertOutcome::Converted;
    DocumentPages pages(*this, app.get());
    pdf::WriterHooks hooks;
    hooks.progress = [this](std::int32_t maximum, std::int32_t position) { ProgressCallback(maximum, position); };
    hooks.pumpMessages = [this] { view_.PumpMessages(); };
    std::string failure;
    try {
        const int result = pdf::WritePdf(pdfName_.empty() ? PdfName(name) : pdfName_, pageCount, pages, hooks, &failure);
        if (result == pdf::kWritten)
            converted_.push_back(path);
        else if (result == pdf::kFailed && !aborting_)
            failures_.push_back({path, failure});
        else if (result == pdf::kNothingWritten)
            failures_.push_back({path, "it has no pages."});
    } catch (const std::exception &error) {
        outcome = ConvertOutcome::WriterFailed;
        if (!aborting_)
            failures_.push_back({path, error.what()});
    }
    app.quitAndRelease();
    return outcome;
}

void BatchConverter::ProgressCallback(std::int32_t maximum, std::int32_t position)
{
    view_.PumpMessages();
    view_.SetProgress(maximum, position);
}

} // namespace folivex::convert
