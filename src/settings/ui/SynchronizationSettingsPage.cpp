#include "settings/ui/SynchronizationSettingsPage.h"

#include "settings/SynchronizationSettingsPageModel.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CSynchronizationSettingsPage::CSynchronizationSettingsPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(LoadString(StringId::SynchronizationPageTitle), parent), m_host(host),
      m_modes(new QButtonGroup(this)) {
    const CMessageContext& context = host.MessageContext();
    auto* layout = new QVBoxLayout(this);
    const QString modeTexts[] = {Msg::NeverSynchronize(context), Msg::SynchronizeWithoutTentativeFnStatementFn(context),
                                 Msg::SynchronizeCompletely(context)};
    for (int mode = 0; mode < 3; ++mode) {
        auto* button = new QRadioButton(modeTexts[mode], this);
        m_modes->addButton(button, mode);
        layout->addWidget(button);
    }
    // Made after the modes, so that Tab reaches it after them.
    m_duplicateSiblings = new QCheckBox(LoadString(StringId::EnableDuplicateSiblingsLabel), this);
    layout->addWidget(m_duplicateSiblings);
    const QString explanation = Msg::TableOfContentsSyncExplanation(context);
    if (!explanation.isEmpty()) {
        auto* label = new QLabel(explanation, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch();

    const CSynchronizationSettingsPageModel model(host.SettingsDocument());
    // A mode outside the three checks no button and stays as it is unless one is chosen.
    if (QAbstractButton* button = m_modes->button(model.synchronizeFn))
        button->setChecked(true);
    m_duplicateSiblings->setChecked(model.enableDuplicateSiblings);
}

void CSynchronizationSettingsPage::Apply() {
    CSynchronizationSettingsPageModel model(m_host.SettingsDocument());
    if (m_modes->checkedId() >= 0)
        model.synchronizeFn = m_modes->checkedId();
    model.enableDuplicateSiblings = m_duplicateSiblings->isChecked();
    if (model.Apply(m_host.SettingsDocument()))
        m_host.SetSettingsDocumentModified();
}
