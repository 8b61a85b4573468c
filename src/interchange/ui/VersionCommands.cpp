#include "interchange/ui/VersionCommands.h"

#include "interchange/TfsHandOver.h"
#include "interchange/ui/DlgFileAdd.h"
#include "interchange/ui/FileControl.h"
#include "interchange/ui/ShowDifferenceDialog.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

template <typename Dialog> void RunDialog(CVersionCommandHost& host) {
    Dialog dialog(host, host.DialogParent());
    dialog.exec();
}

} // namespace

void AddVersionCommands(CCommandRegistry& registry, CVersionCommandHost& host) {
    using enum CommandRule;
    registry.Add({CommandVersionControl, [&host](int) { RunDialog<CFileControl>(host); }, DocumentOpen,
                  CommandVersionControl, "", CommandIcon::None});
    registry.Add({CommandCombineFunctions, [&host](int) { RunDialog<CDlgFileAdd>(host); }, DocumentOpen,
                  CommandCombineFunctions, "", CommandIcon::None});
    registry.Add({CommandShowDifferences, [&host](int) { RunDialog<CShowDifferenceDialog>(host); }, DocumentOpen,
                  CommandShowDifferences, "", CommandIcon::None});
    // No connector to work items exists here: the command says so instead of staying greyed without a word.
    registry.Add({CommandConnectTeamFoundationServer,
                  [](int) {
                      platform::ShowMessageBox(CTfsHandOver::NoConnectorMessage(), platform::MessageButtons::Ok,
                                               platform::MessageIcon::Information);
                  },
                  None, CommandConnectTeamFoundationServer, "", CommandIcon::None});
}

QString PromptOtherDocument(QWidget* parent, const QString& path) {
    return QFileDialog::getOpenFileName(parent, QString(), path.isEmpty() ? QString() : QFileInfo(path).path(),
                                        LoadString(StringId::NuvFileFilter));
}
