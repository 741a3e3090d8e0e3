#pragma once
#include <QApplication>
#include <QWidget>

// The dialogs' font: the system's icon font, 14 pixels high.
inline void setDialogFont(QWidget* dialog)
{
    QFont font = QApplication::font("QMenu");
    font.setPixelSize(14);
    dialog->setFont(font);
}
