#include "generators/ui/OutputSourceCodeWindow.h"

#include "generators/CommentSourceOutput.h"
#include "generators/ui/GeneratorCommands.h"
#include "model/DefaultSourceCodeTemplate.h"
#include "model/DocumentData.h"
#include "platform/ui/DropEdit.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

COutputSourceCodeWindow::COutputSourceCodeWindow(CGeneratorCommandHost& host, QWidget* parent)
    : QDialog(parent), m_host(host) {
    setWindowTitle(LoadString(StringId::CommentSourceTitle));
    const CEnvironmentOptions& options = host.GeneratedDocument().environment;
    m_fileName =
        new CDropEdit(options.outputSourceCodeFileName.isEmpty()
                          ? DefaultCommentSourceFileName(host.GeneratedDocumentPath(), host.GeneratedDocumentName())
                          : options.outputSourceCodeFileName);
    auto* browse = new QPushButton(LoadString(StringId::BrowseButton));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            PromptGeneratorFileName(this, m_fileName->text(), LoadString(StringId::CommentSourceFilter), QString());
        if (!chosen.isEmpty())
            m_fileName->setText(chosen);
    });
    // The edit shows the template with CR LF line ends whichever way it was stored; what it holds is kept as typed.
    m_template = new QPlainTextEdit(QString(options.outputSourceCodeFormat).replace(QLatin1String("\r\n"), "\n"));
    // As in every dialog, Tab goes on to the next field.
    m_template->setTabChangesFocus(true);
    auto* help = new QPlainTextEdit(TemplateTagHelp());
    help->setTabChangesFocus(true);
    help->setReadOnly(true);
    auto* defaults = new QPushButton(LoadString(StringId::DefaultButton));
    connect(defaults, &QPushButton::clicked, this,
            [this] { m_template->setPlainText(GetDefaultSourceCodeTemplate().replace(QLatin1String("\r\n"), "\n")); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &COutputSourceCodeWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COutputSourceCodeWindow::reject);
    connect(m_template, &QPlainTextEdit::textChanged, this, &COutputSourceCodeWindow::CheckTemplate);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Msg::FileName(host.MessageContext())));
    row->addWidget(m_fileName, 1);
    row->addWidget(browse);
    auto* texts = new QHBoxLayout;
    texts->addWidget(m_template, 3);
    texts->addWidget(help, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(new QLabel(LoadString(StringId::CommentSourceTemplateLabel)));
    layout->addLayout(texts, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(defaults);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    resize(760, 480);
    CheckTemplate();
}

void COutputSourceCodeWindow::CheckTemplate() {
    const QString text = m_template->toPlainText();
    qsizetype consumed = 0;
    ParseTemplate(text, consumed);
    m_ok->setEnabled(consumed == text.size());
}

void COutputSourceCodeWindow::accept() {
    QString templateText = m_template->toPlainText();
    templateText.replace('\n', QLatin1String("\r\n"));
    const CommentSourceOkResult result = AcceptCommentSourceDialog(
        m_host.GeneratedDocument(), m_host.GeneratedDocumentPath(), m_fileName->text(), templateText);
    m_host.SetGeneratedDocumentModified();
    if (result == CommentSourceOkResult::Written)
        QDialog::accept();
}
