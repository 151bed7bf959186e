#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

/// Keeps the readings off the clipboard: a change of a box's text and any mouse
/// press, move or release over a box empty the system clipboard, whatever it holds.
/// Nothing else happens: the text, the selection and the mouse are left alone.
class ClipboardGuard final : public QObject
{
public:
    using QObject::QObject;

    /// Guards the box from now on; the box stays usable as before.
    void watch(QLineEdit* box);

    /// Guards an area whose text the window writes itself, such as a table's viewport:
    /// any mouse press, move or release over it empties the clipboard.
    void watch(QWidget* area);

    /// Empties the system clipboard, as a change of a guarded text does.
    static void emptyClipboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
