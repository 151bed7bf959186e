#include "entry/KeyFilter.h"

#include "shell/AppServices.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace {

constexpr QChar kEnter = u'\r';
constexpr QChar kBackspace = u'\b';

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

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

KeyRule nameKeys()
{
    return {[](QChar c) { return isAsciiLetter(c) || c == u' ' || c == kEnter || c == kBackspace; },
            QStringLiteral("Please Enter only Letters"), QMessageBox::Information, true};
}

KeyRule signedNumberKeys()
{
    return {[](QChar c) { return isDigit(c) || c == kBackspace || c == u'-'; },
            QStringLiteral("Only Numbers Are Accepted"), QMessageBox::Critical, false};
}

KeyRule numberKeys()
{
    return {[](QChar c) { return isDigit(c) || c == kBackspace; },
            QStringLiteral("Only Numbers Are Accepted"), QMessageBox::Critical, false};
}

void KeyFilter::install(QLineEdit* box, KeyRule rule)
{
    // Typed text must come as key presses to be inspected, not through an input method.
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->installEventFilter(new KeyFilter(box, std::move(rule)));
}

KeyFilter::KeyFilter(QLineEdit* box, KeyRule rule) : QObject(box), box_(box), rule_(std::move(rule))
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
    const bool accepted = std::all_of(text.begin(), text.end(), rule_.accepts);

    if (!accepted) {
        AppServices::current().message(box_, rule_.icon, rule_.message);
        return true; // dropped after the message has been closed
    }
    if (rule_.capitalise && text != text.toUpper()) {
        QKeyEvent capital(QEvent::KeyPress, key->key(), key->modifiers(), text.toUpper(),
                          key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(box_, &capital);
        return true;
    }
    return false;
}
