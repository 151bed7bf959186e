#include "shell/AppLifetime.h"

#include "shell/AppServices.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

void UnloadAllAndEnd()
{
    // Closing a window during the walk may call back in here (the entry
    // window's unload ends the program); that inner call has nothing to add.
    static bool walking = false;
    if (walking)
        return;
    walking = true;

    QList<QPointer<QWidget>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows.append(widget);
    for (const QPointer<QWidget>& window : windows) {
        // Closing one window may delete another (a dialog it owns).
        if (window != nullptr && window->isWindow())
            window->close();
    }

    walking = false;
    AppServices::current().endProgram();
}
