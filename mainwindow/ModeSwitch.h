#pragma once
#include "store/StoreKind.h"

#include <functional>

class CatalogViews;
class HeaderChecks;
class ViewFocus;
struct FormState;
struct FormWidgets;

// Phone mode and message mode: which panels and views are shown, the mode buttons, and the
// PC list and catalog that come with each mode.
class ModeSwitch {
public:
    ModeSwitch(FormWidgets& w, HeaderChecks& checks, ViewFocus& focus, CatalogViews& catalogs)
        : w_(w), checks_(checks), focus_(focus), catalogs_(catalogs) {}

    void btnPhoneClick() { switchTo(StoreKind::Phone); }
    void btnMessageClick() { switchTo(StoreKind::Message); }
    // The mode whose card views are shown.
    StoreKind shownMode() const;

    // The card side of a switch (loading the mode's card file when needed); runs after the
    // panels changed and before the progress dialog is hidden.
    std::function<void(StoreKind)> cardStep;

private:
    void switchTo(StoreKind mode);
    void showPanels(StoreKind mode);
    void setButtons(StoreKind mode);

    FormWidgets& w_;
    HeaderChecks& checks_;
    ViewFocus& focus_;
    CatalogViews& catalogs_;
};
