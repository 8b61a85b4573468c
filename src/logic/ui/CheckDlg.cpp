#include "logic/ui/CheckDlg.h"

#include "logic/ConditionConclusionList.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A group box of two radio buttons, with ids 0 and 1, the one of the id checked.
QButtonGroup* AddChoice(QGroupBox* box, const QString& first, const QString& second, int checked) {
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    int id = 0;
    for (const QString& text : {first, second}) {
        auto* button = new QRadioButton(text, box);
        group->addButton(button, id++);
        layout->addWidget(button);
    }
    group->button(checked == 1 ? 1 : 0)->setChecked(true);
    return group;
}

} // namespace

CCheckDlg::CCheckDlg(const CMessageContext& context, CInspectionView& pane, const InspectionEnvironment& environment,
                     const CUnitFunction* current, CConditionConclusionList::Choice& choice, QWidget* parent)
    : QDialog(parent), m_pane(pane), m_environment(environment), m_current(current), m_choice(choice) {
    setWindowTitle(Msg::ListOfAssumptionsAndConclusions(context));
    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(Msg::AssumptionConclusionWindowExplanation(context), this);
    explanation->setWordWrap(true);
    layout->addWidget(explanation);
    auto* scopeGroup = new QGroupBox(Msg::Range(context), this);
    m_scope = AddChoice(scopeGroup, Msg::AllFunctionsLabel(context), Msg::CurrentFunctionLabel(context), choice.scope);
    layout->addWidget(scopeGroup);
    m_statementGroup = new QGroupBox(Msg::StatementPlural(context), this);
    m_statementKind = AddChoice(m_statementGroup, QStringLiteral("&Do"), QStringLiteral("&Fn"), choice.statementKind);
    layout->addWidget(m_statementGroup);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(LoadString(StringId::OkButton), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(LoadString(StringId::CancelButton), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCheckDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCheckDlg::reject);
    connect(m_scope, &QButtonGroup::idClicked, this, &CCheckDlg::OnScopeChanged);
    OnScopeChanged();
}

void CCheckDlg::accept() {
    m_choice = {m_scope->checkedId(), m_statementKind->checkedId()};
    if (CConditionConclusionList::Run(m_pane, m_environment, m_choice.scope, m_choice.statementKind, m_current) !=
        CConditionConclusionList::Refused)
        QDialog::accept();
}

void CCheckDlg::OnScopeChanged() {
    m_statementGroup->setEnabled(m_scope->checkedId() == CConditionConclusionList::AllUnitFunctions);
}
