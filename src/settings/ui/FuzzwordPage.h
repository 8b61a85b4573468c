#pragma once

#include <QDialog>

class CFuzzwordList;
class CSettingsHost;
class CVocabularyTable;
class QCheckBox;

// The obscure-word dialog: the document's obscure words and the fields the search looks in. OK stores what
// changed; the caller then starts the search.
class CFuzzwordPage : public QDialog {
    Q_OBJECT
public:
    explicit CFuzzwordPage(CSettingsHost& host, QWidget* parent = nullptr);
    void accept() override;

    CVocabularyTable* Table() const { return m_table; }
    QCheckBox* FunctionContentBox() const { return m_function; }
    QCheckBox* LogicBox() const { return m_logic; }

private:
    void ShowList(const CFuzzwordList& list);

    CSettingsHost& m_host;
    CVocabularyTable* m_table;
    QCheckBox* m_function;
    QCheckBox* m_logic;
};
