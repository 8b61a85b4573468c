#include "app/DesktopOpener.h"

#include "app/LinkTarget.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QProcess>

namespace {

// How long a start may take to say whether the opener runs at all.
constexpr int StartWaitMilliseconds = 5000;

} // namespace

CDesktopOpener::CDesktopOpener(QString program, QObject* parent) : QObject(parent), m_program(std::move(program)) {}

bool CDesktopOpener::Open(const QUrl& url) {
    auto* opener = new QProcess(this);
    opener->setProgram(m_program);
    opener->setArguments({OpenerArgument(url)});
    // What the opener or the program it starts writes is not gathered: a program running for hours would fill it.
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString shown = ShownLinkTarget(url);
    connect(opener, &QProcess::finished, this, [opener, shown](int exitCode, QProcess::ExitStatus status) {
        opener->deleteLater();
        if (status == QProcess::NormalExit && exitCode == 0)
            return;
        platform::ShowMessageBox(LoadString(StringId::LinkNotOpened).arg(shown), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
    });
    opener->start();
    if (opener->waitForStarted(StartWaitMilliseconds))
        return true;
    delete opener;
    return false;
}
