#pragma once

#include "platform/ui/PropertySheet.h"
#include "settings/TemplatePageModel.h"

class CSettingsHost;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The settings page of the template a new document starts from; its values are the user's, not the document's.
class CTemplatePage : public CPropertyPage {
    Q_OBJECT
public:
    explicit CTemplatePage(CSettingsHost& host, QWidget* parent = nullptr);

    bool Validate() override;
    void Apply() override;

    QCheckBox* UseTemplateBox() const { return m_useTemplate; }
    QLineEdit* FileNameEdit() const { return m_fileName; }
    QPushButton* UseCurrentButton() const { return m_useCurrent; }

private:
    void OnBrowse();
    void TakeValues();

    CSettingsHost& m_host;
    CTemplatePageModel m_model;
    QCheckBox* m_useTemplate;
    QLineEdit* m_fileName;
    QPushButton* m_browse;
    QPushButton* m_useCurrent;
};
