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
    modals.clear();
    endCount = 0;
}
