#include "settings/ui/FontPage.h"

#include "settings/ui/ColourNames.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

CFontPage::CFontPage(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(Msg::FontPlural(host.MessageContext()), parent), m_host(host), m_model(host.SettingsDocument()),
      m_targets(new QListWidget(this)), m_face(new QFontComboBox(this)), m_size(new QDoubleSpinBox(this)),
      m_bold(new QCheckBox(Msg::Bold(host.MessageContext()), this)),
      m_italic(new QCheckBox(Msg::Italic(host.MessageContext()), this)),
      m_underline(new QCheckBox(Msg::UnderLine(host.MessageContext()), this)), m_colour(new QComboBox(this)),
      m_restoreDefaults(new QPushButton(LoadString(StringId::RestoreDefaultFontsButton), this)) {
    const CMessageContext& context = host.MessageContext();
    for (int target = 0; target < CFontPageModel::TargetCount; ++target)
        m_targets->addItem(CFontPageModel::TargetName(CFontPageModel::Target(target), context));
    // Faces that are not installed stay as the document names them.
    m_face->setEditable(true);
    m_size->setRange(1.0, 200.0);
    m_size->setDecimals(1);
    m_size->setSingleStep(0.5);
    AddColourNames(*m_colour, context);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_targets);
    auto* form = new QFormLayout;
    form->addRow(LoadString(StringId::FontFaceLabel), m_face);
    form->addRow(Msg::Size(context), m_size);
    form->addRow(m_bold);
    form->addRow(m_italic);
    form->addRow(m_underline);
    form->addRow(Msg::Color(context), m_colour);
    form->addRow(m_restoreDefaults);
    layout->addLayout(form, 1);

    connect(m_targets, &QListWidget::currentRowChanged, this, [this] { ShowFont(); });
    connect(m_face, &QComboBox::currentTextChanged, this, [this] { TakeFont(); });
    connect(m_size, &QDoubleSpinBox::valueChanged, this, [this] { TakeFont(); });
    for (QCheckBox* box : {m_bold, m_italic, m_underline})
        connect(box, &QCheckBox::toggled, this, [this] { TakeFont(); });
    connect(m_colour, &QComboBox::currentIndexChanged, this, [this] { TakeFont(); });
    connect(m_restoreDefaults, &QPushButton::clicked, this, [this] {
        m_model.RestoreDefaults();
        ShowFont();
        for (int target = 0; target < CFontPageModel::TargetCount; ++target)
            ShareFont(target);
    });
    m_targets->setCurrentRow(0);
}

void CFontPage::ShowFont() {
    const int target = m_targets->currentRow();
    if (target < 0)
        return;
    const FontSetting& font = m_model.fonts[target];
    // Showing a font changes nothing of it, also where a control cannot show its value exactly.
    const QSignalBlocker blockFace(m_face), blockSize(m_size), blockBold(m_bold), blockItalic(m_italic),
        blockUnderline(m_underline), blockColour(m_colour);
    m_face->setEditText(font.faceName);
    m_size->setValue(font.pointSize / 10.0);
    m_bold->setChecked(font.bold != 0);
    m_italic->setChecked(font.italic != 0);
    m_underline->setChecked(font.underline != 0);
    m_colour->setCurrentIndex(font.colourIndex < 16 ? font.colourIndex : -1);
}

void CFontPage::TakeFont() {
    const int target = m_targets->currentRow();
    if (target < 0)
        return;
    FontSetting& font = m_model.fonts[target];
    font.faceName = m_face->currentText();
    font.pointSize = quint16(qRound(m_size->value() * 10));
    font.bold = m_bold->isChecked() ? 1 : 0;
    font.italic = m_italic->isChecked() ? 1 : 0;
    font.underline = m_underline->isChecked() ? 1 : 0;
    const int colour = m_colour->currentIndex();
    if (colour >= 0 && colour < 16 && colour != font.colourIndex) {
        font.SetStandardColour(quint8(colour));
    }
    ShareFont(target);
}

void CFontPage::ShareFont(int target) {
    Share(*this, CFontPageModel::DocumentFont(m_host.SettingsDocument(), CFontPageModel::Target(target)),
          m_model.fonts[target]);
}

void CFontPage::FontChosenElsewhere(const FontSetting* place, const FontSetting& font) {
    for (int target = 0; target < CFontPageModel::TargetCount; ++target) {
        if (CFontPageModel::DocumentFont(m_host.SettingsDocument(), CFontPageModel::Target(target)) != place)
            continue;
        m_model.fonts[target] = font;
        if (target == m_targets->currentRow())
            ShowFont();
    }
}

bool CFontPage::Validate() {
    return m_model.Validate(m_host.MessageContext());
}

void CFontPage::Apply() {
    const CFontPageModel::Changes changes = m_model.Apply(m_host.SettingsDocument());
    if (!changes.stored)
        return;
    m_host.SetSettingsDocumentModified();
    if (changes.tabViews)
        AddChangeBits(CFontPageModel::TabViewsChangeBit);
    if (changes.structureDiagram)
        m_host.ApplyStructureDiagramSettings();
    if (changes.notes)
        m_host.ApplyMemoCharFormat();
    if (changes.results)
        m_host.ApplyResultsTextFormat();
}
