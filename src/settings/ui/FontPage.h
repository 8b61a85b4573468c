#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/FontPageModel.h"
#include "settings/ui/SharedFontChoice.h"

class CSettingsHost;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QListWidget;

// The settings page of the document's fonts: a list of the fonts, the chosen one's face, size, style and colour,
// and a button that gives every font its new-document value.
class CFontPage : public CPropertyPage, public CSharedFontChoice {
    Q_OBJECT
public:
    explicit CFontPage(CSettingsHost& host, QWidget* parent = nullptr);

    bool Validate() override;
    void Apply() override;
    void FontChosenElsewhere(const FontSetting* place, const FontSetting& font) override;

    QListWidget* TargetList() const { return m_targets; }
    QFontComboBox* FaceBox() const { return m_face; }
    QDoubleSpinBox* SizeBox() const { return m_size; }
    QCheckBox* BoldBox() const { return m_bold; }
    QComboBox* ColourBox() const { return m_colour; }
    QPushButton* RestoreDefaultsButton() const { return m_restoreDefaults; }

private:
    // Shows the font of the chosen target.
    void ShowFont();
    // Takes what the controls show into the chosen target's font.
    void TakeFont();
    // Tells the other pages the target's font as this page holds it.
    void ShareFont(int target);

    CSettingsHost& m_host;
    CFontPageModel m_model;
    QListWidget* m_targets;
    QFontComboBox* m_face;
    QDoubleSpinBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QComboBox* m_colour;
    QPushButton* m_restoreDefaults;
};
