#include "app/AppController.h"
#include "lookup/LocationLookup.h"
#include "shell/AppServices.h"
#include "shell/CoBrand.h"
#include "shell/SingleInstance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    PrepareLocationBrowser();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("selenoscope"));
    // The entry window is only hidden while a reading is shown: the program
    // ends through its orderly exit, never because no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.acquire()) {
        AppServices::current().message(nullptr, QMessageBox::Information,
                                       QStringLiteral("Application is already running"));
        return 0;
    }

    SeedRandomFromClock();
    AppController controller;
    controller.start();
    return QApplication::exec();
}
