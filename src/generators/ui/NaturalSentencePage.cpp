#include "generators/ui/NaturalSentencePage.h"

#include "generators/NaturalSentenceKinds.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CNaturalSentencePage::CNaturalSentencePage(NaturalSentenceWords& words, const CMessageContext& context, QWidget* parent)
    : QDialog(parent), m_record(words), m_context(context), m_working(words) {
    setWindowTitle(Msg::GenerateNaturalLanguage(context));
    const auto check = [](const QString& text, bool checked) {
        auto* box = new QCheckBox(text);
        box->setChecked(checked);
        return box;
    };
    m_omitMemberSigns = check(Msg::MemberNameOmitBracketsOf(context), words.SignUseMember == 0);
    m_omitStateSigns = check(Msg::StateNameOmitBracketsOf(context), words.SignUseState == 0);
    m_omitNameSigns = check(Msg::FunctionNameOmitBracketsOf(context), words.SignUseFunction == 0);
    m_nest = check(Msg::PutLineBreakAndIndentForEachAssumption(context), words.NestUse != 0);
    m_quote = check(Msg::AssumptionQuotePhrases(context), words.QuartUse != 0);
    m_elswWord = check(Msg::ShortExpressionForElsw(context), words.ElswFlag != 0);

    m_kinds = new QListWidget;
    for (const NaturalSentenceKind& kind : NaturalSentenceKinds())
        m_kinds->addItem(Msg::Text(context, kind.caption) + QString::fromLatin1(kind.suffix));
    m_explanation = new QPlainTextEdit;
    m_explanation->setReadOnly(true);
    auto* wordBox = new QGroupBox(Msg::StatementKeywords(context));
    auto* wordLayout = new QGridLayout(wordBox);
    wordLayout->addWidget(m_kinds, 0, 0, 6, 1);
    wordLayout->addWidget(new QLabel(Msg::Explanation(context)), 0, 1, 1, 2);
    wordLayout->addWidget(m_explanation, 1, 1, 1, 2);
    for (int i = 0; i < 4; ++i) {
        m_words[static_cast<size_t>(i)] = new QLineEdit;
        m_words[static_cast<size_t>(i)]->setMaxLength(NaturalSentenceWords::MaxWordLength);
        wordLayout->addWidget(new QLabel(QStringLiteral("( %1 ):").arg(i + 1)), 2 + i, 1);
        wordLayout->addWidget(m_words[static_cast<size_t>(i)], 2 + i, 2);
        connect(m_words[static_cast<size_t>(i)], &QLineEdit::textChanged, this, [this] {
            if (m_ready)
                StoreKindWords();
        });
    }
    connect(m_kinds, &QListWidget::currentRowChanged, this, &CNaturalSentencePage::ShowKindWords);

    m_language = new QComboBox;
    m_language->addItems({Msg::English(context), Msg::Japanese(context)});
    m_language->setCurrentIndex(words.language != 0 ? 1 : 0);
    auto* defaults = new QPushButton(LoadString(StringId::DefaultButton));
    connect(defaults, &QPushButton::clicked, this, &CNaturalSentencePage::OnDefault);
    auto* allDefaults = new QPushButton(LoadString(StringId::AllDefaultButton));
    connect(allDefaults, &QPushButton::clicked, this, &CNaturalSentencePage::OnAllDefault);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNaturalSentencePage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNaturalSentencePage::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Msg::ConvertLogicToSentencesExplanation(context)));
    for (QCheckBox* box : {m_omitMemberSigns, m_omitStateSigns, m_omitNameSigns, m_nest, m_quote, m_elswWord})
        layout->addWidget(box);
    layout->addWidget(wordBox);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(Msg::Language(context)));
    bottom->addWidget(m_language);
    bottom->addWidget(defaults);
    bottom->addWidget(allDefaults);
    bottom->addStretch();
    bottom->addWidget(buttons);
    layout->addLayout(bottom);
    m_kinds->setCurrentRow(0);
}

void CNaturalSentencePage::ShowKindWords() {
    const int row = m_kinds->currentRow();
    if (row < 0)
        return;
    m_ready = false;
    const NaturalSentenceKind& kind = NaturalSentenceKinds()[static_cast<size_t>(row)];
    m_explanation->setPlainText(Msg::Text(m_context, kind.explanation));
    for (size_t i = 0; i < m_words.size(); ++i) {
        const bool used = i < kind.words.size();
        m_words[i]->setEnabled(used);
        m_words[i]->setText(used ? m_working.*kind.words[i] : QString());
    }
    m_ready = true;
}

void CNaturalSentencePage::StoreKindWords() {
    const int row = m_kinds->currentRow();
    if (row < 0)
        return;
    const NaturalSentenceKind& kind = NaturalSentenceKinds()[static_cast<size_t>(row)];
    for (size_t i = 0; i < kind.words.size(); ++i)
        m_working.*kind.words[i] = m_words[i]->text();
}

void CNaturalSentencePage::OnDefault() {
    const int row = m_kinds->currentRow();
    if (row < 0)
        return;
    const NaturalSentenceWords defaults = DefaultSentenceWords(m_language->currentIndex());
    for (QString NaturalSentenceWords::*word : NaturalSentenceKinds()[static_cast<size_t>(row)].words)
        m_working.*word = defaults.*word;
    ShowKindWords();
}

void CNaturalSentencePage::OnAllDefault() {
    const NaturalSentenceWords defaults = DefaultSentenceWords(m_language->currentIndex());
    for (const NaturalSentenceKind& kind : NaturalSentenceKinds()) {
        for (QString NaturalSentenceWords::*word : kind.words)
            m_working.*word = defaults.*word;
    }
    ShowKindWords();
}

void CNaturalSentencePage::accept() {
    m_record.SignUseFunction = m_omitNameSigns->isChecked() ? 0 : 1;
    m_record.SignUseMember = m_omitMemberSigns->isChecked() ? 0 : 1;
    m_record.SignUseState = m_omitStateSigns->isChecked() ? 0 : 1;
    m_record.NestUse = m_nest->isChecked() ? 1 : 0;
    m_record.QuartUse = m_quote->isChecked() ? 1 : 0;
    m_record.ElswFlag = m_elswWord->isChecked() ? 1 : 0;
    m_record.language = m_language->currentIndex();
    for (const NaturalSentenceKind& kind : NaturalSentenceKinds()) {
        for (QString NaturalSentenceWords::*word : kind.words)
            m_record.*word = m_working.*word;
    }
    QDialog::accept();
}
