#include "platform/ui/PropertySheet.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr int DefaultNavigationWidth = 200;
}

CPropertyPage::CPropertyPage(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {}

CPropertySheet::CPropertySheet(const QString& caption, int& rememberedPage, QWidget* parent)
    : QDialog(parent), m_rememberedPage(rememberedPage), m_navigation(new QListWidget(this)),
      m_stack(new QStackedWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setWindowTitle(caption);
    SetNavigationWidth(DefaultNavigationWidth);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
    connect(m_navigation, &QListWidget::currentRowChanged, this, &CPropertySheet::OnNavigationRow);

    auto* pages = new QHBoxLayout;
    pages->addWidget(m_navigation);
    pages->addWidget(m_stack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addWidget(m_buttons);
}

void CPropertySheet::SetNavigationWidth(int pixels) {
    m_navigation->setFixedWidth(pixels);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_pages.append(page);
    m_stack->addWidget(page);
    const QSignalBlocker blocker(m_navigation);
    m_navigation->addItem(page->Title());
    m_navigation->setCurrentRow(m_stack->currentIndex());
    // Tab reaches OK and Cancel after the pages' controls: the page joined the end of the focus chain, and the
    // buttons, taken into the sheet again, join it after the page.
    m_buttons->setParent(nullptr);
    m_buttons->setParent(this);
    layout()->addWidget(m_buttons);
}

CPropertyPage* CPropertySheet::ActivePage() const {
    return m_pages.value(ActivePageIndex());
}

int CPropertySheet::ActivePageIndex() const {
    return m_stack->currentIndex();
}

bool CPropertySheet::SetActivePage(int index) {
    if (index < 0 || index >= m_pages.size())
        return false;
    if (index != ActivePageIndex() && ActivePage() && !ActivePage()->Validate()) {
        ShowPage(ActivePageIndex());
        return false;
    }
    ShowPage(index);
    return true;
}

void CPropertySheet::ShowPage(int index) {
    m_stack->setCurrentIndex(index);
    const QSignalBlocker blocker(m_navigation);
    m_navigation->setCurrentRow(index);
}

void CPropertySheet::OnNavigationRow(int row) {
    SetActivePage(row);
}

int CPropertySheet::CombinedChangeBits() const {
    int bits = 0;
    for (const CPropertyPage* page : m_pages)
        bits |= page->ChangeBits();
    return bits;
}

int CPropertySheet::exec() {
    if (m_rememberedPage >= 0 && m_rememberedPage < m_pages.size())
        ShowPage(m_rememberedPage);
    return QDialog::exec();
}

void CPropertySheet::accept() {
    if (ActivePage() && !ActivePage()->Validate())
        return;
    for (int index = 0; index < m_pages.size(); ++index) {
        if (index != ActivePageIndex() && !m_pages[index]->Validate()) {
            SetActivePage(index);
            return;
        }
    }
    for (CPropertyPage* page : m_pages)
        page->Apply();
    QDialog::accept();
}

void CPropertySheet::done(int result) {
    m_rememberedPage = ActivePageIndex();
    QDialog::done(result);
}
