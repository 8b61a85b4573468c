#pragma once

#include <QDialog>

// The start-up animation: a borderless window on top of the others, 500 by 375 pixels inside, in the middle
// of the screen, that closes itself after the display time (0 keeps it until it is closed). It would play
// the video NUV500X375.avi; this build plays no video and shows a picture of its own in the window instead:
// the program's name over a small table-of-contents chart.
class CStartUpDialog : public QDialog {
    Q_OBJECT
public:
    CStartUpDialog(int displayTime, QWidget* parent);

    static constexpr int AnimationWidth = 500;
    static constexpr int AnimationHeight = 375;
    // How long the Help menu's command shows it, in milliseconds.
    static constexpr int HelpMenuDisplayTime = 10000;

protected:
    void paintEvent(QPaintEvent* event) override;
};
