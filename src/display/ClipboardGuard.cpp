#include "display/ClipboardGuard.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLineEdit>

namespace {

void emptyClipboard()
{
    QGuiApplication::clipboard()->clear();
}

} // namespace

void ClipboardGuard::watch(QLineEdit* box)
{
    box->setMouseTracking(true); // a mere hover counts, not only a drag
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [] { emptyClipboard(); });
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
