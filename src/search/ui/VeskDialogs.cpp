#include "search/ui/VeskDialogs.h"

#include "platform/MessageBox.h"
#include "platform/ui/NameComboBox.h"
#include "texts/ColorNameList.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

CVeskSearchDlg::CVeskSearchDlg(const CMessageContext& context, const LineMarkTable& table, QWidget* parent)
    : QDialog(parent), m_modes(new QButtonGroup(this)), m_groups(new QComboBox), m_attributes(new QComboBox) {
    setWindowTitle(Msg::VeskSearch(context));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Msg::VeskSearchExplanation(context)));
    auto* target = new QGroupBox(Msg::Target(context));
    auto* grid = new QGridLayout(target);
    const QString captions[] = {Msg::AllMark(context), Msg::Group(context), Msg::Attribute(context)};
    for (int k = 0; k < 3; ++k) {
        auto* radio = new QRadioButton(captions[k]);
        m_modes->addButton(radio, k);
        grid->addWidget(radio, k, 0);
    }
    m_modes->button(AllLineMarks)->setChecked(true);
    m_groups->addItem(Msg::NoGroup(context));
    for (int g = 0; g < LineMarkTable::GroupCount; ++g)
        m_groups->addItem(LoadString(StringId::LineMarkListEntry).arg(QString::number(g + 1), table.groupNames[g]));
    for (const LineMarkTable::Attribute& attribute : table.attributes)
        m_attributes->addItem(attribute.name);
    for (QComboBox* names : {m_groups, m_attributes})
        platform::LimitNameComboWidth(*names);
    grid->addWidget(m_groups, GroupLineMarks, 1);
    grid->addWidget(m_attributes, AttributeLineMarks, 1);
    layout->addWidget(target);
    layout->addWidget(OkCancel(this));
    connect(m_modes, &QButtonGroup::idClicked, this, &CVeskSearchDlg::UpdateControls);
    UpdateControls();
}

void CVeskSearchDlg::UpdateControls() {
    m_groups->setEnabled(m_modes->checkedId() == GroupLineMarks);
    m_attributes->setEnabled(m_modes->checkedId() == AttributeLineMarks);
}

void CVeskSearchDlg::accept() {
    m_mode = static_cast<quint8>(m_modes->checkedId());
    m_parameter = m_mode == GroupLineMarks       ? static_cast<quint8>(m_groups->currentIndex())
                  : m_mode == AttributeLineMarks ? static_cast<quint8>(m_attributes->currentIndex())
                                                 : 0;
    QDialog::accept();
}

CVeskSettingDlg::CVeskSettingDlg(const CMessageContext& context, LineMarkTable& table, QWidget* parent)
    : QDialog(parent), m_context(context), m_table(table), m_edit(table), m_groupList(new QListWidget),
      m_groupName(new QLineEdit), m_changeGroup(new QPushButton(LoadString(StringId::LineMarkChangeButton))),
      m_defaultGroup(new QPushButton(LoadString(StringId::LineMarkDefaultButton))), m_attributeList(new QListWidget),
      m_attributeName(new QLineEdit), m_color(new QComboBox), m_shape(new QComboBox), m_groupNumber(new QComboBox),
      m_changeAttribute(new QPushButton(LoadString(StringId::LineMarkChangeButton))),
      m_defaultAttribute(new QPushButton(LoadString(StringId::LineMarkDefaultButton))) {
    setWindowTitle(Msg::VeskSettings(context));
    m_groupList->addItems(m_edit.GroupEntries());
    m_groupNumber->addItem(Msg::NoGroup(context));
    for (int g = 1; g <= LineMarkTable::GroupCount; ++g)
        m_groupNumber->addItem(QString::number(g));
    m_groupName->setMaxLength(CLineMarkSettingsEdit::MaxNameLength);
    for (const LineMarkTable::Attribute& attribute : table.attributes)
        m_attributeList->addItem(attribute.name);
    m_attributeName->setMaxLength(CLineMarkSettingsEdit::MaxNameLength);
    for (QChar shape : LoadString(StringId::LineMarkShapes).left(5))
        m_shape->addItem(QString(shape));
    std::vector<QString> colours;
    FillColorNameList(colours, context);
    for (const QString& colour : colours)
        m_color->addItem(colour);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Msg::MarkSettingsExplanation(context)));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Msg::GroupName(context)), 0, 0);
    grid->addWidget(m_groupList, 1, 0, 1, 3);
    grid->addWidget(m_groupName, 2, 0);
    grid->addWidget(m_changeGroup, 2, 1);
    grid->addWidget(m_defaultGroup, 2, 2);
    grid->addWidget(new QLabel(Msg::Attribute(context)), 3, 0);
    grid->addWidget(m_attributeList, 4, 0, 1, 3);
    grid->addWidget(m_attributeName, 5, 0);
    grid->addWidget(m_changeAttribute, 5, 1);
    grid->addWidget(m_defaultAttribute, 5, 2);
    grid->addWidget(new QLabel(Msg::IconColor(context)), 6, 0);
    grid->addWidget(m_color, 6, 1, 1, 2);
    grid->addWidget(new QLabel(Msg::IconShape(context)), 7, 0);
    grid->addWidget(m_shape, 7, 1, 1, 2);
    grid->addWidget(new QLabel(Msg::GroupNumber(context)), 8, 0);
    grid->addWidget(m_groupNumber, 8, 1, 1, 2);
    layout->addLayout(grid);
    layout->addWidget(OkCancel(this));

    connect(m_groupList, &QListWidget::itemSelectionChanged, this, &CVeskSettingDlg::OnSelchangeGroupList);
    connect(m_attributeList, &QListWidget::itemSelectionChanged, this, &CVeskSettingDlg::OnSelchangeAttributeList);
    connect(m_groupName, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_changeGroup->setEnabled(!text.isEmpty()); });
    connect(m_attributeName, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_changeAttribute->setEnabled(!text.isEmpty()); });
    connect(m_changeGroup, &QPushButton::clicked, this, &CVeskSettingDlg::OnChangeGroup);
    connect(m_defaultGroup, &QPushButton::clicked, this, &CVeskSettingDlg::OnDefaultGroup);
    connect(m_changeAttribute, &QPushButton::clicked, this, &CVeskSettingDlg::OnChangeAttribute);
    connect(m_defaultAttribute, &QPushButton::clicked, this, &CVeskSettingDlg::OnDefaultAttribute);
    for (QPushButton* button : {m_changeGroup, m_defaultGroup, m_changeAttribute, m_defaultAttribute})
        button->setAutoDefault(false);
    OnSelchangeGroupList();
    OnSelchangeAttributeList();
    m_changeGroup->setEnabled(false);
    m_changeAttribute->setEnabled(false);
}

void CVeskSettingDlg::OnSelchangeGroupList() {
    const int row = m_groupList->selectedItems().isEmpty() ? -1 : m_groupList->currentRow();
    m_defaultGroup->setEnabled(row >= 0);
    if (row >= 0)
        m_groupName->setText(m_edit.Copy().groupNames[row]);
}

void CVeskSettingDlg::EnableAttributeFields(bool on) {
    for (QWidget* widget : std::initializer_list<QWidget*>{m_defaultAttribute, m_color, m_shape, m_groupNumber})
        widget->setEnabled(on);
}

void CVeskSettingDlg::ShowAttribute(const LineMarkTable::Attribute& attribute) {
    m_attributeName->setText(attribute.name);
    m_color->setCurrentIndex(attribute.colorNo);
    m_shape->setCurrentIndex(attribute.shape);
    m_groupNumber->setCurrentIndex(attribute.groupNo);
}

void CVeskSettingDlg::OnSelchangeAttributeList() {
    const int row = m_attributeList->selectedItems().isEmpty() ? -1 : m_attributeList->currentRow();
    EnableAttributeFields(row >= 0);
    if (row >= 0)
        ShowAttribute(m_edit.Copy().attributes[row]);
}

void CVeskSettingDlg::OnChangeGroup() {
    const int row = m_groupList->currentRow();
    if (m_groupList->selectedItems().isEmpty() || row < 0)
        return;
    m_groupList->item(row)->setText(m_edit.ChangeGroup(row, m_groupName->text()));
    m_groupList->clearSelection();
    m_groupName->clear();
    m_defaultGroup->setEnabled(false);
}

void CVeskSettingDlg::OnDefaultGroup() {
    const int row = m_groupList->currentRow();
    if (!m_groupList->selectedItems().isEmpty() && row >= 0)
        m_groupName->setText(GetVeskGroupName(m_context, row));
}

void CVeskSettingDlg::OnChangeAttribute() {
    const int row = m_attributeList->currentRow();
    if (m_attributeList->selectedItems().isEmpty() || row < 0)
        return;
    if (!m_edit.ChangeAttribute(row, m_attributeName->text(), m_color->currentIndex(), m_shape->currentIndex(),
                                m_groupNumber->currentIndex())) {
        platform::ShowMessageBox(LoadString(StringId::LineMarkNameInUse), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return;
    }
    m_attributeList->item(row)->setText(m_edit.Copy().attributes[row].name);
    m_attributeList->clearSelection();
    m_attributeName->clear();
    for (QComboBox* list : {m_color, m_shape, m_groupNumber})
        list->setCurrentIndex(-1);
    EnableAttributeFields(false);
}

void CVeskSettingDlg::OnDefaultAttribute() {
    const int row = m_attributeList->currentRow();
    if (!m_attributeList->selectedItems().isEmpty() && row >= 0)
        ShowAttribute(CLineMarkSettingsEdit::DefaultAttribute(m_context, row));
}

void CVeskSettingDlg::accept() {
    m_changed = m_edit.WriteBack(m_table);
    QDialog::accept();
}
