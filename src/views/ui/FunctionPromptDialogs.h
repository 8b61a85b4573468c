#pragma once

#include "platform/ui/NameEdit.h"

#include <QDialog>

class CAbstractIndexItem;
class CDocumentData;
class QLineEdit;
class QPushButton;

// The name prompts of the table of contents: the name of a new unit function, or (isolating) the name of the
// individual copy of a common one. OK keeps the dialog open with a message while the name is taken.
class CFunctionNameprompt : public QDialog {
    Q_OBJECT
public:
    CFunctionNameprompt(const CDocumentData& document, bool isolating, const QString& name, QWidget* parent = nullptr);

    QString Name() const { return m_name; }
    QLineEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;

private:
    const CDocumentData& m_document;
    bool m_isolating;
    QString m_name;
    CNameEdit* m_field;
    QPushButton* m_ok;
};

// The move prompt: OK, enabled only for a text that reads as an outline number, moves the item there and closes;
// a refused move keeps the dialog open for another number.
class CFunctionMoveWindow : public QDialog {
    Q_OBJECT
public:
    CFunctionMoveWindow(CDocumentData& document, CAbstractIndexItem& item, QWidget* parent = nullptr);

    QLineEdit* Field() const { return m_field; }
    QPushButton* OkButton() const { return m_ok; }

    void accept() override;
    void setVisible(bool visible) override;

private:
    CDocumentData& m_document;
    CAbstractIndexItem& m_item;
    QLineEdit* m_field;
    QPushButton* m_ok;
};
