#include "settings/ui/TemplatePage.h"

#include "platform/ui/DropEdit.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CTemplatePage::CTemplatePage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(LoadString(StringId::TemplatePageTitle), parent), m_host(host),
      m_useTemplate(new QCheckBox(Msg::UseTemplateWhenAnNUVDocumentIsCreated(host.MessageContext()), this)),
      m_fileName(new CDropEdit(this)), m_browse(new QPushButton(LoadString(StringId::OwnBrowseButton), this)),
      m_useCurrent(new QPushButton(Msg::UseCurrentNUVDocumentAsATemplate(host.MessageContext()), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_useTemplate);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(m_browse);
    layout->addLayout(fileRow);
    layout->addWidget(m_useCurrent, 0, Qt::AlignLeft);
    layout->addStretch();

    m_useTemplate->setChecked(m_model.useTemplate);
    m_fileName->setText(m_model.templateFilename);
    // A document not yet saved has no file to offer.
    m_useCurrent->setEnabled(!host.SettingsDocumentPath().isEmpty());
    connect(m_browse, &QPushButton::clicked, this, &CTemplatePage::OnBrowse);
    connect(m_useCurrent, &QPushButton::clicked, this, [this] {
        m_fileName->setText(m_host.SettingsDocumentPath());
        m_useTemplate->setChecked(true);
    });
}

void CTemplatePage::OnBrowse() {
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), m_fileName->text(), LoadString(StringId::TemplateFileFilter));
    if (!path.isEmpty())
        m_fileName->setText(path);
}

void CTemplatePage::TakeValues() {
    m_model.useTemplate = m_useTemplate->isChecked();
    m_model.templateFilename = m_fileName->text();
}

bool CTemplatePage::Validate() {
    TakeValues();
    return m_model.Validate();
}

void CTemplatePage::Apply() {
    TakeValues();
    m_model.Apply();
}
