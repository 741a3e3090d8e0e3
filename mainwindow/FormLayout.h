#pragma once
#include <QString>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QToolButton;
class QWidget;
struct FormWidgets;

// Builds the controls of the main window into `w`, each named after its component.
class FormLayout {
public:
    static void build(QMainWindow* window, FormWidgets& w);

    static constexpr int kTopHeight = 17;
    static constexpr int kToolbarHeight = 51;
    static constexpr int kLeftWidth = 66;
    static constexpr int kTransferWidth = 32;
    static constexpr int kCardWidth = 388;
    static constexpr int kCatalogWidth = 135;
    static constexpr int kSplitMinimum = 200;
    static constexpr int kPanelMinimum = 100;

private:
    static QWidget* buildToolbar(FormWidgets& w);
    static QWidget* buildLeftColumn(FormWidgets& w);
    static QWidget* buildPcArea(FormWidgets& w);
    static QWidget* buildPcPanel(FormWidgets& w, bool phone);
    static QWidget* buildTransferStrip(FormWidgets& w);
    static QWidget* buildCardArea(FormWidgets& w);
    static void buildStatusBar(QMainWindow* window, FormWidgets& w);

    static QWidget* panel(const char* name, QWidget* parent = nullptr);
    static QLabel* caption(const char* name, const QString& text, QWidget* parent = nullptr);
    static QToolButton* speedButton(const char* name, QWidget* parent, int width, int height);
    static QCheckBox* headerCheck(const char* name);
    static QPushButton* headerButton(QLabel* header, const char* name, const char* text);
};
