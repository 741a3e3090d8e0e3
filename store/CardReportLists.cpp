#include "store/CardReportLists.h"

#include <utility>

void CardReportLists::append(Kind kind, std::string_view item)
{
    std::string& list = lists_[index(kind)];
    list.append(item);
    list.push_back(',');
}

std::string CardReportLists::take(Kind kind)
{
    return std::exchange(lists_[index(kind)], std::string());
}

void CardReportLists::clear()
{
    for (std::string& list : lists_) list.clear();
}
