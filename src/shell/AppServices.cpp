#include "shell/AppServices.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

namespace {
AppServices realServices;
AppServices* installed = nullptr;
} // namespace

void AppServices::message(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, kProgramTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

int AppServices::ask(QWidget* parent, const QString& text, const QStringList& answers,
                     int defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, kProgramTitle, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons.append(box.addButton(answer, QMessageBox::AcceptRole));
    if (defaultAnswer >= 0 && defaultAnswer < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.at(defaultAnswer)));
    // Esc and the window's close button give no answer: a hidden button stands for them,
    // without which the box would take neither.
    QAbstractButton* noAnswer = box.addButton(QMessageBox::Cancel);
    noAnswer->hide();
    box.setEscapeButton(noAnswer);
    box.exec();
    return static_cast<int>(buttons.indexOf(box.clickedButton()));
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
