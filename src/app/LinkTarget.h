#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// What a link in a view, or a file name of a line mark, leads to. A document of this program opens through the
// program's own open path; any other file that exists and any address go to the desktop, which picks the
// program. Web addresses, mail addresses and files that are documents (texts, PDF, images, office documents, web
// pages and the like; a binary office document by its name in the compound file that holds it) by their name and by
// their content alike open at once. Anything else may start a program and opens only when the user agrees: an address
// of any other scheme, a mail address that asks for a file to be attached, a file that is executable, of any other
// type (an archive, a package, a script, a file of unknown type) or whose name and content disagree (a program named
// as a PDF, which the question says), and a folder, a pipe or a device, since what runs it is up to the desktop's
// handlers. Texts that run code rather than name a target ("javascript:", "data:", also
// behind a wrapper such as "view-source:") are refused, and so is a link longer than a program can be given.
struct LinkTarget {
    enum Kind { Refused, TooLong, Desktop, Document };
    Kind kind = Refused;
    QUrl url;                     // Desktop: the address, or the file as a local URL
    QString documentPath;         // Document: an absolute path ending in ".nuv"
    bool mayStartProgram = false; // Desktop: asked about before it opens
    // Desktop, a local file whose name (as linked, or of the file a link leads to) and content are of types that
    // disagree: the two types; empty otherwise.
    QString namedType;
    QString contentType;
};

// The longest argument, in bytes, that a program can be started with.
constexpr qsizetype MaxOpenerArgumentBytes = 128 * 1024 - 1;

// A file name without a folder, and a "file:" address with a relative path, are looked for in `baseFolder` (the
// open document's folder); with none, in the current folder.
LinkTarget ClassifyLink(const QString& link, const QString& baseFolder = QString());
// The documents among files dropped on the main window, in the order dropped; they open as File Open opens them.
QStringList DroppedDocumentPaths(const QList<QUrl>& urls);

// What the desktop's opener is given for `url`: a local file by its path, an address fully encoded.
QString OpenerArgument(const QUrl& url);
// How messages name a target: a local file by its path, an address as written; one of more than 1,024 characters
// shortened in its middle.
QString ShownLinkTarget(const QUrl& url);

// Opens a link: a document through `openDocument`, anything else through `openOnDesktop`, which is false when the
// desktop has no program for it. One that may start a program is asked about first, with No as the default; the
// question says when the file's name and content disagree, with their types. A link
// that names neither an address nor a file that exists, one too long, and one the desktop cannot open, is reported
// with its target. True when something was opened.
bool OpenLink(const QString& link, const QString& baseFolder, const std::function<void(const QString&)>& openDocument,
              const std::function<bool(const QUrl&)>& openOnDesktop);
