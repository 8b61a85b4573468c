#include "app/ui/FileVersion.h"

#include "app/SavingRules.h"
#include "interchange/ui/VersionCommands.h"
#include "model/DocumentData.h"
#include "texts/Msg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

CFileVersion::CFileVersion(const CMessageContext& context, const VersionHistoryEntry& proposal, QWidget* parent)
    : QDialog(parent), m_major(new QSpinBox(this)), m_minor(new QSpinBox(this)), m_time(new QLineEdit(this)),
      m_author(new QLineEdit(this)), m_comment(new QPlainTextEdit(this)) {
    setWindowTitle(Msg::VersionOfNuvDocument(context));
    m_major->setRange(0, kMaxVersionMajor);
    m_major->setValue(proposal.Major);
    m_minor->setRange(0, kMaxVersionMinor);
    m_minor->setValue(proposal.Minor);
    m_time->setMaxLength(DocumentHeader::MaxTimeLength);
    m_time->setText(proposal.Time);
    m_author->setMaxLength(DocumentHeader::MaxAuthorLength);
    m_author->setText(proposal.Author);
    m_comment->setPlainText(proposal.Comment);
    m_comment->setTabChangesFocus(true);

    auto* number = new QHBoxLayout;
    number->addWidget(m_major);
    number->addWidget(new QLabel(QStringLiteral("."), this));
    number->addWidget(m_minor);
    number->addStretch();

    auto* form = new QFormLayout(this);
    form->addRow(Msg::VersionOfNuvDocument(context), number);
    form->addRow(Msg::Date(context), m_time);
    form->addRow(Msg::Author(context), m_author);
    form->addRow(Msg::Comment(context), m_comment);
    form->addRow(MakeOkCancelButtons(*this));
    m_major->setFocus();
}

VersionHistoryEntry CFileVersion::Entry() const {
    VersionHistoryEntry entry;
    entry.Major = m_major->value();
    entry.Minor = m_minor->value();
    entry.Time = m_time->text();
    entry.Author = m_author->text();
    // The document keeps this much of a comment.
    entry.Comment = m_comment->toPlainText().left(DocumentHeader::MaxCommentLength);
    return entry;
}
