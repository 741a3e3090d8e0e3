#include "mainwindow/DragAcceptance.h"

#include <QAbstractItemView>
#include <QDragMoveEvent>

void DragAcceptance::enable(QAbstractItemView* view)
{
    view->setDragEnabled(true);
    view->setAcceptDrops(true);
    view->setDragDropMode(QAbstractItemView::DragDrop);
    view->setDefaultDropAction(Qt::CopyAction);
}

void DragAcceptance::accept(QDragMoveEvent* event) { event->acceptProposedAction(); }

void DragAcceptance::ignoreDrop(QDropEvent* event)
{
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
}
