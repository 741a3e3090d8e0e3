#pragma once
#include "store/RowTable.h"

#include <QAbstractTableModel>
#include <QStringList>

// Qt model over a RowTable: model column 0 is the row caption with the row's check box, model
// column c >= 1 is the row's column text c - 1. The table stays the only copy of the rows; the
// model follows its changes as the table's observer. While the table suspends updates the model
// gathers every change into one reset, so bulk fills cost one view relayout.
class RowTableModel : public QAbstractTableModel, private RowTableObserver {
    Q_OBJECT
public:
    RowTableModel(RowTable& table, int columnCount, QObject* parent = nullptr);
    ~RowTableModel() override;

    RowTable& table() { return table_; }
    const RowTable& table() const { return table_; }

    void setColumnCaption(int column, const QString& caption);
    QString columnCaption(int column) const;
    void setRowHeight(int height) { rowHeight_ = height; }
    int rowHeight() const { return rowHeight_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override;
    void sort(int column, Qt::SortOrder order) override;

signals:
    // Check state, selection or texts of rows [first, last] changed in the table.
    void rowFlagsChanged(int first, int last);
    // The table was reset or reordered: selection and current row must be taken from it again.
    void rowsRearranged();
    void updatesPaused(bool paused);
    void scrollRequested(int row);

private:
    void aboutToReset() override;
    void reset() override;
    void aboutToInsertRows(std::size_t first, std::size_t count) override;
    void rowsInserted(std::size_t first, std::size_t count) override;
    void aboutToRemoveRows(std::size_t first, std::size_t count) override;
    void rowsRemoved(std::size_t first, std::size_t count) override;
    void rowsChanged(std::size_t first, std::size_t last) override;
    void aboutToSort() override;
    void sorted() override;
    void updatesSuspended(bool suspended) override;
    void scrollToRow(std::size_t row) override;

    QString cellText(int row, int column) const;

    RowTable& table_;
    QStringList captions_;
    int rowHeight_ = 26;
    bool batching_ = false;  // inside a suspended-update bracket: one reset covers everything
};
