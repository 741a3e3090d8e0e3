#pragma once
#include <QHeaderView>

// Horizontal header of a ListView: a fixed height and an optional widget (the view's check box)
// kept at its left corner.
class ListHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit ListHeader(QWidget* parent = nullptr);

    void setHeaderHeight(int height);
    int headerHeight() const { return height_; }
    // Reparents `widget` to the header and keeps it at the left corner, centred vertically.
    void setCornerWidget(QWidget* widget);
    QWidget* cornerWidget() const { return corner_; }

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeCorner();

    int height_ = 30;
    QWidget* corner_ = nullptr;
};
