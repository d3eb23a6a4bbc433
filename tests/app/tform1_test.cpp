// The main window on the offscreen platform: its start-up state, toolbar,
// context menu, Help and Home, and a real conversion started from Convert.
#include "app/statuslabel.h"
#include "app/tform1.h"
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
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <memory>

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
    void closingDuringABatchAbandonsTheDocument();

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
    folivex::ui::SetMessageBoxHandler([this](const QString &text, const QString &caption) {
        boxes << caption + ": " + text;
    });
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
        {form1->SpeedButton3, 0, 49, "Add", "Add File"},        {form1->SpeedButton4, 48, 49, "Adds", "Add Folder"},
        {form1->SpeedButton20, 96, 49, "Remove", "Remove Selected"}, {form1->SpeedButton5, 144, 65, "Removes", "Remove All"},
        {form1->SpeedButton6, 208, 49, "Check", "Select All"},  {form1->SpeedButton10, 264, 49, "Setting", "Setting"},
        {form1->SpeedButton11, 312, 57, "Convert", "Convert"},  {form1->SpeedButton1, 368, 49, "Stop", "Stop conversion"},
        {form1->SpeedButton13, 424, 49, "Help", "Help"},        {form1->SpeedButton14, 472, 49, "Home", "Homepage"},
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
    QVERIFY2(shown.startsWith("Converting") && shown.endsWith("/Summary of the year.pdf") &&
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
    QVERIFY2(labels.contains("Converting  " + dir->path() + "/letter3.docx"), qPrintable(QStringList(labels.values()).join("|")));
    QCOMPARE(boxes, QStringList{"Congratulation: Successed!"});
    QCOMPARE(form1->Label1->text(), QString("Successed!"));
    QVERIFY(!form1->ProgressBar1->isVisible());
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(dir->path())});
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"letter3.pdf"});
    QCOMPARE(form1->CurrentKind(), 1);
}

void TForm1Test::closingDuringABatchAbandonsTheDocument()
{
    form1->ListView1->AddDocumentFile(fixture("big100.docx"));
    form1->ListView1->AddDocumentFile(fixture("letter3.docx"));
    form2->LabeledEdit2->setText(dir->path());
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (form1->ProgressBar1->value() > 0) {
            closer.stop();
            form1->close();
        }
    });
    closer.start(5);
    QTest::mouseClick(form1->SpeedButton11, Qt::LeftButton);
    QVERIFY(!form1->isVisible());
    QVERIFY(boxes.isEmpty());
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
