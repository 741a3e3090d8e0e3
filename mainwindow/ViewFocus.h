#pragma once
#include <string>

class ListView;
class HeaderChecks;
struct FormState;
struct FormWidgets;

// Which list view the edit commands act on (the view entered last), the red/black colours of
// the area labels that show it, the status-line hints, and select all / invert selection.
class ViewFocus {
public:
    ViewFocus(FormWidgets& w, FormState& s, HeaderChecks& checks) : w_(w), s_(s), checks_(checks) {}

    // A list view got the focus.
    void elTreeEnter(ListView* view);
    // Colours the labels for the view named `viewName` (lower case).
    void colourLabels(const std::string& viewName);
    // The view with this lower-case name, or nullptr.
    ListView* viewNamed(const std::string& viewName) const;

    // Mouse over a PC list / over a catalog tree.
    void etPhoneMouseMove();
    void treeMouseMove();

    void meSelectAllClick();
    void meSelectNotClick();

private:
    FormWidgets& w_;
    FormState& s_;
    HeaderChecks& checks_;
};
