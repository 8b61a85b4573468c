#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// Hands a file or an address to the desktop's opener program, which picks the program that opens it, without holding
// up the window. The opener's exit status does not tell its own failure from that of the program it picked: on a
// desktop without an opener of its own, xdg-open runs that program in the foreground and ends with a failure when
// the program does, however it was closed. So an opener that ends with a failure is reported, with the target, only
// for a failure of its own: the file is gone, or the desktop's list of handlers (`xdg-mime query default`) names no
// program for the target. Whatever befell a program that ran is that program's to say. An opener or a query still
// running when this object goes is no longer reported: its connections go with it.
class CDesktopOpener : public QObject {
public:
    explicit CDesktopOpener(QString program = QStringLiteral("xdg-open"),
                            QString handlerQuery = QStringLiteral("xdg-mime"), QObject* parent = nullptr);

    // Starts the opener on `url` (a local file by its path); false when the opener cannot be started.
    bool Open(const QUrl& url);

private:
    // Reports `url` as not opened unless the list of handlers names a program for it.
    void ReportUnlessHandled(const QUrl& url);

    QString m_program;
    QString m_handlerQuery;
};

// The type under which the desktop's list of handlers files `url`: a local file's type by its name and content, an
// address's scheme as "x-scheme-handler/<scheme>".
QString HandlerType(const QUrl& url);
