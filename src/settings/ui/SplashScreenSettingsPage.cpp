#include "settings/ui/SplashScreenSettingsPage.h"

#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CSplashScreenSettingsPage::CSplashScreenSettingsPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(LoadString(StringId::SplashScreenPageTitle), parent), m_host(host), m_wait(new QLineEdit(this)) {
    const CMessageContext& context = host.MessageContext();
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(Msg::TimeToShowSplashScreen(context), this));
    m_wait->setMaximumWidth(60);
    row->addWidget(m_wait);
    row->addWidget(new QLabel(Msg::Seconds(context), this));
    row->addStretch();
    layout->addLayout(row);
    auto* explanation = new QLabel(Msg::SplashScreenTimeExplanation(context), this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    layout->addStretch();
    m_wait->setText(m_model.waitText);
}

bool CSplashScreenSettingsPage::Validate() {
    m_model.waitText = m_wait->text();
    return m_model.Validate(m_host.MessageContext());
}

void CSplashScreenSettingsPage::Apply() {
    m_model.waitText = m_wait->text();
    m_model.Apply();
}
