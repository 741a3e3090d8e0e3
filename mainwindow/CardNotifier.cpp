#include "mainwindow/CardNotifier.h"

#include <QCoreApplication>
#include <QTimer>

CardNotifier::CardNotifier(QObject* parent) : QObject(parent)
{
    setObjectName("QVHIDDENSIMCARDPCSC");
}

void CardNotifier::post(bool inserted)
{
    QCoreApplication::postEvent(this, new CardNoticeEvent(inserted));
}

bool CardNotifier::event(QEvent* event)
{
    if (event->type() != CardNoticeEvent::kType) return QObject::event(event);
    const bool inserted = static_cast<CardNoticeEvent*>(event)->inserted();
    if (onNotice && !onNotice(inserted)) {
        QTimer::singleShot(kRetryMs, this, [this, inserted] { post(inserted); });
    }
    return true;
}
