#include "app/LinkTarget.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool IsDocumentPath(const QString& path) {
    return QDir::isAbsolutePath(path) && path.endsWith(QStringLiteral(".nuv"), Qt::CaseInsensitive) &&
           !QFileInfo(path).fileName().startsWith(QStringLiteral("~$"));
}

} // namespace

LinkTarget ClassifyLink(const QString& link) {
    const QString text = link.trimmed();
    LinkTarget target;
    if (text.isEmpty())
        return target;
    if (text.startsWith(QLatin1Char('/'))) {
        if (IsDocumentPath(text)) {
            target.kind = LinkTarget::Document;
            target.documentPath = QDir::cleanPath(text);
        }
        return target;
    }
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return target;
    const QString scheme = url.scheme().toLower();
    if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty()) {
        target.kind = LinkTarget::WebAddress;
        target.url = url;
    } else if (scheme == QLatin1String("mailto") && !url.path().isEmpty()) {
        target.kind = LinkTarget::MailAddress;
        target.url = url;
    } else if (scheme == QLatin1String("file") && url.host().isEmpty() && IsDocumentPath(url.toLocalFile())) {
        target.kind = LinkTarget::Document;
        target.documentPath = QDir::cleanPath(url.toLocalFile());
    }
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

bool IsLinkOpeningClick(Qt::KeyboardModifiers modifiers) {
    return modifiers.testFlag(Qt::ControlModifier);
}
