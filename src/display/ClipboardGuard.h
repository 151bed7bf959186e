#pragma once

#include <QObject>

class QLineEdit;

/// Keeps the readings off the clipboard: a change of a box's text and any mouse
/// press, move or release over a box empty the system clipboard, whatever it holds.
/// Nothing else happens: the text, the selection and the mouse are left alone.
class ClipboardGuard final : public QObject
{
public:
    using QObject::QObject;

    /// Guards the box from now on; the box stays usable as before.
    void watch(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
