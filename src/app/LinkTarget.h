#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// What a link in a view leads to, and whether it may be opened. Only web and mail addresses go to the
// desktop, and documents of this program to its own open path; nothing else is opened, and no file is ever
// run.
struct LinkTarget {
    enum Kind { Refused, WebAddress, MailAddress, Document };
    Kind kind = Refused;
    QUrl url;             // web and mail addresses
    QString documentPath; // documents: an absolute path ending in ".nuv"
};

LinkTarget ClassifyLink(const QString& link);
// The documents among files dropped on the main window, in the order dropped; they open as File Open opens them.
QStringList DroppedDocumentPaths(const QList<QUrl>& urls);

// A link opens on a click with Ctrl held; a plain click only places the caret.
bool IsLinkOpeningClick(Qt::KeyboardModifiers modifiers);
