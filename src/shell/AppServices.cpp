#include "shell/AppServices.h"

#include <QCoreApplication>
#include <QDialog>

namespace {
AppServices realServices;
AppServices* installed = nullptr;
} // namespace

void AppServices::message(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, kProgramTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void AppServices::runModal(QDialog& dialog)
{
    dialog.exec();
}

void AppServices::endProgram()
{
    QCoreApplication::exit(0);
}

AppServices& AppServices::current()
{
    return installed != nullptr ? *installed : realServices;
}

void AppServices::install(AppServices* services)
{
    installed = services;
}
