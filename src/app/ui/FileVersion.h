#pragma once

#include "model/DocumentFile.h"

#include <QDialog>

struct CMessageContext;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// The version dialog of a save that records a version: the number (proposed by the caller, major 0 to 9999
// and minor 0 to 99), the time, the author and a comment of the new stored version. After OK, Entry() holds
// what the user gave.
class CFileVersion : public QDialog {
    Q_OBJECT
public:
    CFileVersion(const CMessageContext& context, const VersionHistoryEntry& proposal, QWidget* parent = nullptr);

    VersionHistoryEntry Entry() const;

    QSpinBox* MajorBox() const { return m_major; }
    QSpinBox* MinorBox() const { return m_minor; }
    QLineEdit* TimeEdit() const { return m_time; }
    QLineEdit* AuthorEdit() const { return m_author; }
    QPlainTextEdit* CommentEdit() const { return m_comment; }

private:
    QSpinBox* m_major;
    QSpinBox* m_minor;
    QLineEdit* m_time;
    QLineEdit* m_author;
    QPlainTextEdit* m_comment;
};
