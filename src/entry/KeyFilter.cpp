#include "entry/KeyFilter.h"

#include "shell/AppServices.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <algorithm>

namespace {

// The text a key types, or nothing for keys that edit or move instead of typing.
// Tab and Delete carry a control character on some platforms but never type it.
QString typedText(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        return key.text();
    }
}

} // namespace

void KeyFilter::install(QLineEdit* box, const birth::KeyRule& rule)
{
    // Typed text must come as key presses to be inspected, not through an input method.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(new KeyFilter(box, rule));
}

KeyFilter::KeyFilter(QLineEdit* box, const birth::KeyRule& rule)
    : QObject(box), box_(box), rule_(rule)
{
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != box_)
        return false;
    // The clipboard keys (Ctrl+C, Ctrl+V, Ctrl+X) come here too: the box claims them
    // before any shortcut, and they carry their control character as text.
    if (event->type() != QEvent::KeyPress)
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = typedText(*key);
    if (text.isEmpty())
        return false;
    const bool accepted = std::all_of(text.begin(), text.end(),
                                      [this](QChar c) { return rule_.accepts(c.unicode()); });

    if (!accepted) {
        const QMessageBox::Icon icon = rule_.icon == birth::Refusal::Icon::Critical
                                           ? QMessageBox::Critical
                                           : QMessageBox::Information;
        AppServices::current().message(
            box_, icon,
            QString::fromUtf8(rule_.message.data(), static_cast<qsizetype>(rule_.message.size())));
        return true; // dropped after the message has been closed
    }
    QString arriving;
    for (const QChar c : text)
        arriving += QChar(static_cast<char16_t>(rule_.arriving(c.unicode())));
    if (arriving != text) {
        QKeyEvent capital(QEvent::KeyPress, key->key(), key->modifiers(), arriving,
                          key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(box_, &capital);
        return true;
    }
    return false;
}
