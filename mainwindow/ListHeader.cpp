#include "mainwindow/ListHeader.h"

ListHeader::ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setHighlightSections(false);
    setStretchLastSection(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ListHeader::setHeaderHeight(int height)
{
    if (height == height_) return;
    height_ = height;
    updateGeometry();
    // The owning view lays its header out from sizeHint(); make it look again.
    if (QWidget* view = parentWidget()) view->updateGeometry();
    emit geometriesChanged();
    placeCorner();
}

void ListHeader::setCornerWidget(QWidget* widget)
{
    corner_ = widget;
    if (!corner_) return;
    corner_->setParent(this);
    corner_->show();
    placeCorner();
}

QSize ListHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    s.setHeight(height_);
    return s;
}

void ListHeader::resizeEvent(QResizeEvent* event)
{
    QHeaderView::resizeEvent(event);
    placeCorner();
}

void ListHeader::placeCorner()
{
    if (!corner_) return;
    QSize s = corner_->sizeHint();
    corner_->setGeometry(4, (height() - s.height()) / 2, s.width(), s.height());
}
