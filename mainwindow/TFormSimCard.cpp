#include "mainwindow/TFormSimCard.h"

#include "shell/Log.h"

TFormSimCard::TFormSimCard(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("FormSimCard");
    resize(kDesignWidth, kDesignHeight);
    setWindowTitle("Quillon");
}

TFormSimCard::~TFormSimCard() = default;

void TFormSimCard::bringToFront()
{
    Log::line("FormSimCard::BringToFront");
    if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}
