#include "generators/ui/ChangeRequirementDialog.h"

#include "generators/RequirementItems.h"
#include "model/DocumentData.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

CChangeRequirementDialog::CChangeRequirementDialog(CDocumentData& data, CUnitFunction& function,
                                                   const CMessageContext& context, QWidget* parent)
    : QDialog(parent), m_data(data), m_function(function) {
    setWindowTitle(Msg::ChangeRequirement(context));
    for (const QString& item : function.header.ownRequirements)
        m_items << item;
    m_list = new QListWidget;
    m_edit = new QLineEdit;
    m_edit->setMaxLength(MaxItemLength);
    m_new = new QPushButton(LoadString(StringId::RequirementNew));
    m_delete = new QPushButton(LoadString(StringId::RequirementDelete));
    connect(m_list, &QListWidget::currentRowChanged, this, &CChangeRequirementDialog::OnSelection);
    connect(m_new, &QPushButton::clicked, this, [this] {
        m_items << QString();
        ShowItems(static_cast<int>(m_items.size()) - 1);
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const int row = m_list->currentRow();
        if (row < 0)
            return;
        m_items.removeAt(row);
        ShowItems(-1);
    });
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int row = m_list->currentRow();
        if (row < 0)
            return;
        m_items[row] = text;
        m_list->item(row)->setText(text);
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CChangeRequirementDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CChangeRequirementDialog::reject);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 3, 1);
    layout->addWidget(m_new, 0, 1);
    layout->addWidget(m_delete, 1, 1);
    layout->addWidget(m_edit, 3, 0, 1, 2);
    layout->addWidget(buttons, 4, 0, 1, 2);
    ShowItems(-1);
}

void CChangeRequirementDialog::ShowItems(int selected) {
    {
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        m_list->addItems(m_items);
        m_list->setCurrentRow(selected);
    }
    OnSelection();
}

void CChangeRequirementDialog::OnSelection() {
    const int row = m_list->currentRow();
    m_edit->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    m_edit->setText(row >= 0 ? m_items[row] : QString());
}

void CChangeRequirementDialog::accept() {
    if (AcceptRequirementItems(m_items, m_function, m_data)) {
        QDialog::accept();
        return;
    }
    ShowItems(-1);
}
