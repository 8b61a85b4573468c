#include "printing/ui/PrintSectionPage.h"

#include "model/PrintSettings.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CPrintSectionPage::CPrintSectionPage(const QString& title, PrintSection& section, int parts,
                                     const CMessageContext& context, QWidget* parent)
    : CPropertyPage(title, parent), m_section(section), m_layout(new QFormLayout(this)) {
    if (parts & Range) {
        m_range = new QButtonGroup(this);
        auto* column = new QVBoxLayout;
        const QString texts[] = {Msg::AllFunctionsLabel(context), Msg::CurrentFunctionAndDescendantsLabel(context),
                                 Msg::CurrentFunctionLabel(context)};
        for (int k = 0; k < 3; ++k) {
            auto* button = new QRadioButton(texts[k], this);
            m_range->addButton(button, k);
            column->addWidget(button);
        }
        // Any other range a file holds prints the whole document.
        m_range->button(section.scope >= 0 && section.scope <= 2 ? section.scope : 0)->setChecked(true);
        m_layout->addRow(Msg::Range(context), column);
    }
    if (parts & Scale) {
        m_scale = new QComboBox(this);
        for (const int zoom : {50, 75, 100, 125, 150})
            m_scale->addItem(QString::number(zoom), zoom);
        // A scale the file holds beyond those stays as it is until another is chosen.
        if (m_scale->findData(int(section.zoom)) < 0)
            m_scale->addItem(QString::number(section.zoom), int(section.zoom));
        m_scale->setCurrentIndex(m_scale->findData(int(section.zoom)));
        m_layout->addRow(Msg::PrintZoom(context), m_scale);
    }
    if (parts & Omission) {
        m_omission = new QCheckBox(Msg::PrintFirstLineOnly(context), this);
        m_omission->setChecked(section.omission != 0);
        m_layout->addRow(m_omission);
    }
}

void CPrintSectionPage::Apply() {
    if (m_range)
        m_section.scope = m_range->checkedId();
    if (m_scale)
        m_section.zoom = static_cast<quint16>(m_scale->currentData().toInt());
    if (m_omission)
        m_section.omission = m_omission->isChecked() ? 1 : 0;
}
