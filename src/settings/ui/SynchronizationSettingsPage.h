#pragma once

#include "platform/ui/PropertySheet.h"

class CSettingsHost;
class QButtonGroup;
class QCheckBox;

// The settings page of the synchronisation between the table of contents and the Fn statements.
class CSynchronizationSettingsPage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CSynchronizationSettingsPage(CSettingsHost& host, QWidget* parent = nullptr);

    void Apply() override;

    // One button per mode, the mode as its id.
    QButtonGroup* ModeButtons() const { return m_modes; }
    QCheckBox* DuplicateSiblingsBox() const { return m_duplicateSiblings; }

private:
    CSettingsHost& m_host;
    QButtonGroup* m_modes;
    QCheckBox* m_duplicateSiblings = nullptr;
};
