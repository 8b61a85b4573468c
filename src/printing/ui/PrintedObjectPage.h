#pragma once

#include "platform/ui/PropertySheet.h"

class QButtonGroup;
struct CMessageContext;

// The printout that Print and Print Preview print: outline-ordered index, hierarchical index, unit functions, title
// page, results or notes.
class CPrintedObjectPage : public CPropertyPage {
    Q_OBJECT
public:
    CPrintedObjectPage(int& selectedPrintout, const CMessageContext& context, QWidget* parent = nullptr);

    void Apply() override;

    QButtonGroup* Choices() const { return m_choices; }

private:
    int& m_selectedPrintout;
    QButtonGroup* m_choices;
};
