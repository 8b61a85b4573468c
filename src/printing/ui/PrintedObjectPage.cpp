#include "printing/ui/PrintedObjectPage.h"

#include "texts/Msg.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

CPrintedObjectPage::CPrintedObjectPage(int& selectedPrintout, const CMessageContext& context, QWidget* parent)
    : CPropertyPage(Msg::PrintTarget(context), parent), m_selectedPrintout(selectedPrintout),
      m_choices(new QButtonGroup(this)) {
    auto* column = new QVBoxLayout(this);
    const QString texts[] = {Msg::OutlineNumberOrderdTableOfContents(context),
                             Msg::HierarchicalTableOfContents(context),
                             Msg::FunctionPlural(context),
                             Msg::Title(context),
                             Msg::MessagesDockingWindowPlural(context),
                             Msg::NotesPlural(context)};
    for (int k = 0; k < 6; ++k) {
        auto* button = new QRadioButton(texts[k], this);
        m_choices->addButton(button, k);
        column->addWidget(button);
    }
    column->addStretch();
    if (QAbstractButton* chosen = m_choices->button(selectedPrintout))
        chosen->setChecked(true);
}

void CPrintedObjectPage::Apply() {
    if (m_choices->checkedId() >= 0)
        m_selectedPrintout = m_choices->checkedId();
}
