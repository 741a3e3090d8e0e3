#pragma once

class QMainWindow;
class QMenu;
class QAction;
class QWidget;
struct FormWidgets;

// Builds the menu bar and the catalog-tree popup of the main window, every item named after its
// component. Hidden items are created hidden; nothing is connected here. Needs the trees built.
class FormMenus {
public:
    static void build(QMainWindow* window, FormWidgets& w);

private:
    static QMenu* menu(QMainWindow* window, const char* name, const char* title);
    static QAction* item(QMenu* menu, const char* name, const char* text, bool visible = true);
};
