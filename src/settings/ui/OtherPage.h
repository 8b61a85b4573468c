#pragma once

#include "platform/ui/PropertySheet.h"

class CSettingsHost;
class QCheckBox;

// The settings page "その他": duplicate unit-function names, reuse sources told apart, the outline number in tab
// titles and one content height for every tab.
class COtherPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit COtherPage(CSettingsHost& host, QWidget* parent = nullptr);

    void Apply() override;

    QCheckBox* DuplicateNamesBox() const { return m_duplicateNames; }
    QCheckBox* DistinguishReuseBox() const { return m_distinguishReuse; }
    QCheckBox* TabTitleNumberBox() const { return m_tabTitleNumber; }
    QCheckBox* HorizontalSplitterBox() const { return m_horizontalSplitter; }

private:
    CSettingsHost& m_host;
    QCheckBox* m_duplicateNames;
    QCheckBox* m_distinguishReuse;
    QCheckBox* m_tabTitleNumber;
    QCheckBox* m_horizontalSplitter;
};
