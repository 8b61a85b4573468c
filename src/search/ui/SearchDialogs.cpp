#include "search/ui/SearchDialogs.h"

#include "model/RuleVocabularyTables.h"
#include "platform/MessageBox.h"
#include "search/SearchDialogRules.h"
#include "search/ui/LengthSpinBox.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Control ids of the search dialog's boxes.
enum SearchBox {
    FunctionTarget = 1630,
    ContentTarget = 1631,
    LogicTarget = 1632,
    OutlineNumberBox = 1633,
    FunctionNameBox = 1634,
    UniqueLabelBox = 1635,
    RequirementBox = 1636,
    CodeSymbolBox = 1799,
    MemberBox = 1640,
    StateBox = 1641,
    FnNameBox = 1642,
    WordsBox = 1643,
};

// Control ids of the replace dialog's boxes.
enum ReplaceBox {
    NamesTarget = 1080,
    ReplaceContentTarget = 1796,
    ReplaceLogicTarget = 1797,
    ReplaceMemberBox = 1461,
    ReplaceStateBox = 1462,
    ReplaceWordsBox = 1795,
    ReplaceCommentBox = 1645,
    ContinueBox = 1078,
};

void AddBox(std::map<int, QCheckBox*>& boxes, QLayout* layout, const QString& caption, int id, bool checked) {
    auto* box = new QCheckBox(caption);
    box->setChecked(checked);
    boxes[id] = box;
    layout->addWidget(box);
}

QGroupBox* ScopeGroup(const CMessageContext& context, QButtonGroup* scope) {
    auto* group = new QGroupBox(Msg::Range(context));
    auto* layout = new QVBoxLayout(group);
    const QString captions[] = {Msg::AllFunctionsLabel(context), Msg::CurrentFunctionAndDescendantsLabel(context),
                                Msg::CurrentFunctionLabel(context)};
    const int ids[] = {SearchRequest::AllFunctions, SearchRequest::CurrentAndDescendants,
                       SearchRequest::CurrentFunction};
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(captions[k]);
        scope->addButton(radio, ids[k]);
        layout->addWidget(radio);
    }
    scope->button(SearchRequest::AllFunctions)->setChecked(true);
    return group;
}

QLineEdit* FindEdit() {
    auto* edit = new QLineEdit;
    edit->setMaxLength(SearchRequest::MaxFindTextLength);
    return edit;
}

} // namespace

CAdvancedSearchDlg::CAdvancedSearchDlg(const CMessageContext& context, std::function<void(const SearchRequest&)> search,
                                       QWidget* parent)
    : QDialog(parent), m_search(std::move(search)), m_find(FindEdit()),
      m_searchButton(new QPushButton(Msg::Find(context))), m_scope(new QButtonGroup(this)) {
    setWindowTitle(Msg::Find(context));
    auto* layout = new QVBoxLayout(this);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(new QLabel(Msg::FindWhat(context)));
    findRow->addWidget(m_find);
    findRow->addWidget(m_searchButton);
    layout->addLayout(findRow);

    auto* targets = new QGroupBox(Msg::Target(context));
    auto* targetLayout = new QVBoxLayout(targets);
    AddBox(m_boxes, targetLayout, Msg::FunctionPlural(context), FunctionTarget, true);
    AddBox(m_boxes, targetLayout, Msg::ExplanationUI(context), ContentTarget, true);
    AddBox(m_boxes, targetLayout, Msg::LogicUI(context), LogicTarget, true);
    layout->addWidget(targets);
    layout->addWidget(ScopeGroup(context, m_scope));

    auto* header = new QGroupBox(Msg::TargetInFunction(context));
    auto* headerLayout = new QVBoxLayout(header);
    AddBox(m_boxes, headerLayout, Msg::OutlineNumberPlural(context), OutlineNumberBox, true);
    AddBox(m_boxes, headerLayout, Msg::FunctionNamePlural(context), FunctionNameBox, true);
    AddBox(m_boxes, headerLayout, Msg::UniqueLabelPlural(context), UniqueLabelBox, true);
    const QString requirements = Msg::RequirementPlural(context);
    AddBox(m_boxes, headerLayout,
           requirements.isEmpty() ? LoadString(StringId::SearchDetailRequirements) : requirements, RequirementBox,
           true);
    AddBox(m_boxes, headerLayout, LoadString(StringId::SearchDetailCodeSymbol), CodeSymbolBox, true);
    layout->addWidget(header);

    auto* logic = new QGroupBox(Msg::TargetInLogicUI(context));
    auto* logicLayout = new QVBoxLayout(logic);
    AddBox(m_boxes, logicLayout, Msg::MemberNamePlural(context), MemberBox, true);
    AddBox(m_boxes, logicLayout, Msg::StateNamePlural(context), StateBox, true);
    AddBox(m_boxes, logicLayout, Msg::FunctionNamePlural(context), FnNameBox, true);
    AddBox(m_boxes, logicLayout, Msg::AuxiliaryVerbsCommentsAndParticles(context), WordsBox, true);
    layout->addWidget(logic);

    auto* close = new QPushButton(LoadString(StringId::CloseButton));
    // Enter on Close searches as it does everywhere in the dialog; Close takes a click or the space bar.
    close->setAutoDefault(false);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_searchButton, &QPushButton::clicked, this, &CAdvancedSearchDlg::OnSearch);
    connect(m_find, &QLineEdit::textChanged, this, &CAdvancedSearchDlg::UpdateControls);
    for (const auto& [id, box] : m_boxes)
        connect(box, &QCheckBox::clicked, this, &CAdvancedSearchDlg::UpdateControls);
    m_searchButton->setAutoDefault(false);
    UpdateControls();
}

QCheckBox* CAdvancedSearchDlg::Box(int id) const {
    return m_boxes.at(id);
}

void CAdvancedSearchDlg::SetFindText(const QString& text) {
    m_find->setText(text.left(SearchRequest::MaxFindTextLength));
    UpdateControls();
}

void CAdvancedSearchDlg::UpdateControls() {
    const bool header = Box(FunctionTarget)->isChecked();
    const bool logic = Box(LogicTarget)->isChecked();
    m_searchButton->setEnabled(
        SearchDialogRules::CanSearch(m_find->text(), header, Box(ContentTarget)->isChecked(), logic));
    for (int id : {OutlineNumberBox, FunctionNameBox, UniqueLabelBox, RequirementBox, CodeSymbolBox})
        Box(id)->setEnabled(header);
    for (int id : {MemberBox, StateBox, FnNameBox, WordsBox})
        Box(id)->setEnabled(logic);
}

void CAdvancedSearchDlg::OnSearch() {
    if (!m_searchButton->isEnabled())
        return;
    const auto on = [this](int id) { return Box(id)->isChecked() ? 1 : 0; };
    SearchRequest request;
    request.findText = m_find->text().left(SearchRequest::MaxFindTextLength);
    request.searchUnitFunction = on(FunctionTarget);
    request.searchFunctionContentField = on(ContentTarget);
    request.searchLogicDescriptionField = on(LogicTarget);
    request.outlineNumber = on(OutlineNumberBox);
    request.unitFunctionName = on(FunctionNameBox);
    request.uniqueLabel = on(UniqueLabelBox);
    request.originalRequirementItem = on(RequirementBox);
    request.codeSymbol = on(CodeSymbolBox);
    request.memberName = on(MemberBox);
    request.stateName = on(StateBox);
    request.logicUnitFunctionName = on(FnNameBox);
    request.particlesAuxiliaryVerbsComments = on(WordsBox);
    request.scope = m_scope->checkedId();
    m_search(request);
}

void CAdvancedSearchDlg::keyPressEvent(QKeyEvent* event) {
    // Enter searches when the search button may; it never closes the dialog.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnSearch();
        return;
    }
    QDialog::keyPressEvent(event);
}

CAllReplaceDlg::CAllReplaceDlg(const CMessageContext& context, std::function<void(const ReplaceRequest&)> replace,
                               QWidget* parent)
    : QDialog(parent), m_replaceAll(std::move(replace)), m_find(FindEdit()), m_replace(FindEdit()),
      m_replaceButton(new QPushButton(Msg::Replace(context))), m_scope(new QButtonGroup(this)) {
    setWindowTitle(Msg::Replace(context));
    auto* layout = new QVBoxLayout(this);
    auto* texts = new QGridLayout;
    texts->addWidget(new QLabel(Msg::FindWhat(context)), 0, 0);
    texts->addWidget(m_find, 0, 1);
    texts->addWidget(new QLabel(Msg::ReplaceWith(context)), 1, 0);
    texts->addWidget(m_replace, 1, 1);
    layout->addLayout(texts);

    auto* targets = new QGroupBox(Msg::Target(context));
    auto* targetLayout = new QVBoxLayout(targets);
    AddBox(m_boxes, targetLayout, Msg::FunctionNamePlural(context), NamesTarget, false);
    AddBox(m_boxes, targetLayout, Msg::ExplanationUI(context), ReplaceContentTarget, false);
    AddBox(m_boxes, targetLayout, Msg::LogicUI(context), ReplaceLogicTarget, true);
    layout->addWidget(targets);
    layout->addWidget(ScopeGroup(context, m_scope));
    auto* logic = new QGroupBox(Msg::TargetInLogicUI(context));
    auto* logicLayout = new QVBoxLayout(logic);
    AddBox(m_boxes, logicLayout, Msg::MemberNamePlural(context), ReplaceMemberBox, true);
    AddBox(m_boxes, logicLayout, Msg::StateNamePlural(context), ReplaceStateBox, true);
    AddBox(m_boxes, logicLayout, Msg::AuxiliaryVerbsAndParticles(context), ReplaceWordsBox, false);
    AddBox(m_boxes, logicLayout, Msg::CommentPlural(context), ReplaceCommentBox, true);
    layout->addWidget(logic);
    AddBox(m_boxes, layout, Msg::ContinueReplacingOverLengthLimit(context), ContinueBox, false);
    // Tab follows the order the controls join the dialog: both texts, the boxes, then the buttons. The replace
    // button sits beside the find box but joins after everything it acts on.
    texts->addWidget(m_replaceButton, 0, 2);

    // Close stands with the dialog's buttons, after the controls.
    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton(LoadString(StringId::CloseButton), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_replaceButton, &QPushButton::clicked, this, &CAllReplaceDlg::OnOK);
    connect(m_find, &QLineEdit::textChanged, this, &CAllReplaceDlg::UpdateButtons);
    connect(m_replace, &QLineEdit::textChanged, this, &CAllReplaceDlg::UpdateButtons);
    connect(Box(ReplaceLogicTarget), &QCheckBox::clicked, this, &CAllReplaceDlg::OnLogicTargetClicked);
    m_replaceButton->setDefault(true);
    UpdateButtons();
}

QCheckBox* CAllReplaceDlg::Box(int id) const {
    return m_boxes.at(id);
}

void CAllReplaceDlg::SetFindText(const QString& text) {
    m_find->setText(text.left(ReplaceRequest::MaxTextLength));
    UpdateButtons();
}

void CAllReplaceDlg::UpdateButtons() {
    m_replaceButton->setEnabled(SearchDialogRules::CanReplace(m_find->text(), m_replace->text()));
}

void CAllReplaceDlg::OnLogicTargetClicked() {
    const bool logic = Box(ReplaceLogicTarget)->isChecked();
    for (int id : {ReplaceMemberBox, ReplaceStateBox, ReplaceWordsBox, ReplaceCommentBox})
        Box(id)->setEnabled(logic);
}

void CAllReplaceDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Box(ContinueBox)->setChecked(false);
}

void CAllReplaceDlg::OnOK() {
    if (!m_replaceButton->isEnabled())
        return;
    ReplaceRequest request;
    request.findText = m_find->text();
    request.replaceText = m_replace->text();
    request.unitFunctionNames = Box(NamesTarget)->isChecked();
    request.functionContentField = Box(ReplaceContentTarget)->isChecked();
    request.logicDescriptionField = Box(ReplaceLogicTarget)->isChecked();
    request.memberNames = Box(ReplaceMemberBox)->isChecked();
    request.stateNames = Box(ReplaceStateBox)->isChecked();
    request.particlesAndAuxiliaryVerbs = Box(ReplaceWordsBox)->isChecked();
    request.comments = Box(ReplaceCommentBox)->isChecked();
    request.continueOverLengthLimit = Box(ContinueBox)->isChecked();
    request.scope = m_scope->checkedId();
    if (ReplaceTextHasRefusedBrackets(request)) {
        platform::ShowMessageBox(LoadString(StringId::ReplaceBracketsRefused), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return;
    }
    m_replaceAll(request);
}

CSimilarDlg::CSimilarDlg(const CMessageContext& context, SimilarWordSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_rate(new QComboBox),
      m_exact(new QCheckBox(Msg::OmitCompleteMatch(context))), m_target(new QButtonGroup(this)),
      m_length(new CLengthSpinBox(1, 64, 2)), m_lengthBox(m_length->Box()) {
    setWindowTitle(Msg::DetectSimilarWords(context));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(Msg::SimilarTermsDetectionExplanation(context));
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto* criterion = new QGroupBox(Msg::Criterion(context));
    auto* criterionLayout = new QGridLayout(criterion);
    for (int rate : SearchDialogRules::MatchRates)
        m_rate->addItem(QString::number(rate));
    m_rate->setCurrentIndex(SearchDialogRules::MatchRateIndex(settings.agreement));
    criterionLayout->addWidget(new QLabel(Msg::MatchingRate(context)), 0, 0);
    criterionLayout->addWidget(m_rate, 0, 1);
    criterionLayout->addWidget(new QLabel(Msg::EqualOrMorePercent(context)), 0, 2);
    m_exact->setChecked(settings.complete != 0);
    criterionLayout->addWidget(m_exact, 1, 0, 1, 3);
    criterionLayout->addWidget(new QLabel(Msg::Length(context) + LoadString(StringId::SimilarLengthRange)), 2, 0);
    // The stored number as it is, also one out of range.
    m_lengthBox->setText(QString::number(settings.length));
    criterionLayout->addWidget(m_length, 2, 1);
    criterionLayout->addWidget(new QLabel(Msg::EqualOrMore(context)), 2, 2);
    layout->addWidget(criterion);

    auto* target = new QGroupBox(Msg::Target(context));
    auto* targetLayout = new QVBoxLayout(target);
    const QString captions[] = {Msg::MemberNamePlural(context), Msg::StateNamePlural(context),
                                Msg::MemberNameAndStateName(context)};
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(captions[k]);
        m_target->addButton(radio, k);
        targetLayout->addWidget(radio);
    }
    if (QAbstractButton* stored = m_target->button(settings.scope))
        stored->setChecked(true);
    layout->addWidget(target);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CSimilarDlg::accept() {
    const std::optional<int> length = SearchDialogRules::ParseMinimumLength(m_lengthBox->text());
    if (!length) {
        platform::ShowMessageBox(LoadString(StringId::SimilarLengthOutOfRange), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return;
    }
    m_settings.agreement = SearchDialogRules::MatchRates[m_rate->currentIndex()];
    m_settings.complete = m_exact->isChecked() ? 1 : 0;
    m_settings.length = *length;
    m_settings.scope = std::max(0, m_target->checkedId());
    QDialog::accept();
}
