// Rows built from real files: captions, paths, size texts, time texts, the
// folder scan, and what happens with files and folders that cannot be read.
#include "doclist/documententry.h"
#include "doclist/documentlist.h"
#include "doclist/filetimetext.h"
#include "doclist/folderscan.h"
#include "testfiles.h"
#include "tests/support/errortext.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>

using folivex::test::ErrorText;
using namespace folivex::doclist;
using namespace folivex::doclist::test;

namespace {

// Two hours east of UTC, with no daylight saving: local = UTC + 2 h.
constexpr const char *kTestZone = "FVX-2";

QString ShortDate(int year, int month, int day)
{
    return QLocale::system().toString(QDate(year, month, day), QLocale::ShortFormat);
}

} // namespace

class DocumentRowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void sameFileTwiceGivesTwoTickedRows();
    void sizeTextIsTruncatedKilobytes_data();
    void sizeTextIsTruncatedKilobytes();
    void missingFileAddsNothing();

    void modifyTimeIsLocalWithTwoSecondSteps();
    void midnightShowsTheDateAlone();
    void stampsOutsideDosYearsKeepTheirSeconds_data();
    void stampsOutsideDosYearsKeepTheirSeconds();
    void buildTimeIsTheBirthTime();
    void unconvertibleStampIsAnError();

    void folderAddsItsOfficeEntriesOnly();
    void unreadableFolderAddsNothing_data();
    void unreadableFolderAddsNothing();

private:
    QTemporaryDir dir_;
    QString path(const QString &name) const { return dir_.filePath(name); }
};

void DocumentRowsTest::initTestCase()
{
    qputenv("TZ", kTestZone);
    tzset();
    QVERIFY(dir_.isValid());
}

void DocumentRowsTest::init()
{
    // Each test works in a fresh sub-folder of the temporary folder.
    QDir(dir_.path()).removeRecursively();
    QVERIFY(QDir().mkpath(dir_.path()));
}

void DocumentRowsTest::sameFileTwiceGivesTwoTickedRows()
{
    const QString file = path(QStringLiteral("Report 2023.docx"));
    QVERIFY(WriteFile(file, 3000));

    DocumentList list;
    list.AddDocumentFile(file);
    list.AddDocumentFile(file);

    QCOMPARE(list.RowCount(), 2);
    QCOMPARE(list.Row(0), list.Row(1));
    for (int row = 0; row < 2; ++row) {
        QVERIFY(list.RowTicked(row));
        QCOMPARE(list.RowPath(row), file);
        QCOMPARE(list.topLevelItem(row)->text(DocumentList::NameColumn), QStringLiteral("Report 2023.docx"));
        QCOMPARE(list.topLevelItem(row)->text(DocumentList::SizeColumn), QStringLiteral("2KB"));
    }
}

void DocumentRowsTest::sizeTextIsTruncatedKilobytes_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << qint64(0) << QStringLiteral("0KB");
    QTest::newRow("1023 bytes") << qint64(1023) << QStringLiteral("0KB");
    QTest::newRow("10,239 bytes") << qint64(10239) << QStringLiteral("9KB");
    QTest::newRow("10,240 bytes") << qint64(10240) << QStringLiteral("10KB");
    // Past 2 GiB and 4 GiB the true size shows, not its low 32 bits.
    QTest::newRow("3 GiB") << (qint64(3) << 30) << QStringLiteral("3145728KB");
    QTest::newRow("4 GiB + 10,240") << ((qint64(4) << 30) + 10240) << QStringLiteral("4194314KB");
}

void DocumentRowsTest::sizeTextIsTruncatedKilobytes()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, shown);
    const QString file = path(QStringLiteral("sized.xls"));
    QVERIFY(WriteFile(file, bytes));

    DocumentList list;
    list.AddDocumentFile(file);
    QCOMPARE(list.RowCount(), 1);
    QCOMPARE(list.topLevelItem(0)->text(DocumentList::SizeColumn), shown);
}

void DocumentRowsTest::missingFileAddsNothing()
{
    const QString missing = path(QStringLiteral("gone.doc"));
    DocumentList list;
    list.AddDocumentFile(missing);
    QCOMPARE(list.RowCount(), 0);
    QCOMPARE(QString::fromStdString(ErrorText([&] { LookUpDocument(missing); })),
             missing + QStringLiteral(": statx: ") + QString::fromLocal8Bit(std::strerror(ENOENT)));
}

void DocumentRowsTest::modifyTimeIsLocalWithTwoSecondSteps()
{
    // Written at 10:15:37 local time, which is 08:15:37 UTC in the test zone.
    const QString file = path(QStringLiteral("timed.ppt"));
    QVERIFY(WriteFile(file, 10));
    QVERIFY(SetModifyTime(file, UtcStamp(2023, 3, 14, 8, 15, 37)));

    DocumentList list;
    list.AddDocumentFile(file);
    QCOMPARE(list.RowCount(), 1);
    const QString shown = list.topLevelItem(0)->text(DocumentList::ModifyTimeColumn);

    const QString locale = QLocale::system().name();
    if (locale == QLatin1String("C"))
        QCOMPARE(shown, QStringLiteral("14 Mar 2023 10:15:36"));
    else if (locale == QLatin1String("en_US"))
        QCOMPARE(shown, QStringLiteral("3/14/23 10:15:36 AM"));
    QVERIFY2(shown.startsWith(ShortDate(2023, 3, 14) + QLatin1Char(' ')), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("10:15:36")), qPrintable(shown));
}

void DocumentRowsTest::midnightShowsTheDateAlone()
{
    // 00:00:01 falls to 00:00:00, which shows no time at all.
    const QString file = path(QStringLiteral("midnight.doc"));
    QVERIFY(WriteFile(file, 10));
    QVERIFY(SetModifyTime(file, LocalStamp(2020, 2, 29, 0, 0, 1)));

    DocumentList list;
    list.AddDocumentFile(file);
    QCOMPARE(list.topLevelItem(0)->text(DocumentList::ModifyTimeColumn), ShortDate(2020, 2, 29));
}

void DocumentRowsTest::stampsOutsideDosYearsKeepTheirSeconds_data()
{
    QTest::addColumn<int>("year");
    QTest::newRow("1975") << 1975;
    QTest::newRow("2110") << 2110;
}

void DocumentRowsTest::stampsOutsideDosYearsKeepTheirSeconds()
{
    QFETCH(int, year);
    const QString file = path(QStringLiteral("old.xlsx"));
    QVERIFY(WriteFile(file, 10));
    QVERIFY(SetModifyTime(file, LocalStamp(year, 6, 1, 10, 15, 37)));

    DocumentList list;
    list.AddDocumentFile(file);
    const QString shown = list.topLevelItem(0)->text(DocumentList::ModifyTimeColumn);
    QVERIFY2(shown.startsWith(ShortDate(year, 6, 1) + QLatin1Char(' ')), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("10:15:37")), qPrintable(shown));
}

void DocumentRowsTest::buildTimeIsTheBirthTime()
{
    const QString file = path(QStringLiteral("born.docx"));
    QVERIFY(WriteFile(file, 10));
    QVERIFY(SetModifyTime(file, LocalStamp(2001, 1, 1, 12, 0, 0)));

    struct statx info {};
    QCOMPARE(::statx(AT_FDCWD, QFile::encodeName(file).constData(), 0, STATX_BTIME, &info), 0);
    const bool birthRecorded = (info.stx_mask & STATX_BTIME) != 0;

    DocumentList list;
    list.AddDocumentFile(file);
    const QString build = list.topLevelItem(0)->text(DocumentList::BuildTimeColumn);
    const QString modify = list.topLevelItem(0)->text(DocumentList::ModifyTimeColumn);
    QVERIFY2(modify.startsWith(ShortDate(2001, 1, 1)), qPrintable(modify));
    if (birthRecorded)
        QVERIFY2(!build.startsWith(ShortDate(2001, 1, 1)), qPrintable(build)); // born today, not in 2001
    else
        QCOMPARE(build, modify);
}

void DocumentRowsTest::unconvertibleStampIsAnError()
{
    // No calendar year holds this many seconds; the C library refuses it.
    const QString text =
        QString::fromStdString(ErrorText([] { FileTimeText(std::numeric_limits<std::int64_t>::max()); }));
    QVERIFY2(text.startsWith(QStringLiteral("localtime_r: Cannot convert the file time ")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral(" to local time: ") + QString::fromLocal8Bit(std::strerror(EOVERFLOW))),
             qPrintable(text));
}

void DocumentRowsTest::folderAddsItsOfficeEntriesOnly()
{
    const QString folder = path(QStringLiteral("docs"));
    QVERIFY(MakeFolder(folder));
    QVERIFY(WriteFile(folder + QStringLiteral("/a.DOC"), 2048));
    QVERIFY(WriteFile(folder + QStringLiteral("/b.Docx"), 10));
    QVERIFY(WriteFile(folder + QStringLiteral("/c.txt"), 10));
    QVERIFY(WriteFile(folder + QStringLiteral("/d"), 10));
    QVERIFY(WriteFile(folder + QStringLiteral("/.hidden.pptx"), 10));
    QVERIFY(WriteFile(folder + QStringLiteral("/f.doc.bak"), 10));
    QVERIFY(MakeFolder(folder + QStringLiteral("/e.xls")));
    QVERIFY(WriteFile(folder + QStringLiteral("/e.xls/inner.doc"), 10));

    DocumentList list;
    list.AddFolder(folder);

    const QStringList expected = {QStringLiteral(".hidden.pptx"), QStringLiteral("a.DOC"), QStringLiteral("b.Docx"),
                                  QStringLiteral("e.xls")};
    QCOMPARE(list.RowCount(), expected.size());
    for (int row = 0; row < list.RowCount(); ++row) {
        QCOMPARE(list.topLevelItem(row)->text(DocumentList::NameColumn), expected[row]);
        QCOMPARE(list.RowPath(row), folder + QLatin1Char('/') + expected[row]);
        QVERIFY(list.RowTicked(row));
    }
    QCOMPARE(list.topLevelItem(1)->text(DocumentList::SizeColumn), QStringLiteral("2KB"));
    // A folder's row shows no size of its own.
    QCOMPARE(list.topLevelItem(3)->text(DocumentList::SizeColumn), QStringLiteral("0KB"));
}

void DocumentRowsTest::unreadableFolderAddsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing folder") << QStringLiteral("nowhere") << ENOENT;
    QTest::newRow("a file, not a folder") << QStringLiteral("plain.doc") << ENOTDIR;
}

void DocumentRowsTest::unreadableFolderAddsNothing()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QVERIFY(WriteFile(path(QStringLiteral("plain.doc")), 10));
    const QString folder = path(name);

    DocumentList list;
    list.AddFolder(folder);
    QCOMPARE(list.RowCount(), 0);
    QCOMPARE(QString::fromStdString(ErrorText([&] { ScanFolder(folder); })),
             folder + QStringLiteral(": opendir: ") + QString::fromLocal8Bit(std::strerror(error)));
}

QTEST_MAIN(DocumentRowsTest)
#include "tst_documentrows.moc"
