#pragma once

#include "app/ModelessDialogs.h"

#include <QDialog>

class QLineEdit;
struct CMessageContext;

// The modeless Find dialog, or with `replace` the Find and Replace dialog, over the active tab's logic editor.
// Made on demand, it goes when it is hidden or closed, leaving the main window's modeless dialogs.
class CFindReplaceDlg : public QDialog, public CModelessDialog {
    Q_OBJECT
public:
    CFindReplaceDlg(const CMessageContext& context, bool replace, CModelessDialogs& dialogs, QWidget* parent);
    ~CFindReplaceDlg() override;

    QLineEdit* FindBox() const { return m_find; }
    // Null for the Find dialog.
    QLineEdit* ReplaceBox() const { return m_replace; }

    void ShowDialog() override;
    void HideDialog() override { close(); }
    bool IsDialogShown() const override { return isVisible(); }

signals:
    void FindNextRequested(const QString& text);
    void ReplaceRequested(const QString& text, const QString& replacement);

private:
    CModelessDialogs& m_dialogs;
    QLineEdit* m_find = nullptr;
    QLineEdit* m_replace = nullptr;
};
