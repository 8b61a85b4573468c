#pragma once

#include <QApplication>

// The one application object of the widget tests.
inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "app_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    return application;
}
