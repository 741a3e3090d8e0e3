#pragma once
#include "mainwindow/FormSettings.h"

class QMainWindow;
struct FormWidgets;

// Moves the settings between the settings file's values and the window: size and state, the
// width of the card panel and the column widths of the four stored lists.
class WindowSettings {
public:
    // The design values of the window as it was built.
    static FormSettings designValues(const FormWidgets& w);
    static void apply(QMainWindow* window, FormWidgets& w, const FormSettings& s);
    // The window's current values on top of `base` (which supplies what the window does not hold).
    static FormSettings capture(const QMainWindow* window, const FormWidgets& w, FormSettings base);
};
