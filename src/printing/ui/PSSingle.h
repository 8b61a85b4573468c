#pragma once

#include "printing/ui/PrintSectionPage.h"

#include <QList>

struct PrintSettings;

// The unit functions' printout: range, scale, which unit functions and which of their items are printed.
class CPSSingle : public CPrintSectionPage {
    Q_OBJECT
public:
    CPSSingle(PrintSettings& settings, const CMessageContext& context, QWidget* parent = nullptr);

    void Apply() override;

    QCheckBox* OnlyEmbeddedBox() const { return m_onlyEmbedded; }
    QCheckBox* OnlyWrittenBox() const { return m_onlyWritten; }
    // In the order of the printed-item bits, lowest first.
    const QList<QCheckBox*>& ItemBoxes() const { return m_items; }

private:
    QCheckBox* m_onlyEmbedded;
    QCheckBox* m_onlyWritten;
    QList<QCheckBox*> m_items;
};
