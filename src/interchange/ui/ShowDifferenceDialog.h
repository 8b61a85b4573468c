#pragma once

#include <QDialog>

class CVersionCommandHost;
class QComboBox;
class QLineEdit;

// The comparison of the document's current content with one of its stored versions or another document file;
// the differences go to the result pane, each line leading to its unit function.
class CShowDifferenceDialog : public QDialog {
    Q_OBJECT
public:
    explicit CShowDifferenceDialog(CVersionCommandHost& host, QWidget* parent = nullptr);

    QComboBox* VersionBox() const { return m_versions; }
    QLineEdit* FileEdit() const { return m_file; }

    void accept() override;

private:
    CVersionCommandHost& m_host;
    QComboBox* m_versions;
    QLineEdit* m_file;
};
