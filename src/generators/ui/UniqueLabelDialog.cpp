#include "generators/ui/UniqueLabelDialog.h"

#include "platform/ui/SelectedRow.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CUniqueLabelDialog::CUniqueLabelDialog(CDocumentData& data, CUnitFunction& function, CUniqueLabelClock& clock,
                                       QWidget* parent)
    : QDialog(parent), m_editor(data, function, clock) {
    setWindowTitle(LoadString(StringId::UniqueLabelTitle));
    const StringId methodTexts[4] = {StringId::UniqueLabelMethodNumbers, StringId::UniqueLabelMethodTimestamp,
                                     StringId::UniqueLabelMethodDirect, StringId::UniqueLabelMethodNone};
    auto* methods = new QGroupBox(LoadString(StringId::UniqueLabelMethodGroup));
    auto* methodLayout = new QVBoxLayout(methods);
    for (int i = 0; i < 4; ++i) {
        m_methods[i] = new QRadioButton(LoadString(methodTexts[i]));
        methodLayout->addWidget(m_methods[i]);
        connect(m_methods[i], &QRadioButton::clicked, this, [this, i] {
            m_editor.SelectMethod(static_cast<CUniqueLabelEditor::Method>(i));
            ShowState();
        });
    }
    m_prefix = new QLineEdit;
    m_label = new QLineEdit;
    m_assign = new QPushButton(LoadString(StringId::UniqueLabelAssign));
    m_applyToNew = new QCheckBox(LoadString(StringId::UniqueLabelApplyToNew));
    connect(m_prefix, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.SetPrefixText(text);
        ShowState();
    });
    connect(m_label, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.SetLabelText(text);
        m_assign->setEnabled(m_editor.CanAssign());
    });
    connect(m_assign, &QPushButton::clicked, this, [this] {
        if (m_editor.Assign()) {
            emit LabelChanged();
            ShowState();
            m_assign->setEnabled(false);
            // The label replaced stands selected in the list, ready to be removed from it.
            m_list->setCurrentRow(m_editor.MovedLabelIndex());
        }
    });

    m_list = new QListWidget;
    m_discontinued = new QLineEdit;
    m_add = new QPushButton(LoadString(StringId::UniqueLabelAdd));
    m_remove = new QPushButton(LoadString(StringId::UniqueLabelRemove));
    connect(m_discontinued, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_add->setEnabled(m_editor.CanAdd(text)); });
    // "削除" removes the entry the user selected, never one that is merely current.
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_remove->setEnabled(SelectedRow(*m_list) >= 0); });
    // "追加" and "削除" change the list alone: the method, the label and "割り当て" stay as they are.
    connect(m_add, &QPushButton::clicked, this, [this] {
        const int index = m_editor.Add(m_discontinued->text());
        if (index < 0)
            return;
        ShowDiscontinued(index);
        m_discontinued->clear();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (const int row = SelectedRow(*m_list); row >= 0)
            ShowDiscontinued(m_editor.Remove(row));
    });
    auto* discontinued = new QGroupBox(LoadString(StringId::UniqueLabelDiscontinuedGroup));
    auto* discontinuedLayout = new QGridLayout(discontinued);
    discontinuedLayout->addWidget(m_list, 0, 0, 1, 3);
    discontinuedLayout->addWidget(m_discontinued, 1, 0);
    discontinuedLayout->addWidget(m_add, 1, 1);
    discontinuedLayout->addWidget(m_remove, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CUniqueLabelDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CUniqueLabelDialog::reject);
    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(LoadString(StringId::UniqueLabelPrefix)), 0, 0);
    fields->addWidget(m_prefix, 0, 1);
    fields->addWidget(new QLabel(LoadString(StringId::DecisionTableLabelStub)), 1, 0);
    fields->addWidget(m_label, 1, 1);
    fields->addWidget(m_assign, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(methods);
    layout->addLayout(fields);
    layout->addWidget(m_applyToNew);
    layout->addWidget(discontinued);
    layout->addWidget(buttons);
    ShowState();
    m_add->setEnabled(false);
}

void CUniqueLabelDialog::ShowState() {
    m_methods[m_editor.SelectedMethod()]->setChecked(true);
    m_prefix->setText(m_editor.PrefixText());
    m_prefix->setReadOnly(!m_editor.PrefixEditable());
    m_label->setText(m_editor.LabelText());
    m_label->setReadOnly(!m_editor.LabelEditable());
    m_assign->setEnabled(m_editor.CanAssign());
    m_applyToNew->setEnabled(m_editor.CanApplyToNewFunctions());
    ShowDiscontinued(-1);
}

void CUniqueLabelDialog::ShowDiscontinued(int row) {
    {
        const QSignalBlocker blockList(m_list);
        m_list->clear();
        m_list->addItems(m_editor.Discontinued());
    }
    m_list->setCurrentRow(row);
    m_remove->setEnabled(SelectedRow(*m_list) >= 0);
}

void CUniqueLabelDialog::accept() {
    m_editor.Accept(m_applyToNew->isChecked());
    QDialog::accept();
}

bool EditUniqueLabel(CDocumentData& data, CUnitFunction& function, CUniqueLabelClock& clock, QWidget* parent,
                     const std::function<void()>& labelShown) {
    CUniqueLabelDialog dialog(data, function, clock, parent);
    bool labelChanged = false;
    QObject::connect(&dialog, &CUniqueLabelDialog::LabelChanged, [&labelChanged, &labelShown] {
        labelChanged = true;
        if (labelShown)
            labelShown();
    });
    return dialog.exec() == QDialog::Accepted || labelChanged;
}
