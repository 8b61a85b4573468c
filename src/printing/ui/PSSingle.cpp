#include "printing/ui/PSSingle.h"

#include "model/PrintSettings.h"
#include "printing/PrintJob.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include <iterator>

namespace {

const quint16 kItems[] = {PrintedFunctionHeader,       PrintedFunctionContent, PrintedFunctionLogic,
                          PrintedFunctionRequirements, PrintedFunctionReason,  PrintedFunctionLineNumbers};

} // namespace

CPSSingle::CPSSingle(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPrintSectionPage(Msg::FunctionPlural(context), settings.sections[PrintSettings::UnitFunctions],
                        Range | Scale | Omission, context, parent),
      m_onlyEmbedded(new QCheckBox(Msg::PrintEmbeddedFunctionNotEmbeddedOnly(context), this)),
      m_onlyWritten(new QCheckBox(Msg::PrintFunctionWithLogicUIOnly(context), this)) {
    m_onlyEmbedded->setChecked(Section().nonEmbodiment != 0);
    m_onlyWritten->setChecked(Section().nonWrited != 0);
    Layout()->addRow(m_onlyEmbedded);
    Layout()->addRow(m_onlyWritten);
    auto* group = new QGroupBox(Msg::PrintedItems(context), this);
    auto* column = new QVBoxLayout(group);
    const QString texts[] = {
        LoadString(StringId::PrintItemHeader), Msg::ExplanationWord(context), Msg::Logic(context),
        Msg::RequirementPlural(context),       Msg::Reason(context),          Msg::LineNumbers(context)};
    static_assert(std::size(texts) == std::size(kItems));
    for (size_t k = 0; k < std::size(kItems); ++k) {
        const quint16 bit = kItems[k];
        auto* box = new QCheckBox(texts[k], group);
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
            Section().object |= kItems[k];
        else
            Section().object &= static_cast<quint16>(~kItems[k]);
    }
}
