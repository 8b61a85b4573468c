#include "app/LinkTarget.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <algorithm>

namespace {

bool IsDocumentPath(const QString& path) {
    return QDir::isAbsolutePath(path) && path.endsWith(QStringLiteral(".nuv"), Qt::CaseInsensitive) &&
           !QFileInfo(path).fileName().startsWith(QStringLiteral("~$"));
}

// Types whose files the desktop shows rather than runs: texts, PDF and PostScript, images, sound and video, office
// documents and web pages. Any other file (an archive, a package, a program of another system, a script, a file of
// unknown type) goes to whatever program the desktop has for it, which may run what it holds.
bool IsDocumentType(const QMimeType& type) {
    static const QStringList names = {
        QStringLiteral("text/plain"),
        QStringLiteral("text/csv"),
        QStringLiteral("text/markdown"),
        QStringLiteral("text/html"),
        QStringLiteral("application/xhtml+xml"),
        QStringLiteral("application/xml"),
        QStringLiteral("application/rtf"),
        QStringLiteral("application/pdf"),
        QStringLiteral("application/postscript"),
        QStringLiteral("application/msword"),
        QStringLiteral("application/vnd.ms-excel"),
        QStringLiteral("application/vnd.ms-powerpoint"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"),
        QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.presentation"),
    };
    static const QStringList families = {QStringLiteral("image/"), QStringLiteral("audio/"), QStringLiteral("video/"),
                                         QStringLiteral("application/vnd.oasis.opendocument.")};
    const QString name = type.name();
    return names.contains(name) || std::any_of(families.begin(), families.end(),
                                               [&name](const QString& family) { return name.startsWith(family); });
}

// A file the desktop only shows: not executable, and a document by its name and content, both as linked and as the
// file a link leads to.
bool IsDocumentFile(const QFileInfo& info) {
    constexpr QFile::Permissions executable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    if (info.permissions() & executable)
        return false;
    const QMimeDatabase types;
    return IsDocumentType(types.mimeTypeForFile(info)) &&
           IsDocumentType(types.mimeTypeForFile(QFileInfo(info.canonicalFilePath())));
}

// A mail address that asks the mail program to attach a file, also behind escapes. Each round undoes one layer of
// escapes; an address still escaped after a few is asked about all the same.
bool AsksForAttachment(const QUrl& url) {
    static const QRegularExpression attach(QStringLiteral("attach(ment)?\\s*="),
                                           QRegularExpression::CaseInsensitiveOption);
    QByteArray read = url.toEncoded();
    for (int round = 0; round < 4; ++round) {
        if (attach.match(QString::fromUtf8(read)).hasMatch())
            return true;
        const QByteArray decoded = QByteArray::fromPercentEncoding(read);
        if (decoded == read)
            return false;
        read = decoded;
    }
    return true;
}

LinkTarget LocalFile(const QString& file, const QString& baseFolder) {
    const QDir base(baseFolder.isEmpty() ? QDir::currentPath() : baseFolder);
    const QString path = QDir::cleanPath(base.absoluteFilePath(file));
    LinkTarget target;
    if (IsDocumentPath(path)) {
        target.kind = LinkTarget::Document;
        target.documentPath = path;
        return target;
    }
    const QFileInfo info(path);
    if (info.exists()) {
        target.kind = LinkTarget::Desktop;
        target.url = QUrl::fromLocalFile(path);
        target.mayStartProgram = info.isFile() && !IsDocumentFile(info);
    }
    return target;
}

// True when the scheme of `text`, or of an address it wraps ("view-source:javascript:…"), runs code. The text is
// read as a browser reads it: escapes decoded, tabs and line breaks dropped.
bool RunsCode(const QString& text) {
    QString read = QUrl::fromPercentEncoding(text.toUtf8());
    read.remove(QRegularExpression(QStringLiteral("[\\t\\r\\n]")));
    static const QRegularExpression scheme(QStringLiteral("\\s*([A-Za-z][A-Za-z0-9+.-]*):"));
    for (QRegularExpressionMatch match =
             scheme.match(read, 0, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
         match.hasMatch(); match = scheme.match(read, match.capturedEnd(), QRegularExpression::NormalMatch,
                                                QRegularExpression::AnchorAtOffsetMatchOption)) {
        const QString name = match.captured(1).toLower();
        if (name == QLatin1String("javascript") || name == QLatin1String("vbscript") || name == QLatin1String("data"))
            return true;
    }
    return false;
}

LinkTarget Classify(const QString& text, const QString& baseFolder) {
    if (RunsCode(text))
        return {};
    // A scheme has two letters at least: "C:" starts a path of another system, which names no file here.
    static const QRegularExpression schemed(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (!schemed.match(text).hasMatch())
        return LocalFile(text, baseFolder);
    const QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid())
        return {};
    if (scheme == QLatin1String("file"))
        return url.host().isEmpty() && !url.path().isEmpty() ? LocalFile(url.toLocalFile(), baseFolder) : LinkTarget{};
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if ((web && url.host().isEmpty()) || url.toString(QUrl::RemoveScheme).isEmpty())
        return {};
    LinkTarget target;
    target.kind = LinkTarget::Desktop;
    target.url = url;
    target.mayStartProgram = scheme == QLatin1String("mailto") ? AsksForAttachment(url) : !web;
    return target;
}

} // namespace

LinkTarget ClassifyLink(const QString& link, const QString& baseFolder) {
    const QString text = link.trimmed();
    if (text.isEmpty())
        return {};
    LinkTarget tooLong;
    tooLong.kind = LinkTarget::TooLong;
    if (text.size() > MaxOpenerArgumentBytes)
        return tooLong;
    const LinkTarget target = Classify(text, baseFolder);
    if (target.kind == LinkTarget::Desktop && OpenerArgument(target.url).toUtf8().size() > MaxOpenerArgumentBytes)
        return tooLong;
    return target;
}

QStringList DroppedDocumentPaths(const QList<QUrl>& urls) {
    QStringList paths;
    for (const QUrl& url : urls) {
        if (url.isLocalFile() && IsDocumentPath(url.toLocalFile()))
            paths << QDir::cleanPath(url.toLocalFile());
    }
    return paths;
}

QString OpenerArgument(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : QString::fromUtf8(url.toEncoded());
}

QString ShownLinkTarget(const QUrl& url) {
    return ShownPath(url.isLocalFile() ? url.toLocalFile() : url.toString());
}

bool OpenLink(const QString& link, const QString& baseFolder, const std::function<void(const QString&)>& openDocument,
              const std::function<bool(const QUrl&)>& openOnDesktop) {
    const LinkTarget target = ClassifyLink(link, baseFolder);
    const QString shownLink = ShownPath(link.trimmed());
    QString failure;
    switch (target.kind) {
    case LinkTarget::Document:
        openDocument(target.documentPath);
        return true;
    case LinkTarget::Desktop:
        if (target.mayStartProgram &&
            platform::ShowMessageBox(LoadString(StringId::LinkMayStartProgram).arg(ShownLinkTarget(target.url)),
                                     platform::MessageButtons::YesNo, platform::MessageIcon::Warning,
                                     1) != platform::MessageAnswer::Yes)
            return false;
        if (openOnDesktop(target.url))
            return true;
        failure = LoadString(StringId::LinkNotOpened).arg(ShownLinkTarget(target.url));
        break;
    case LinkTarget::TooLong:
        failure = LoadString(StringId::LinkTooLong).arg(shownLink, QString::number(link.trimmed().size()));
        break;
    case LinkTarget::Refused:
        failure = LoadString(StringId::LinkNotFound).arg(shownLink);
        break;
    }
    platform::ShowMessageBox(failure, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return false;
}
