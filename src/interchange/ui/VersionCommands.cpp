#include "interchange/ui/VersionCommands.h"

#include "interchange/TfsHandOver.h"
#include "interchange/ui/DlgFileAdd.h"
#include "interchange/ui/FileControl.h"
#include "interchange/ui/ShowDifferenceDialog.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

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
    registry.Add({CommandShowDifferences, [&host](int) { RunDialog<CShowDifferenceDialog>(host); }, None,
                  CommandShowDifferences, "", CommandIcon::None});
    // The work-item command is enabled only while a connector to work items exists, which it never does here: the
    // item stays grey. Run by its id all the same, it says why.
    registry.Add({CommandConnectTeamFoundationServer,
                  [](int) {
                      platform::ShowMessageBox(CTfsHandOver::NoConnectorMessage(), platform::MessageButtons::Ok,
                                               platform::MessageIcon::Information);
                  },
                  AlwaysDisabled, CommandConnectTeamFoundationServer, "", CommandIcon::None});
}

QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadString(StringId::OkButton));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadString(StringId::OwnCancelButton));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

QLayout* MakeOtherDocumentRow(QLineEdit& edit, const QString& path) {
    auto* browse = new QPushButton(LoadString(StringId::OwnBrowseButton), edit.parentWidget());
    QObject::connect(browse, &QPushButton::clicked, &edit, [&edit, path] {
        const QString chosen = QFileDialog::getOpenFileName(
            &edit, QString(), path.isEmpty() ? QString() : QFileInfo(path).path(), LoadString(StringId::NuvFileFilter));
        if (!chosen.isEmpty())
            edit.setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(&edit);
    row->addWidget(browse);
    return row;
}
