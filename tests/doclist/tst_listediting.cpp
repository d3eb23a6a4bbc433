// What the user does with rows already in the list: sorting by a header
// click, removing, inverting ticks, renaming in place; and what the batch
// reads back afterwards.
#include "doclist/documentlist.h"
#include "testfiles.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace folivex::doclist;
using namespace folivex::doclist::test;

class ListEditingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sizeSortsAsText();
    void nameSortFoldsOnlyAsciiAndIsStable();
    void pathHeaderSortsByThePath();
    void rowsAddedAfterASortGoLast();
    void sortKeepsTicksAndSelection();

    void removeSelectedKeepsTheOthersInOrder();
    void removeSelectedWithNothingSelected();
    void removeAll();

    void invertTicks_data();
    void invertTicks();
    void spaceTicksTheCurrentRowFromAnyColumn();
    void spaceTicksEverySelectedRow();

    void rowIdentitiesStayWithTheirRows();

    void renamingChangesOnlyTheName();
    void otherColumnsAreNotEditable();
    void renameKeyEditsTheNameFromAnyColumn();

private:
    QString file(const QString &name, qint64 bytes = 10);
    QStringList column(int column) const;
    void clickHeader(int column);
    QList<bool> ticks() const;
    void pressSpace(Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    QTemporaryDir dir_;
    DocumentList *list_ = nullptr;
};

void ListEditingTest::initTestCase()
{
    QVERIFY(dir_.isValid());
}

void ListEditingTest::init()
{
    list_ = new DocumentList;
    list_->resize(760, 300);
    list_->show();
    QVERIFY(QTest::qWaitForWindowExposed(list_));
}

void ListEditingTest::cleanup()
{
    delete list_;
    list_ = nullptr;
}

QString ListEditingTest::file(const QString &name, qint64 bytes)
{
    const QString path = dir_.filePath(name);
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (slash > 0)
        QDir().mkpath(dir_.filePath(name.left(slash)));
    if (!WriteFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QStringList ListEditingTest::column(int index) const
{
    QStringList texts;
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        texts.append(list_->topLevelItem(row)->text(index));
    return texts;
}

void ListEditingTest::clickHeader(int index)
{
    QHeaderView *header = list_->header();
    const QPoint centre(header->sectionViewportPosition(index) + header->sectionSize(index) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
}

void ListEditingTest::sizeSortsAsText()
{
    list_->AddDocumentFile(file(QStringLiteral("small.doc"), 20 * 1024));
    list_->AddDocumentFile(file(QStringLiteral("large.doc"), 100 * 1024));
    QCOMPARE(column(DocumentList::SizeColumn), (QStringList{QStringLiteral("20KB"), QStringLiteral("100KB")}));

    // Equal texts keep the order they had.
    list_->AddDocumentFile(file(QStringLiteral("also small.doc"), 20 * 1024 + 5));

    clickHeader(DocumentList::SizeColumn);
    QCOMPARE(list_->SortColumn(), int(DocumentList::SizeColumn));
    QCOMPARE(column(DocumentList::SizeColumn),
             (QStringList{QStringLiteral("100KB"), QStringLiteral("20KB"), QStringLiteral("20KB")}));
    QCOMPARE(column(DocumentList::NameColumn),
             (QStringList{QStringLiteral("large.doc"), QStringLiteral("small.doc"), QStringLiteral("also small.doc")}));
}

void ListEditingTest::nameSortFoldsOnlyAsciiAndIsStable()
{
    // Rows stay in insertion order until a header is clicked.
    const QStringList added = {QStringLiteral("gamma.doc"), QStringLiteral("_b.doc"),    QStringLiteral("Beta.doc"),
                               QStringLiteral("ab.docx"),   QStringLiteral("alpha.doc"), QStringLiteral("ab.doc")};
    for (const QString &name : added)
        list_->AddDocumentFile(file(name));
    QCOMPARE(column(DocumentList::NameColumn), added);

    // Letters fold to upper case, so "_" (0x5F) sorts after every letter; a
    // prefix sorts before the longer name.
    const QStringList sorted = {QStringLiteral("ab.doc"),   QStringLiteral("ab.docx"),   QStringLiteral("alpha.doc"),
                                QStringLiteral("Beta.doc"), QStringLiteral("gamma.doc"), QStringLiteral("_b.doc")};
    clickHeader(DocumentList::NameColumn);
    QCOMPARE(column(DocumentList::NameColumn), sorted);
    clickHeader(DocumentList::NameColumn);
    QCOMPARE(column(DocumentList::NameColumn), sorted);

    // The batch reads the rows in the order shown.
    for (int row = 0; row < list_->RowCount(); ++row)
        QCOMPARE(list_->RowPath(row), dir_.filePath(sorted[row]));
}

void ListEditingTest::pathHeaderSortsByThePath()
{
    list_->AddDocumentFile(file(QStringLiteral("b/a.doc")));
    list_->AddDocumentFile(file(QStringLiteral("a/z.doc")));

    clickHeader(DocumentList::PathColumn);
    QCOMPARE(column(DocumentList::NameColumn), (QStringList{QStringLiteral("z.doc"), QStringLiteral("a.doc")}));
    clickHeader(DocumentList::NameColumn);
    QCOMPARE(column(DocumentList::NameColumn), (QStringList{QStringLiteral("a.doc"), QStringLiteral("z.doc")}));
}

void ListEditingTest::rowsAddedAfterASortGoLast()
{
    list_->AddDocumentFile(file(QStringLiteral("m.doc")));
    list_->AddDocumentFile(file(QStringLiteral("c.doc")));
    clickHeader(DocumentList::NameColumn);
    list_->AddDocumentFile(file(QStringLiteral("a.doc")));
    QCOMPARE(column(DocumentList::NameColumn),
             (QStringList{QStringLiteral("c.doc"), QStringLiteral("m.doc"), QStringLiteral("a.doc")}));
}

void ListEditingTest::sortKeepsTicksAndSelection()
{
    list_->AddDocumentFile(file(QStringLiteral("z.doc")));
    list_->AddDocumentFile(file(QStringLiteral("y.doc")));
    list_->AddDocumentFile(file(QStringLiteral("x.doc")));
    list_->topLevelItem(0)->setCheckState(0, Qt::Unchecked); // z
    list_->topLevelItem(1)->setSelected(true);               // y

    clickHeader(DocumentList::NameColumn);
    QCOMPARE(column(DocumentList::NameColumn),
             (QStringList{QStringLiteral("x.doc"), QStringLiteral("y.doc"), QStringLiteral("z.doc")}));
    QCOMPARE(QList<bool>({list_->RowTicked(0), list_->RowTicked(1), list_->RowTicked(2)}),
             QList<bool>({true, true, false}));
    QCOMPARE(list_->selectedItems(), QList<QTreeWidgetItem *>{list_->topLevelItem(1)});
}

void ListEditingTest::removeSelectedKeepsTheOthersInOrder()
{
    for (int n = 1; n <= 5; ++n)
        list_->AddDocumentFile(file(QStringLiteral("row%1.doc").arg(n)));
    list_->topLevelItem(1)->setSelected(true);
    list_->topLevelItem(3)->setSelected(true);
    list_->topLevelItem(2)->setCheckState(0, Qt::Unchecked); // ticks play no part

    list_->RemoveSelected();
    QCOMPARE(column(DocumentList::NameColumn),
             (QStringList{QStringLiteral("row1.doc"), QStringLiteral("row3.doc"), QStringLiteral("row5.doc")}));
    QCOMPARE(list_->RowCount(), 3);
    QVERIFY(!list_->RowTicked(1));
}

void ListEditingTest::removeSelectedWithNothingSelected()
{
    list_->RemoveSelected(); // empty list
    QCOMPARE(list_->RowCount(), 0);
    list_->AddDocumentFile(file(QStringLiteral("one.doc")));
    list_->AddDocumentFile(file(QStringLiteral("two.doc")));
    list_->clearSelection();
    list_->RemoveSelected();
    QCOMPARE(list_->RowCount(), 2);
}

void ListEditingTest::removeAll()
{
    list_->RemoveAll();
    QCOMPARE(list_->RowCount(), 0);
    for (int n = 0; n < 3; ++n)
        list_->AddDocumentFile(file(QStringLiteral("all.doc")));
    list_->RemoveAll();
    QCOMPARE(list_->RowCount(), 0);
    // Out-of-range rows read as unticked with no path.
    QVERIFY(!list_->RowTicked(0));
    QVERIFY(list_->RowPath(0).isEmpty());
}

void ListEditingTest::invertTicks_data()
{
    QTest::addColumn<QList<bool>>("before");
    QTest::addColumn<QList<bool>>("after");
    QTest::newRow("empty list") << QList<bool>{} << QList<bool>{};
    QTest::newRow("mixed") << QList<bool>{true, false, true} << QList<bool>{false, true, false};
    QTest::newRow("all ticked") << QList<bool>{true, true, true} << QList<bool>{false, false, false};
    QTest::newRow("none ticked") << QList<bool>{false, false} << QList<bool>{true, true};
}

void ListEditingTest::invertTicks()
{
    QFETCH(QList<bool>, before);
    QFETCH(QList<bool>, after);
    const QString path = file(QStringLiteral("tick.doc"));
    for (bool ticked : before) {
        list_->AddDocumentFile(path);
        list_->topLevelItem(list_->RowCount() - 1)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }

    list_->InvertTicks();
    QList<bool> ticks;
    for (int row = 0; row < list_->RowCount(); ++row)
        ticks.append(list_->RowTicked(row));
    QCOMPARE(ticks, after);
}

QList<bool> ListEditingTest::ticks() const
{
    QList<bool> ticked;
    for (int row = 0; row < list_->RowCount(); ++row)
        ticked.append(list_->RowTicked(row));
    return ticked;
}

void ListEditingTest::pressSpace(Qt::KeyboardModifiers modifiers)
{
    list_->activateWindow();
    list_->setFocus();
    QTest::keyClick(list_, Qt::Key_Space, modifiers);
}

void ListEditingTest::spaceTicksTheCurrentRowFromAnyColumn()
{
    const QString path = file(QStringLiteral("space.doc"));
    for (int n = 0; n < 3; ++n)
        list_->AddDocumentFile(path);
    for (int index = DocumentList::NameColumn; index < DocumentList::ColumnCount; ++index) {
        list_->setCurrentIndex(list_->model()->index(1, index));
        pressSpace();
        QVERIFY2(ticks() == (QList<bool>{true, false, true}), qPrintable(QString("column %1").arg(index)));
        pressSpace();
        QCOMPARE(ticks(), (QList<bool>{true, true, true}));
    }
    // The key ticks; it leaves the selection and the name as they were.
    QCOMPARE(list_->selectedItems(), QList<QTreeWidgetItem *>{list_->topLevelItem(1)});
    QVERIFY(list_->findChild<QLineEdit *>() == nullptr);
}

void ListEditingTest::spaceTicksEverySelectedRow()
{
    const QString path = file(QStringLiteral("several.doc"));
    for (bool ticked : {true, false, true, true, true}) {
        list_->AddDocumentFile(path);
        list_->topLevelItem(list_->RowCount() - 1)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
    QItemSelectionModel *selection = list_->selectionModel();
    auto select = [&](int row) {
        selection->select(list_->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    };
    // Rows 1, 2 and 4 selected, the current cell in row 2's size column: the
    // selected rows all take the current row's new tick, unticked row 1 too.
    list_->setCurrentIndex(list_->model()->index(2, DocumentList::SizeColumn));
    select(1);
    select(4);
    pressSpace();
    QCOMPARE(ticks(), (QList<bool>{true, false, false, true, false}));
    pressSpace();
    QCOMPARE(ticks(), (QList<bool>{true, true, true, true, true}));

    // A current row outside the selection is ticked on its own.
    selection->setCurrentIndex(list_->model()->index(3, DocumentList::PathColumn), QItemSelectionModel::NoUpdate);
    pressSpace();
    QCOMPARE(ticks(), (QList<bool>{true, true, true, false, true}));

    // Ctrl+Space is the selection's own key: it changes no tick.
    pressSpace(Qt::ControlModifier);
    QCOMPARE(ticks(), (QList<bool>{true, true, true, false, true}));
    QVERIFY(list_->topLevelItem(3)->isSelected());
}

void ListEditingTest::rowIdentitiesStayWithTheirRows()
{
    const QString twice = file(QStringLiteral("b.doc"));
    list_->AddDocumentFile(twice);
    list_->AddDocumentFile(file(QStringLiteral("a.doc")));
    list_->AddDocumentFile(twice);
    const std::vector<DocumentList::RowId> ids = list_->RowIds();
    QCOMPARE(ids.size(), std::size_t(3));
    QVERIFY(ids[0] != ids[2]); // the same file twice is two rows

    // Sorting moves the rows, their identities with them.
    clickHeader(DocumentList::NameColumn);
    QCOMPARE(list_->RowIds(), (std::vector<DocumentList::RowId>{ids[1], ids[0], ids[2]}));
    QCOMPARE(list_->FindRow(ids[1])->name, QStringLiteral("a.doc"));

    // A removed row is gone; the others are still found, as they are now.
    list_->topLevelItem(1)->setSelected(true);
    list_->RemoveSelected();
    QVERIFY(!list_->FindRow(ids[0]).has_value());
    list_->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(list_->FindRow(ids[2])->ticked, false);
    QCOMPARE(list_->FindRow(ids[2])->path, twice);

    // Identities are not reused after rows are removed.
    list_->RemoveAll();
    list_->AddDocumentFile(twice);
    for (DocumentList::RowId old : ids)
        QVERIFY(list_->RowIds().front() != old);
}

void ListEditingTest::renamingChangesOnlyTheName()
{
    const QString path = file(QStringLiteral("draft.docx"), 4096);
    list_->AddDocumentFile(path);
    const DocumentEntry before = list_->Row(0);

    QTreeWidgetItem *item = list_->topLevelItem(0);
    list_->setCurrentItem(item, DocumentList::NameColumn);
    list_->editItem(item, DocumentList::NameColumn);
    auto *editor = qobject_cast<QLineEdit *>(list_->viewport()->focusWidget());
    if (editor == nullptr)
        editor = list_->findChild<QLineEdit *>();
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->text(), QStringLiteral("draft.docx"));
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Final report.docx"));
    QTest::keyClick(editor, Qt::Key_Return);

    // The delegate commits the edit from the event loop.
    QTRY_VERIFY(list_->findChild<QLineEdit *>() == nullptr);
    const DocumentEntry after = list_->Row(0);
    QCOMPARE(after.name, QStringLiteral("Final report.docx"));
    QCOMPARE(after.path, before.path);
    QCOMPARE(after.sizeText, before.sizeText);
    QCOMPARE(after.buildTimeText, before.buildTimeText);
    QCOMPARE(after.modifyTimeText, before.modifyTimeText);
    QCOMPARE(after.ticked, before.ticked);
    QCOMPARE(list_->RowPath(0), path);
}

void ListEditingTest::otherColumnsAreNotEditable()
{
    list_->AddDocumentFile(file(QStringLiteral("fixed.doc")));
    QTreeWidgetItem *item = list_->topLevelItem(0);
    for (int index = DocumentList::PathColumn; index < DocumentList::ColumnCount; ++index) {
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        list_->edit(list_->model()->index(0, index));
        QVERIFY(list_->findChild<QLineEdit *>() == nullptr);
    }
    QCOMPARE(item->text(DocumentList::PathColumn), dir_.filePath(QStringLiteral("fixed.doc")));
}

void ListEditingTest::renameKeyEditsTheNameFromAnyColumn()
{
    list_->AddDocumentFile(file(QStringLiteral("keyed.doc")));
    list_->activateWindow();
    list_->setFocus();
    list_->setCurrentIndex(list_->model()->index(0, DocumentList::SizeColumn));
    QTest::keyClick(list_, Qt::Key_F2);
    auto *editor = list_->findChild<QLineEdit *>();
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->text(), QStringLiteral("keyed.doc"));
}

QTEST_MAIN(ListEditingTest)
#include "tst_listediting.moc"
