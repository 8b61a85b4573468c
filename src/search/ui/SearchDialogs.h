#pragma once

#include "search/ReplaceAll.h"
#include "search/SearchRequest.h"

#include <QDialog>

#include <functional>
#include <map>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class CLengthSpinBox;
struct CMessageContext;
struct SimilarWordSettings;

// The modeless search dialog: the search button (or Enter) hands the request on and the dialog stays.
class CAdvancedSearchDlg : public QDialog {
    Q_OBJECT
public:
    CAdvancedSearchDlg(const CMessageContext& context, std::function<void(const SearchRequest&)> search,
                       QWidget* parent = nullptr);
    // At most the first 64 characters.
    void SetFindText(const QString& text);
    void OnSearch();

    QLineEdit* FindBox() const { return m_find; }
    QPushButton* SearchButton() const { return m_searchButton; }
    QCheckBox* Box(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateControls();

    std::function<void(const SearchRequest&)> m_search;
    QLineEdit* m_find;
    QPushButton* m_searchButton;
    // The check boxes by their control ids; no button group, which would take Tab from all but one of them.
    std::map<int, QCheckBox*> m_boxes;
    QButtonGroup* m_scope;
};

// The modeless replace dialog: the replace button hands the request on and the dialog stays.
class CAllReplaceDlg : public QDialog {
    Q_OBJECT
public:
    CAllReplaceDlg(const CMessageContext& context, std::function<void(const ReplaceRequest&)> replace,
                   QWidget* parent = nullptr);
    void SetFindText(const QString& text);
    void OnOK();

    QLineEdit* FindBox() const { return m_find; }
    QLineEdit* ReplaceBox() const { return m_replace; }
    QPushButton* ReplaceButton() const { return m_replaceButton; }
    QCheckBox* Box(int id) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateButtons();
    void OnLogicTargetClicked();

    std::function<void(const ReplaceRequest&)> m_replaceAll;
    QLineEdit* m_find;
    QLineEdit* m_replace;
    QPushButton* m_replaceButton;
    // The check boxes by their control ids; no button group, which would take Tab from all but one of them.
    std::map<int, QCheckBox*> m_boxes;
    QButtonGroup* m_scope;
};

// The similar-word settings: OK stores them into the record given and closes; an out-of-range minimum is
// refused with a message.
class CSimilarDlg : public QDialog {
    Q_OBJECT
public:
    CSimilarDlg(const CMessageContext& context, SimilarWordSettings& settings, QWidget* parent = nullptr);
    void accept() override;

    QComboBox* RateList() const { return m_rate; }
    // The minimum-characters box and the spin attached to it.
    QLineEdit* LengthBox() const { return m_lengthBox; }
    CLengthSpinBox* LengthSpin() const { return m_length; }

private:
    SimilarWordSettings& m_settings;
    QComboBox* m_rate;
    QCheckBox* m_exact;
    QButtonGroup* m_target;
    CLengthSpinBox* m_length;
    QLineEdit* m_lengthBox;
};
