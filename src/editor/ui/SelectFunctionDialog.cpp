#include "editor/ui/SelectFunctionDialog.h"

#include "editor/EditorDialogRules.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "platform/ui/HeaderWidths.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QTreeWidget>
#include <QVBoxLayout>

CSelectFunctionDialog::CSelectFunctionDialog(CDocumentData& document, CUnitFunction& edited, const QString& name,
                                             quint32& target, const CMessageContext& messages, QWidget* parent)
    : QDialog(parent), m_document(document), m_edited(edited), m_name(name), m_target(target) {
    setWindowTitle(Msg::SelectFunction(messages));
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({Msg::OutlineNumber(messages), Msg::UniqueLabel(messages)});
    m_list->setColumnWidth(0, 160);
    m_list->setColumnWidth(1, 160);
    WidenColumnsToHeaders(*m_list->header());
    UnitFunctionSet same;
    document.registry.CollectForSelection(same, name);
    const bool distinguish = document.GetModelOptions().DistinguishPrimaryOutlineNumber;
    SortedVectorFromSet(same, m_listed, distinguish);
    for (const CUnitFunction* function : m_listed)
        new QTreeWidgetItem(m_list, {function->GetOutlineNumberText(distinguish), function->header.uniqueLabel});
    m_createNew = new QCheckBox(Msg::CreateFunctionWithTheSameName(messages), this);
    connect(m_createNew, &QCheckBox::toggled, m_list, [this](bool checked) { m_list->setEnabled(!checked); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_createNew);
    layout->addWidget(buttons);
}

void CSelectFunctionDialog::accept() {
    CUnitFunction* chosen = nullptr;
    if (!m_createNew->isChecked()) {
        const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
        if (row < 0 || !m_list->currentItem()->isSelected()) {
            platform::ShowMessageBox(LoadString(StringId::NoFunctionSelected), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Error);
            return;
        }
        chosen = m_listed[static_cast<size_t>(row)];
    }
    m_chosenID = ChooseSameNamedFunction(m_document, m_edited, chosen, m_createNew->isChecked(), m_name, m_target);
    if (m_chosenID == 0)
        return;
    QDialog::accept();
}
