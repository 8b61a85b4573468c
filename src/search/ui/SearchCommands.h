#pragma once

#include "platform/CommandRegistry.h"
#include "search/ui/SearchDialogs.h"

#include <QPointer>

#include <functional>

class CDocumentData;
class CInspectionView;
class CUnitFunction;
class QWidget;
struct CMessageContext;

// What the search commands need of the window that offers them.
class CSearchCommandHost {
public:
    virtual CDocumentData& SearchedDocument() = 0;
    // The active tab's unit function; null without a tab.
    virtual const CUnitFunction* ActiveFunction() const = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual CInspectionView& InspectionPane() = 0;
    virtual void ShowInspectionPane() = 0;
    // The selected text of the active tab a search starts with; empty for none.
    virtual QString SelectedTextForSearch() const = 0;
    // The parent of the dialogs; disabled while a worker runs, which blocks the modeless dialogs too.
    virtual QWidget* DialogParent() = 0;
    // Runs the job on the window's worker while the window takes no input; the job returns whether it changed
    // the document. A failure is said in a message; the document counts as changed then only when the job
    // `mayChangeDocument`.
    virtual void StartSearchWorker(std::function<bool()> job, bool mayChangeDocument) = 0;
    // The line-mark settings changed: the document is modified and the menus follow.
    virtual void LineMarkSettingsChanged() = 0;
    // The obscure-word dialog the search starts from; true when it closed with OK.
    virtual bool EditObscureWordSettings() = 0;
    // Shows a modeless dialog centred over the window, the window's other modeless dialogs hidden.
    virtual void ShowModelessDialog(QDialog& dialog) = 0;

protected:
    ~CSearchCommandHost() = default;
};

// The rows of the search, replace-all, similar-word, obscure-word and line-mark commands, with the modeless
// search and replace dialogs they keep for the window's life.
class CSearchCommands {
public:
    explicit CSearchCommands(CSearchCommandHost& host) : m_host(host) {}
    ~CSearchCommands();

    void AddTo(CCommandRegistry& registry);

    void OnAdvancedSearch();
    void OnReplaceAll();
    void OnDetectSimilarWords();
    void OnDetectObscureWords();
    void OnVeskSearch();
    void OnVeskSettings();

    CAdvancedSearchDlg* SearchDialog() const { return m_searchDialog; }
    CAllReplaceDlg* ReplaceDialog() const { return m_replaceDialog; }

private:
    CSearchCommandHost& m_host;
    QPointer<CAdvancedSearchDlg> m_searchDialog;
    QPointer<CAllReplaceDlg> m_replaceDialog;
};
