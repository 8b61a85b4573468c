#pragma once

#include "views/FunctionListRows.h"

#include <QWidget>

#include <array>

class CViewHost;
class QItemSelection;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The unit-function list pane: the name field with New and Delete above the sortable list of every unit
// function. Selecting one row opens its unit function.
class CFunctionListView : public QWidget {
    Q_OBJECT
public:
    explicit CFunctionListView(CViewHost& host, QWidget* parent = nullptr);

    // Collect, sort and fill after a change of the document; while hidden, once it is shown.
    void Refresh();
    // Selects the active tab's unit function without opening anything.
    void SelectCurrentFunction(const CUnitFunction* function);
    QTableWidget* List() const { return m_list; }
    QLineEdit* NameField() const { return m_name; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* DeleteButton() const { return m_delete; }
    const CFunctionListRows& Rows() const { return m_rows; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Fill();
    void FitNarrowColumns();
    void OnNameChanged();
    void OnNew();
    void OnDelete();
    void OnSelectionChanged(const QItemSelection& newlySelected);

    CViewHost& m_host;
    CFunctionListRows m_rows;
    QLabel* m_label;
    QLineEdit* m_name;
    QPushButton* m_new;
    QPushButton* m_delete;
    QTableWidget* m_list;
    bool m_reacting = true;
    // Columns the user sized keep their widths; the others fit what they show.
    std::array<bool, CFunctionListRows::ColumnCount> m_sizedByUser{};
    bool m_fitting = false;
    bool m_refreshPending = false;
};
