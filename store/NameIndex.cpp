#include "store/NameIndex.h"

#include "store/EntryLine.h"
#include "store/RowTable.h"

void NameIndex::clear() {
    lines_.clear();
    byNumber_.clear();
}

void NameIndex::add(std::string line) {
    std::string_view rest = line;
    EntryLine::takeNextField(rest);
    std::string number = EntryLine::takeNextField(rest);
    if (!number.empty() && number[0] == '+') number.erase(0, 1);
    byNumber_.try_emplace(std::move(number), lines_.size());
    lines_.push_back(std::move(line));
}

std::string NameIndex::senderName(std::string_view number, std::string_view text) const {
    if (text.empty()) return {};
    auto it = byNumber_.find(std::string(number));
    if (it == byNumber_.end()) return {};
    std::string_view line = lines_[it->second];
    return EntryLine::takeNextField(line);
}

void NameIndex::buildFromCardView(const RowTable& view, const std::function<void(std::size_t)>& onRow) {
    if (view.empty()) return;
    clear();
    lines_.reserve(view.size());
    for (std::size_t i = 0; i < view.size(); ++i) {
        add(EntryLine::join({view.text(i, 0), view.text(i, 1)}));
        if (onRow) onRow(i);
    }
}
