#pragma once

#include <QDialog>
#include <QStringList>

class CDocumentData;
class CUnitFunction;
class QLineEdit;
class QListWidget;
class QPushButton;
struct CMessageContext;

// Edits the own original requirement items of one unit function. Opened by the header form, which shows the
// effective items again afterwards.
class CChangeRequirementDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxItemLength = 24;

    CChangeRequirementDialog(CDocumentData& data, CUnitFunction& function, const CMessageContext& context,
                             QWidget* parent = nullptr);

    QListWidget* ItemList() const { return m_list; }
    QLineEdit* ItemEdit() const { return m_edit; }
    QPushButton* NewButton() const { return m_new; }
    void accept() override;

private:
    void ShowItems(int selected);
    void OnSelection();

    CDocumentData& m_data;
    CUnitFunction& m_function;
    QStringList m_items;
    QListWidget* m_list;
    QLineEdit* m_edit;
    QPushButton* m_new;
    QPushButton* m_delete;
};
