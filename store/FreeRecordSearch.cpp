#include "store/FreeRecordSearch.h"

#include <algorithm>

bool FreeRecordSearch::isBlank(const Row& row)
{
    if (row.columns.size() > kStatusColumn) {
        const std::string& status = row.columns[kStatusColumn];
        if (!status.empty() && status != "0") return false;
    }
    const std::size_t used = std::min<std::size_t>(row.columns.size(), kEntryColumns);
    return std::all_of(row.columns.begin(), row.columns.begin() + used, [](const std::string& text) {
        return text.find_first_not_of(' ') == std::string::npos;
    });
}

std::optional<std::size_t> FreeRecordSearch::scan(const RowTable& table, std::size_t end, std::size_t& cursor)
{
    while (cursor < end && !isBlank(table.row(cursor))) ++cursor;
    if (cursor < end) return cursor;
    return std::nullopt;
}

std::optional<std::size_t> FreeRecordSearch::choose(RowTable& table, std::size_t capacity, std::size_t& cursor)
{
    if (table.size() < capacity) return table.appendTexts({});
    const std::size_t end = std::min(capacity, table.size());
    auto found = scan(table, end, cursor);
    if (!found) {
        cursor = 0;
        found = scan(table, end, cursor);
    }
    if (!found) {
        cursor = 0;
        return std::nullopt;
    }
    table.clearColumns(*found);
    return found;
}
