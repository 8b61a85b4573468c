#pragma once

#include <QLineEdit>

// A number box: typed characters reach it only when they are digits or the point; every other character,
// backspace and the control keys that edit by character included, is dropped. Keys that type nothing (the
// arrows, Delete) keep working.
class CFloatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CFloatEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
};
