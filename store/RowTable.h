#pragma once
#include <cstddef>
#include <string>
#include <vector>

// One row of a list: the caption shown in view column 0 (the row number) and the texts of the
// further columns, all ANSI bytes.
struct Row {
    std::string caption;
    std::vector<std::string> columns;  // view column c (c >= 1) shows columns[c - 1]
    bool checked = false;
    bool selected = false;
    int link = -1;        // e.g. the record row a shown card row points at; -1 when none
    long long user = 0;   // free for the owner of the table
};

// Told about every change of a RowTable so that a view model can follow without copying.
// "About to" calls come before the rows change, the others after; every call has a default
// that does nothing. A batched append or a removal of a range is one notification.
class RowTableObserver {
public:
    virtual ~RowTableObserver() = default;
    virtual void aboutToReset() {}
    virtual void reset() {}
    virtual void aboutToInsertRows(std::size_t /*first*/, std::size_t /*count*/) {}
    virtual void rowsInserted(std::size_t /*first*/, std::size_t /*count*/) {}
    virtual void aboutToRemoveRows(std::size_t /*first*/, std::size_t /*count*/) {}
    virtual void rowsRemoved(std::size_t /*first*/, std::size_t /*count*/) {}
    // Texts, check state, selection or link of rows [first, last] changed.
    virtual void rowsChanged(std::size_t /*first*/, std::size_t /*last*/) {}
    virtual void aboutToSort() {}
    virtual void sorted() {}
    // Repainting should pause (true) or resume (false); nested begin/end pairs give one call each.
    virtual void updatesSuspended(bool /*suspended*/) {}
    // The owner asks the view to scroll the row into sight.
    virtual void scrollToRow(std::size_t /*row*/) {}
};

// The plain row table behind every list view of the program, free of any GUI type.
//
// Invariants:
// - rows are kept in one vector in view order; indices are 0-based and dense;
// - focusedRow() is -1 or a valid index; it follows its row through insert, remove and sort,
//   and becomes -1 when its row is removed; topRow() is clamped into [0, size) (0 when empty);
// - view column 0 is the caption and sorts numerically; view column c >= 1 is columns[c - 1]
//   and sorts as text (ASCII letters without case, then bytes); a missing text sorts as empty;
// - every column keeps its own sort direction; sorting is stable;
// - every change reaches the observer exactly once, in order; the table never calls back into
//   itself from a notification.
class RowTable {
public:
    enum class Order { Ascending, Descending };

    RowTable() = default;
    RowTable(const RowTable&) = delete;
    RowTable& operator=(const RowTable&) = delete;

    void setObserver(RowTableObserver* observer) { observer_ = observer; }
    RowTableObserver* observer() const { return observer_; }

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const Row& row(std::size_t i) const { return rows_[i]; }
    const std::vector<Row>& rows() const { return rows_; }
    // Column text `c` (0-based index into columns) of row `i`; empty when the row has fewer texts.
    const std::string& text(std::size_t i, std::size_t c) const;
    // The caption of the next appended row: the row count + 1 in decimal.
    std::string nextCaption() const;

    void reserve(std::size_t n) { rows_.reserve(n); }
    // Appends and returns the new row's index.
    std::size_t append(Row row);
    // Appends a row with caption nextCaption() and the given texts.
    std::size_t appendTexts(std::vector<std::string> columns);
    // Appends all rows with one notification.
    void appendRows(std::vector<Row> rows);
    void insert(std::size_t at, Row row);
    void remove(std::size_t i) { removeRows(i, 1); }
    void removeRows(std::size_t first, std::size_t count);
    // Removes every row whose selected flag is set, from the last to the first.
    std::size_t removeSelected();
    void clear();
    // Replaces all rows with one reset notification.
    void assign(std::vector<Row> rows);

    void setText(std::size_t i, std::size_t c, std::string text);
    void setColumns(std::size_t i, std::vector<std::string> columns);
    // The row loses its column texts and gets `emptyCount` empty ones.
    void clearColumns(std::size_t i, std::size_t emptyCount = 0);
    void setCaption(std::size_t i, std::string caption);
    void setLink(std::size_t i, int link);
    void setUser(std::size_t i, long long value);
    void setChecked(std::size_t i, bool on);
    void setSelected(std::size_t i, bool on);

    void checkAll(bool on);
    void selectAll(bool on);
    // Inverts check state and selection of every row.
    void invert();
    // Sets every row's selection to its check state.
    void selectChecked();
    std::size_t checkedCount() const;
    std::size_t selectedCount() const;

    int focusedRow() const { return focused_; }
    void setFocusedRow(int i);
    std::size_t topRow() const { return top_; }
    void setTopRow(std::size_t i);
    void scrollTo(std::size_t i);

    // Sort column -1 means unsorted. sort() uses the column's own direction.
    int sortColumn() const { return sortColumn_; }
    void setSortColumn(int column) { sortColumn_ = column; }
    Order sortOrder(int column) const;
    void setSortOrder(int column, Order order);
    // Sorts by the sort column in its direction (nothing when unsorted).
    void sort();
    // Makes `column` the sort column with the given direction and sorts.
    void sortBy(int column, Order order);

    // Suspends repainting; pairs nest. UpdateGuard ends the pair also on an exception.
    void beginUpdate();
    void endUpdate();
    class UpdateGuard {
    public:
        explicit UpdateGuard(RowTable& t) : t_(t) { t_.beginUpdate(); }
        ~UpdateGuard() { t_.endUpdate(); }
        UpdateGuard(const UpdateGuard&) = delete;
        UpdateGuard& operator=(const UpdateGuard&) = delete;
    private:
        RowTable& t_;
    };

private:
    void changed(std::size_t first, std::size_t last);
    void clampTop();
    void applyOrder(const std::vector<std::size_t>& order);
    std::vector<std::size_t> sortedOrder(int column, Order order) const;

    std::vector<Row> rows_;
    std::vector<Order> orders_;  // per view column; Ascending when not set
    RowTableObserver* observer_ = nullptr;
    int focused_ = -1;
    std::size_t top_ = 0;
    int sortColumn_ = -1;
    int updateDepth_ = 0;
};
