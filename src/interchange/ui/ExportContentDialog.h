#pragma once

#include <QDialog>

struct CMessageContext;
struct ExportExplanationsOptions;
class QButtonGroup;
class QLineEdit;

// The export of the content texts: the file and the scope (this unit function, with the ones below it, or all).
// On OK, after the question about a file that is there, both go into the document's export settings, from which
// the content export takes them.
class CExportContentDialog : public QDialog {
    Q_OBJECT
public:
    // `proposedName` fills the file name; the captions are in the language of `context`.
    CExportContentDialog(const CMessageContext& context, ExportExplanationsOptions& options,
                         const QString& proposedName, QWidget* parent = nullptr);

    QLineEdit* FileEdit() const { return m_file; }
    QButtonGroup* ScopeButtons() const { return m_scope; }
    QString FileName() const;

    void accept() override;

private:
    ExportExplanationsOptions& m_options;
    QLineEdit* m_file;
    QButtonGroup* m_scope;
};
