#include "settings/ui/OtherPage.h"

#include "settings/OtherPageModel.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"

#include <QCheckBox>
#include <QVBoxLayout>

COtherPage::COtherPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(Msg::OthersEnvironmentalSettingsPlural(host.MessageContext()), parent), m_host(host),
      m_duplicateNames(new QCheckBox(Msg::AllowDuplicateFunctionName(host.MessageContext()), this)),
      m_distinguishReuse(
          new QCheckBox(Msg::DistinguishDestinationOfReuseAndSourceOfReuse(host.MessageContext()), this)),
      m_tabTitleNumber(new QCheckBox(Msg::ShowOutlineNumberInTheTitleOfTab(host.MessageContext()), this)),
      m_horizontalSplitter(new QCheckBox(Msg::SynchronizeHorizontalSplitter(host.MessageContext()), this)) {
    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {m_duplicateNames, m_distinguishReuse, m_tabTitleNumber, m_horizontalSplitter})
        layout->addWidget(box);
    layout->addStretch();

    const COtherPageModel model(host.SettingsDocument());
    m_duplicateNames->setChecked(model.enableDuplicateFunctionName);
    m_distinguishReuse->setChecked(model.distinguishPrimaryOutlineNumber);
    m_tabTitleNumber->setChecked(model.showOutlineNumberInTabTitle);
    m_horizontalSplitter->setChecked(model.synchronizeHorizontalSplitter);
}

void COtherPage::Apply() {
    COtherPageModel model(m_host.SettingsDocument());
    model.enableDuplicateFunctionName = m_duplicateNames->isChecked();
    model.distinguishPrimaryOutlineNumber = m_distinguishReuse->isChecked();
    model.showOutlineNumberInTabTitle = m_tabTitleNumber->isChecked();
    model.synchronizeHorizontalSplitter = m_horizontalSplitter->isChecked();
    if (model.Apply(m_host.SettingsDocument(), m_host.MessageContext()))
        m_host.SetSettingsDocumentModified();
    // The answer to the question shows when the sheet is opened again.
    m_distinguishReuse->setChecked(model.distinguishPrimaryOutlineNumber);
}
