#include "app/ui/NewTypeDlg.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

CNewTypeDlg::CNewTypeDlg(const QString& title, const QStringList& names, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setWindowTitle(title);
    m_list->setObjectName(QStringLiteral("100"));
    m_list->addItems(names);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewTypeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNewTypeDlg::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CNewTypeDlg::accept);
}

void CNewTypeDlg::accept() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    m_nSelected = selected.isEmpty() ? -1 : m_list->row(selected.front());
    QDialog::accept();
}
