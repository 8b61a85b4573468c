#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/SyntaxSymbolSettings.h"

class CSettingsHost;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// The page of the logic-language vocabulary: the keyword and colour of each statement kind, the particles written
// into new statements and the auxiliary verbs. It edits copies; OK stores them after both checks passed.
class CSyntaxSymbolDialog : public CPropertyPage {
    Q_OBJECT
public:
    explicit CSyntaxSymbolDialog(CSettingsHost& host, QWidget* parent = nullptr);

    bool Validate() override;
    void Apply() override;

    const CSyntaxSymbolSettings& Settings() const { return m_settings; }

private:
    void FillSymbolList();
    void ShowSelectedSymbol();
    void EchoKeywordEdit(const QString& text);
    void ApplySymbolColour(int index);
    void ResetSelectedSymbol();
    void ResetAllSymbols();
    void ResetParticles();
    void FillAuxiliaryVerbList(int selection);
    void ShowSelectedAuxiliaryVerb();
    void StoreEditedAuxiliaryVerb();
    void AddAuxiliaryVerb();
    void DeleteAuxiliaryVerb();
    void ResetAuxiliaryVerbs();
    void ShowSymbolColours(int kind);

    CSettingsHost& m_host;
    CSyntaxSymbolSettings m_settings;

    QListWidget* m_symbols;
    QLineEdit* m_defaultKeyword;
    QLineEdit* m_keyword;
    QComboBox* m_colour;
    QPushButton* m_symbolDefault;
    QLineEdit* m_ifParticle;
    QLineEdit* m_switchParticle;
    QLineEdit* m_doInfix;
    QLineEdit* m_doSuffix;
    QComboBox* m_particleLanguage;
    QListWidget* m_verbs;
    QPushButton* m_deleteVerb;
    QLineEdit* m_verb;
    QCheckBox* m_withTense;
};
