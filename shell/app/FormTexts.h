#pragma once
#include "shell/LocalTexts.h"

#include <QString>

class QObject;
class QWidget;

// Applies localised captions to a window by walking its children by object name:
//   - the window title from the key named like the window;
//   - QLabel, QAbstractButton, QAction text; QMenu and QGroupBox titles; the tab of a
//     QTabWidget page; each from the key named like the object, kept when the key is missing;
//   - speed buttons (every QToolButton, or any button with the dynamic property
//     "speedButton" = true): tool tip from the key name + "Hint", defaulting to the caption;
//   - column titles of lists that implement ColumnTitles (or any item view whose model takes
//     header data), from the main window's column keys.
// A CR in a value (written "#13" in the file) becomes a line break.
class FormTexts {
public:
    // Main window: section "FormSimCard" of the loaded language file, with tool tips and column
    // titles; the localised window caption also becomes the application title.
    static void applyMainWindow(QWidget* window);
    // A dialog: the section named like the dialog's object name, read by the dialog rule.
    static void applyDialog(QWidget* dialog, LocalTexts::DialogRule rule = LocalTexts::DialogRule::Standard);

    // Window caption and component captions from `texts`.
    static void applyCaptions(QWidget* form, const FormTextSource& texts);
    // Tool tips of the speed buttons.
    static void applyToolTips(QWidget* form, const FormTextSource& texts);
    // Titles of the six lists of the main window.
    static void applyColumnTitles(QWidget* form, const FormTextSource& texts);

    // An ANSI value as shown on screen: CR LF and lone CRs become line breaks.
    static QString screenText(const std::string& ansi);

private:
    static bool applyCaption(QObject* object, const FormTextSource& texts);
};
