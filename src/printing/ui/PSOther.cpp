#include "printing/ui/PSOther.h"

#include "model/PrintSettings.h"
#include "platform/MessageBox.h"
#include "printing/PrintHeaderFooter.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QStringList ItemNames(const CMessageContext& context) {
    return {Msg::NoneLabel(context),
            LoadString(StringId::PrintTitleDocumentTitle),
            Msg::FileName(context),
            LoadString(StringId::PrintItemDate),
            LoadString(StringId::PrintItemTime),
            Msg::TimeStump(context),
            Msg::Pattern1(context),
            Msg::Pattern2(context),
            LoadString(StringId::PrintItemPageNumber),
            LoadString(StringId::PrintItemPageOfPages)};
}

} // namespace

CPSOther::CPSOther(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPropertyPage(Msg::OthersPrintSettingsPlural(context), parent), m_settings(settings),
      m_text1(new QLineEdit(settings.headerFooterText1, this)),
      m_text2(new QLineEdit(settings.headerFooterText2, this)) {
    auto* column = new QVBoxLayout(this);
    auto* items = new QGroupBox(Msg::HeaderAndFooter(context), this);
    auto* grid = new QGridLayout(items);
    grid->addWidget(new QLabel(Msg::Left(context), items), 0, 1);
    grid->addWidget(new QLabel(Msg::Center(context), items), 0, 2);
    grid->addWidget(new QLabel(Msg::Right(context), items), 0, 3);
    const QStringList names = ItemNames(context);
    const PrintHeaderFooterKinds* kinds[] = {&settings.headerKinds, &settings.footerKinds};
    const QString rows[] = {Msg::Header(context), Msg::Footer(context)};
    for (int row = 0; row < 2; ++row) {
        grid->addWidget(new QLabel(rows[row], items), row + 1, 0);
        const quint16 values[] = {kinds[row]->left, kinds[row]->center, kinds[row]->right};
        for (int k = 0; k < 3; ++k) {
            auto* box = new QComboBox(items);
            box->addItems(names);
            // A kind the program does not know prints nothing; it shows as none.
            box->setCurrentIndex(values[k] < HeaderFooterItemCount ? values[k] : 0);
            grid->addWidget(box, row + 1, k + 1);
            m_items.push_back(box);
        }
    }
    auto* texts = new QFormLayout;
    m_text1->setMaxLength(PrintSettings::MaxHeaderFooterTextLength);
    m_text2->setMaxLength(PrintSettings::MaxHeaderFooterTextLength);
    texts->addRow(Msg::Pattern1(context), m_text1);
    texts->addRow(Msg::Pattern2(context), m_text2);
    grid->addLayout(texts, 3, 0, 1, 4);
    column->addWidget(items);

    auto* margins = new QGroupBox(Msg::PageMargin(context), this);
    auto* form = new QFormLayout(margins);
    const std::pair<QString, int> values[] = {{Msg::Left(context), settings.marginLeft},
                                              {Msg::Right(context), settings.marginRight},
                                              {Msg::Top(context), settings.marginTop},
                                              {Msg::Bottom(context), settings.marginBottom}};
    for (const auto& [name, value] : values) {
        auto* box = new QSpinBox(margins);
        box->setRange(0, PrintSettings::MaxMargin);
        box->setValue(value);
        form->addRow(name, box);
        m_margins.push_back(box);
    }
    column->addWidget(margins);
    column->addStretch();
    // The texts were made first but read after the items: Tab reaches them there.
    setTabOrder(m_items.back(), m_text1);
    setTabOrder(m_text1, m_text2);
    setTabOrder(m_text2, m_margins.front());
}

bool CPSOther::Validate() {
    if (PrintSettings::MarginsLeavePrintableArea(m_margins[0]->value(), m_margins[1]->value(), m_margins[2]->value(),
                                                 m_margins[3]->value()))
        return true;
    platform::ShowMessageBox(
        LoadString(StringId::SettingOutOfRange).arg(Title(), LoadString(StringId::PrintMarginMillimetres)),
        platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return false;
}

void CPSOther::Apply() {
    const auto kind = [this](int k) { return static_cast<quint16>(m_items[k]->currentIndex()); };
    m_settings.headerKinds = {kind(0), kind(1), kind(2)};
    m_settings.footerKinds = {kind(3), kind(4), kind(5)};
    m_settings.headerFooterText1 = m_text1->text();
    m_settings.headerFooterText2 = m_text2->text();
    m_settings.marginLeft = m_margins[0]->value();
    m_settings.marginRight = m_margins[1]->value();
    m_settings.marginTop = m_margins[2]->value();
    m_settings.marginBottom = m_margins[3]->value();
}
