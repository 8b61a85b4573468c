#pragma once

#include <QString>

// Gives a new widget of a settings page the object name by which it is found, and returns it.
template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
