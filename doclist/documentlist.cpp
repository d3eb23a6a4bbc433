#include "doclist/documentlist.h"

#include "core/error.h"
#include "doclist/browseforfolder.h"
#include "doclist/comparetext.h"
#include "doclist/extensions.h"
#include "doclist/folderscan.h"
#include "doclist/opendocumentsdialog.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>

namespace folivex::doclist {

namespace {

constexpr int kColumnWidths[DocumentList::ColumnCount] = {100, 200, 100, 120, 220};

const QColor kTextColour(0, 128, 0);

constexpr int kRowIdRole = Qt::UserRole + 1;

// A row that orders itself by the list's comparison, so the view's own
// (stable) sort keeps selection and ticks while it moves the rows.
class DocumentItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem &other) const override
    {
        const auto *list = static_cast<const DocumentList *>(treeWidget());
        return list->ListView1Compare(this, &other) < 0;
    }
};

QStringList droppedLocalPaths(const QMimeData *data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        QString path = url.toLocalFile();
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

} // namespace

DocumentList::DocumentList(QWidget *parent) : QTreeWidget(parent)
{
    // Turning sorting off also makes the headers unclickable, so it comes first.
    setSortingEnabled(false);
    setColumnCount(ColumnCount);
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Path"), QStringLiteral("Size"),
                     QStringLiteral("Build Time"), QStringLiteral("ModifyTime")});
    QHeaderView *columns = header();
    columns->setStretchLastSection(false);
    columns->setSectionsMovable(false);
    columns->setSectionsClickable(true);
    columns->setSortIndicatorShown(false);
    columns->setHighlightSections(false);
    for (int column = 0; column < ColumnCount; ++column)
        columns->resizeSection(column, kColumnWidths[column]);
    connect(columns, &QHeaderView::sectionClicked, this, &DocumentList::ListView1ColumnClick);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setFrameShape(QFrame::NoFrame);

    QFont listFont(QStringLiteral("MS Sans Serif"));
    listFont.setPixelSize(11);
    setFont(listFont);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, kTextColour);
    setPalette(colours);

    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setDropIndicatorShown(false);
}

void DocumentList::appendRow(const DocumentEntry &entry)
{
    auto *item = new DocumentItem();
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsEditable |
                   Qt::ItemNeverHasChildren);
    item->setText(NameColumn, entry.name);
    item->setText(PathColumn, entry.path);
    item->setText(SizeColumn, entry.sizeText);
    item->setText(BuildTimeColumn, entry.buildTimeText);
    item->setText(ModifyTimeColumn, entry.modifyTimeText);
    item->setCheckState(NameColumn, entry.ticked ? Qt::Checked : Qt::Unchecked);
    item->setData(NameColumn, kRowIdRole, QVariant::fromValue<quint64>(nextRowId_++));
    addTopLevelItem(item);
}

void DocumentList::AddDocumentFile(const QString &path)
{
    try {
        appendRow(LookUpDocument(path));
    } catch (const Error &) {
        // A file that cannot be found is skipped without a message.
    }
}

void DocumentList::AddFolder(const QString &folder)
{
    try {
        for (const DocumentEntry &entry : ScanFolder(folder))
            appendRow(entry);
    } catch (const Error &) {
        // A folder that cannot be read adds nothing, without a message.
    }
}

void DocumentList::AddFilesFromDialog()
{
    emit addingStarted();
    for (const QString &path : ChooseDocumentFiles(window()))
        AddDocumentFile(path);
}

void DocumentList::AddFolderFromPicker()
{
    emit addingStarted();
    const QString folder = BrowseForFolder(QString());
    if (folder.isEmpty())
        return;
    AddFolder(folder);
}

void DocumentList::RemoveSelected()
{
    for (int row = topLevelItemCount() - 1; row >= 0; --row) {
        if (topLevelItem(row)->isSelected())
            delete takeTopLevelItem(row);
    }
}

void DocumentList::RemoveAll()
{
    clear();
}

void DocumentList::InvertTicks()
{
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = topLevelItem(row);
        item->setCheckState(NameColumn, item->checkState(NameColumn) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void DocumentList::ListView1ColumnClick(int column)
{
    if (column < 0 || column >= ColumnCount)
        return;
    sortColumn_ = column;
    sortItems(column, Qt::AscendingOrder);
}

int DocumentList::ListView1Compare(const QTreeWidgetItem *item1, const QTreeWidgetItem *item2) const
{
    return CompareText(item1->text(sortColumn_), item2->text(sortColumn_));
}

int DocumentList::RowCount() const
{
    return topLevelItemCount();
}

bool DocumentList::RowTicked(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item != nullptr && item->checkState(NameColumn) == Qt::Checked;
}

QString DocumentList::RowPath(int row) const
{
    const QTreeWidgetItem *item = topLevelItem(row);
    return item != nullptr ? item->text(PathColumn) : QString();
}

DocumentEntry DocumentList::Row(int row) const
{
    DocumentEntry entry;
    const QTreeWidgetItem *item = topLevelItem(row);
    if (item == nullptr) {
        entry.ticked = false;
        return entry;
    }
    entry.name = item->text(NameColumn);
    entry.path = item->text(PathColumn);
    entry.sizeText = item->text(SizeColumn);
    entry.buildTimeText = item->text(BuildTimeColumn);
    entry.modifyTimeText = item->text(ModifyTimeColumn);
    entry.ticked = item->checkState(NameColumn) == Qt::Checked;
    return entry;
}

std::vector<DocumentList::RowId> DocumentList::RowIds() const
{
    std::vector<RowId> ids;
    ids.reserve(static_cast<std::size_t>(topLevelItemCount()));
    for (int row = 0; row < topLevelItemCount(); ++row)
        ids.push_back(topLevelItem(row)->data(NameColumn, kRowIdRole).value<quint64>());
    return ids;
}

int DocumentList::rowOf(RowId id) const
{
    const int count = topLevelItemCount();
    // A batch asks for the rows in order: try where the last one was found
    // and the row after it before searching the whole list.
    for (int guess : {lastFoundRow_, lastFoundRow_ + 1}) {
        if (guess >= 0 && guess < count && topLevelItem(guess)->data(NameColumn, kRowIdRole).value<quint64>() == id)
            return lastFoundRow_ = guess;
    }
    for (int row = 0; row < count; ++row) {
        if (topLevelItem(row)->data(NameColumn, kRowIdRole).value<quint64>() == id)
            return lastFoundRow_ = row;
    }
    return -1;
}

std::optional<DocumentEntry> DocumentList::FindRow(RowId id) const
{
    const int row = rowOf(id);
    if (row < 0)
        return std::nullopt;
    return Row(row);
}

bool DocumentList::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // Only the name is edited in place; F2 anywhere on a row edits its name.
    if (trigger == QAbstractItemView::EditKeyPressed && index.isValid() && index.column() != NameColumn)
        return QTreeWidget::edit(index.siblingAtColumn(NameColumn), trigger, event);
    if (index.isValid() && index.column() != NameColumn)
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void DocumentList::keyPressEvent(QKeyEvent *event)
{
    // Space ticks; with Ctrl it is the view's own toggling of the selection.
    const bool tickKey = event->key() == Qt::Key_Space || event->key() == Qt::Key_Select;
    if (tickKey && !(event->modifiers() & Qt::ControlModifier) && state() != EditingState) {
        toggleTicksFromKeyboard();
        event->accept();
        return;
    }
    // Delete removes the selected rows, as Remove does.
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && state() != EditingState) {
        RemoveSelected();
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void DocumentList::toggleTicksFromKeyboard()
{
    QTreeWidgetItem *current = currentItem();
    if (current == nullptr)
        return;
    const Qt::CheckState tick = current->checkState(NameColumn) == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    if (!current->isSelected()) {
        current->setCheckState(NameColumn, tick);
        return;
    }
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem *item = topLevelItem(row);
        if (item->isSelected())
            item->setCheckState(NameColumn, tick);
    }
}

void DocumentList::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedLocalPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void DocumentList::dragMoveEvent(QDragMoveEvent *event)
{
    if (droppedLocalPaths(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void DocumentList::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedLocalPaths(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit addingStarted();
    QStringList refused;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            AddFolder(path);
        else if (IsAcceptedDocumentName(info.fileName()))
            AddDocumentFile(path);
        else
            refused << info.fileName();
    }
    if (!refused.isEmpty())
        emit dropRefused(refused);
}

} // namespace folivex::doclist
