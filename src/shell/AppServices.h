#pragma once

#include <QMessageBox>

class QDialog;

/// What the windows ask of the desktop beyond themselves: message boxes, modal
/// dialogs and ending the program. Tests install a recording double.
class AppServices
{
public:
    virtual ~AppServices() = default;

    /// A modal message box titled "Selenoscope" with a single OK button.
    virtual void message(QWidget* parent, QMessageBox::Icon icon, const QString& text);
    /// A modal question titled "Selenoscope" whose answers are buttons; the default
    /// answer takes Enter. Gives the position of the answer chosen, or -1 when the
    /// box was closed without one.
    virtual int ask(QWidget* parent, const QString& text, const QStringList& answers,
                    int defaultAnswer);
    /// Shows the dialog modally; returns when it has been closed.
    virtual void runModal(QDialog& dialog);
    /// Leaves the event loop; the program ends.
    virtual void endProgram();

    static AppServices& current();
    /// Replaces the services (nullptr restores the real ones); the caller keeps ownership.
    static void install(AppServices* services);
};

/// The program's title, the caption of its message boxes.
inline const QString kProgramTitle = QStringLiteral("Selenoscope");
/// The caption of the program's main windows.
inline const QString kWindowCaption = QStringLiteral("Selenoscope v1.0");
