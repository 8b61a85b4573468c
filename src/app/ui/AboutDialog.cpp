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

CAboutDialog::CAboutDialog(const CNUVApp& app, QWidget* parent) : QDialog(parent), m_app(app) {
    setWindowTitle(Msg::Text(app.MessageContext(), Msg::Id::VersionOfNuvProgram));
    auto* icon = new QLabel(this);
    icon->setPixmap(QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    m_productName = new QLabel(GetVersionText(), this);
    m_productName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_optionButton = new QPushButton(this);
    m_optionButton->setFixedSize(12, 12);
    m_optionButton->setFocusPolicy(Qt::NoFocus);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_productName, 0, 1);
    layout->addWidget(m_optionButton, 1, 0, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(buttons, 1, 1);
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
