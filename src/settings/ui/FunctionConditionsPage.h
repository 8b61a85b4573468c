#pragma once

#include "platform/ui/PropertySheet.h"

class CSettingsHost;
class QCheckBox;

// The settings page of the unit functions' conditions: the omit-reason tick of new unit functions and the
// inheritance of original requirement items.
class CFunctionConditionsPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CFunctionConditionsPage(CSettingsHost& host, QWidget* parent = nullptr);

    void Apply() override;

    QCheckBox* OmitReasonBox() const { return m_omitReason; }
    QCheckBox* InheritDownBox() const { return m_inheritDown; }
    QCheckBox* InheritUpBox() const { return m_inheritUp; }

private:
    CSettingsHost& m_host;
    QCheckBox* m_omitReason;
    QCheckBox* m_inheritDown;
    QCheckBox* m_inheritUp;
};
