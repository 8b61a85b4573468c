#pragma once

#include <QDialog>

class CGeneratorCommandHost;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The comment-source dialog: output file and tag template, checked as it is typed; OK writes the file and
// closes, or stays open after a question declined or a failure said.
class COutputSourceCodeWindow : public QDialog {
    Q_OBJECT
public:
    explicit COutputSourceCodeWindow(CGeneratorCommandHost& host, QWidget* parent = nullptr);

    QLineEdit* FileNameEdit() const { return m_fileName; }
    QPlainTextEdit* TemplateEdit() const { return m_template; }
    QPushButton* OkButton() const { return m_ok; }
    void accept() override;

private:
    void CheckTemplate();

    CGeneratorCommandHost& m_host;
    QLineEdit* m_fileName;
    QPlainTextEdit* m_template;
    QPushButton* m_ok;
};
