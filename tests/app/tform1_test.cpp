// The main window on the offscreen platform: its start-up state, toolbar,
// context menu, Help and Home, and a real conversion started from Convert.
#include "app/statuslabel.h"
#include "app/tform1.h"
#include "platform/automation.h"
#include "tests/support/testsupport.h"
#include "doclist/dialogrunner.h"
#include "doclist/documentlist.h"
#include "settings/labelededit.h"
#include "settings/settingsdialog.h"
#include "ui/desktop.h"
#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <set>

#include <unistd.h>

using folivex::app::TForm1;
using folivex::settings::TForm2;

class TForm1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsEmptyWithTheBarHidden();
    void toolbarButtonsStandWhereTheyBelong();
    void statusLabelFollowsTheStripAndThePanel();
    void longStatusTextKeepsItsFileNameInSight();
    void contextMenuPerformsTheButtonsClicks();
    void addButtonsClearTheStatusLabel();
    void helpAndHome();
    void convertRunsARealConversion();
    void theBarRisesWhilePagesAreCaptured();
    void aSettingsDialogHeldOpenDuringACallKeepsTheHost();
    void closingDuringABatchAbandonsTheDocument();
    void anOpenFailureNamesItsDocument();
    void eachDocumentsResultReachesTheWindow();
    void keysOfADesktopProgram();
    void toolbarButtonsShowKeyboardFocus();
    void dropsAdmitOnlyOfficeDocumentsAndFolders();

private:
    QString fixture(const QString &name) const { return QStringLiteral(FOLIVEX_FIXTURE_DIR "/") + name; }
    QString addTempFile(const QString &name);

    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;
    std::unique_ptr<QTemporaryDir> dir;
    QStringList boxes;
    QList<QUrl> opened;
};

void TForm1Test::init()
{
    boxes.clear();
    opened.clear();
    folivex::ui::SetMessageBoxHandler(
        [this](const QString &text, const QString &caption) { boxes << caption + ": " + text; });
    folivex::ui::SetDesktopOpener([this](const QUrl &url) { opened << url; });
    form1 = std::make_unique<TForm1>();
    form2 = std::make_unique<TForm2>(form1.get());
    form1->SetSettingsDialog(form2.get());
    form1->show();
    dir = std::make_unique<QTemporaryDir>();
}

void TForm1Test::cleanup()
{
    form2.reset();
    form1.reset();
    folivex::ui::SetMessageBoxHandler({});
    folivex::ui::SetDesktopOpener({});
    folivex::doclist::SetDialogRunner({});
}

QString TForm1Test::addTempFile(const QString &name)
{
    const QString path = dir->filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("x");
    file.close();
    form1->ListView1->AddDocumentFile(path);
    return path;
}

void TForm1Test::startsEmptyWithTheBarHidden()
{
    QCOMPARE(form1->windowTitle(), QString("Folivex 2.6"));
    QCOMPARE(form1->size(), QSize(724, 534));
    QCOMPARE(form1->pos(), QPoint(305, 121));
    QVERIFY(!form1->ProgressBar1->isVisible());
    QCOMPARE(form1->Label1->text(), QString());
    QCOMPARE(form1->ListView1->RowCount(), 0);
    QCOMPARE(form1->CurrentKind(), 0);
    QCOMPARE(form2->SizePercentText(), QString("100"));
    QCOMPARE(form2->OutputFolderText(), QDir::homePath() + "/Output");
    QVERIFY(!form2->isVisible());
    QCOMPARE(form1->ProgressBar1->palette().color(QPalette::Highlight), QColor(0, 128, 0));
    QVERIFY(!form1->PanelImage->isVisible());
}

void TForm1Test::toolbarButtonsStandWhereTheyBelong()
{
    struct Expected {
        QToolButton *button;
        int left, width;
        const char *caption, *hint;
    };
    const Expected buttons[] = {
        {form1->SpeedButton3, 0, 49, "Add", "Add File"},
        {form1->SpeedButton4, 48, 49, "Adds", "Add Folder"},
        {form1->SpeedButton20, 96, 49, "Remove", "Remove Selected"},
        {form1->SpeedButton5, 144, 65, "Removes", "Remove All"},
        {form1->SpeedButton6, 208, 49, "Check", "Select All"},
        {form1->SpeedButton10, 264, 49, "Setting", "Setting"},
        {form1->SpeedButton11, 312, 57, "Convert", "Convert"},
        {form1->SpeedButton1, 368, 49, "Stop", "Stop conversion"},
        {form1->SpeedButton13, 424, 49, "Help", "Help"},
        {form1->SpeedButton14, 472, 49, "Home", "Homepage"},
    };
    for (const Expected &e : buttons) {
        QCOMPARE(e.button->geometry(), QRect(e.left, 8, e.width, 57));
        QCOMPARE(e.button->text(), QString(e.caption));
        QCOMPARE(e.button->toolTip(), QString(e.hint));
        QCOMPARE(e.button->iconSize(), QSize(32, 32));
        QCOMPARE(e.button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(e.button->font().family(), QString("Arial"));
        QCOMPARE(e.button->font().pixelSize(), 11);
        QVERIFY(e.button->isEnabled());
    }
    for (QToolButton *separator : {form1->SpeedButton18, form1->SpeedButton17}) {
        QVERIFY(!separator->isEnabled());
        QCOMPARE(separator->size(), QSize(1, 35));
        QCOMPARE(separator->y(), 16);
    }
    QCOMPARE(form1->SpeedButton18->x(), 260);
    QCOMPARE(form1->SpeedButton17->x(), 420);
}

void TForm1Test::statusLabelFollowsTheStripAndThePanel()
{
    auto placedRight = [this] {
        return form1->Label1->pos() ==
               QPoint(form1->Image2->x() + form1->Panel1->width() / 2 - 10, form1->Image2->y() + 6);
    };
    QVERIFY(placedRight());
    QCOMPARE(form1->Image2->geometry(), QRect(0, 504, 724, 30));
    QCOMPARE(form1->Panel1->width(), 716);
    form1->SetStatusText("Converting...");
    QVERIFY(placedRight());
    form1->resize(900, 600);
    QVERIFY(placedRight());
    QCOMPARE(form1->Label1->pos(), QPoint(0 + 892 / 2 - 10, 576));
    const QFont font = form1->Label1->font();
    QVERIFY(font.bold());
    QCOMPARE(font.pixelSize(), 13);
}

void TForm1Test::longStatusTextKeepsItsFileNameInSight()
{
    folivex::app::StatusLabel *label = form1->Label1;
    const QString text = "Converting  " + QDir::homePath() +
                         "/Output/Quarterly reports/Northern region/2024/Drafts for review/Summary of the year.pdf";
    form1->SetStatusText(text.toStdString());
    QCOMPARE(label->text(), text);
    QCOMPARE(label->toolTip(), text);
    // Same place and font as a short text; the label ends at the strip's edge.
    QCOMPARE(label->pos(), QPoint(form1->Panel1->width() / 2 - 10, form1->Image2->y() + 6));
    QCOMPARE(label->font().pixelSize(), 13);
    QVERIFY(label->font().bold());
    QCOMPARE(label->geometry().right(), form1->Image2->geometry().right() - 4);

    // Drawn with its middle left out, the file name whole at its end.
    const QString shown = label->ShownText();
    QVERIFY2(shown.startsWith("Converting  /") && shown.endsWith("/Summary of the year.pdf") &&
                 shown.contains(QChar(0x2026)),
             qPrintable(shown));
    QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());

    // The painted text stays on the strip: yellow right up to near the
    // label's end, nothing of it past the strip's edge.
    const QImage shot = form1->grab().toImage();
    const QRect strip = form1->Image2->geometry();
    auto yellowIn = [&](int fromX, int toX) {
        int count = 0;
        for (int y = strip.top(); y <= strip.bottom(); ++y)
            for (int x = fromX; x <= toX; ++x) {
                const QColor pixel = shot.pixelColor(x, y);
                count += pixel.red() > 200 && pixel.green() > 200 && pixel.blue() < 90;
            }
        return count;
    };
    QVERIFY(yellowIn(label->geometry().right() - 40, label->geometry().right()) > 0);
    QCOMPARE(yellowIn(label->geometry().right() + 1, strip.right()), 0);

    // A file name too long for the strip on its own loses its middle too.
    const QString longName = "Converting  /tmp/" + QString("Minutes of the meeting ").repeated(4) + "final.pdf";
    form1->SetStatusText(longName.toStdString());
    QCOMPARE(label->text(), longName);
    QVERIFY(label->ShownText().endsWith("final.pdf"));
    QVERIFY2(label->ShownText().startsWith("Converting  /"), qPrintable(label->ShownText()));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->ShownText()) <= label->contentsRect().width());

    // A text that fits is drawn as it is; clearing empties the tool tip too.
    form1->SetStatusText("Successed!");
    QCOMPARE(label->ShownText(), QString("Successed!"));
    QCOMPARE(label->toolTip(), QString("Successed!"));
    form1->SetStatusText({});
    QCOMPARE(label->text(), QString());
    QCOMPARE(label->toolTip(), QString());
}

void TForm1Test::contextMenuPerformsTheButtonsClicks()
{
    for (const char *name : {"a.doc", "b.doc", "c.doc"})
        addTempFile(name);
    QCOMPARE(form1->PopupMenu1->actions().size(), 3);
    QCOMPARE(form1->CheckAll1->text(), QString("Check All"));
    form1->CheckAll1->trigger();
    for (int row = 0; row < 3; ++row)
        QVERIFY2(!form1->ListView1->RowTicked(row), "an all-ticked list ends with none ticked");
    form1->CheckAll1->trigger();
    QVERIFY(form1->ListView1->RowTicked(1));

    form1->ListView1->topLevelItem(1)->setSelected(true);
    form1->Remove1->trigger();
    QCOMPARE(form1->ListView1->RowCount(), 2);
    QCOMPARE(form1->ListView1->Row(1).name, QString("c.doc"));
    form1->RemoveAll1->trigger();
    QCOMPARE(form1->ListView1->RowCount(), 0);
}

void TForm1Test::addButtonsClearTheStatusLabel()
{
    const QString chosen = dir->filePath("chosen.docx");
    QFile file(chosen);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    folivex::doclist::SetDialogRunner([&](QFileDialog &) { return QStringList{chosen}; });
    form1->SetStatusText("Successed!");
    QTest::mouseClick(form1->SpeedButton3, Qt::LeftButton);
    QCOMPARE(form1->Label1->text(), QString());
    QCOMPARE(form1->ListView1->RowCount(), 1);
    form1->SetStatusText("Successed!");
    folivex::doclist::SetDialogRunner([&](QFileDialog &) { return QStringList{}; });
    QTest::mouseClick(form1->SpeedButton4, Qt::LeftButton);
    QCOMPARE(form1->Label1->text(), QString()); // cleared even when the picker is cancelled
}

void TForm1Test::helpAndHome()
{
    // The test program's folder has no help page: nothing is opened or reported.
    const QString besideUs = QCoreApplication::applicationDirPath() + "/quillmark.html";
    QFile::remove(besideUs);
    QTest::mouseClick(form1->SpeedButton13, Qt::LeftButton);
    QVERIFY(boxes.isEmpty());
    QVERIFY(opened.isEmpty());

    QVERIFY(QFile::copy(QStringLiteral(FOLIVEX_HELP_PAGE), besideUs));
    opened.clear();
    QTest::mouseClick(form1->SpeedButton13, Qt::LeftButton);
    QFile::remove(besideUs);
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(besideUs)});

    opened.clear();
    QTest::mouseClick(form1->SpeedButton14, Qt::LeftButton);
    QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral(FOLIVEX_HOME_URL))});
    QVERIFY(boxes.isEmpty());
}

void TForm1Test::convertRunsARealConversion()
{
    form1->ListView1->AddDocumentFile(fixture("letter3.docx"));
    form1->ListView1->AddDocumentFile(fixture("classic4x3.pptx"));
    form1->ListView1->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    form2->LabeledEdit2->setText(dir->path());
    QSet<QString> labels;
    bool barSeen = false;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        labels << form1->Label1->text();
        barSeen = barSeen || form1->ProgressBar1->isVisible();
    });
    sampler.start(5);
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    sampler.stop();
    QVERIFY(barSeen);
    QVERIFY2(labels.contains("Converting  " + dir->path() + "/letter3.docx"),
             qPrintable(QStringList(labels.values()).join("|")));
    QCOMPARE(boxes, QStringList{"Congratulation: Successed!"});
    QCOMPARE(form1->Label1->text(), QString("Successed!"));
    QVERIFY(!form1->ProgressBar1->isVisible());
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir->path())});
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"letter3.pdf"});
    QCOMPARE(form1->CurrentKind(), 1);
}

// The bar follows the pages being captured, the long part of the work:
// its value rises through the document while the label names it.
void TForm1Test::theBarRisesWhilePagesAreCaptured()
{
    form1->ListView1->AddDocumentFile(fixture("big100.docx"));
    form2->LabeledEdit2->setText(dir->path());
    QList<int> values;
    QTimer sampler;
    connect(&sampler, &QTimer::timeout, this, [&] {
        if (form1->ProgressBar1->isVisible() && form1->ProgressBar1->maximum() == 100 &&
            form1->Label1->text().startsWith("Converting  "))
            values << form1->ProgressBar1->value();
    });
    sampler.start(2);
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    sampler.stop();
    QCOMPARE(boxes, QStringList{"Congratulation: Successed!"});
    const QSet<int> distinct(values.begin(), values.end());
    QVERIFY2(distinct.size() >= 3, qPrintable(QString::number(distinct.size()) + " values seen"));
    QVERIFY(std::is_sorted(values.begin(), values.end()));
    QVERIFY(values.last() > values.first());
}

// The Settings dialog opened while a call waits for its host holds the batch
// for longer than the host's time limit; closed again, the document is
// converted, its host not taken for one that stopped answering.
void TForm1Test::aSettingsDialogHeldOpenDuringACallKeepsTheHost()
{
    using namespace std::chrono;
    form1->ListView1->AddDocumentFile(fixture("big100.docx"));
    form2->LabeledEdit2->setText(dir->path());
    folivex::automation::SetCallTimeLimits(seconds(3), seconds(3));
    bool held = false;
    steady_clock::time_point opened{}, closed{};
    // The pump runs while a call waits for the host (its start, the Open of
    // the document): the user presses Setting then.
    folivex::automation::SetMessagePump([&] {
        if (!held && form1->ProgressBar1->isVisible()) {
            held = true;
            // The user comes back after twice the time limit and presses OK.
            QTimer::singleShot(7000, form2.get(), [&] {
                closed = steady_clock::now();
                form2->Button1->click();
            });
            opened = steady_clock::now();
            form1->SpeedButton10->click();
        }
        QCoreApplication::processEvents();
    });
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    folivex::automation::SetCallTimeLimits(seconds(30), seconds(300));
    QVERIFY(held);
    QVERIFY(closed - opened >= seconds(6));
    QCOMPARE(boxes, QStringList{"Congratulation: Successed!"});
    QCOMPARE(folivex::test::ListImages((dir->path() + "/big100.pdf").toStdString()).size(), 100u);
}

// Closed in the middle of a long document, the window ends the conversion:
// no PDF of it, the older one kept, no host left and none started for the
// next row, no box.
void TForm1Test::closingDuringABatchAbandonsTheDocument()
{
    form1->ListView1->AddDocumentFile(fixture("long1000.docx"));
    form1->ListView1->AddDocumentFile(fixture("letter3.docx"));
    form2->LabeledEdit2->setText(dir->path());
    QFile older(dir->filePath("long1000.pdf"));
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write("older");
    older.close();
    // The hosts seen while the batch runs, before and after the close.
    std::set<int> before, after;
    bool closed = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        for (int pid : folivex::test::ChildProcesses(::getpid()))
            (closed ? after : before).insert(pid);
        if (!closed && form1->ProgressBar1->value() > 0) {
            closed = true;
            form1->close();
        }
    });
    closer.start(5);
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    QVERIFY(closed);
    QVERIFY(!form1->isVisible());
    QVERIFY2(std::includes(before.begin(), before.end(), after.begin(), after.end()), "no host starts after the close");
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('|')));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"long1000.pdf"});
    QCOMPARE(folivex::test::ReadFile(dir->filePath("long1000.pdf").toStdString()), std::string("older"));
    QCOMPARE(folivex::test::ChildProcesses(::getpid()), std::vector<int>{});
}

// The box keeps its fixed text; its informative line names the document,
// then what LibreOffice said.
void TForm1Test::anOpenFailureNamesItsDocument()
{
    form1->ListView1->AddDocumentFile(fixture("sheet-named.docx"));
    form2->LabeledEdit2->setText(dir->path());
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    QCOMPARE(boxes,
             QStringList{"Error: Failed to open the word document. If the Word version is below 2007, please "
                         "update it.\nsheet-named.docx (LibreOffice: it is a spreadsheet, not a text document)"});
    QCOMPARE(form1->Label1->text(), QString());
}

// One batch with a document stopped, one converted and one that LibreOffice
// cannot open (which ends the batch): the window keeps each document's
// result while showing what it always showed.
void TForm1Test::eachDocumentsResultReachesTheWindow()
{
    using folivex::convert::DocumentStatus;
    form1->ListView1->AddDocumentFile(fixture("big100.docx"));
    form1->ListView1->AddDocumentFile(fixture("letter3.docx"));
    form1->ListView1->AddDocumentFile(fixture("sheet-named.docx"));
    form2->LabeledEdit2->setText(dir->path());
    bool stopped = false;
    QTimer stopper;
    connect(&stopper, &QTimer::timeout, this, [&] {
        if (!stopped && form1->ProgressBar1->value() > 0 && form1->Label1->text().endsWith("big100.docx")) {
            stopped = true;
            QTest::mouseClick(form1->SpeedButton1, Qt::LeftButton);
        }
    });
    stopper.start(5);
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    stopper.stop();
    QVERIFY(stopped);
    QCOMPARE(boxes,
             QStringList{"Error: Failed to open the word document. If the Word version is below 2007, please "
                         "update it.\nsheet-named.docx (LibreOffice: it is a spreadsheet, not a text document)"});
    QCOMPARE(form1->Label1->text(), QString());
    QVERIFY(opened.isEmpty());

    const std::vector<folivex::convert::DocumentResult> &results = form1->LastBatchResults();
    QCOMPARE(results.size(), std::size_t(3));
    QCOMPARE(results[0].input, fixture("big100.docx").toStdString());
    QVERIFY(results[0].status == DocumentStatus::Stopped);
    QCOMPARE(results[0].reason, std::string("the conversion was stopped"));
    QCOMPARE(results[0].output, std::string());
    QVERIFY(results[1].status == DocumentStatus::Converted);
    const std::string pdf = (dir->path() + "/letter3.pdf").toStdString();
    QCOMPARE(results[1].output, pdf);
    QCOMPARE(results[1].pages, 3);
    QCOMPARE(results[1].bytes, std::uint64_t(QFileInfo(QString::fromStdString(pdf)).size()));
    QVERIFY(results[2].status == DocumentStatus::Failed);
    QCOMPARE(results[2].reason, std::string("Failed to open the word document. If the Word version is below 2007, "
                                            "please update it. (LibreOffice: it is a spreadsheet, not a text "
                                            "document)"));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"letter3.pdf"});
}

// Delete removes the selected rows as Remove does, Ctrl+O adds files, F1
// opens the help.
void TForm1Test::keysOfADesktopProgram()
{
    form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1.get()));
    for (const char *name : {"a.doc", "b.doc", "c.doc"})
        addTempFile(name);
    form1->ListView1->setFocus();
    form1->ListView1->topLevelItem(0)->setSelected(true);
    form1->ListView1->topLevelItem(2)->setSelected(true);
    QTest::keyClick(form1->ListView1, Qt::Key_Delete);
    QCOMPARE(form1->ListView1->RowCount(), 1);
    QCOMPARE(form1->ListView1->Row(0).name, QString("b.doc"));

    const QString chosen = addTempFile("d.docx");
    form1->ListView1->RemoveAll();
    folivex::doclist::SetDialogRunner([&](QFileDialog &) { return QStringList{chosen}; });
    QTest::keyClick(form1.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(form1->ListView1->RowCount(), 1);
    QCOMPARE(form1->ListView1->Row(0).name, QString("d.docx"));

    const QString besideUs = QCoreApplication::applicationDirPath() + "/quillmark.html";
    QFile::remove(besideUs);
    QVERIFY(QFile::copy(QStringLiteral(FOLIVEX_HELP_PAGE), besideUs));
    QTest::keyClick(form1.get(), Qt::Key_F1);
    QFile::remove(besideUs);
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(besideUs)});
}

void TForm1Test::toolbarButtonsShowKeyboardFocus()
{
    form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form1.get()));
    QToolButton *button = form1->SpeedButton11;
    form1->ListView1->setFocus(Qt::TabFocusReason);
    const QImage before = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    QVERIFY(button->hasFocus());
    const QImage focused = button->grab().toImage();
    QVERIFY2(focused != before, "the focused button looks the same as before");
}

// Files of other kinds dropped on the list are refused and named; Office
// documents are added, and a folder adds its Office documents.
void TForm1Test::dropsAdmitOnlyOfficeDocumentsAndFolders()
{
    const QString notes = dir->filePath("notes.txt");
    const QString report = dir->filePath("report.docx");
    QDir(dir->path()).mkdir("inner");
    const QString inner = dir->filePath("inner");
    for (const QString &path : {notes, report, inner + "/slides.pptx", inner + "/readme.md"}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(notes), QUrl::fromLocalFile(report), QUrl::fromLocalFile(inner)});
    QWidget *target = form1->ListView1->viewport();
    const QPoint at(20, 20);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QStringList names;
    for (int row = 0; row < form1->ListView1->RowCount(); ++row)
        names << form1->ListView1->Row(row).name;
    QCOMPARE(names, (QStringList{"report.docx", "slides.pptx"}));
    QTRY_COMPARE(boxes, QStringList{"Warning: Only Word, PowerPoint and Excel documents can be added; not added: "
                                    "notes.txt."});
}

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
