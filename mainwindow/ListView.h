#pragma once
#include "mainwindow/ListViewDesign.h"
#include "shell/app/ColumnTitles.h"
#include "store/RowTable.h"

#include <QTreeView>

#include <vector>

class QCheckBox;
class ListHeader;
class RowTableModel;

// A multi-column, multi-select list with a check box per row over its own RowTable. The table
// holds the truth (texts, check state, selection, focused row); the view mirrors it and writes
// the user's clicks back. Columns are addressed by data index (0 = row number column).
class ListView : public QTreeView, public ColumnTitles {
    Q_OBJECT
public:
    explicit ListView(const ListViewDesign& spec, QWidget* parent = nullptr);
    ~ListView() override;

    RowTable& table() { return table_; }
    const RowTable& table() const { return table_; }
    RowTableModel* rowModel() const { return model_; }
    const ListViewDesign& spec() const { return spec_; }
    ListHeader* listHeader() const { return header_; }

    int headerHeight() const;
    void setHeaderHeight(int height);
    // Places the view's select-all check box on the header's left corner.
    void setCornerCheckBox(QCheckBox* box);
    QCheckBox* cornerCheckBox() const { return corner_; }

    int columnCount() const { return static_cast<int>(spec_.columns.size()); }
    // Width by data index; a hidden column keeps the width it would have when shown.
    int columnWidthAt(int dataIndex) const;
    // Sets a width by data index, kept within the column's minimum and maximum.
    void setColumnWidthAt(int dataIndex, int width);
    bool columnShown(int dataIndex) const;
    QString columnCaption(int dataIndex) const;
    void setColumnCaption(int dataIndex, const QString& caption);
    int titledColumnCount() const override { return columnCount(); }
    QString columnTitle(int dataIndex) const override { return columnCaption(dataIndex); }
    void setColumnTitle(int dataIndex, const QString& title) override { setColumnCaption(dataIndex, title); }
    // The on-screen position of a column.
    int columnPosition(int dataIndex) const;

    // Row commands, all through the table so it stays the single source.
    void selectAllRows(bool on);
    void checkAllRows(bool on);
    void invertRows();
    void clearFocusedRow();
    void setFocusedRow(int row);
    // Sorts by a data index the way a header click does.
    void sortByColumnIndex(int dataIndex, Qt::SortOrder order);

signals:
    // The view got the keyboard focus (the form tracks the view entered last).
    void entered(ListView* view);
    void mouseMovedOver(ListView* view);
    void rowDoubleClicked(ListView* view, int row);
    // The user resized a column.
    void headerResized(ListView* view);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void applySpec();
    void onSectionResized(int logical, int oldSize, int newSize);
    void onHeaderClicked(int logical);
    void copyFlagsToSelection(int first, int last);
    void copyAllFromTable();
    void writeSelectionToTable(const QItemSelection& range, bool on);

    const ListViewDesign& spec_;
    RowTable table_;
    RowTableModel* model_ = nullptr;
    ListHeader* header_ = nullptr;
    QCheckBox* corner_ = nullptr;
    std::vector<int> widths_;  // by data index
    bool syncing_ = false;     // copying between table and selection model
    bool applyingWidth_ = false;
};
