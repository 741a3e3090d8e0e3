#include "mainwindow/WindowSettings.h"

#include "mainwindow/FormLayout.h"
#include "mainwindow/FormWidgets.h"
#include "mainwindow/ListView.h"

#include <QMainWindow>
#include <QSplitter>

namespace {

std::vector<int> widthsOf(const ListView* view)
{
    std::vector<int> widths;
    for (int i = 0; i < view->columnCount(); ++i) widths.push_back(view->columnWidthAt(i));
    return widths;
}

void setWidths(ListView* view, const std::vector<int>& widths)
{
    for (size_t i = 0; i < widths.size(); ++i) view->setColumnWidthAt(static_cast<int>(i), widths[i]);
}

}  // namespace

FormSettings WindowSettings::designValues(const FormWidgets& w)
{
    FormSettings s;
    s.simWidth = FormLayout::kCardWidth;
    s.simColWidths = widthsOf(w.etSim);
    s.simMsgColWidths = widthsOf(w.etSimMessage);
    s.pcColWidths = widthsOf(w.etPhone);
    s.pcMsgColWidths = widthsOf(w.etPCMessage);
    return s;
}

void WindowSettings::apply(QMainWindow* window, FormWidgets& w, const FormSettings& s)
{
    // A stored minimised state opens a normal window; anything but 0 and 1 opens maximised.
    window->resize(s.width, s.height);
    if (s.opensMaximized()) window->setWindowState(window->windowState() | Qt::WindowMaximized);
    const int total = std::max(window->width(), s.simWidth + FormLayout::kSplitMinimum);
    w.slClient_1->setSizes({total - s.simWidth, s.simWidth});
    setWidths(w.etSim, s.simColWidths);
    setWidths(w.etSimMessage, s.simMsgColWidths);
    setWidths(w.etPhone, s.pcColWidths);
    setWidths(w.etPCMessage, s.pcMsgColWidths);
}

FormSettings WindowSettings::capture(const QMainWindow* window, const FormWidgets& w, FormSettings s)
{
    const Qt::WindowStates state = window->windowState();
    s.windowState = state & Qt::WindowMinimized   ? FormSettings::Minimized
                    : state & Qt::WindowMaximized ? FormSettings::Maximized
                                                  : FormSettings::Normal;
    const QRect normal = window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    s.width = normal.width();
    s.height = normal.height();
    const QList<int> sizes = w.slClient_1->sizes();
    s.simWidth = w.PanelSim->isVisible() ? w.PanelSim->width() : (sizes.size() > 1 ? sizes[1] : s.simWidth);
    s.simColWidths = widthsOf(w.etSim);
    s.simMsgColWidths = widthsOf(w.etSimMessage);
    s.pcColWidths = widthsOf(w.etPhone);
    s.pcMsgColWidths = widthsOf(w.etPCMessage);
    return s;
}
