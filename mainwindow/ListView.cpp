#include "mainwindow/ListView.h"

#include "mainwindow/DragAcceptance.h"

#include "mainwindow/ListHeader.h"
#include "mainwindow/RowTableModel.h"

#include <QCheckBox>
#include <QDragMoveEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

ListView::ListView(const ListViewDesign& spec, QWidget* parent) : QTreeView(parent), spec_(spec)
{
    setObjectName(QString::fromUtf8(spec.name));
    model_ = new RowTableModel(table_, columnCount(), this);
    header_ = new ListHeader(this);
    setHeader(header_);
    setModel(model_);

    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    DragAcceptance::enable(this);
    setMouseTracking(true);
    setTextElideMode(Qt::ElideRight);
    applySpec();

    connect(header_, &QHeaderView::sectionResized, this, &ListView::onSectionResized);
    connect(header_, &QHeaderView::sectionClicked, this, &ListView::onHeaderClicked);
    connect(model_, &RowTableModel::rowFlagsChanged, this, &ListView::copyFlagsToSelection);
    connect(model_, &RowTableModel::rowsRearranged, this, &ListView::copyAllFromTable);
    connect(model_, &RowTableModel::updatesPaused, this, [this](bool paused) { setUpdatesEnabled(!paused); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        const QModelIndex top = indexAt(QPoint(0, 0));
        table_.setTopRow(top.isValid() ? static_cast<size_t>(top.row()) : 0);
    });
    connect(model_, &RowTableModel::scrollRequested, this, [this](int row) { scrollTo(model_->index(row, 0)); });
}

ListView::~ListView() = default;

void ListView::applySpec()
{
    model_->setRowHeight(spec_.rowHeight);
    header_->setHeaderHeight(spec_.headerHeight);
    widths_.assign(spec_.columns.size(), 0);
    applyingWidth_ = true;
    for (const ColumnSpec& c : spec_.columns) {
        model_->setColumnCaption(c.dataIndex, QString::fromUtf8(c.caption));
        widths_[static_cast<size_t>(c.dataIndex)] = c.width;
        header_->resizeSection(c.dataIndex, c.width);
        header_->setSectionHidden(c.dataIndex, !c.visible);
    }
    applyingWidth_ = false;
    // Place columns by on-screen position, leftmost first.
    std::vector<ColumnSpec> byPosition = spec_.columns;
    std::sort(byPosition.begin(), byPosition.end(), [](const ColumnSpec& a, const ColumnSpec& b) {
        return a.position < b.position;
    });
    for (int visual = 0; visual < static_cast<int>(byPosition.size()); ++visual)
        header_->moveSection(header_->visualIndex(byPosition[static_cast<size_t>(visual)].dataIndex), visual);
    header_->setSectionsClickable(true);
    header_->setSectionsMovable(true);
    header_->setSortIndicatorShown(true);
    table_.setSortColumn(spec_.sortColumn);
    header_->setSortIndicator(spec_.sortColumn, Qt::AscendingOrder);
}

int ListView::headerHeight() const { return header_->headerHeight(); }

void ListView::setHeaderHeight(int height) { header_->setHeaderHeight(height); }

void ListView::setCornerCheckBox(QCheckBox* box)
{
    corner_ = box;
    header_->setCornerWidget(box);
}

int ListView::columnWidthAt(int dataIndex) const
{
    if (dataIndex < 0 || dataIndex >= columnCount()) return 0;
    return widths_[static_cast<size_t>(dataIndex)];
}

void ListView::setColumnWidthAt(int dataIndex, int width)
{
    if (dataIndex < 0 || dataIndex >= columnCount()) return;
    const ColumnSpec& c = spec_.columns[static_cast<size_t>(dataIndex)];
    width = std::clamp(width, c.minWidth, std::max(c.minWidth, c.maxWidth));
    widths_[static_cast<size_t>(dataIndex)] = width;
    applyingWidth_ = true;
    if (!header_->isSectionHidden(dataIndex)) header_->resizeSection(dataIndex, width);
    applyingWidth_ = false;
}

bool ListView::columnShown(int dataIndex) const { return !header_->isSectionHidden(dataIndex); }

QString ListView::columnCaption(int dataIndex) const { return model_->columnCaption(dataIndex); }

void ListView::setColumnCaption(int dataIndex, const QString& caption) { model_->setColumnCaption(dataIndex, caption); }

int ListView::columnPosition(int dataIndex) const { return header_->visualIndex(dataIndex); }

void ListView::onSectionResized(int logical, int, int newSize)
{
    if (applyingWidth_ || header_->isSectionHidden(logical) || logical >= columnCount()) return;
    const ColumnSpec& c = spec_.columns[static_cast<size_t>(logical)];
    const int kept = std::clamp(newSize, c.minWidth, std::max(c.minWidth, c.maxWidth));
    widths_[static_cast<size_t>(logical)] = kept;
    if (kept != newSize) {
        applyingWidth_ = true;
        header_->resizeSection(logical, kept);
        applyingWidth_ = false;
    }
    emit headerResized(this);
}

void ListView::onHeaderClicked(int logical)
{
    const Qt::SortOrder order = header_->sortIndicatorOrder();
    model_->sort(logical, order);
}

void ListView::sortByColumnIndex(int dataIndex, Qt::SortOrder order)
{
    header_->setSortIndicator(dataIndex, order);
    model_->sort(dataIndex, order);
}

void ListView::selectAllRows(bool on) { table_.selectAll(on); }

void ListView::checkAllRows(bool on) { table_.checkAll(on); }

void ListView::invertRows() { table_.invert(); }

void ListView::clearFocusedRow() { setFocusedRow(-1); }

void ListView::setFocusedRow(int row)
{
    table_.setFocusedRow(row);
    syncing_ = true;
    selectionModel()->setCurrentIndex(table_.focusedRow() < 0 ? QModelIndex() : model_->index(table_.focusedRow(), 0),
                                      QItemSelectionModel::NoUpdate);
    syncing_ = false;
}

// Runs of rows with the same selected flag become one selection range each.
void ListView::copyFlagsToSelection(int first, int last)
{
    if (syncing_) return;
    syncing_ = true;
    QItemSelection on;
    QItemSelection off;
    const int lastColumn = columnCount() - 1;
    for (int r = first; r <= last;) {
        const bool selected = table_.row(static_cast<size_t>(r)).selected;
        int end = r;
        while (end < last && table_.row(static_cast<size_t>(end + 1)).selected == selected) ++end;
        (selected ? on : off).select(model_->index(r, 0), model_->index(end, lastColumn));
        r = end + 1;
    }
    selectionModel()->select(off, QItemSelectionModel::Deselect);
    selectionModel()->select(on, QItemSelectionModel::Select);
    syncing_ = false;
}

void ListView::copyAllFromTable()
{
    syncing_ = true;
    selectionModel()->clearSelection();
    syncing_ = false;
    if (!table_.empty()) copyFlagsToSelection(0, static_cast<int>(table_.size()) - 1);
    setFocusedRow(table_.focusedRow());
}

void ListView::writeSelectionToTable(const QItemSelection& range, bool on)
{
    for (const QItemSelectionRange& r : range)
        for (int row = r.top(); row <= r.bottom() && row < static_cast<int>(table_.size()); ++row)
            table_.setSelected(static_cast<size_t>(row), on);
}

void ListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    if (syncing_) return;
    syncing_ = true;
    writeSelectionToTable(deselected, false);
    writeSelectionToTable(selected, true);
    syncing_ = false;
}

void ListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTreeView::currentChanged(current, previous);
    if (!syncing_) table_.setFocusedRow(current.isValid() ? current.row() : -1);
}

void ListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    emit entered(this);
}

void ListView::mouseMoveEvent(QMouseEvent* event)
{
    QTreeView::mouseMoveEvent(event);
    emit mouseMovedOver(this);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid()) emit rowDoubleClicked(this, at.row());
}

// Drags are accepted everywhere so the drop cursor shows, but a drop changes nothing: entries
// move only through the transfer and edit commands.
void ListView::dragEnterEvent(QDragEnterEvent* event) { DragAcceptance::accept(event); }

void ListView::dragMoveEvent(QDragMoveEvent* event) { DragAcceptance::accept(event); }

void ListView::dropEvent(QDropEvent* event) { DragAcceptance::ignoreDrop(event); }
