#pragma once
#include <QMainWindow>

// The program's main window.
class TFormSimCard : public QMainWindow {
    Q_OBJECT
public:
    explicit TFormSimCard(QWidget* parent = nullptr);
    ~TFormSimCard() override;

    static constexpr int kDesignWidth = 1292;
    static constexpr int kDesignHeight = 748;

public slots:
    // The 0x040A request of a second copy: restore when minimised, otherwise raise and activate.
    void bringToFront();
};
