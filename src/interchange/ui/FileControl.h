#pragma once

#include <QDialog>

class CVersionCommandHost;
class QCheckBox;
class QPushButton;
class QTableWidget;

// The version list: the stored versions of the document with their number, time, author and comment; a new
// version is stored from here (at most ten), a selected one opened in a process of its own or removed. The
// document's version options are set here too: a new version on every save, and which part of its number rises.
class CFileControl : public QDialog {
    Q_OBJECT
public:
    explicit CFileControl(CVersionCommandHost& host, QWidget* parent = nullptr);

    QTableWidget* VersionList() const { return m_list; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* OpenButton() const { return m_open; }
    QCheckBox* AutoVersionBox() const { return m_autoVersion; }
    QCheckBox* UpdateMajorBox() const { return m_updateMajor; }
    QCheckBox* UpdateMinorBox() const { return m_updateMinor; }

private:
    void FillList();
    void OnSave();
    void OnRemove();
    void OnOpen();
    void OnOptionToggled();
    void UpdateButtons();

    CVersionCommandHost& m_host;
    QTableWidget* m_list;
    QPushButton* m_save;
    QPushButton* m_remove;
    QPushButton* m_open;
    QCheckBox* m_autoVersion;
    QCheckBox* m_updateMajor;
    QCheckBox* m_updateMinor;
};
