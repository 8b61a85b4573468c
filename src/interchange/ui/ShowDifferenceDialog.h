#pragma once

#include <QDialog>

class CVersionCommandHost;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The comparison of two of the document's stored versions, or of one of them or another document file with the
// working data; the differences go to the result pane, each line leading to its unit function.
class CShowDifferenceDialog : public QDialog {
    Q_OBJECT
public:
    explicit CShowDifferenceDialog(CVersionCommandHost& host, QWidget* parent = nullptr);

    // The older side: a stored version, or the document file named.
    QComboBox* VersionBox() const { return m_versions; }
    QLineEdit* FileEdit() const { return m_file; }
    // The newer side: the working data while the box is ticked, else a stored version.
    QCheckBox* WorkingDataBox() const { return m_withWorkingData; }
    QComboBox* NewerVersionBox() const { return m_newerVersions; }

    void accept() override;

private:
    CVersionCommandHost& m_host;
    QComboBox* m_versions;
    QLineEdit* m_file;
    QCheckBox* m_withWorkingData = nullptr;
    QComboBox* m_newerVersions = nullptr;
};
