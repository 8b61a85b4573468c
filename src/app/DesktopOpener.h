#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// Hands a file or an address to the desktop's opener program, which picks the program that opens it. The opener's
// exit status is read when it ends, without holding up the window: an opener that ends with a failure (the desktop
// has no program for the target) is reported then, with the target, as a link that cannot be opened. An opener
// still running when this object goes is no longer reported: its connections go with it.
class CDesktopOpener : public QObject {
public:
    explicit CDesktopOpener(QString program = QStringLiteral("xdg-open"), QObject* parent = nullptr);

    // Starts the opener on `url` (a local file by its path); false when the opener cannot be started.
    bool Open(const QUrl& url);

private:
    QString m_program;
};
