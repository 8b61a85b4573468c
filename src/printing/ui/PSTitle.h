#pragma once

#include "platform/ui/PropertySheet.h"

#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
struct CMessageContext;
struct PrintSettings;

// The title page's lines: the texts the user gives (the document title, and the two input texts), where each line
// stands on the page and whether it is framed.
class CPSTitle : public CPropertyPage {
    Q_OBJECT
public:
    // `documentTitle` is the document's title, which the first line edits.
    CPSTitle(PrintSettings& settings, QString& documentTitle, const CMessageContext& context,
             QWidget* parent = nullptr);

    void Apply() override;

    // One per title line; null for the lines whose text comes from the document (file name, version).
    const QList<QLineEdit*>& TextEdits() const { return m_texts; }
    // 0 not printed, 1 to 9 top left to bottom right.
    const QList<QComboBox*>& PositionBoxes() const { return m_positions; }
    const QList<QCheckBox*>& FrameBoxes() const { return m_frames; }

private:
    PrintSettings& m_settings;
    QString& m_documentTitle;
    QList<QLineEdit*> m_texts;
    QList<QComboBox*> m_positions;
    QList<QCheckBox*> m_frames;
};
