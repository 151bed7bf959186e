#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>

class QLineEdit;

/// What one kind of text box lets through when a key is typed into it.
struct KeyRule
{
    bool (*accepts)(QChar typed);
    QString message; // shown when a key is refused
    QMessageBox::Icon icon;
    bool capitalise; // small letters arrive as capitals
};

/// Letters, space, Enter and Backspace; the name is always typed in capitals.
KeyRule nameKeys();
/// Digits, Backspace and the minus sign anywhere.
KeyRule signedNumberKeys();
/// Digits and Backspace.
KeyRule numberKeys();

/// Inspects every character typed into a text box before the box sees it. A refused
/// character first shows its message, then is dropped; keys that type nothing
/// (arrows, Home, End, Delete, Tab) keep their usual function. Text that arrives
/// otherwise (pasted with the mouse, written by another window) is not inspected.
class KeyFilter final : public QObject
{
    Q_OBJECT
public:
    /// Installs a filter with the rule on the box; the box owns it.
    static void install(QLineEdit* box, KeyRule rule);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QLineEdit* box, KeyRule rule);

    QLineEdit* box_;
    KeyRule rule_;
};
