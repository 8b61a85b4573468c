#include "settings/ui/VocabularyRequestDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CVocabularyRequestDlg::CVocabularyRequestDlg(const QString& title, const QString& label, Request request,
                                             QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(this)), m_request(std::move(request)) {
    setWindowTitle(title);
    setModal(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(label, this));
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

void CVocabularyRequestDlg::SetText(const QString& text) {
    if (text.isEmpty())
        return;
    m_edit->setText(text);
    m_edit->selectAll();
}

QString CVocabularyRequestDlg::Text() const {
    return m_edit->text();
}

void CVocabularyRequestDlg::accept() {
    // The request works on its own copy: the dialog may take the next text at once.
    const QString text = Text();
    QDialog::accept();
    m_request(text);
}
