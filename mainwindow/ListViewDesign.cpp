#include "mainwindow/ListViewDesign.h"

#include <stdexcept>
#include <string>

namespace {

constexpr const char* kNumberCaption = "    編號";

std::vector<ColumnSpec> cardPhoneColumns()
{
    return {
        {0, kNumberCaption, 112, 20, 120, true, 0},
        {1, "姓名", 120, 60, 240, true, 1},
        {2, "電話", 160, 60, 360, true, 2},
    };
}

std::vector<ColumnSpec> cardMessageColumns()
{
    return {
        {0, kNumberCaption, 112, 20, 120, true, 0},
        {1, "簡訊", 500, 60, 800, true, 2},
        {2, "電話", 160, 60, 360, false, 3},
        {3, "Name", 120, 0, 10000, true, 1},
        {4, "Type", 120, 0, 10000, true, 4},
    };
}

std::vector<ListViewDesign> buildAll()
{
    ListViewDesign phone{"etPhone", 26, 30, 0, {
        {0, kNumberCaption, 90, 90, 200, true, 0},
        {1, "姓名", 125, 60, 240, true, 1},
        {2, "電話", 144, 60, 360, true, 2},
        {3, "電子郵件", 160, 0, 360, true, 3},
        {4, "備註", 120, 0, 600, true, 4},
        {5, "類別", 120, 40, 240, true, 5},
    }};
    ListViewDesign pcMessage{"etPCMessage", 26, 26, 0, {
        {0, kNumberCaption, 90, 90, 200, true, 0},
        {1, "簡訊內容", 500, 60, 800, true, 3},
        {2, "電話", 120, 0, 10000, false, 1},
        {3, "類別", 144, 60, 360, true, 4},
        {4, "姓名", 120, 30, 10000, true, 2},
    }};
    ListViewDesign sim{"etSim", 26, 30, 0, cardPhoneColumns()};
    ListViewDesign simShow{"etSim_Show", 26, 30, 1, cardPhoneColumns()};
    simShow.columns.push_back({3, "Index", 120, 0, 10000, false, 3});
    ListViewDesign simMessage{"etSimMessage", 26, 26, 0, cardMessageColumns()};
    ListViewDesign simMessageShow{"etSimMessage_Show", 28, 30, 0, cardMessageColumns()};
    simMessageShow.columns[4].caption = "Index";
    simMessageShow.columns[4].visible = false;
    return {phone, pcMessage, sim, simShow, simMessage, simMessageShow};
}

}  // namespace

const std::vector<ListViewDesign>& ListViewDesign::all()
{
    static const std::vector<ListViewDesign> specs = buildAll();
    return specs;
}

const ListViewDesign& ListViewDesign::forName(std::string_view name)
{
    for (const ListViewDesign& spec : all())
        if (name == spec.name) return spec;
    throw std::out_of_range("no list view named " + std::string(name));
}
