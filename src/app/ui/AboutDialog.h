#pragma once

#include <QDialog>

#include <functional>

class CNUVApp;
class QLabel;
class QPushButton;

// The About box: the program's name and version, its legal notice, the button that opens the project's web
// page, OK, and the small button at the lower left that switches the language of the program's messages for
// later starts.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    // `openLink` opens an address as the views' links are opened; true when it was.
    using LinkOpener = std::function<bool(const QString&)>;
    CAboutDialog(const CNUVApp& app, LinkOpener openLink, QWidget* parent);

    // "NUV" and the version of this build.
    static QString GetVersionText();

    QLabel* ProductNameLabel() const { return m_productName; }
    QLabel* LegalNoticeLabel() const { return m_legalNotice; }
    QPushButton* LinkButton() const { return m_link; }
    QPushButton* OptionButton() const { return m_optionButton; }

private:
    void OnBnClickedOptionButton();

    const CNUVApp& m_app;
    QLabel* m_productName = nullptr;
    QLabel* m_legalNotice = nullptr;
    QPushButton* m_link = nullptr;
    QPushButton* m_optionButton = nullptr;
};
