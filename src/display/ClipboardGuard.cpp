#include "display/ClipboardGuard.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>

void ClipboardGuard::emptyClipboard()
{
    QGuiApplication::clipboard()->clear();
}

void ClipboardGuard::watch(QLineEdit* box)
{
    watch(static_cast<QWidget*>(box));
    connect(box, &QLineEdit::textChanged, this, [] { emptyClipboard(); });
}

void ClipboardGuard::watch(QWidget* area)
{
    area->setMouseTracking(true); // a mere hover counts, not only a drag
    area->installEventFilter(this);
}

bool ClipboardGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        emptyClipboard();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event); // the box still handles the event
}
