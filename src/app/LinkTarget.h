#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// What a link in a view, or a file name of a line mark, leads to. A document of this program opens through the
// program's own open path; any other file that exists and any address go to the desktop, which picks the
// program. Texts that run code rather than name a target ("javascript:", "data:") are refused.
struct LinkTarget {
    enum Kind { Refused, Desktop, Document };
    Kind kind = Refused;
    QUrl url;             // Desktop: the address, or the file as a local URL
    QString documentPath; // Document: an absolute path ending in ".nuv"
};

// A file name without a folder is looked for in `baseFolder` (the open document's folder); with none, in the
// current folder.
LinkTarget ClassifyLink(const QString& link, const QString& baseFolder = QString());
// The documents among files dropped on the main window, in the order dropped; they open as File Open opens them.
QStringList DroppedDocumentPaths(const QList<QUrl>& urls);

// Opens a link: a document through `openDocument`, anything else through `openOnDesktop`, which is false when the
// desktop has no program for it. A link that names neither an address nor a file that exists, and one the
// desktop cannot open, is reported with its target. True when something was opened.
bool OpenLink(const QString& link, const QString& baseFolder, const std::function<void(const QString&)>& openDocument,
              const std::function<bool(const QUrl&)>& openOnDesktop);
