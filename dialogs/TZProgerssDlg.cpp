#include "dialogs/TZProgerssDlg.h"

#include "shell/LocalTexts.h"
#include "shell/app/FormTexts.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int hideTickMs = 1000;
constexpr int statusHint = 56;
}  // namespace

TZProgerssDlg::TZProgerssDlg(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("ZProgerssDlg"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setFixedSize(313, 76);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    LabelStatus = new QLabel(QStringLiteral("LabelStatus"), Bevel1);
    LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
    GaugeMain = new QProgressBar(Bevel1);
    GaugeMain->setObjectName(QStringLiteral("GaugeMain"));
    GaugeMain->setRange(0, 100);
    GaugeMain->setValue(0);
    GaugeMain->setTextVisible(false);
    GaugeMain->setStyleSheet(QStringLiteral("QProgressBar::chunk { background-color: blue; }"));

    auto* inner = new QVBoxLayout(Bevel1);
    inner->addWidget(LabelStatus);
    inner->addWidget(GaugeMain);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->addWidget(Bevel1);

    Timer_Hide = new QTimer(this);
    Timer_Hide->setObjectName(QStringLiteral("Timer_Hide"));
    Timer_Hide->setInterval(hideTickMs);
    connect(Timer_Hide, &QTimer::timeout, this, &TZProgerssDlg::Timer_HideTimer);

    FormCreate();
    setStatus(FormTexts::screenText(LocalTexts::current().hint(statusHint)));
}

void TZProgerssDlg::FormCreate()
{
    setWindowTitle(FormTexts::screenText(LocalTexts::current().applicationTitle()));
    QFont f = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    f.setPixelSize(12);
    setFont(f);
}

int TZProgerssDlg::progress() const { return GaugeMain->value(); }

void TZProgerssDlg::setProgress(int value) { GaugeMain->setValue(std::clamp(value, 0, 100)); }

QString TZProgerssDlg::status() const { return LabelStatus->text(); }

void TZProgerssDlg::setStatus(const QString& text) { LabelStatus->setText(text); }

void TZProgerssDlg::setAutoHide(bool on)
{
    if (on) Timer_Hide->start();
    else Timer_Hide->stop();
}

bool TZProgerssDlg::autoHide() const { return Timer_Hide->isActive(); }

void TZProgerssDlg::Timer_HideTimer()
{
    if (GaugeMain->value() != 100) return;
    hide();
    Timer_Hide->stop();
}

void TZProgerssDlg::closeEvent(QCloseEvent* event) { event->ignore(); }
