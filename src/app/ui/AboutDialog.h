#pragma once

#include <QDialog>

class CNUVApp;
class QLabel;
class QPushButton;

// The About box: the program's name and version, OK, and the small button at the lower left that switches the
// language of the program's messages for later starts.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    CAboutDialog(const CNUVApp& app, QWidget* parent);

    // "NUV" and the version of this build.
    static QString GetVersionText();

    QLabel* ProductNameLabel() const { return m_productName; }
    QPushButton* OptionButton() const { return m_optionButton; }

private:
    void OnBnClickedOptionButton();

    const CNUVApp& m_app;
    QLabel* m_productName = nullptr;
    QPushButton* m_optionButton = nullptr;
};
