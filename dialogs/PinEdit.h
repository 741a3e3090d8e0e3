#pragma once
#include <QLineEdit>

// A PIN field: at most 8 characters, each shown as "*". Digits and control keys (Backspace,
// Delete, arrows, Tab) pass; every other character is swallowed, pasted text included.
// Enter is swallowed and reported with enterPressed().
class PinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit PinEdit(QWidget* parent = nullptr);

    static constexpr int kMaxLength = 8;

signals:
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
