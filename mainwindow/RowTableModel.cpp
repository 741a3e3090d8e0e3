#include "mainwindow/RowTableModel.h"

#include "shell/app/QtText.h"

#include <QSize>

RowTableModel::RowTableModel(RowTable& table, int columnCount, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
    for (int i = 0; i < columnCount; ++i) captions_.append(QString());
    table_.setObserver(this);
}

RowTableModel::~RowTableModel()
{
    if (table_.observer() == this) table_.setObserver(nullptr);
}

void RowTableModel::setColumnCaption(int column, const QString& caption)
{
    if (column < 0 || column >= captions_.size()) return;
    captions_[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QString RowTableModel::columnCaption(int column) const
{
    return column >= 0 && column < captions_.size() ? captions_[column] : QString();
}

int RowTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(table_.size());
}

int RowTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QString RowTableModel::cellText(int row, int column) const
{
    const Row& r = table_.row(static_cast<std::size_t>(row));
    if (column == 0) return toQ(r.caption);
    return toQ(table_.text(static_cast<std::size_t>(row), static_cast<std::size_t>(column - 1)));
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const
{
    // Rows may be gone while a batched change is still open; answer nothing for them.
    if (!index.isValid() || index.row() >= static_cast<int>(table_.size())) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(index.row(), index.column());
    case Qt::CheckStateRole:
        if (index.column() != 0) return {};
        return table_.row(static_cast<std::size_t>(index.row())).checked ? Qt::Checked : Qt::Unchecked;
    case Qt::SizeHintRole:
        return QSize(1, rowHeight_);
    default:
        return {};
    }
}

bool RowTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) return false;
    if (index.row() >= static_cast<int>(table_.size())) return false;
    table_.setChecked(static_cast<std::size_t>(index.row()), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
    if (index.column() == 0) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return columnCaption(section);
}

bool RowTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return false;
    if (section < 0 || section >= captions_.size()) return false;
    setColumnCaption(section, value.toString());
    return true;
}

void RowTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= captions_.size()) return;
    table_.sortBy(column, order == Qt::AscendingOrder ? RowTable::Order::Ascending : RowTable::Order::Descending);
}

void RowTableModel::aboutToReset()
{
    if (!batching_) beginResetModel();
}

void RowTableModel::reset()
{
    if (batching_) return;
    endResetModel();
    emit rowsRearranged();
}

void RowTableModel::aboutToInsertRows(std::size_t first, std::size_t count)
{
    if (!batching_) beginInsertRows({}, static_cast<int>(first), static_cast<int>(first + count - 1));
}

void RowTableModel::rowsInserted(std::size_t, std::size_t)
{
    if (!batching_) endInsertRows();
}

void RowTableModel::aboutToRemoveRows(std::size_t first, std::size_t count)
{
    if (!batching_) beginRemoveRows({}, static_cast<int>(first), static_cast<int>(first + count - 1));
}

void RowTableModel::rowsRemoved(std::size_t, std::size_t)
{
    if (!batching_) endRemoveRows();
}

void RowTableModel::rowsChanged(std::size_t first, std::size_t last)
{
    if (batching_) return;
    emit dataChanged(index(static_cast<int>(first), 0), index(static_cast<int>(last), columnCount() - 1));
    emit rowFlagsChanged(static_cast<int>(first), static_cast<int>(last));
}

void RowTableModel::aboutToSort()
{
    if (!batching_) emit layoutAboutToBeChanged();
}

void RowTableModel::sorted()
{
    if (batching_) return;
    emit layoutChanged();
    emit rowsRearranged();
}

void RowTableModel::updatesSuspended(bool suspended)
{
    emit updatesPaused(suspended);
    if (suspended) {
        beginResetModel();
        batching_ = true;
    } else {
        batching_ = false;
        endResetModel();
        emit rowsRearranged();
    }
}

void RowTableModel::scrollToRow(std::size_t row)
{
    emit scrollRequested(static_cast<int>(row));
}
