#pragma once

#include "platform/ui/PropertySheet.h"

#include <QList>

class QComboBox;
class QLineEdit;
class QSpinBox;
struct CMessageContext;
struct PrintSettings;

// Margins, header and footer: the item kinds left, centre and right of each, their two input texts and the four
// margins in millimetres.
class CPSOther : public CPropertyPage {
    Q_OBJECT
public:
    CPSOther(PrintSettings& settings, const CMessageContext& context, QWidget* parent = nullptr);

    // Margins that leave too little of the page to print on are refused with a message.
    bool Validate() override;
    void Apply() override;

    // Header left, centre, right, then footer left, centre, right.
    const QList<QComboBox*>& ItemBoxes() const { return m_items; }
    QLineEdit* Text1() const { return m_text1; }
    QLineEdit* Text2() const { return m_text2; }
    // Left, right, top, bottom.
    const QList<QSpinBox*>& MarginBoxes() const { return m_margins; }

private:
    PrintSettings& m_settings;
    QList<QComboBox*> m_items;
    QLineEdit* m_text1;
    QLineEdit* m_text2;
    QList<QSpinBox*> m_margins;
};
