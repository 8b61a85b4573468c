#pragma once

#include "generators/UniqueLabelEditor.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Assigns, changes or removes the unique label of one unit function and edits the discontinued labels. Opened by
// the header form, which shows the unit function's label again afterwards.
class CUniqueLabelDialog : public QDialog {
    Q_OBJECT
public:
    CUniqueLabelDialog(CDocumentData& data, CUnitFunction& function, CUniqueLabelClock& clock,
                       QWidget* parent = nullptr);

    CUniqueLabelEditor& Editor() { return m_editor; }
    QLineEdit* LabelEdit() const { return m_label; }
    QPushButton* AssignButton() const { return m_assign; }
    QListWidget* DiscontinuedList() const { return m_list; }
    QLineEdit* DiscontinuedEdit() const { return m_discontinued; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* RemoveButton() const { return m_remove; }
    void accept() override;

signals:
    // A label was assigned, changed or removed.
    void LabelChanged();

private:
    void ShowState();
    // The discontinued labels again, with the entry of `row` selected (none for -1) and "削除" following it.
    void ShowDiscontinued(int row);

    CUniqueLabelEditor m_editor;
    QRadioButton* m_methods[4];
    QLineEdit* m_prefix;
    QLineEdit* m_label;
    QPushButton* m_assign;
    QCheckBox* m_applyToNew;
    QListWidget* m_list;
    QLineEdit* m_discontinued;
    QPushButton* m_add;
    QPushButton* m_remove;
};

// Runs the dialog for the unit function; true when its label or the document's label settings changed.
// `labelShown` runs after each change of the label while the dialog is open, so that the label is shown at once.
bool EditUniqueLabel(CDocumentData& data, CUnitFunction& function, CUniqueLabelClock& clock, QWidget* parent,
                     const std::function<void()>& labelShown = {});
