#pragma once
#include <QString>

#include <initializer_list>
#include <string>

class QWidget;

// Localised texts for the dialogs: numbered message texts and the captions of a dialog's controls.
class DialogTexts {
public:
    // Numbered text `n`, formatted with integer arguments when given.
    static std::string hint(int n, std::initializer_list<long long> args = {});
    // Applies the dialog's localised captions to its controls, by object name.
    static void apply(QWidget* dialog);
    // The dialogs' font: the system's icon font, 14 pixels high.
    static void setDialogFont(QWidget* dialog);
};
