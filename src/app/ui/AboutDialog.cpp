#include "app/ui/AboutDialog.h"

#include "app/NUVApp.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

CAboutDialog::CAboutDialog(const CNUVApp& app, LinkOpener openLink, QWidget* parent) : QDialog(parent), m_app(app) {
    setWindowTitle(Msg::Text(app.MessageContext(), Msg::Id::VersionOfNuvProgram));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    m_productName = new QLabel(GetVersionText(), this);
    m_productName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_legalNotice = new QLabel(LoadString(StringId::LegalNotice), this);
    m_legalNotice->setWordWrap(true);
    // A flat button that reads as a link: its caption is where it leads.
    const QString address = LoadString(StringId::ProjectWebAddress);
    m_link = new QPushButton(address, this);
    m_link->setFlat(true);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setStyleSheet(QStringLiteral("QPushButton { color: palette(link); text-decoration: underline; "
                                         "border: none; padding: 0; text-align: left; }"));
    m_link->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_link, &QPushButton::clicked, this, [openLink = std::move(openLink), address] { openLink(address); });
    m_optionButton = new QPushButton(this);
    m_optionButton->setFixedSize(12, 12);
    m_optionButton->setFocusPolicy(Qt::NoFocus);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_productName, 0, 1);
    layout->addWidget(m_legalNotice, 1, 1);
    layout->addWidget(m_link, 2, 1, Qt::AlignLeft);
    layout->addWidget(m_optionButton, 3, 0, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(buttons, 3, 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_optionButton, &QPushButton::clicked, this, &CAboutDialog::OnBnClickedOptionButton);
}

QString CAboutDialog::GetVersionText() {
    return LoadString(StringId::ProductName).arg(QStringLiteral(NUV_VERSION));
}

void CAboutDialog::OnBnClickedOptionButton() {
    m_app.SwitchLanguageFromAboutBox();
    accept();
}
