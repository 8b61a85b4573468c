#pragma once

#include "platform/ui/PropertySheet.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
struct CMessageContext;
struct PrintSection;

// A page of the print-settings sheet that shows one printout's range, scale and whether lines wider than the page
// are cut, each where the page asks for it; pages with more to show add rows below.
class CPrintSectionPage : public CPropertyPage {
    Q_OBJECT
public:
    enum Part { Range = 1, Scale = 2, Omission = 4 };

    CPrintSectionPage(const QString& title, PrintSection& section, int parts, const CMessageContext& context,
                      QWidget* parent = nullptr);

    void Apply() override;

    QButtonGroup* RangeButtons() const { return m_range; }
    QComboBox* ScaleBox() const { return m_scale; }
    QCheckBox* OmissionBox() const { return m_omission; }

protected:
    QFormLayout* Layout() const { return m_layout; }
    PrintSection& Section() const { return m_section; }

private:
    PrintSection& m_section;
    QFormLayout* m_layout;
    QButtonGroup* m_range = nullptr;
    QComboBox* m_scale = nullptr;
    QCheckBox* m_omission = nullptr;
};
