#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

// The chooser of a template for a new document: its list (100) offers the templates' names, the first one
// selected; OK or a double-click takes the selection.
class CNewTypeDlg : public QDialog {
    Q_OBJECT
public:
    CNewTypeDlg(const QString& title, const QStringList& names, QWidget* parent = nullptr);

    // The index of the chosen name once the dialog ended with OK; -1 when nothing was selected.
    int SelectedTemplate() const { return m_nSelected; }
    QListWidget* List() const { return m_list; }

    void accept() override;

private:
    QListWidget* m_list;
    int m_nSelected = -1;
};
