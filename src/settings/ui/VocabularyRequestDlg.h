#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

// A modeless dialog of the main window that asks for one text and hands it on with OK: made hidden once and
// shown again with a new text each time.
class CVocabularyRequestDlg : public QDialog {
    Q_OBJECT
public:
    using Request = std::function<void(const QString&)>;

    CVocabularyRequestDlg(const QString& title, const QString& label, Request request, QWidget* parent);

    // The edit takes a text that is not empty, selected; an empty one leaves the last text there.
    void SetText(const QString& text);
    QString Text() const;
    QLineEdit* Edit() const { return m_edit; }

    // OK hands the text on and hides the dialog.
    void accept() override;

private:
    QLineEdit* m_edit;
    Request m_request;
};
