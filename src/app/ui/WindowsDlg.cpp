#include "app/ui/WindowsDlg.h"

#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CWindowsDlg::CWindowsDlg(const CMessageContext& context, CWindowManager& manager, QWidget* parent)
    : QDialog(parent), m_manager(manager) {
    setWindowTitle(LoadString(StringId::WindowsDialogTitle));
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* label = new QLabel(LoadString(StringId::WindowsDialogList), this);
    label->setBuddy(m_list);
    m_activate = new QPushButton(LoadString(StringId::ActivateButton), this);
    auto* ok = new QPushButton(LoadString(StringId::OkButton), this);
    m_save = new QPushButton(MakeMenuItemText(context, Msg::Save(context), QStringLiteral("S")), this);
    m_close = new QPushButton(LoadString(StringId::CloseWindowsButton), this);
    ok->setDefault(true);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_activate);
    buttons->addWidget(ok);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    buttons->addStretch();
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(label);
    listColumn->addWidget(m_list);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);
    resize(420, 260);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CWindowsDlg::UpdateButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, m_activate, &QPushButton::click);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_activate, &QPushButton::clicked, this, [this] {
        const std::vector<int> positions = SelectedPositions();
        if (positions.size() == 1 && m_manager.Activate(positions.front()))
            accept();
    });
    connect(m_save, &QPushButton::clicked, this, [this] {
        m_manager.Save();
        UpdateButtons();
    });
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_manager.Close(SelectedPositions());
        FillList();
    });
    FillList();
}

void CWindowsDlg::FillList() {
    m_list->clear();
    m_list->addItems(m_manager.Captions());
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    UpdateButtons();
}

void CWindowsDlg::UpdateButtons() {
    const CWindowManager::Buttons buttons = m_manager.ButtonsFor(static_cast<int>(SelectedPositions().size()));
    m_activate->setEnabled(buttons.activate);
    m_save->setEnabled(buttons.save);
    m_close->setEnabled(buttons.close);
}

std::vector<int> CWindowsDlg::SelectedPositions() const {
    std::vector<int> positions;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected())
            positions.push_back(row);
    }
    return positions;
}
