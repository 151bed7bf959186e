#pragma once

#include "lookup/LocationLookup.h"

#include <QApplication>
#include <QTest>

/// The main() of a test that starts the web engine: the engine's set-up must come
/// before the application object, as in the program.
#define WEBENGINE_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        PrepareLocationBrowser();                                                                  \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
