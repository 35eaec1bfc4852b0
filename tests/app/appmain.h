#pragma once

#include "application.h"

#include <QTest>

// Runs a test class inside the program's own application object, so its error
// handling, style and translations are those of the program.
#define KESP_APP_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        kesp::app::Application app(argc, argv);                                                    \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
