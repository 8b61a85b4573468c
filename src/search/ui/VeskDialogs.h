#pragma once

#include "search/LineMarkSearch.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
struct CMessageContext;

// The line-mark search dialog: all marks, one group or one attribute; after OK the request value.
class CVeskSearchDlg : public QDialog {
    Q_OBJECT
public:
    CVeskSearchDlg(const CMessageContext& context, const LineMarkTable& table, QWidget* parent = nullptr);
    void accept() override;
    quint16 RequestValue() const { return LineMarkSearchRequestValue(m_mode, m_parameter); }

    QButtonGroup* Modes() const { return m_modes; }
    QComboBox* GroupList() const { return m_groups; }
    QComboBox* AttributeList() const { return m_attributes; }

private:
    void UpdateControls();

    QButtonGroup* m_modes;
    QComboBox* m_groups;
    QComboBox* m_attributes;
    quint8 m_mode = 0;
    quint8 m_parameter = 0;
};

// The line-mark settings dialog: edits a copy of the groups and attributes; OK writes back what changed.
class CVeskSettingDlg : public QDialog {
    Q_OBJECT
public:
    CVeskSettingDlg(const CMessageContext& context, LineMarkTable& table, QWidget* parent = nullptr);
    void accept() override;
    // True after OK when anything was written back.
    bool Changed() const { return m_changed; }

    QListWidget* GroupList() const { return m_groupList; }
    QListWidget* AttributeList() const { return m_attributeList; }
    QLineEdit* GroupName() const { return m_groupName; }
    QLineEdit* AttributeName() const { return m_attributeName; }
    QPushButton* ChangeGroupButton() const { return m_changeGroup; }
    QPushButton* ChangeAttributeButton() const { return m_changeAttribute; }

private:
    void OnSelchangeGroupList();
    void OnSelchangeAttributeList();
    void OnChangeGroup();
    void OnDefaultGroup();
    void OnChangeAttribute();
    void OnDefaultAttribute();
    void ShowAttribute(const LineMarkTable::Attribute& attribute);
    void EnableAttributeFields(bool on);

    const CMessageContext& m_context;
    LineMarkTable& m_table;
    CLineMarkSettingsEdit m_edit;
    bool m_changed = false;
    QListWidget* m_groupList;
    QLineEdit* m_groupName;
    QPushButton* m_changeGroup;
    QPushButton* m_defaultGroup;
    QListWidget* m_attributeList;
    QLineEdit* m_attributeName;
    QComboBox* m_color;
    QComboBox* m_shape;
    QComboBox* m_groupNumber;
    QPushButton* m_changeAttribute;
    QPushButton* m_defaultAttribute;
};
