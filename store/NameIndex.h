#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class RowTable;

// A list of phone entry lines (name, number, ...) that gives messages their sender name:
// the PC name index (from the PC phone file) and the card name index (from the card phone view).
// The look-up is hashed: number (without one leading "+") -> name of the first line with it.
class NameIndex {
public:
    void clear();
    void add(std::string line);
    const std::vector<std::string>& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }

    // Name of the first line whose number, after dropping one leading "+", equals `number`
    // byte for byte; empty when none matches or when `text` (the message) is empty.
    std::string senderName(std::string_view number, std::string_view text) const;

    // Rebuilds the index from the card phone view: one line "name\tnumber" per row from column
    // texts 0 and 1, in row order. `onRow` runs after each row (progress, responsiveness).
    // An empty view leaves the index as it is.
    void buildFromCardView(const RowTable& view, const std::function<void(std::size_t)>& onRow = {});

private:
    std::vector<std::string> lines_;
    std::unordered_map<std::string, std::size_t> byNumber_;  // number -> first line
};
