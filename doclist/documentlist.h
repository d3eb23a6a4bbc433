// The document list: the work queue of the main window (ListView1).
//
// A report view with five columns ("Name", "Path", "Size", "Build Time",
// "ModifyTime"), a tick box per row, several rows selectable, green text on
// white, names editable in place (only the name column; the path, and so the
// file that is converted, never changes), no automatic sorting: rows stay in
// the order they were added until a header is clicked, and a click sorts all
// rows ascending by that column with CompareText. Folders dropped onto the
// list are added as Add folder adds them, files of the accepted extensions
// as Add file adds them; other files are refused and named (dropRefused).
// Delete removes the selected rows. Space flips
// the tick of the current row from any column; when that row is selected,
// every selected row takes its new tick, as in a list view with check boxes.
//
// The widget owns its rows. Everything runs on the user-interface thread;
// no member throws.
#pragma once

#include "doclist/documententry.h"

#include <QTreeWidget>
#include <cstdint>
#include <optional>
#include <vector>

namespace folivex::doclist {

class DocumentList : public QTreeWidget {
    Q_OBJECT

public:
    enum Column { NameColumn = 0, PathColumn, SizeColumn, BuildTimeColumn, ModifyTimeColumn, ColumnCount };

    explicit DocumentList(QWidget *parent = nullptr);

    // The view's own edit(index) stays public next to the override below.
    using QTreeWidget::edit;

    // Appends a ticked row for `path` (kept as given; the caption is the text
    // after the last "/"). Nothing happens when the path cannot be looked up.
    // The extension is not tested and duplicates are allowed.
    void AddDocumentFile(const QString &path);

    // Appends a ticked row for every Office document in `folder` itself
    // (ScanFolder). Nothing happens when the folder cannot be read.
    void AddFolder(const QString &folder);

    // Add file: emits addingStarted(), shows the open dialog and calls
    // AddDocumentFile for each chosen file in the dialog's order.
    void AddFilesFromDialog();

    // Add folder: emits addingStarted(), asks BrowseForFolder("") for a
    // folder and, unless cancelled, AddFolder(folder).
    void AddFolderFromPicker();

    // Deletes every selected row, walking from the last row to the first.
    void RemoveSelected();
    // Deletes every row.
    void RemoveAll();
    // Flips the tick of every row.
    void InvertTicks();

    // A header click: stores `column` as the sort column and sorts all rows
    // ascending with ListView1Compare. The sort is stable, so rows that
    // compare equal keep their order; selection and ticks are kept.
    void ListView1ColumnClick(int column);
    // The column last clicked, 0 until a header is clicked.
    int SortColumn() const { return sortColumn_; }
    // CompareText of the two rows' texts in the sort column.
    int ListView1Compare(const QTreeWidgetItem *item1, const QTreeWidgetItem *item2) const;

    // What the batch reads, in displayed order. Out-of-range rows read as
    // unticked with an empty path.
    int RowCount() const;
    bool RowTicked(int row) const;
    QString RowPath(int row) const;
    // The whole row as shown (name as edited).
    DocumentEntry Row(int row) const;

    // Every row gets an identity when it is added, never reused within this
    // list, that stays with it through sorting and renaming. A batch that
    // pumps events (in which rows may be removed or re-sorted) holds on to
    // rows by it.
    using RowId = std::uint64_t;
    // The rows' identities in displayed order.
    std::vector<RowId> RowIds() const;
    // The row as it is now, or nullopt once it has been removed. Fast when
    // rows are looked up in their displayed order.
    std::optional<DocumentEntry> FindRow(RowId id) const;

signals:
    // Emitted at the start of Add file, Add folder and of a drop, before any
    // dialog is shown or row added (the main window clears its status label).
    void addingStarted();
    // Emitted after a drop that brought files of other extensions, with
    // their file names; they were not added.
    void dropRefused(const QStringList &names);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void appendRow(const DocumentEntry &entry);
    void toggleTicksFromKeyboard();
    int rowOf(RowId id) const;

    int sortColumn_ = NameColumn;
    RowId nextRowId_ = 1;
    mutable int lastFoundRow_ = -1;
};

} // namespace folivex::doclist
