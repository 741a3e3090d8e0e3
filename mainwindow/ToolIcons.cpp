#include "mainwindow/ToolIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include <functional>

namespace {

constexpr int kSize = 32;
const QColor kInk(40, 60, 110);
const QColor kPaper(250, 250, 245);

void sheet(QPainter& p, QRectF r)
{
    p.setBrush(kPaper);
    p.drawRect(r);
    for (qreal y = r.top() + 5; y < r.bottom() - 2; y += 4) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void drawCopy(QPainter& p)
{
    sheet(p, QRectF(4, 3, 16, 20));
    sheet(p, QRectF(12, 9, 16, 20));
}

void drawPaste(QPainter& p)
{
    p.setBrush(QColor(200, 160, 90));
    p.drawRoundedRect(QRectF(5, 5, 18, 24), 2, 2);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(10, 2, 8, 6));
    sheet(p, QRectF(13, 12, 15, 18));
}

void drawCut(QPainter& p)
{
    p.drawLine(QPointF(9, 3), QPointF(21, 21));
    p.drawLine(QPointF(23, 3), QPointF(11, 21));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(9, 25), 4.5, 4.5);
    p.drawEllipse(QPointF(23, 25), 4.5, 4.5);
}

void drawAdd(QPainter& p)
{
    sheet(p, QRectF(4, 3, 18, 24));
    p.setBrush(QColor(40, 150, 60));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(20, 14, 4, 16));
    p.drawRect(QRectF(14, 20, 16, 4));
}

void drawPhone(QPainter& p)
{
    p.setBrush(QColor(70, 110, 180));
    p.drawRoundedRect(QRectF(9, 2, 14, 28), 3, 3);
    p.setBrush(kPaper);
    p.drawRect(QRectF(11, 5, 10, 9));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(11.5 + col * 3.3, 17 + row * 3.8, 2, 2));
}

void drawMessage(QPainter& p)
{
    p.setBrush(kPaper);
    p.drawRect(QRectF(3, 8, 26, 17));
    QPainterPath flap;
    flap.moveTo(3, 8);
    flap.lineTo(16, 18);
    flap.lineTo(29, 8);
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
}

}  // namespace

QIcon ToolIcons::drawn(const QString& name)
{
    static const QHash<QString, std::function<void(QPainter&)>> painters = {
        {"btnCopy", drawCopy}, {"btnPaste", drawPaste},   {"btnCut", drawCut},
        {"btnAdd", drawAdd},   {"btnPhone", drawPhone}, {"btnMessage", drawMessage},
    };
    auto it = painters.find(name);
    if (it == painters.end()) return {};
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.6));
    it.value()(p);
    return QIcon(pixmap);
}

QIcon ToolIcons::forButton(const QString& name, const QStyle* style)
{
    static const QHash<QString, QStyle::StandardPixmap> standard = {
        {"btnToSim", QStyle::SP_ArrowRight},      {"btnToPC", QStyle::SP_ArrowLeft},
        {"btnSave", QStyle::SP_DialogSaveButton}, {"btnDelete", QStyle::SP_TrashIcon},
        {"btnRefresh", QStyle::SP_BrowserReload}, {"bnBackup", QStyle::SP_DriveHDIcon},
        {"btnExit", QStyle::SP_DialogCloseButton},
    };
    auto it = standard.find(name);
    if (it != standard.end() && style) return style->standardIcon(it.value());
    return drawn(name);
}
