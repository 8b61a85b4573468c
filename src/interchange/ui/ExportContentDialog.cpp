#include "interchange/ui/ExportContentDialog.h"

#include "interchange/ui/VersionCommands.h"

#include "model/ExportMessages.h"
#include "model/GeneratorTables.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CExportContentDialog::CExportContentDialog(const CMessageContext& context, ExportExplanationsOptions& options,
                                           const QString& proposedName, QWidget* parent)
    : QDialog(parent), m_options(options), m_file(new QLineEdit(proposedName, this)), m_scope(new QButtonGroup(this)) {
    setWindowTitle(Msg::ExplanationUI(context));
    auto* browse = new QPushButton(LoadString(StringId::OwnBrowseButton), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        QFileDialog dialog(this, QString(), FileName(), LoadString(StringId::RtfFileFilter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The question about a file that is there comes once, on OK.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setDefaultSuffix(QStringLiteral("rtf"));
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            m_file->setText(dialog.selectedFiles().first());
    });
    auto* file = new QHBoxLayout;
    file->addWidget(m_file);
    file->addWidget(browse);

    auto* scope = new QVBoxLayout;
    const QString captions[] = {LoadString(StringId::ExportContentThisFunction),
                                LoadString(StringId::ExportContentWithDescendants), Msg::AllFunctionsLabel(context)};
    for (int id = 0; id < 3; ++id) {
        auto* button = new QRadioButton(captions[id], this);
        m_scope->addButton(button, id);
        scope->addWidget(button);
    }
    // A scope outside the three read from a file is taken as the whole document, as the export takes it.
    const int domain = options.Domain >= 0 && options.Domain <= 2 ? options.Domain : 2;
    m_scope->button(domain)->setChecked(true);

    auto* form = new QFormLayout(this);
    form->addRow(Msg::FileName(context), file);
    form->addRow(scope);
    form->addRow(MakeOkCancelButtons(*this));
    resize(520, height());
}

QString CExportContentDialog::FileName() const {
    return m_file->text().trimmed();
}

void CExportContentDialog::accept() {
    const QString path = FileName();
    if (path.isEmpty() || !ConfirmExportFile(path))
        return;
    m_options.FileName = path;
    m_options.Domain = m_scope->checkedId();
    QDialog::accept();
}
