#include "support/ProgramUnderTest.h"

#include "support/Readings.h"

#include <QApplication>
#include <QTest>

ProgramUnderTest::ProgramUnderTest() : entry(controller.entryWindow()), ui(entry)
{
    // As in the program: a window that closes while another is hidden ends nothing by itself.
    QApplication::setQuitOnLastWindowClosed(false);
    entry.show();
    entry.activateWindow();
    started_ = QTest::qWaitForWindowActive(&entry);
}

ProgramUnderTest::~ProgramUnderTest()
{
    deleteDisplayWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
