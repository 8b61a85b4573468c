#pragma once

#include "model/SentenceSettings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
struct CMessageContext;

// The words and options of natural-sentence conversion, edited kind by kind; OK stores them in the record.
class CNaturalSentencePage : public QDialog {
    Q_OBJECT
public:
    CNaturalSentencePage(NaturalSentenceWords& words, const CMessageContext& context, QWidget* parent = nullptr);

    QListWidget* KindList() const { return m_kinds; }
    QLineEdit* WordEdit(int index) const { return m_words[static_cast<size_t>(index)]; }
    QComboBox* LanguageBox() const { return m_language; }
    void OnDefault();
    void OnAllDefault();
    void accept() override;

private:
    void ShowKindWords();
    void StoreKindWords();

    NaturalSentenceWords& m_record;
    const CMessageContext& m_context;
    NaturalSentenceWords m_working; // the words as edited; options stay in the check boxes
    QCheckBox* m_omitMemberSigns;
    QCheckBox* m_omitStateSigns;
    QCheckBox* m_omitNameSigns;
    QCheckBox* m_nest;
    QCheckBox* m_quote;
    QCheckBox* m_elswWord;
    QListWidget* m_kinds;
    QPlainTextEdit* m_explanation;
    std::array<QLineEdit*, 4> m_words{};
    QComboBox* m_language;
    bool m_ready = false;
};
