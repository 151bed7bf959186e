#pragma once

#include "birth/EntryBoxes.h"

#include <QObject>

class QLineEdit;

/// Inspects every character typed into a text box before the box sees it, by the box's
/// rule (birth/EntryBoxes.h, which the web page's form follows too). A refused
/// character first shows its message, then is dropped; keys that type nothing
/// (arrows, Home, End, Delete, Tab) keep their usual function. Text that arrives
/// otherwise (pasted with the mouse, written by another window) is not inspected.
class KeyFilter final : public QObject
{
    Q_OBJECT
public:
    /// Installs a filter with the rule on the box; the box owns it.
    static void install(QLineEdit* box, const birth::KeyRule& rule);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QLineEdit* box, const birth::KeyRule& rule);

    QLineEdit* box_;
    const birth::KeyRule& rule_;
};
