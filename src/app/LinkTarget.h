#pragma once

#include <QString>
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

// A link opens on a click with Ctrl held; a plain click only places the caret.
bool IsLinkOpeningClick(Qt::KeyboardModifiers modifiers);
