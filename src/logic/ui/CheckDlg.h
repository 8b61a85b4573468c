#pragma once

#include "logic/ConditionConclusionList.h"

#include <QDialog>

class CInspectionView;
class CUnitFunction;
class QButtonGroup;
class QGroupBox;
struct CMessageContext;
struct InspectionEnvironment;

// The condition/conclusion list dialog: the scope (all unit functions or the current one) and, for all of
// them, the kind of statement; OK writes the list into the result pane. Opens with the given choices and
// stores the new ones there on OK, also when the document is refused.
class CCheckDlg : public QDialog {
    Q_OBJECT
public:
    // current: the unit function of the active tab, or null; choice: the choices of the last OK, kept by the
    // caller.
    CCheckDlg(const CMessageContext& context, CInspectionView& pane, const InspectionEnvironment& environment,
              const CUnitFunction* current, CConditionConclusionList::Choice& choice, QWidget* parent = nullptr);

    // OK: the list for the chosen scope. A document whose Fn statements form a cycle is refused and the
    // dialog stays open.
    void accept() override;

private:
    void OnScopeChanged();

    CInspectionView& m_pane;
    const InspectionEnvironment& m_environment;
    const CUnitFunction* m_current;
    CConditionConclusionList::Choice& m_choice;
    QButtonGroup* m_scope;
    QButtonGroup* m_statementKind;
    QGroupBox* m_statementGroup;
};
