#include "store/RowTable.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <string_view>
#include <utility>

namespace {

const std::string kEmpty;

unsigned char lowerAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

// Orders texts by ASCII letters without case first, then by bytes, so that distinct texts never
// compare equal (rows of one text stay together after a sort).
int compareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = lowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char y = lowerAscii(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

// Column texts with ASCII letters folded, in one buffer.
class FoldedKeys {
public:
    FoldedKeys(const RowTable& t, std::size_t column) {
        spans_.reserve(t.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            const std::string& s = t.text(i, column);
            spans_.emplace_back(buffer_.size(), s.size());
            for (char ch : s) buffer_ += static_cast<char>(lowerAscii(static_cast<unsigned char>(ch)));
        }
    }
    std::string_view key(std::size_t row) const {
        return std::string_view(buffer_).substr(spans_[row].first, spans_[row].second);
    }

private:
    std::string buffer_;
    std::vector<std::pair<std::size_t, std::size_t>> spans_;
};

// Captions are row numbers; anything that is not a number sorts after every number.
struct CaptionKey {
    bool number = false;
    long long value = 0;
};

CaptionKey captionKey(const std::string& s) {
    CaptionKey k;
    const char* end = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(s.data(), end, k.value);
    k.number = ec == std::errc() && ptr == end && !s.empty();
    return k;
}

int compareCaption(const CaptionKey& a, const CaptionKey& b) {
    if (a.number != b.number) return a.number ? -1 : 1;
    if (a.value != b.value) return a.value < b.value ? -1 : 1;
    return 0;
}

}  // namespace

const std::string& RowTable::text(std::size_t i, std::size_t c) const {
    const auto& cols = rows_[i].columns;
    return c < cols.size() ? cols[c] : kEmpty;
}

std::string RowTable::nextCaption() const { return std::to_string(rows_.size() + 1); }

std::size_t RowTable::append(Row row) {
    const std::size_t at = rows_.size();
    insert(at, std::move(row));
    return at;
}

std::size_t RowTable::appendTexts(std::vector<std::string> columns) {
    Row r;
    r.caption = nextCaption();
    r.columns = std::move(columns);
    return append(std::move(r));
}

void RowTable::appendRows(std::vector<Row> rows) {
    if (rows.empty()) return;
    const std::size_t first = rows_.size();
    if (observer_) observer_->aboutToInsertRows(first, rows.size());
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    if (observer_) observer_->rowsInserted(first, rows.size());
}

void RowTable::insert(std::size_t at, Row row) {
    at = std::min(at, rows_.size());
    if (observer_) observer_->aboutToInsertRows(at, 1);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    if (focused_ >= 0 && static_cast<std::size_t>(focused_) >= at) ++focused_;
    if (observer_) observer_->rowsInserted(at, 1);
}

void RowTable::removeRows(std::size_t first, std::size_t count) {
    if (first >= rows_.size() || count == 0) return;
    count = std::min(count, rows_.size() - first);
    if (observer_) observer_->aboutToRemoveRows(first, count);
    const auto begin = rows_.begin() + static_cast<std::ptrdiff_t>(first);
    rows_.erase(begin, begin + static_cast<std::ptrdiff_t>(count));
    if (focused_ >= 0) {
        const auto f = static_cast<std::size_t>(focused_);
        if (f >= first + count) focused_ -= static_cast<int>(count);
        else if (f >= first) focused_ = -1;
    }
    clampTop();
    if (observer_) observer_->rowsRemoved(first, count);
}

std::size_t RowTable::removeSelected() {
    std::size_t removed = 0;
    for (std::size_t i = rows_.size(); i-- > 0;) {
        if (!rows_[i].selected) continue;
        // Remove a whole run of selected rows at once.
        std::size_t first = i;
        while (first > 0 && rows_[first - 1].selected) --first;
        removeRows(first, i - first + 1);
        removed += i - first + 1;
        i = first;
    }
    return removed;
}

void RowTable::clear() { assign({}); }

void RowTable::assign(std::vector<Row> rows) {
    if (observer_) observer_->aboutToReset();
    rows_ = std::move(rows);
    focused_ = -1;
    top_ = 0;
    if (observer_) observer_->reset();
}

void RowTable::changed(std::size_t first, std::size_t last) {
    if (observer_) observer_->rowsChanged(first, last);
}

void RowTable::setText(std::size_t i, std::size_t c, std::string text) {
    auto& cols = rows_[i].columns;
    if (cols.size() <= c) cols.resize(c + 1);
    cols[c] = std::move(text);
    changed(i, i);
}

void RowTable::setColumns(std::size_t i, std::vector<std::string> columns) {
    rows_[i].columns = std::move(columns);
    changed(i, i);
}

void RowTable::clearColumns(std::size_t i, std::size_t emptyCount) {
    rows_[i].columns.assign(emptyCount, std::string());
    changed(i, i);
}

void RowTable::setCaption(std::size_t i, std::string caption) {
    rows_[i].caption = std::move(caption);
    changed(i, i);
}

void RowTable::setLink(std::size_t i, int link) {
    rows_[i].link = link;
    changed(i, i);
}

void RowTable::setUser(std::size_t i, long long value) {
    rows_[i].user = value;
    changed(i, i);
}

void RowTable::setChecked(std::size_t i, bool on) {
    if (rows_[i].checked == on) return;
    rows_[i].checked = on;
    changed(i, i);
}

void RowTable::setSelected(std::size_t i, bool on) {
    if (rows_[i].selected == on) return;
    rows_[i].selected = on;
    changed(i, i);
}

void RowTable::checkAll(bool on) {
    for (auto& r : rows_) r.checked = on;
    if (!rows_.empty()) changed(0, rows_.size() - 1);
}

void RowTable::selectAll(bool on) {
    for (auto& r : rows_) r.selected = on;
    if (!rows_.empty()) changed(0, rows_.size() - 1);
}

void RowTable::invert() {
    for (auto& r : rows_) {
        r.checked = !r.checked;
        r.selected = !r.selected;
    }
    if (!rows_.empty()) changed(0, rows_.size() - 1);
}

void RowTable::selectChecked() {
    for (auto& r : rows_) r.selected = r.checked;
    if (!rows_.empty()) changed(0, rows_.size() - 1);
}

std::size_t RowTable::checkedCount() const {
    return static_cast<std::size_t>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.checked; }));
}

std::size_t RowTable::selectedCount() const {
    return static_cast<std::size_t>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.selected; }));
}

void RowTable::setFocusedRow(int i) {
    focused_ = (i >= 0 && static_cast<std::size_t>(i) < rows_.size()) ? i : -1;
}

void RowTable::setTopRow(std::size_t i) {
    top_ = i;
    clampTop();
}

void RowTable::clampTop() {
    if (rows_.empty()) top_ = 0;
    else if (top_ >= rows_.size()) top_ = rows_.size() - 1;
}

void RowTable::scrollTo(std::size_t i) {
    if (i < rows_.size() && observer_) observer_->scrollToRow(i);
}

RowTable::Order RowTable::sortOrder(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= orders_.size()) return Order::Ascending;
    return orders_[static_cast<std::size_t>(column)];
}

void RowTable::setSortOrder(int column, Order order) {
    if (column < 0) return;
    if (static_cast<std::size_t>(column) >= orders_.size()) orders_.resize(static_cast<std::size_t>(column) + 1, Order::Ascending);
    orders_[static_cast<std::size_t>(column)] = order;
}

void RowTable::sortBy(int column, Order order) {
    sortColumn_ = column;
    setSortOrder(column, order);
    sort();
}

std::vector<std::size_t> RowTable::sortedOrder(int column, Order order) const {
    std::vector<std::size_t> idx(rows_.size());
    std::iota(idx.begin(), idx.end(), std::size_t{0});
    const int sign = order == Order::Descending ? -1 : 1;
    if (column == 0) {
        std::vector<CaptionKey> keys;
        keys.reserve(rows_.size());
        for (const auto& r : rows_) keys.push_back(captionKey(r.caption));
        std::stable_sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) {
            int c = compareCaption(keys[a], keys[b]);
            if (c == 0 && !keys[a].number) c = compareText(rows_[a].caption, rows_[b].caption);
            return sign * c < 0;
        });
    } else {
        // Folded texts side by side in one buffer: the comparisons stay in cache.
        const auto c = static_cast<std::size_t>(column - 1);
        const FoldedKeys keys(*this, c);
        std::stable_sort(idx.begin(), idx.end(), [&](std::size_t a, std::size_t b) {
            int r = keys.key(a).compare(keys.key(b));
            if (r == 0) r = text(a, c).compare(text(b, c));
            return sign * r < 0;
        });
    }
    return idx;
}

void RowTable::applyOrder(const std::vector<std::size_t>& order) {
    std::vector<Row> sortedRows;
    sortedRows.reserve(rows_.size());
    int focused = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (focused_ >= 0 && order[i] == static_cast<std::size_t>(focused_)) focused = static_cast<int>(i);
        sortedRows.push_back(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sortedRows);
    focused_ = focused;
}

void RowTable::sort() {
    if (sortColumn_ < 0 || rows_.size() < 2) return;
    if (observer_) observer_->aboutToSort();
    applyOrder(sortedOrder(sortColumn_, sortOrder(sortColumn_)));
    if (observer_) observer_->sorted();
}

void RowTable::beginUpdate() {
    if (updateDepth_++ == 0 && observer_) observer_->updatesSuspended(true);
}

void RowTable::endUpdate() {
    if (updateDepth_ > 0 && --updateDepth_ == 0 && observer_) observer_->updatesSuspended(false);
}
