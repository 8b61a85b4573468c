#include "settings/ui/SettingsSheetPage.h"

#include "settings/ui/ColourNames.h"
#include "settings/ui/SettingsHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

QString FontCaption(const FontSetting& font) {
    return QStringLiteral("%1, %2 pt").arg(font.faceName).arg(font.pointSize / 10.0);
}

QFont ToQFont(const FontSetting& setting) {
    QFont font(setting.faceName);
    font.setPointSizeF(setting.pointSize / 10.0);
    font.setBold(setting.bold != 0);
    font.setItalic(setting.italic != 0);
    font.setUnderline(setting.underline != 0);
    return font;
}

// The colour of the setting stays; the dialog chooses face, size and style.
FontSetting WithQFont(FontSetting setting, const QFont& font) {
    setting.faceName = font.family().left(FontSetting::MaxFaceNameLength);
    setting.pointSize = quint16(std::lround(font.pointSizeF() * 10));
    setting.bold = font.bold() ? 1 : 0;
    setting.italic = font.italic() ? 1 : 0;
    setting.underline = font.underline() ? 1 : 0;
    return setting;
}

} // namespace

CSettingsSheetPage::CSettingsSheetPage(CSettingsHost& host, std::unique_ptr<CSettingsSheetPageModel> model,
                                       QWidget* parent)
    : CPropertyPage(model->Title(), parent), m_host(host), m_model(std::move(model)) {
    auto* form = new QFormLayout(this);
    for (size_t i = 0; i < m_model->NumberFields().size(); ++i)
        AddNumberRow(*form, i);
    for (size_t i = 0; i < m_model->TextFields().size(); ++i) {
        const SettingsTextField& field = m_model->TextFields()[i];
        auto* edit = new QLineEdit(m_model->Text(i), this);
        edit->setObjectName(QStringLiteral("text%1").arg(i));
        edit->setMaxLength(field.maxLength);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) { m_model->SetText(i, text); });
        form->addRow(LoadString(field.label), edit);
    }
    for (size_t i = 0; i < m_model->FontFields().size(); ++i)
        AddFontRow(*form, i);
}

void CSettingsSheetPage::AddNumberRow(QFormLayout& form, size_t index) {
    const SettingsNumberField& field = m_model->NumberFields()[index];
    const QString name = QStringLiteral("number%1").arg(index);
    const QString label = LoadString(field.label);
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
            box->addItems(field.choiceLabels);
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

void CSettingsSheetPage::AddFontRow(QFormLayout& form, size_t index) {
    auto* button = new QPushButton(FontCaption(m_model->Font(index)), this);
    button->setObjectName(QStringLiteral("font%1").arg(index));
    connect(button, &QPushButton::clicked, this, [this, button, index] {
        const FontSetting current = m_model->Font(index);
        QFontDialog dialog(ToQFont(current), this);
        // For a face this system lacks the dialog shows an installed family: the setting keeps its face's name
        // unless the user picks another family.
        const QString shownFamily = dialog.currentFont().family();
        if (dialog.exec() != QDialog::Accepted)
            return;
        FontSetting chosen = WithQFont(current, dialog.selectedFont());
        if (dialog.selectedFont().family() == shownFamily)
            chosen.faceName = current.faceName;
        m_model->SetFont(index, chosen);
        button->setText(FontCaption(m_model->Font(index)));
    });
    form.addRow(LoadString(m_model->FontFields()[index].label), button);
}

bool CSettingsSheetPage::Validate() {
    return m_model->Validate();
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
