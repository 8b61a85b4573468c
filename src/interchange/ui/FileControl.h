#pragma once

#include <QDialog>

class CVersionCommandHost;
class QPushButton;
class QTableWidget;

// The version list: the stored versions of the document with their number, time, author and comment; a new
// version is stored from here (at most ten), a selected one removed.
class CFileControl : public QDialog {
    Q_OBJECT
public:
    explicit CFileControl(CVersionCommandHost& host, QWidget* parent = nullptr);

    QTableWidget* VersionList() const { return m_list; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* RemoveButton() const { return m_remove; }

private:
    void FillList();
    void OnSave();
    void OnRemove();

    CVersionCommandHost& m_host;
    QTableWidget* m_list;
    QPushButton* m_save;
    QPushButton* m_remove;
};
