#pragma once
#include <QIcon>
#include <QString>

class QStyle;

// Icons of the toolbar and left-column buttons: the style's standard icons where one fits,
// otherwise a simple drawn glyph.
class ToolIcons {
public:
    // Icon for the button with this component name; a null icon for names without one.
    static QIcon forButton(const QString& name, const QStyle* style);

private:
    static QIcon drawn(const QString& name);
};
