#include "printing/ui/PSSingle.h"

#include "model/PrintSettings.h"
#include "printing/PrintJob.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

const std::pair<quint16, StringId> kItems[] = {
    {PrintedFunctionHeader, StringId::PrintItemHeader}, {PrintedFunctionContent, StringId::PrintItemContent},
    {PrintedFunctionLogic, StringId::PrintItemLogic},   {PrintedFunctionRequirements, StringId::PrintItemRequirements},
    {PrintedFunctionReason, StringId::PrintItemReason}, {PrintedFunctionLineNumbers, StringId::PrintItemLineNumbers},
};

} // namespace

CPSSingle::CPSSingle(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPrintSectionPage(Msg::FunctionPlural(context), settings.sections[PrintSettings::UnitFunctions],
                        Range | Scale | Omission, context, parent),
      m_onlyEmbedded(new QCheckBox(LoadString(StringId::PrintOnlyEmbedded), this)),
      m_onlyWritten(new QCheckBox(LoadString(StringId::PrintOnlyWritten), this)) {
    m_onlyEmbedded->setChecked(Section().nonEmbodiment != 0);
    m_onlyWritten->setChecked(Section().nonWrited != 0);
    Layout()->addRow(m_onlyEmbedded);
    Layout()->addRow(m_onlyWritten);
    auto* group = new QGroupBox(LoadString(StringId::PrintItems), this);
    auto* column = new QVBoxLayout(group);
    for (const auto& [bit, text] : kItems) {
        auto* box = new QCheckBox(LoadString(text), group);
        box->setChecked((Section().object & bit) != 0);
        column->addWidget(box);
        m_items.push_back(box);
    }
    Layout()->addRow(group);
}

void CPSSingle::Apply() {
    CPrintSectionPage::Apply();
    Section().nonEmbodiment = m_onlyEmbedded->isChecked() ? 1 : 0;
    Section().nonWrited = m_onlyWritten->isChecked() ? 1 : 0;
    // Bits the page does not offer keep their values.
    for (int k = 0; k < m_items.size(); ++k) {
        if (m_items[k]->isChecked())
            Section().object |= kItems[k].first;
        else
            Section().object &= static_cast<quint16>(~kItems[k].first);
    }
}
