#include "app/ui/CustomizeDlg.h"

#include "platform/MessageBox.h"
#include "texts/MenuBarCaptions.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

using namespace MainFrameCommand;

namespace {

// The list rows of the program's two toolbars; the user's follow.
constexpr int kStandardRow = 0;
constexpr int kNavigationRow = 1;
constexpr int kFirstUserRow = 2;

QLabel* Label(StringId text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(LoadString(text), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CCustomizeDlg::CCustomizeDlg(const CMessageContext& context, CToolBarLayout& layout, std::function<void()> changed,
                             QWidget* parent)
    : QDialog(parent), m_context(context), m_layout(layout), m_changed(std::move(changed)),
      m_offered(CommandsInMenus()) {
    setWindowTitle(MakeCommandCaptionWithoutAccessKey(context, CustomizeToolBars));
    setModal(false);
    m_toolBars = new QListWidget(this);
    m_buttons = new QListWidget(this);
    m_categories = new QListWidget(this);
    m_commands = new QListWidget(this);
    m_new = new QPushButton(LoadString(StringId::NewToolBarButton), this);
    m_delete = new QPushButton(MakeMenuItemText(context, Msg::Delete(context), QStringLiteral("D")), this);
    m_add = new QPushButton(LoadString(StringId::AddButtonToToolBar), this);
    m_remove = new QPushButton(LoadString(StringId::RemoveButtonFromToolBar), this);
    auto* close = new QPushButton(Msg::Close(context), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label(StringId::ToolBarList, m_toolBars, this), 0, 0);
    grid->addWidget(m_toolBars, 1, 0);
    grid->addWidget(Label(StringId::ToolBarButtons, m_buttons, this), 0, 1);
    grid->addWidget(m_buttons, 1, 1);
    grid->addWidget(Label(StringId::CommandCategories, m_categories, this), 0, 2);
    grid->addWidget(m_categories, 1, 2);
    grid->addWidget(Label(StringId::CommandList, m_commands, this), 0, 3);
    grid->addWidget(m_commands, 1, 3);
    auto* toolBarButtons = new QHBoxLayout;
    toolBarButtons->addWidget(m_new);
    toolBarButtons->addWidget(m_delete);
    grid->addLayout(toolBarButtons, 2, 0);
    grid->addWidget(m_remove, 2, 1);
    grid->addWidget(m_add, 2, 3);
    grid->addWidget(close, 3, 3, Qt::AlignRight);
    // The lists of names stay narrow; those of commands take the room their longest captions need.
    m_toolBars->setMinimumWidth(160);
    m_categories->setMinimumWidth(160);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);
    resize(1000, 420);

    const std::vector<QString> categories = MenuBarCaptions(m_context, DocumentMenuBar());
    for (const QString& category : categories) {
        QString plain = category;
        m_categories->addItem(plain.remove(QLatin1Char('&')));
    }

    connect(m_toolBars, &QListWidget::currentRowChanged, this, [this] {
        FillButtons();
        UpdateButtons();
    });
    connect(m_toolBars, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { OnToolBarItemChanged(m_toolBars->row(item)); });
    connect(m_categories, &QListWidget::currentRowChanged, this, &CCustomizeDlg::FillCommands);
    connect(m_commands, &QListWidget::currentRowChanged, this, &CCustomizeDlg::UpdateButtons);
    connect(m_buttons, &QListWidget::currentRowChanged, this, &CCustomizeDlg::UpdateButtons);
    connect(m_commands, &QListWidget::itemDoubleClicked, m_add, &QPushButton::click);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_new, &QPushButton::clicked, this, [this] {
        const UserToolBar* bar =
            m_layout.AddToolBar(LoadString(StringId::NewToolBarName).arg(m_layout.userToolBars.size() + 1));
        if (!bar) {
            platform::ShowMessageBox(LoadString(StringId::TooManyToolBars), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Warning);
            return;
        }
        m_changed();
        Refresh();
        m_toolBars->setCurrentRow(m_toolBars->count() - 1);
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (const UserToolBar* bar = ChosenUserToolBar()) {
            m_layout.RemoveToolBar(bar->id);
            m_changed();
            Refresh();
        }
    });
    connect(m_add, &QPushButton::clicked, this, [this] {
        const UserToolBar* bar = ChosenUserToolBar();
        QListWidgetItem* command = m_commands->currentItem();
        if (bar && command && m_layout.AddButton(bar->id, command->data(Qt::UserRole).toInt())) {
            m_changed();
            FillButtons();
        }
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        const UserToolBar* bar = ChosenUserToolBar();
        if (bar && m_layout.RemoveButton(bar->id, m_buttons->currentRow())) {
            m_changed();
            FillButtons();
        }
    });

    Refresh();
    m_categories->setCurrentRow(0);
}

void CCustomizeDlg::Refresh() {
    const int current = m_toolBars->currentRow();
    {
        QScopedValueRollback filling(m_bFilling, true);
        m_toolBars->clear();
        const auto add = [this](const QString& name, bool visible, bool editable) {
            auto* item = new QListWidgetItem(name, m_toolBars);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
            item->setCheckState(visible ? Qt::Checked : Qt::Unchecked);
        };
        add(LoadString(StringId::StandardToolBar), m_layout.standardVisible, false);
        add(LoadString(StringId::NavigationToolBar), m_layout.navigationVisible, false);
        // A user's toolbar shows while it exists; its check hides it by removing it.
        for (const UserToolBar& bar : m_layout.userToolBars)
            add(bar.name, true, true);
    }
    m_toolBars->setCurrentRow(std::min(current, m_toolBars->count() - 1));
    FillButtons();
    UpdateButtons();
}

UserToolBar* CCustomizeDlg::ChosenUserToolBar() {
    const int index = m_toolBars->currentRow() - kFirstUserRow;
    if (index < 0 || index >= static_cast<int>(m_layout.userToolBars.size()))
        return nullptr;
    return &m_layout.userToolBars[index];
}

void CCustomizeDlg::OnToolBarItemChanged(int row) {
    if (m_bFilling)
        return;
    QListWidgetItem* item = m_toolBars->item(row);
    const bool checked = item->checkState() == Qt::Checked;
    if (row == kStandardRow) {
        m_layout.standardVisible = checked;
    } else if (row == kNavigationRow) {
        m_layout.navigationVisible = checked;
    } else {
        UserToolBar& bar = m_layout.userToolBars.at(row - kFirstUserRow);
        if (!checked) {
            m_layout.RemoveToolBar(bar.id);
            m_changed();
            // The list changes under the signal: refilled once it has returned.
            QMetaObject::invokeMethod(this, &CCustomizeDlg::Refresh, Qt::QueuedConnection);
            return;
        }
        bar.name = item->text();
    }
    m_changed();
}

void CCustomizeDlg::FillCommands() {
    m_commands->clear();
    const int category = m_categories->currentRow();
    for (const OfferedCommand& command : m_offered) {
        if (command.category != category)
            continue;
        auto* item = new QListWidgetItem(MakeCommandCaptionWithoutAccessKey(m_context, command.id), m_commands);
        item->setToolTip(item->text());
        item->setData(Qt::UserRole, command.id);
    }
    UpdateButtons();
}

void CCustomizeDlg::FillButtons() {
    m_buttons->clear();
    const std::vector<int>* buttons = nullptr;
    if (m_toolBars->currentRow() == kStandardRow)
        buttons = &StandardToolBarButtons();
    else if (m_toolBars->currentRow() == kNavigationRow)
        buttons = &NavigationToolBarButtons();
    else if (const UserToolBar* bar = ChosenUserToolBar())
        buttons = &bar->commands;
    if (!buttons)
        return;
    // The program's toolbars are listed without their separators; their buttons cannot be removed.
    for (int command : *buttons) {
        if (command != 0)
            m_buttons->addItem(MakeCommandCaptionWithoutAccessKey(m_context, command));
    }
}

void CCustomizeDlg::UpdateButtons() {
    const bool userToolBar = ChosenUserToolBar() != nullptr;
    m_delete->setEnabled(userToolBar);
    m_add->setEnabled(userToolBar && m_commands->currentItem());
    m_remove->setEnabled(userToolBar && m_buttons->currentRow() >= 0);
}
