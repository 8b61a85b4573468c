#pragma once

#include "model/UnitFunction.h"

#include <QDialog>

class CDocumentData;
class QCheckBox;
class QTreeWidget;
struct CMessageContext;

// Chooses among the unit functions of a name for an Fn statement, or creates a new one of that name.
class CSelectFunctionDialog : public QDialog {
    Q_OBJECT
public:
    // On OK the InternalID chosen or made is written to `target`, the called ID of the edited Fn line.
    CSelectFunctionDialog(CDocumentData& document, CUnitFunction& edited, const QString& name, quint32& target,
                          const CMessageContext& messages, QWidget* parent = nullptr);

    // The InternalID chosen or made; 0 before OK.
    quint32 ChosenID() const { return m_chosenID; }
    QTreeWidget& List() const { return *m_list; }
    QCheckBox& CreateNewBox() const { return *m_createNew; }

    void accept() override;

private:
    CDocumentData& m_document;
    CUnitFunction& m_edited;
    QString m_name;
    quint32& m_target;
    UnitFunctionList m_listed;
    QTreeWidget* m_list = nullptr;
    QCheckBox* m_createNew = nullptr;
    quint32 m_chosenID = 0;
};
