#include "generators/ui/TestSpecificationsDlg.h"

#include "generators/TestSpecificationDraft.h"
#include "generators/ui/GeneratorCommands.h"
#include "model/DocumentData.h"
#include "platform/ui/DropEdit.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CTestSpecificationsDlg::CTestSpecificationsDlg(CGeneratorCommandHost& host, QWidget* parent)
    : QDialog(parent), m_host(host) {
    setWindowTitle(Msg::CreateTestSpecification(host.MessageContext()));
    const QString stored = host.GeneratedDocument().testSpecificationOptions.FileName;
    const QString defaultName =
        MakeFileNameWithExtension(host.GeneratedDocumentPath(), LoadString(StringId::CsvExtension),
                                  LoadString(StringId::TestSpecificationObject));
    m_fileName = new CDropEdit(stored.isEmpty() ? defaultName : stored);
    auto* browse = new QPushButton(LoadString(StringId::BrowseButton));
    connect(browse, &QPushButton::clicked, this, [this, defaultName] {
        const QString typed = m_fileName->text();
        const QString chosen =
            PromptGeneratorFileName(this, typed.isEmpty() ? defaultName : typed, LoadString(StringId::CsvFileFilter),
                                    LoadString(StringId::CsvExtension));
        if (!chosen.isEmpty())
            m_fileName->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Msg::FileName(host.MessageContext())));
    row->addWidget(m_fileName, 1);
    row->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTestSpecificationsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTestSpecificationsDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    resize(480, sizeHint().height());
}

void CTestSpecificationsDlg::accept() {
    if (!StoreTestSpecificationFileName(m_host.GeneratedDocument(), m_fileName->text()))
        return;
    m_host.SetGeneratedDocumentModified();
    QDialog::accept();
}

void RunTestSpecificationCommand(CGeneratorCommandHost& host) {
    CTestSpecificationsDlg dialog(host, host.DialogParent());
    // The draft is written, and said, once the dialog is gone.
    if (dialog.exec() == QDialog::Accepted)
        WriteTestSpecificationDraft(host.GeneratedDocument());
}
