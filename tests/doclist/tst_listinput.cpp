// The ways documents come in: the open dialog of Add file, the folder picker
// of Add folder, and dropping files and folders onto the list. The dialogs
// are answered by a recording runner instead of being shown.
#include "doclist/browseforfolder.h"
#include "doclist/dialogrunner.h"
#include "doclist/documentlist.h"
#include "doclist/opendocumentsdialog.h"
#include "testfiles.h"

#include <QDir>
#include <QFileDialog>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace folivex::doclist;
using namespace folivex::doclist::test;

namespace {

// What the runner saw of the dialog it was handed.
struct SeenDialog {
    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    bool dirsOnly = false;
    QStringList filters;
    QString selectedFilter;
    QString directory;
    int addingStartedBefore = -1;
};

} // namespace

class ListInputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addFileOffersTheFourFilters();
    void addFileAddsTheChosenFilesInOrder();
    void addFileCancelled();

    void addFolderUsesThePicker();
    void addFolderCancelled();
    void pickerGivesTheFolderWithoutTrailingSlash_data();
    void pickerGivesTheFolderWithoutTrailingSlash();

    void droppingAFileAndAFolder();
    void droppingNothingLocalIsRefused();
    void deleteRemovesTheSelectedRows();

private:
    // Installs a runner that records the dialog and answers `answer`.
    void answerDialogs(const QStringList &answer);
    QString file(const QString &name);

    QTemporaryDir dir_;
    DocumentList *list_ = nullptr;
    QSignalSpy *addingStarted_ = nullptr;
    QList<SeenDialog> seen_;
};

void ListInputTest::initTestCase()
{
    QVERIFY(dir_.isValid());
}

void ListInputTest::init()
{
    seen_.clear();
    list_ = new DocumentList;
    addingStarted_ = new QSignalSpy(list_, &DocumentList::addingStarted);
}

void ListInputTest::cleanup()
{
    SetDialogRunner({});
    delete addingStarted_;
    delete list_;
    addingStarted_ = nullptr;
    list_ = nullptr;
}

void ListInputTest::answerDialogs(const QStringList &answer)
{
    SetDialogRunner([this, answer](QFileDialog &dialog) {
        SeenDialog seen;
        seen.title = dialog.windowTitle();
        seen.mode = dialog.fileMode();
        seen.acceptMode = dialog.acceptMode();
        seen.dirsOnly = dialog.testOption(QFileDialog::ShowDirsOnly);
        seen.filters = dialog.nameFilters();
        seen.selectedFilter = dialog.selectedNameFilter();
        seen.directory = dialog.directory().absolutePath();
        seen.addingStartedBefore = addingStarted_->count();
        seen_.append(seen);
        return answer;
    });
}

QString ListInputTest::file(const QString &name)
{
    const QString path = dir_.filePath(name);
    if (!WriteFile(path, 10))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void ListInputTest::addFileOffersTheFourFilters()
{
    answerDialogs({});
    list_->AddFilesFromDialog();

    QCOMPARE(seen_.size(), 1);
    const SeenDialog &dialog = seen_.first();
    QCOMPARE(dialog.acceptMode, QFileDialog::AcceptOpen);
    QCOMPARE(dialog.mode, QFileDialog::ExistingFiles);
    const QStringList filters = {
        QStringLiteral("All Office Presentations (*.doc *.docx *.docm *.dot *.dotx *.dotm *.ppt *.pps *.pptx "
                       "*.ppsx *.pptm *.ppsm *.pot *.potx *.potm *.xls *.xlsx *.xlsm *.xlsb *.xlam)"),
        QStringLiteral("All Word Presentations (*.doc *.docx *.docm *.dot *.dotx *.dotm)"),
        QStringLiteral("All PowerPoint Presentations (*.ppt *.pps *.pptx *.ppsx *.pptm *.ppsm *.pot *.potx *.potm)"),
        QStringLiteral("All Excel Presentations (*.xls *.xlsx *.xlsm *.xlsb *.xlam)"),
    };
    QCOMPARE(dialog.filters, filters);
    QCOMPARE(dialog.selectedFilter, filters.first());
    // The status label is cleared before the dialog shows.
    QCOMPARE(dialog.addingStartedBefore, 1);
}

void ListInputTest::addFileAddsTheChosenFilesInOrder()
{
    const QString second = file(QStringLiteral("second.pptx"));
    const QString first = file(QStringLiteral("first.xlsx"));
    // A typed name that does not exist is skipped without a message.
    answerDialogs({second, dir_.filePath(QStringLiteral("typed-but-missing.doc")), first});
    list_->AddFilesFromDialog();

    QCOMPARE(list_->RowCount(), 2);
    QCOMPARE(list_->RowPath(0), second);
    QCOMPARE(list_->RowPath(1), first);
}

void ListInputTest::addFileCancelled()
{
    list_->AddDocumentFile(file(QStringLiteral("kept.doc")));
    answerDialogs({});
    list_->AddFilesFromDialog();
    QCOMPARE(list_->RowCount(), 1);
    QCOMPARE(addingStarted_->count(), 1);
}

void ListInputTest::addFolderUsesThePicker()
{
    const QString folder = dir_.filePath(QStringLiteral("picked"));
    QVERIFY(MakeFolder(folder));
    QVERIFY(WriteFile(folder + QStringLiteral("/one.doc"), 10));
    QVERIFY(WriteFile(folder + QStringLiteral("/two.txt"), 10));
    answerDialogs({folder});
    list_->AddFolderFromPicker();

    QCOMPARE(seen_.size(), 1);
    QCOMPARE(seen_.first().title, QStringLiteral("Please Choose a Folder"));
    QCOMPARE(seen_.first().mode, QFileDialog::Directory);
    QVERIFY(seen_.first().dirsOnly);
    QCOMPARE(seen_.first().directory, QDir::homePath()); // no initial folder given
    QCOMPARE(seen_.first().addingStartedBefore, 1);
    QCOMPARE(list_->RowCount(), 1);
    QCOMPARE(list_->RowPath(0), folder + QStringLiteral("/one.doc"));
}

void ListInputTest::addFolderCancelled()
{
    answerDialogs({});
    list_->AddFolderFromPicker();
    QCOMPARE(list_->RowCount(), 0);
    QCOMPARE(addingStarted_->count(), 1);
}

void ListInputTest::pickerGivesTheFolderWithoutTrailingSlash_data()
{
    QTest::addColumn<QStringList>("answer");
    QTest::addColumn<QString>("result");
    QTest::newRow("cancelled") << QStringList{} << QString();
    QTest::newRow("plain") << QStringList{QStringLiteral("/srv/papers")} << QStringLiteral("/srv/papers");
    QTest::newRow("trailing slash") << QStringList{QStringLiteral("/srv/papers/")} << QStringLiteral("/srv/papers");
    QTest::newRow("root") << QStringList{QStringLiteral("/")} << QStringLiteral("/");
}

void ListInputTest::pickerGivesTheFolderWithoutTrailingSlash()
{
    QFETCH(QStringList, answer);
    QFETCH(QString, result);
    answerDialogs(answer);
    QCOMPARE(BrowseForFolder(dir_.path()), result);
    QCOMPARE(seen_.first().directory, QDir(dir_.path()).absolutePath());
}

void ListInputTest::droppingAFileAndAFolder()
{
    const QString dropped = file(QStringLiteral("dropped.DOCX"));
    const QString refused = file(QStringLiteral("dropped.txt"));
    const QString folder = dir_.filePath(QStringLiteral("dropped folder"));
    QVERIFY(MakeFolder(folder));
    QVERIFY(WriteFile(folder + QStringLiteral("/inside.ppsx"), 10));
    QVERIFY(WriteFile(folder + QStringLiteral("/notes.txt"), 10));

    list_->resize(600, 300);
    list_->show();
    QVERIFY(QTest::qWaitForWindowExposed(list_));

    QMimeData data;
    data.setUrls(
        {QUrl::fromLocalFile(refused), QUrl::fromLocalFile(dropped), QUrl::fromLocalFile(folder + QLatin1Char('/'))});
    QSignalSpy refusals(list_, &DocumentList::dropRefused);
    const QPointF where(50, 50);
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_->viewport(), &move);
    QVERIFY(move.isAccepted());
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_->viewport(), &drop);
    QVERIFY(drop.isAccepted());

    QCOMPARE(addingStarted_->count(), 1);
    QCOMPARE(list_->RowCount(), 2);
    QCOMPARE(list_->RowPath(0), dropped);
    QCOMPARE(list_->RowPath(1), folder + QStringLiteral("/inside.ppsx"));
    QVERIFY(list_->RowTicked(0) && list_->RowTicked(1));
    // Only the twenty extensions are admitted; what else was dropped is named.
    QCOMPARE(refusals.count(), 1);
    QCOMPARE(refusals.first().first().toStringList(), QStringList{QStringLiteral("dropped.txt")});
}

void ListInputTest::droppingNothingLocalIsRefused()
{
    list_->resize(600, 300);
    list_->show();
    QVERIFY(QTest::qWaitForWindowExposed(list_));

    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.org/remote.docx"))});
    data.setText(QStringLiteral("just text"));
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list_->viewport(), &drop);
    QCOMPARE(list_->RowCount(), 0);
    QCOMPARE(addingStarted_->count(), 0);
}

void ListInputTest::deleteRemovesTheSelectedRows()
{
    for (const char *name : {"a.doc", "b.doc", "c.doc"})
        list_->AddDocumentFile(file(QString::fromLatin1(name)));
    list_->show();
    QVERIFY(QTest::qWaitForWindowExposed(list_));
    list_->topLevelItem(0)->setSelected(true);
    list_->topLevelItem(2)->setSelected(true);
    QTest::keyClick(list_, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(list_->RowCount(), 3); // only Delete on its own
    QTest::keyClick(list_, Qt::Key_Delete);
    QCOMPARE(list_->RowCount(), 1);
    QCOMPARE(list_->Row(0).name, QStringLiteral("b.doc"));
}

QTEST_MAIN(ListInputTest)
#include "tst_listinput.moc"
