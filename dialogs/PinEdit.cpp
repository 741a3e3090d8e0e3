#include "dialogs/PinEdit.h"

#include <QKeyEvent>
#include <QProxyStyle>
#include <QRegularExpressionValidator>

namespace {

// Draws password characters as "*".
class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle* starStyle()
{
    static StarPasswordStyle* style = [] {
        auto* s = new StarPasswordStyle;
        s->setParent(nullptr);
        return s;
    }();
    return style;
}

}  // namespace

PinEdit::PinEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(kMaxLength);
    setEchoMode(QLineEdit::Password);
    setStyle(starStyle());
    setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,8}"), this));
}

void PinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit enterPressed();
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty()) {
        const QChar c = text.at(0);
        bool control = c.unicode() >= 1 && c.unicode() <= 31;
        bool digit = c >= QChar('0') && c <= QChar('9');
        if (!control && !digit) return;
    }
    QLineEdit::keyPressEvent(event);
}
