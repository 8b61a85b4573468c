#include "app/DesktopOpener.h"

#include "app/LinkTarget.h"
#include "platform/MessageBox.h"
#include "platform/OutOfMemory.h"
#include "texts/StringTable.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>

namespace {

// How long a start may take to say whether the opener runs at all.
constexpr int StartWaitMilliseconds = 5000;

void ShowNotOpened(StringId text, const QUrl& url) {
    platform::ShowMessageBox(LoadString(text).arg(ShownLinkTarget(url)), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
}

QProcess* Process(const QString& program, const QStringList& arguments, QObject* parent) {
    auto* process = new QProcess(parent);
    process->setProgram(program);
    process->setArguments(arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    platform::StartWithInheritedSignals(*process);
    return process;
}

} // namespace

CDesktopOpener::CDesktopOpener(QString program, QString handlerQuery, QObject* parent)
    : QObject(parent), m_program(std::move(program)), m_handlerQuery(std::move(handlerQuery)) {}

bool CDesktopOpener::Open(const QUrl& url) {
    QProcess* opener = Process(m_program, {OpenerArgument(url)}, this);
    // What the opener or the program it starts writes is not gathered: a program running for hours would fill it.
    opener->setStandardOutputFile(QProcess::nullDevice());
    connect(opener, &QProcess::finished, this, [this, opener, url](int exitCode, QProcess::ExitStatus status) {
        opener->deleteLater();
        if (status == QProcess::NormalExit && exitCode == 0)
            return;
        if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
            ShowNotOpened(StringId::LinkNotFound, url);
        else
            ReportUnlessHandled(url);
    });
    opener->start();
    if (opener->waitForStarted(StartWaitMilliseconds))
        return true;
    delete opener;
    return false;
}

void CDesktopOpener::ReportUnlessHandled(const QUrl& url) {
    // The answer is a line: the handler's launcher, or nothing.
    QProcess* query =
        Process(m_handlerQuery, {QStringLiteral("query"), QStringLiteral("default"), HandlerType(url)}, this);
    connect(query, &QProcess::finished, this, [query, url](int exitCode, QProcess::ExitStatus status) {
        query->deleteLater();
        const bool handled =
            status == QProcess::NormalExit && exitCode == 0 && !query->readAllStandardOutput().trimmed().isEmpty();
        if (!handled)
            ShowNotOpened(StringId::LinkNotOpened, url);
    });
    connect(query, &QProcess::errorOccurred, this, [query, url](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        query->deleteLater();
        ShowNotOpened(StringId::LinkNotOpened, url);
    });
    query->start();
}

QString HandlerType(const QUrl& url) {
    if (url.isLocalFile())
        return QMimeDatabase().mimeTypeForFile(url.toLocalFile()).name();
    return QStringLiteral("x-scheme-handler/") + url.scheme().toLower();
}
