#pragma once
#include <string_view>
#include <vector>

// One column of a list view, by data index: index 0 is the row-number column, index i > 0 shows
// the row's column text i - 1. Captions are the built-in (design) texts in UTF-8.
struct ColumnSpec {
    int dataIndex = 0;
    const char* caption = "";
    int width = 100;
    int minWidth = 0;
    int maxWidth = 10000;
    bool visible = true;
    int position = 0;  // on-screen position, 0 = leftmost
};

// The fixed layout of one of the six list views of the main window.
struct ListViewDesign {
    const char* name = "";  // component name, used as objectName
    int rowHeight = 26;
    int headerHeight = 30;
    int sortColumn = 0;
    std::vector<ColumnSpec> columns;  // ordered by data index

    // The design of the view with this component name; throws std::out_of_range for an unknown name.
    static const ListViewDesign& forName(std::string_view name);
    // All six, in the order etPhone, etPCMessage, etSim, etSim_Show, etSimMessage, etSimMessage_Show.
    static const std::vector<ListViewDesign>& all();
};
