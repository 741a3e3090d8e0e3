#pragma once
#include <QString>

// Column titles of a multi-column list, addressed by data index (0 = the row-number column).
// A list view implements it so that localised titles can be applied to it by name.
class ColumnTitles {
public:
    virtual ~ColumnTitles() = default;
    virtual int titledColumnCount() const = 0;
    virtual QString columnTitle(int dataIndex) const = 0;
    virtual void setColumnTitle(int dataIndex, const QString& title) = 0;
};
