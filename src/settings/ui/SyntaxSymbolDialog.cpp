#include "settings/ui/SyntaxSymbolDialog.h"

#include "model/DocumentData.h"
#include "settings/ui/ColourNames.h"
#include "settings/ui/NamedWidget.h"
#include "settings/ui/SettingsHost.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

CSyntaxSymbolDialog::CSyntaxSymbolDialog(CSettingsHost& host, QWidget* parent)
    : CPropertyPage(LoadString(StringId::SyntaxSymbolPageTitle), parent), m_host(host),
      m_settings(host.SettingsDocument()) {
    const CMessageContext& context = host.MessageContext();

    m_symbols = Named(new QListWidget, "symbols");
    m_defaultKeyword = NamedEdit("defaultKeyword", CSyntaxSymbolSettings::MaxKeywordEditLength);
    m_defaultKeyword->setReadOnly(true);
    m_keyword = NamedEdit("keyword", CSyntaxSymbolSettings::MaxKeywordEditLength);
    m_colour = Named(new QComboBox, "colour");
    AddColourNames(*m_colour, context);
    m_symbolDefault = Named(new QPushButton(LoadString(StringId::DefaultButton)), "symbolDefault");
    QPushButton* allDefault = Named(new QPushButton(LoadString(StringId::AllDefaultButton)), "allSymbolsDefault");

    auto* symbolBox = new QGroupBox(Msg::SymbolLogicPlural(context));
    auto* symbolLayout = new QGridLayout(symbolBox);
    symbolLayout->addWidget(m_symbols, 0, 0, 5, 1);
    symbolLayout->addWidget(m_defaultKeyword, 0, 1, 1, 2);
    symbolLayout->addWidget(m_keyword, 1, 1, 1, 2);
    symbolLayout->addWidget(m_colour, 2, 1, 1, 2);
    symbolLayout->addWidget(m_symbolDefault, 3, 1);
    symbolLayout->addWidget(allDefault, 3, 2);

    m_ifParticle = NamedEdit("ifParticle", CSyntaxSymbolSettings::MaxParticleLength);
    m_switchParticle = NamedEdit("switchParticle", CSyntaxSymbolSettings::MaxParticleLength);
    m_doInfix = NamedEdit("doInfix", CSyntaxSymbolSettings::MaxParticleLength);
    m_doSuffix = NamedEdit("doSuffix", CSyntaxSymbolSettings::MaxParticleLength);
    m_particleLanguage = Named(new QComboBox, "particleLanguage");
    m_particleLanguage->addItem(Msg::English(context));
    m_particleLanguage->addItem(Msg::Japanese(context));
    QPushButton* particleDefault = Named(new QPushButton(LoadString(StringId::DefaultButton)), "particleDefault");
    auto* particleBox = new QGroupBox(Msg::InsertParticleAutomatically(context));
    auto* particleLayout = new QGridLayout(particleBox);
    const std::pair<QString, QLineEdit*> particleRows[] = {
        {QStringLiteral("if"), m_ifParticle},
        {QStringLiteral("switch"), m_switchParticle},
        {Msg::InfixOfDoTransitStateInfixOfDo(context), m_doInfix},
        {Msg::PostfixOfDoTransitStatePostfixOfDo(context), m_doSuffix},
    };
    int row = 0;
    for (const auto& [label, edit] : particleRows) {
        particleLayout->addWidget(new QLabel(label), row, 0);
        particleLayout->addWidget(edit, row++, 1, 1, 2);
    }
    particleLayout->addWidget(new QLabel(Msg::Language(context)), row, 0);
    particleLayout->addWidget(m_particleLanguage, row, 1);
    particleLayout->addWidget(particleDefault, row, 2);

    m_verbs = Named(new QListWidget, "verbs");
    QPushButton* newVerb = Named(new QPushButton(LoadString(StringId::NewItemButton)), "newVerb");
    m_deleteVerb = Named(new QPushButton(LoadString(StringId::DeleteItemButton)), "deleteVerb");
    QPushButton* verbsDefault = Named(new QPushButton(LoadString(StringId::DefaultButton)), "verbsDefault");
    m_verb = NamedEdit("verb", CSyntaxSymbolSettings::MaxAuxiliaryVerbEditLength);
    m_withTense = Named(new QCheckBox(Msg::WithTense(context)), "withTense");
    auto* verbBox = new QGroupBox(Msg::AuxiliaryVerbPlural(context));
    auto* verbLayout = new QGridLayout(verbBox);
    verbLayout->addWidget(m_verbs, 0, 0, 4, 1);
    verbLayout->addWidget(newVerb, 0, 1);
    verbLayout->addWidget(m_deleteVerb, 0, 2);
    verbLayout->addWidget(verbsDefault, 0, 3);
    verbLayout->addWidget(m_verb, 1, 1, 1, 3);
    verbLayout->addWidget(m_withTense, 2, 1, 1, 3);

    auto* layout = new QGridLayout(this);
    layout->addWidget(symbolBox, 0, 0, 2, 1);
    layout->addWidget(particleBox, 0, 1);
    layout->addWidget(verbBox, 1, 1);

    FillSymbolList();
    ShowSelectedSymbol();
    m_ifParticle->setText(m_settings.particles.ifParticle);
    m_switchParticle->setText(m_settings.particles.switchParticle);
    m_doInfix->setText(m_settings.particles.doInfix);
    m_doSuffix->setText(m_settings.particles.doSuffix);
    const int language = m_settings.particles.language;
    m_particleLanguage->setCurrentIndex(language == 0 || language == 1 ? language : -1);
    FillAuxiliaryVerbList(-1);

    connect(m_symbols, &QListWidget::currentRowChanged, this, [this] { ShowSelectedSymbol(); });
    connect(m_keyword, &QLineEdit::textChanged, this, &CSyntaxSymbolDialog::EchoKeywordEdit);
    connect(m_colour, &QComboBox::activated, this, &CSyntaxSymbolDialog::ApplySymbolColour);
    connect(m_symbolDefault, &QPushButton::clicked, this, &CSyntaxSymbolDialog::ResetSelectedSymbol);
    connect(allDefault, &QPushButton::clicked, this, &CSyntaxSymbolDialog::ResetAllSymbols);
    connect(particleDefault, &QPushButton::clicked, this, &CSyntaxSymbolDialog::ResetParticles);
    connect(m_ifParticle, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.particles.ifParticle = text; });
    connect(m_switchParticle, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.particles.switchParticle = text; });
    connect(m_doInfix, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.particles.doInfix = text; });
    connect(m_doSuffix, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.particles.doSuffix = text; });
    connect(m_particleLanguage, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_settings.particles.language = index;
    });
    connect(m_verbs, &QListWidget::currentRowChanged, this, [this] { ShowSelectedAuxiliaryVerb(); });
    connect(m_verb, &QLineEdit::textChanged, this, &CSyntaxSymbolDialog::StoreEditedAuxiliaryVerb);
    connect(m_withTense, &QCheckBox::clicked, this, &CSyntaxSymbolDialog::StoreEditedAuxiliaryVerb);
    connect(newVerb, &QPushButton::clicked, this, &CSyntaxSymbolDialog::AddAuxiliaryVerb);
    connect(m_deleteVerb, &QPushButton::clicked, this, &CSyntaxSymbolDialog::DeleteAuxiliaryVerb);
    connect(verbsDefault, &QPushButton::clicked, this, &CSyntaxSymbolDialog::ResetAuxiliaryVerbs);
}

void CSyntaxSymbolDialog::FillSymbolList() {
    const QSignalBlocker blocker(m_symbols);
    const int selection = m_symbols->currentRow();
    m_symbols->clear();
    for (int kind = 0; kind < SyntaxSymbol::KindCount; ++kind)
        m_symbols->addItem(m_settings.Symbol(kind).keyword);
    m_symbols->setCurrentRow(selection);
    // Wide enough for the longest keyword without a scroll bar.
    m_symbols->setMinimumWidth(m_symbols->sizeHintForColumn(0) + 2 * m_symbols->frameWidth() + 8);
}

void CSyntaxSymbolDialog::ShowSelectedSymbol() {
    const int kind = m_symbols->currentRow();
    const bool selected = kind >= 0 && kind < SyntaxSymbol::KindCount;
    m_keyword->setEnabled(selected);
    m_symbolDefault->setEnabled(selected);
    m_colour->setEnabled(selected && CSyntaxSymbolSettings::OwnsColour(kind));
    if (!selected)
        return;
    m_defaultKeyword->setText(CSyntaxSymbolSettings::DefaultKeyword(kind));
    // Showing the keyword writes it back through the edit's echo, as typing would.
    m_keyword->setText(m_settings.Symbol(kind).keyword);
    ShowSymbolColours(kind);
}

void CSyntaxSymbolDialog::ShowSymbolColours(int kind) {
    const QSignalBlocker blocker(m_colour);
    m_colour->setCurrentIndex(m_settings.Symbol(kind).font.colourIndex);
}

void CSyntaxSymbolDialog::EchoKeywordEdit(const QString& text) {
    const int kind = m_symbols->currentRow();
    if (kind < 0)
        return;
    m_settings.SetKeyword(kind, text);
    m_symbols->item(kind)->setText(text);
}

void CSyntaxSymbolDialog::ApplySymbolColour(int index) {
    const int kind = m_symbols->currentRow();
    if (kind >= 0 && CSyntaxSymbolSettings::OwnsColour(kind))
        m_settings.SetColour(kind, index);
}

void CSyntaxSymbolDialog::ResetSelectedSymbol() {
    const int kind = m_symbols->currentRow();
    if (kind < 0)
        return;
    m_settings.ResetSymbol(kind);
    m_symbols->item(kind)->setText(m_settings.Symbol(kind).keyword);
    ShowSelectedSymbol();
}

void CSyntaxSymbolDialog::ResetAllSymbols() {
    m_settings.ResetAllSymbols();
    FillSymbolList();
    ShowSelectedSymbol();
}

void CSyntaxSymbolDialog::ResetParticles() {
    const int language = m_particleLanguage->currentIndex();
    if (language < 0)
        return;
    SentenceParticles defaults;
    GetSentenceParticles(language, defaults);
    m_ifParticle->setText(defaults.ifParticle);
    m_switchParticle->setText(defaults.switchParticle);
    m_doInfix->setText(defaults.doInfix);
    m_doSuffix->setText(defaults.doSuffix);
}

void CSyntaxSymbolDialog::FillAuxiliaryVerbList(int selection) {
    {
        const QSignalBlocker blocker(m_verbs);
        m_verbs->clear();
        const CListedSettings& verbs = m_settings.AuxiliaryVerbs();
        for (const auto& item : verbs.GetItems())
            m_verbs->addItem(item->GetText());
        if (selection >= static_cast<int>(verbs.Count()))
            selection = static_cast<int>(verbs.Count()) - 1;
        m_verbs->setCurrentRow(selection);
    }
    ShowSelectedAuxiliaryVerb();
}

void CSyntaxSymbolDialog::ShowSelectedAuxiliaryVerb() {
    const QSignalBlocker blocker(m_verb);
    const int row = m_verbs->currentRow();
    const bool selected = row >= 0 && row < static_cast<int>(m_settings.AuxiliaryVerbs().Count());
    if (selected) {
        const CAuxiliaryVerbListedSettingsItem& verb = m_settings.VerbAt(static_cast<size_t>(row));
        m_verb->setText(verb.text);
        m_withTense->setChecked(verb.withTense);
    } else {
        m_verb->clear();
        m_withTense->setChecked(false);
    }
    m_verb->setReadOnly(!selected);
    m_withTense->setEnabled(selected);
    m_deleteVerb->setEnabled(selected);
}

void CSyntaxSymbolDialog::StoreEditedAuxiliaryVerb() {
    const int row = m_verbs->currentRow();
    if (row < 0)
        return;
    m_settings.EditAuxiliaryVerb(static_cast<size_t>(row), m_verb->text(), m_withTense->isChecked());
    const QSignalBlocker blocker(m_verbs);
    m_verbs->item(row)->setText(m_settings.VerbAt(static_cast<size_t>(row)).text);
}

void CSyntaxSymbolDialog::AddAuxiliaryVerb() {
    if (m_settings.AddAuxiliaryVerb())
        FillAuxiliaryVerbList(static_cast<int>(m_settings.AuxiliaryVerbs().Count()) - 1);
}

void CSyntaxSymbolDialog::DeleteAuxiliaryVerb() {
    const int row = m_verbs->currentRow();
    if (row < 0)
        return;
    m_settings.DeleteAuxiliaryVerb(static_cast<size_t>(row));
    FillAuxiliaryVerbList(row);
}

void CSyntaxSymbolDialog::ResetAuxiliaryVerbs() {
    m_settings.ResetAuxiliaryVerbs();
    FillAuxiliaryVerbList(m_verbs->currentRow());
}

bool CSyntaxSymbolDialog::Validate() {
    int trimmed = -1;
    const bool symbolsValid = m_settings.ValidateSymbols(&trimmed);
    if (trimmed >= 0) {
        FillSymbolList();
        m_symbols->setCurrentRow(trimmed);
        ShowSelectedSymbol();
    }
    if (!symbolsValid)
        return false;
    const size_t verbCount = m_settings.AuxiliaryVerbs().Count();
    if (!m_settings.ValidateAuxiliaryVerbs()) {
        if (m_settings.AuxiliaryVerbs().Count() != verbCount)
            FillAuxiliaryVerbList(m_verbs->currentRow());
        return false;
    }
    return true;
}

void CSyntaxSymbolDialog::Apply() {
    const int bits = m_settings.Apply(m_host.SettingsDocument());
    if (bits == 0)
        return;
    AddChangeBits(bits);
    m_host.SetSettingsDocumentModified();
}
