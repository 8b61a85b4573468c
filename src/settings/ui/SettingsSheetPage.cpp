#include "settings/ui/SettingsSheetPage.h"

#include "settings/ui/ColourNames.h"
#include "settings/ui/FontDlg.h"
#include "settings/ui/SettingsHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

QString FontCaption(const FontSetting& font) {
    return QStringLiteral("%1, %2 pt").arg(font.faceName).arg(font.pointSize / 10.0);
}

} // namespace

CSettingsSheetPage::CSettingsSheetPage(CSettingsHost& host, std::unique_ptr<CSettingsSheetPageModel> model,
                                       QWidget* parent)
    : CPropertyPage(model->Title(host.MessageContext()), parent), m_host(host), m_model(std::move(model)) {
    auto* form = new QFormLayout(this);
    for (size_t i = 0; i < m_model->NumberFields().size(); ++i)
        AddNumberRow(*form, i);
    for (size_t i = 0; i < m_model->TextFields().size(); ++i) {
        const SettingsTextField& field = m_model->TextFields()[i];
        auto* edit = new QLineEdit(m_model->Text(i), this);
        edit->setObjectName(QStringLiteral("text%1").arg(i));
        edit->setMaxLength(field.maxLength);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { m_model->SetText(i, text); });
        form->addRow(field.label.Text(m_host.MessageContext()), edit);
    }
    for (size_t i = 0; i < m_model->FontFields().size(); ++i)
        AddFontRow(*form, i);
}

void CSettingsSheetPage::AddNumberRow(QFormLayout& form, size_t index) {
    const SettingsNumberField& field = m_model->NumberFields()[index];
    const QString name = QStringLiteral("number%1").arg(index);
    const QString label = field.label.Text(m_host.MessageContext());
    const int value = m_model->Number(index);
    switch (field.kind) {
    case SettingsNumberKind::Number: {
        auto* edit = new QLineEdit(QString::number(value), this);
        edit->setObjectName(name);
        connect(edit, &QLineEdit::textEdited, this,
                [this, index](const QString& text) { m_model->SetNumberText(index, text); });
        form.addRow(label, edit);
        break;
    }
    case SettingsNumberKind::Switch: {
        auto* box = new QCheckBox(label, this);
        box->setObjectName(name);
        box->setChecked(value > 0);
        connect(box, &QCheckBox::toggled, this, [this, index](bool on) { m_model->SetNumber(index, on ? 1 : 0); });
        form.addRow(box);
        break;
    }
    case SettingsNumberKind::Choice:
    case SettingsNumberKind::Colour: {
        auto* box = new QComboBox(this);
        box->setObjectName(name);
        std::vector<int> values = field.choiceValues;
        if (field.kind == SettingsNumberKind::Colour) {
            AddColourNames(*box, m_host.MessageContext());
            values.clear();
            for (int colour = 0; colour < box->count(); ++colour)
                values.push_back(colour);
        } else {
            for (const SettingsLabel& choice : field.choiceLabels)
                box->addItem(choice.Text(m_host.MessageContext()));
        }
        // A stored value that is none of the choices shows no choice and stays until one is made.
        const auto found = std::find(values.begin(), values.end(), value);
        box->setCurrentIndex(found == values.end() ? -1 : int(found - values.begin()));
        connect(box, &QComboBox::activated, this,
                [this, index, values](int row) { m_model->SetNumber(index, values.at(size_t(row))); });
        form.addRow(label, box);
        break;
    }
    }
}

void CSettingsSheetPage::FontChosenElsewhere(const FontSetting* place, const FontSetting& font) {
    for (size_t index = 0; index < m_model->FontFields().size(); ++index) {
        if (&m_model->FontFields()[index].place(m_host.SettingsDocument()) != place)
            continue;
        m_model->SetFont(index, font);
        if (auto* button = findChild<QPushButton*>(QStringLiteral("font%1").arg(index)))
            button->setText(FontCaption(font));
    }
}

void CSettingsSheetPage::AddFontRow(QFormLayout& form, size_t index) {
    auto* button = new QPushButton(FontCaption(m_model->Font(index)), this);
    button->setObjectName(QStringLiteral("font%1").arg(index));
    connect(button, &QPushButton::clicked, this, [this, button, index] {
        CFontChoice choice(m_model->Font(index), AllFontAttributes, CFontChoice::FromContentText);
        if (!CFontDlg::Edit(m_host.MessageContext(), choice, 1.0, {}, this))
            return;
        m_model->SetFont(index, choice.font);
        button->setText(FontCaption(m_model->Font(index)));
        Share(*this, &m_model->FontFields()[index].place(m_host.SettingsDocument()), choice.font);
    });
    form.addRow(m_model->FontFields()[index].label.Text(m_host.MessageContext()), button);
}

bool CSettingsSheetPage::Validate() {
    return m_model->Validate(m_host.MessageContext());
}

void CSettingsSheetPage::Apply() {
    BeforeStoring();
    const SettingsApplyResult result = m_model->Apply(m_host.SettingsDocument());
    if (!result.changed)
        return;
    m_host.SetSettingsDocumentModified();
    AddChangeBits(result.changeBits);
    AfterStoring();
}
