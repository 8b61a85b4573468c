#pragma once

#include "settings/VocabularyListCheck.h"

#include <QStringList>
#include <QWidget>

class CSettingsHost;
class QPushButton;
class QTableWidget;
struct CMessageContext;

// The table a vocabulary dialog edits its list in, one row per item, with a button that adds an empty row (and
// starts editing it) and one that deletes the current row. Columns hold texts or, where set, check boxes.
class CVocabularyTable : public QWidget {
    Q_OBJECT
public:
    CVocabularyTable(const CMessageContext& context, const QStringList& headers, QWidget* parent = nullptr);

    void SetCheckColumn(int column);
    int RowCount() const;
    // Empty rows, each column a blank text or a cleared check box.
    void SetRowCount(int rows);
    QString Text(int row, int column) const;
    void SetText(int row, int column, const QString& text);
    bool IsChecked(int row, int column) const;
    // Ends an edit still open in a cell, keeping what was typed.
    void CommitEdit();
    void SetChecked(int row, int column, bool checked);

    QTableWidget* Table() const { return m_table; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* DeleteButton() const { return m_delete; }

private:
    void AddRow();
    void DeleteCurrentRow();
    void FillRow(int row);

    QTableWidget* m_table;
    QPushButton* m_new;
    QPushButton* m_delete;
    QList<int> m_checkColumns;
};

// After OK's store in a vocabulary dialog: a stored change marks the document modified. True when the dialog may
// close, false when a check kept it open.
bool ReportVocabularyStore(VocabularyStore outcome, CSettingsHost& host);
