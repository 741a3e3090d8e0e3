#include "dialogs/DialogTexts.h"

#include <QApplication>
#include <QWidget>

std::string DialogTexts::hint(int n, std::initializer_list<long long>)
{
    return std::to_string(n) + " ??";
}

void DialogTexts::apply(QWidget*) {}

void DialogTexts::setDialogFont(QWidget* dialog)
{
    QFont font = QApplication::font("QMenu");
    font.setPixelSize(14);
    dialog->setFont(font);
}
