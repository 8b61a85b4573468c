#pragma once

#include <QLineEdit>
#include <QString>

// Gives a new widget of a settings page the object name by which it is found, and returns it.
template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A new named edit showing `text` that takes no more than the field it edits keeps.
inline QLineEdit* NamedEdit(const char* name, int maxLength, const QString& text = {}) {
    auto* edit = Named(new QLineEdit(text), name);
    edit->setMaxLength(maxLength);
    return edit;
}
