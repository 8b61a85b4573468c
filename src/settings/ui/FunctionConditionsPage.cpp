#include "settings/ui/FunctionConditionsPage.h"

#include "settings/FunctionConditionsPageModel.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QVBoxLayout>

CFunctionConditionsPage::CFunctionConditionsPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(LoadString(StringId::FunctionConditionsPageTitle), parent), m_host(host),
      m_omitReason(new QCheckBox(Msg::OfNewFunctionTurnOn(host.MessageContext()), this)),
      m_inheritDown(new QCheckBox(LoadString(StringId::InheritRequirementsDownLabel), this)),
      m_inheritUp(new QCheckBox(LoadString(StringId::InheritRequirementsUpLabel), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_omitReason);
    layout->addWidget(m_inheritDown);
    layout->addWidget(m_inheritUp);
    layout->addStretch();

    const CFunctionConditionsPageModel model(host.SettingsDocument());
    m_omitReason->setChecked(model.unNecessaryReasoningDefault);
    m_inheritDown->setChecked(model.inheritRequirementsDown);
    m_inheritUp->setChecked(model.inheritRequirementsUp);
}

void CFunctionConditionsPage::Apply() {
    CFunctionConditionsPageModel model(m_host.SettingsDocument());
    model.unNecessaryReasoningDefault = m_omitReason->isChecked();
    model.inheritRequirementsDown = m_inheritDown->isChecked();
    model.inheritRequirementsUp = m_inheritUp->isChecked();
    if (model.Apply(m_host.SettingsDocument()))
        m_host.SetSettingsDocumentModified();
}
