#pragma once

#include <QApplication>

// The one application object of the widget tests. It is never destroyed: once a window has been shown, Qt's
// own statics may be gone before a static application object would be.
inline QApplication& Application() {
    static int argc = 1;
    static char name[] = "app_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}
