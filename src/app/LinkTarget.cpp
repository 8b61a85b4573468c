#include "app/LinkTarget.h"

#include "platform/MessageBox.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QtEndian>

#include <algorithm>
#include <utility>

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

// The first bytes of a file, which tell its type by content.
constexpr qint64 kContentHeadBytes = 64 * 1024;

// The Open XML type of an office document: a zip archive whose first entry lists its parts ("[Content_Types].xml", or
// the relations "_rels/.rels") and which holds a part in the folder of its kind. Empty for any other zip, or when the
// head of the file holds no such part.
QString OpenXmlType(const QByteArray& head) {
    static const QByteArray entry("PK\x03\x04", 4);
    // The name of the entry whose local header starts at `at`; empty when the head ends before it.
    const auto nameAt = [&head](qsizetype at) {
        constexpr qsizetype nameLengthOffset = 26;
        constexpr qsizetype nameOffset = 30;
        if (at + nameOffset > head.size())
            return QByteArray();
        const auto length = qFromLittleEndian<quint16>(head.constData() + at + nameLengthOffset);
        return head.mid(at + nameOffset, length);
    };
    if (!head.startsWith(entry) || (nameAt(0) != "[Content_Types].xml" && nameAt(0) != "_rels/.rels"))
        return {};
    static const std::pair<QByteArray, QString> kinds[] = {
        {"word/", QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document")},
        {"xl/", QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")},
        {"ppt/", QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.presentation")},
    };
    for (qsizetype at = head.indexOf(entry, 1); at >= 0; at = head.indexOf(entry, at + 1)) {
        const QByteArray name = nameAt(at);
        for (const auto& [folder, type] : kinds) {
            if (name.startsWith(folder))
                return type;
        }
    }
    return {};
}

// Whether the first bytes of a file hold only characters of text. The type database takes a control character other
// than a tab or a line end as a sign of binary data; a form feed (a listing's page break), a vertical tab, a backspace
// (a manual's overstrike), a bell and an escape (a coloured log) are text all the same.
bool IsText(const QByteArray& head) {
    static const QByteArray controls("\a\b\t\n\v\f\r\x1b");
    constexpr qsizetype looked = 128; // as far as the database looks
    const QByteArray start = head.left(looked);
    return std::all_of(start.begin(), start.end(),
                       [](char byte) { return static_cast<uchar>(byte) >= 0x20 || controls.contains(byte); });
}

// The type the content of a file shows, as the desktop's opener sees it.
QMimeType ContentType(const QMimeDatabase& types, const QByteArray& head) {
    const QMimeType type = types.mimeTypeForData(head);
    if (type.inherits(QStringLiteral("application/zip"))) {
        const QString office = OpenXmlType(head);
        if (!office.isEmpty())
            return types.mimeTypeForName(office);
    }
    if (type.isDefault() && IsText(head))
        return types.mimeTypeForName(QStringLiteral("text/plain"));
    return type;
}

// Whether a file's name and its content agree: they are of one type, or one is a kind of the other (a CSV file is a
// text), and a name of a document goes with content that is a document (an archive is none, a launcher is no text).
// A compound file is the container of the binary office documents, of installers and of other programs' files: its
// content tells no more unless Word marked it, and it holds a document of the type its name gives when that is one
// of the binary office documents.
bool Agree(const QMimeType& named, const QMimeType& content) {
    static const QStringList compoundDocuments = {QStringLiteral("application/msword"),
                                                  QStringLiteral("application/vnd.ms-excel"),
                                                  QStringLiteral("application/vnd.ms-powerpoint")};
    if (IsDocumentType(named) && content.name() == QLatin1String("application/x-ole-storage"))
        return std::any_of(compoundDocuments.begin(), compoundDocuments.end(),
                           [&named](const QString& document) { return named.inherits(document); });
    if (IsDocumentType(named) && !IsDocumentType(content))
        return false;
    return named.inherits(content.name()) || content.inherits(named.name());
}

// What a local file is to the desktop.
struct FileLook {
    // A file the desktop only shows: a regular file, not executable, whose names (as linked and of the file a link
    // leads to) are documents that agree with its content. The opener types a file by its content, a reader by its
    // name: a program or a launcher named as a document is none.
    bool document = false;
    // The types of the first name and of the content that disagree; empty when they agree or tell nothing.
    QString namedType;
    QString contentType;
};

// Only a bounded head is read, and a pipe or a device is never opened, let alone waited on.
FileLook LookAtFile(const QString& path) {
    constexpr QFile::Permissions executable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const QFileInfo info(path);
    const QString target = info.canonicalFilePath();
    QFile file;
    FileLook look;
    if (target.isEmpty() || !platform::OpenRegularFileForReading(file, target))
        return look;
    const QByteArray head = file.read(kContentHeadBytes);
    if (file.error() != QFileDevice::NoError)
        return look;
    const QMimeDatabase types;
    // An empty file shows nothing of itself: its names alone tell.
    const QMimeType content = head.isEmpty() ? QMimeType() : ContentType(types, head);
    look.document = !(info.permissions() & executable);
    for (const QString& name : {info.fileName(), QFileInfo(target).fileName()}) {
        const QMimeType named = types.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
        const bool agree = !content.isValid() || Agree(named, content);
        look.document = look.document && IsDocumentType(named) && agree;
        if (!agree && !named.isDefault() && !content.isDefault() && look.namedType.isEmpty()) {
            look.namedType = named.name();
            look.contentType = content.name();
        }
    }
    return look;
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
        const FileLook look = LookAtFile(path);
        target.mayStartProgram = !look.document;
        target.namedType = look.namedType;
        target.contentType = look.contentType;
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

namespace {

// The question about a link that may start a program.
QString LinkQuestion(const LinkTarget& target) {
    const QString shown = ShownLinkTarget(target.url);
    if (target.namedType.isEmpty())
        return LoadString(StringId::LinkMayStartProgram).arg(shown);
    return LoadString(StringId::LinkNameDisagreesWithContent).arg(shown, target.namedType, target.contentType);
}

} // namespace

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
            platform::ShowMessageBox(LinkQuestion(target), platform::MessageButtons::YesNo,
                                     platform::MessageIcon::Warning, 1) != platform::MessageAnswer::Yes)
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
