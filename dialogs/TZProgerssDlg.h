#pragma once
#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;
class QTimer;

// The small always-on-top window with a status line and a gauge that the main window shows while
// it talks to the card. Created once by the main window and kept; only shown, hidden and fed.
//
//     auto* progress = new TZProgerssDlg(this);   // status = hint 56, gauge 0 of 100, hidden
//     progress->setProgress(0); progress->setAutoHide(true); progress->show();
//     ... progress->setProgress(progress->progress() + 1) ...
//     progress->setProgress(100);                  // hides itself at the next tick
class TZProgerssDlg : public QDialog {
    Q_OBJECT
public:
    explicit TZProgerssDlg(QWidget* owner = nullptr);

    // The gauge, always kept within 0 ... 100.
    int progress() const;
    void setProgress(int value);
    QString status() const;
    void setStatus(const QString& text);

    // With auto-hide on, the dialog hides itself (and switches auto-hide off) at the first timer
    // tick that finds the gauge at 100. Hiding the dialog otherwise leaves the setting as it is.
    void setAutoHide(bool on);
    bool autoHide() const;

    QLabel* LabelStatus = nullptr;
    QProgressBar* GaugeMain = nullptr;
    QTimer* Timer_Hide = nullptr;

public slots:
    // One tick of the auto-hide timer.
    void Timer_HideTimer();
    // The user cannot dismiss the dialog (Esc, the window manager's close): the program hides it.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();

    QFrame* Bevel1 = nullptr;
};
