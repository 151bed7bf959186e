#include "support/RecordingServices.h"

#include <QDialog>

RecordingServices::RecordingServices()
{
    AppServices::install(this);
}

RecordingServices::~RecordingServices()
{
    AppServices::install(nullptr);
}

void RecordingServices::message(QWidget* /*parent*/, QMessageBox::Icon icon, const QString& text)
{
    messages.append({icon, text});
    if (onMessage)
        onMessage(messages.constLast());
}

int RecordingServices::ask(QWidget* /*parent*/, const QString& text, const QStringList& answers,
                           int defaultAnswer)
{
    questions.append({text, answers, defaultAnswer});
    return answer;
}

void RecordingServices::runModal(QDialog& dialog)
{
    dialog.setModal(true);
    dialog.show();
    modals.append({dialog.objectName(), dialog.pos()});
    if (onModal)
        onModal(dialog);
    if (dialog.isVisible())
        dialog.close();
}

void RecordingServices::endProgram()
{
    ++endCount;
}

void RecordingServices::clear()
{
    messages.clear();
    questions.clear();
    modals.clear();
    endCount = 0;
}
