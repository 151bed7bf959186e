#include "app/AppController.h"
#include "app/FontSetUp.h"
#include "lookup/LocationLookup.h"
#include "shell/AppServices.h"
#include "shell/CoBrand.h"
#include "shell/ProgramStyle.h"
#include "shell/SingleInstance.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    FontSetUp fonts; // on its own thread while the application connects to the display
    PrepareLocationBrowser();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("selenoscope"));
    QApplication::setStyle(new ProgramStyle);
    // The entry window is only hidden while a reading is shown: the program
    // ends through its orderly exit, never because no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);

    // Only a live copy of this user's refuses the start; when no lock can be had at
    // all, the program runs without the guard and says why on standard error.
    SingleInstance instance;
    const LockOutcome lock = instance.acquire();
    if (lock.state == LockOutcome::State::Unavailable)
        std::fprintf(stderr, "%s\n", qPrintable(lock.notice()));
    if (lock.state == LockOutcome::State::AnotherCopyRuns) {
        AppServices::current().message(nullptr, QMessageBox::Information,
                                       QStringLiteral("Application is already running"));
        return 0;
    }

    SeedRandomFromClock();
    fonts.finish();
    AppController controller;
    controller.start();
    return QApplication::exec();
}
