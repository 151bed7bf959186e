#pragma once

#include "shell/AppServices.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <functional>

/// Stands in for the desktop in window tests: message boxes and modal dialogs
/// are recorded instead of shown, so nothing blocks. Installed for its lifetime.
class RecordingServices final : public AppServices
{
public:
    struct Message
    {
        QMessageBox::Icon icon;
        QString text;
    };
    struct ModalOpening
    {
        QString objectName;
        QPoint position; // the dialog's top-left when it was shown
    };

    RecordingServices();
    ~RecordingServices() override;
    RecordingServices(const RecordingServices&) = delete;
    RecordingServices& operator=(const RecordingServices&) = delete;

    void message(QWidget* parent, QMessageBox::Icon icon, const QString& text) override;
    int ask(QWidget* parent, const QString& text, const QStringList& answers,
            int defaultAnswer) override;
    void runModal(QDialog& dialog) override;
    void endProgram() override;

    struct Question
    {
        QString text;
        QStringList answers;
        int defaultAnswer;
    };

    QList<Message> messages;
    QList<Question> questions;
    /// The answer every question gets: a position in its answers, or -1 for a box
    /// closed without one.
    int answer = 0;
    QList<ModalOpening> modals;
    int endCount = 0;
    /// Runs while a modal dialog is "open": the test drives it here.
    std::function<void(QDialog&)> onModal;
    /// Runs when a message box is "shown" (before it is closed with OK).
    std::function<void(const Message&)> onMessage;

    void clear();
};
