#include "store/CatalogRows.h"

#include "store/CatalogList.h"
#include "store/EntryLine.h"
#include "store/NameIndex.h"

#include <algorithm>
#include <unordered_set>

std::size_t CatalogRows::catalogColumn(Kind kind) { return kind == Kind::Phone ? 4 : 2; }

std::string CatalogRows::fileUnder(std::string catalog, const CatalogCaptions& names) {
    if (catalog.empty() || catalog == names.rootCaption) return names.defaultName;
    return catalog;
}

Row CatalogRows::phoneRow(std::string_view line, std::string catalog, const CatalogCaptions& names,
                          std::size_t rowNumber) {
    Row r;
    r.caption = std::to_string(rowNumber);
    r.columns = EntryLine::fields(line, 4);
    r.columns.push_back(fileUnder(std::move(catalog), names));
    return r;
}

Row CatalogRows::messageRow(std::string_view line, std::string catalog, const CatalogCaptions& names,
                            const NameIndex& pcNames, std::size_t rowNumber) {
    Row r;
    r.caption = std::to_string(rowNumber);
    r.columns = EntryLine::fields(line, 2);
    r.columns.push_back(fileUnder(std::move(catalog), names));
    r.columns.push_back(pcNames.senderName(r.columns[1], r.columns[0]));
    return r;
}

bool CatalogRows::addPhoneRow(RowTable& view, std::string_view line, std::string catalog, const CatalogCaptions& names) {
    if (line == EntryLine::kEmptyCardPhone) return false;
    view.append(phoneRow(line, std::move(catalog), names, view.size() + 1));
    return true;
}

void CatalogRows::addMessageRow(RowTable& view, std::string_view line, std::string catalog,
                                const CatalogCaptions& names, const NameIndex& pcNames) {
    view.append(messageRow(line, std::move(catalog), names, pcNames, view.size() + 1));
}

void CatalogRows::showCatalog(Kind kind, RowTable& view, const CatalogList& list, const std::string& node,
                              const CatalogCaptions& names, const NameIndex& pcNames) {
    std::vector<Row> rows;
    auto addLines = [&](const Catalog& c) {
        for (const auto& line : c.lines) {
            if (kind == Kind::Phone && line == EntryLine::kEmptyCardPhone) continue;
            rows.push_back(kind == Kind::Phone ? phoneRow(line, c.name, names, rows.size() + 1)
                                               : messageRow(line, c.name, names, pcNames, rows.size() + 1));
        }
    };
    if (node == names.rootCaption) {
        rows.reserve(list.entryCount());
        for (const auto& c : list) addLines(c);
    } else {
        auto it = std::find_if(list.begin(), list.end(), [&](const Catalog& c) { return c.name == node; });
        if (it != list.end()) addLines(*it);
    }
    view.assign(std::move(rows));
}

std::string CatalogRows::lineOf(Kind kind, const RowTable& view, std::size_t row) {
    if (kind == Kind::Message)
        return EntryLine::join({EntryLine::encodeLineBreaks(view.text(row, 0)), view.text(row, 1), view.text(row, 2)});
    std::vector<std::string> fields;
    for (std::size_t c = 0; c < 4; ++c) fields.push_back(EntryLine::encodeLineBreaks(view.text(row, c)));
    return EntryLine::join(fields);
}

bool CatalogRows::writeBack(Kind kind, RowTable& view, const std::string& catalog, CatalogList& list,
                            const std::vector<std::string>& treeNodes, const CatalogCaptions& names) {
    if (treeNodes.empty()) return false;
    RowTable::UpdateGuard suspended(view);
    if (catalog != names.rootCaption) writeBackOne(kind, view, catalog, list);
    else if (!view.empty()) writeBackAll(kind, view, list, treeNodes);
    return true;
}

void CatalogRows::writeBackOne(Kind kind, const RowTable& view, const std::string& catalog, CatalogList& list) {
    Catalog* target = list.find(catalog);
    if (!target) return;
    std::vector<std::string> lines;
    lines.reserve(view.size());
    for (std::size_t i = 0; i < view.size(); ++i) lines.push_back(lineOf(kind, view, i));
    target->lines = std::move(lines);
}

void CatalogRows::writeBackAll(Kind kind, RowTable& view, CatalogList& list, const std::vector<std::string>& treeNodes) {
    const std::size_t textColumn = catalogColumn(kind);
    const int viewColumn = static_cast<int>(textColumn) + 1;
    const int oldSortColumn = view.sortColumn();
    const RowTable::Order oldOrder = view.sortOrder(viewColumn);

    view.sortBy(viewColumn, RowTable::Order::Descending);
    list.clear();
    Catalog* current = nullptr;
    std::unordered_set<std::string> rebuilt;
    for (std::size_t i = 0; i < view.size(); ++i) {
        const std::string& name = view.text(i, textColumn);
        if (!current || current->name != name) {
            current = &list.append(name);
            rebuilt.insert(name);
        }
        current->lines.push_back(lineOf(kind, view, i));
    }
    for (std::size_t n = 1; n < treeNodes.size(); ++n)
        if (rebuilt.insert(treeNodes[n]).second) list.append(treeNodes[n]);

    view.setSortColumn(oldSortColumn);
    view.setSortOrder(viewColumn, oldOrder);
    view.sort();
}
