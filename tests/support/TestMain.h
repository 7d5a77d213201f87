#pragma once
#include "app/Application.h"
#include <QtTest>

// Like QTEST_MAIN, with the program's own application class, so that an
// error escaping an event handler ends in the general error box.
#define KEIZAI_TEST_MAIN(TestClass)                  \
    int main(int argc, char *argv[])                 \
    {                                                \
        Application app(argc, argv);                 \
        app.setAttribute(Qt::AA_Use96Dpi, true);     \
        TestClass tc;                                \
        QTEST_SET_MAIN_SOURCE_PATH                   \
        return QTest::qExec(&tc, argc, argv);        \
    }
