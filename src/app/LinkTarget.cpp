#include "app/LinkTarget.h"

#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool IsDocumentPath(const QString& path) {
    return QDir::isAbsolutePath(path) && path.endsWith(QStringLiteral(".nuv"), Qt::CaseInsensitive) &&
           !QFileInfo(path).fileName().startsWith(QStringLiteral("~$"));
}

LinkTarget LocalFile(const QString& file) {
    const QString path = QDir::cleanPath(file);
    LinkTarget target;
    if (IsDocumentPath(path)) {
        target.kind = LinkTarget::Document;
        target.documentPath = path;
    } else if (QFileInfo::exists(path)) {
        target.kind = LinkTarget::Desktop;
        target.url = QUrl::fromLocalFile(path);
    }
    return target;
}

} // namespace

LinkTarget ClassifyLink(const QString& link, const QString& baseFolder) {
    const QString text = link.trimmed();
    if (text.isEmpty())
        return {};
    // A scheme has two letters at least: "C:" starts a path of another system, which names no file here.
    static const QRegularExpression schemed(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (!schemed.match(text).hasMatch()) {
        const QDir base(baseFolder.isEmpty() ? QDir::currentPath() : baseFolder);
        return LocalFile(QDir::isAbsolutePath(text) ? text : base.absoluteFilePath(text));
    }
    const QUrl url(text, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid())
        return {};
    if (scheme == QLatin1String("file"))
        return url.host().isEmpty() && !url.path().isEmpty() ? LocalFile(url.toLocalFile()) : LinkTarget{};
    const bool runsCode =
        scheme == QLatin1String("javascript") || scheme == QLatin1String("vbscript") || scheme == QLatin1String("data");
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (runsCode || (web && url.host().isEmpty()) || url.toString(QUrl::RemoveScheme).isEmpty())
        return {};
    LinkTarget target;
    target.kind = LinkTarget::Desktop;
    target.url = url;
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

bool OpenLink(const QString& link, const QString& baseFolder, const std::function<void(const QString&)>& openDocument,
              const std::function<bool(const QUrl&)>& openOnDesktop) {
    const LinkTarget target = ClassifyLink(link, baseFolder);
    StringId failure = StringId::LinkNotFound;
    switch (target.kind) {
    case LinkTarget::Document:
        openDocument(target.documentPath);
        return true;
    case LinkTarget::Desktop:
        if (openOnDesktop(target.url))
            return true;
        failure = StringId::LinkNotOpened;
        break;
    case LinkTarget::Refused:
        break;
    }
    platform::ShowMessageBox(LoadString(failure).arg(link.trimmed()), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
    return false;
}
