#pragma once
#include <string>
#include <string_view>

// The three lists of refused entries that the transfer and paste commands report: each a
// sequence of items, every item followed by ",". A list is emptied only when it is reported.
class CardReportLists {
public:
    enum class Kind { Duplicate, LongName, LongMessage };

    void append(Kind kind, std::string_view item);
    const std::string& text(Kind kind) const { return lists_[index(kind)]; }
    bool empty(Kind kind) const { return lists_[index(kind)].empty(); }
    // The list's text; the list is empty afterwards.
    std::string take(Kind kind);
    void clear();

private:
    static int index(Kind kind) { return static_cast<int>(kind); }
    std::string lists_[3];
};
