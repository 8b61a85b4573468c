#include "app/ui/StartUpDialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

CStartUpDialog::CStartUpDialog(int displayTime, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(AnimationWidth, AnimationHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(desktop.left() + desktop.width() / 2 - AnimationWidth / 2,
             desktop.top() + desktop.height() / 2 - AnimationHeight / 2);
    }
    if (displayTime > 0)
        QTimer::singleShot(displayTime, this, &QWidget::close);
}
