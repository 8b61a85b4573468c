#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class CAbstractIndexItem;
class CInspectionView;
class COpenDocument;
class CNUVDoc;
class CUnitFunction;
class QThread;

// The header fields a jump request can focus.
enum class HeaderField { OutlineNumber, UnitFunctionName, OriginalRequirementItems, ManHours, ContentText };
// 2 the unit-function name, 3 the original requirement items, 4 the man-hours, 5 the content text; 1 and every
// other code the outline number.
HeaderField HeaderFieldFromCode(int code);

// What the main window's requests reach: the active tab's editors, the window's own dialogs and panes. The main
// window implements it; a target that is not there yet does nothing.
class CMainFrameTargets {
public:
    virtual ~CMainFrameTargets() = default;

    // The tab's logic editor goes to the 1-based line and selects it.
    virtual void GoToTabLogicLine(CNUVDoc& tab, int lineNumber) = 0;
    virtual void FocusTabHeaderField(CNUVDoc& tab, HeaderField field) = 0;
    // The tab's logic editor selects the characters first..last and shows them.
    virtual void SelectTabLogicRange(CNUVDoc& tab, int first, int last) = 0;
    // The tab's header form puts the prefix before every unregistered member name of its unit function.
    virtual void PrefixTabUnregisteredMemberNames(CNUVDoc& tab, const QString& prefix) = 0;
    // The replace-all dialog shows, centred, the other modeless dialogs hidden; a non-empty text becomes its
    // find text, selected.
    virtual void ShowReplaceAllDialog(const QString& findText) = 0;
    // While a worker runs (true) the messages pane shows, the wait cursor too, and the window takes no input;
    // afterwards (false) it takes input again and the result pane gets the focus.
    virtual void SetWorkerInputLock(bool locked) = 0;
    // A worker changed the document: every tab's views and every pane show it anew, the logic views forget their
    // state.
    virtual void RefreshViewsAfterWorker() = 0;
    // The active tab changed: the structure diagram, the unit-function list and the table of contents
    // (`currentItem`, when it shows the unit function) follow it.
    virtual void ShowActiveFunctionInViews(CUnitFunction& function, CAbstractIndexItem* currentItem) = 0;
};

// The requests the main window receives from its tabs, dialogs and workers. Each Post call queues the request,
// which runs on the window's thread once the current work is done; a worker may post too. Document-wide jobs
// run one at a time on a worker while the window takes no input, and end with WorkerFinished.
class CMainFrameMessages : public QObject {
    Q_OBJECT
public:
    CMainFrameMessages(COpenDocument& document, CMainFrameTargets& targets, CInspectionView& resultPane,
                       QObject* parent = nullptr);
    // A worker still running is waited for.
    ~CMainFrameMessages() override;

    // Jump in the active tab: to the 1-based logic line, or with line 0 to the header field of the code.
    void PostJump(int lineNumber, int fieldCode);
    // Select characters first..last of the active tab's logic editor; nothing unless first > 0 and last > 0.
    void PostSelectRange(int first, int last);
    // Prefix the unregistered member names of the active tab's unit function.
    void PostPrefixUnregisteredMemberNames(const QString& prefix);
    // Show the replace-all dialog with the text.
    void PostShowReplaceAll(const QString& findText);
    // Register the member name and its states on a worker.
    void PostRegisterMemberNames(const QString& memberName);
    // Start a document-wide job on a worker: the replace-all and the advanced search hand their engine's run
    // here. The job returns whether it changed the document. A job that fails says why in a message; the document
    // counts as changed then only when the job `mayChangeDocument`.
    void PostStartWorker(std::function<bool()> job, bool mayChangeDocument);
    // A worker ended; with `documentChanged` the views are refreshed and the document is marked modified; a
    // `failure` is said in a message once the window takes input again.
    void PostWorkerFinished(bool documentChanged, std::optional<QString> failure = std::nullopt);
    // The active tab changed; nothing happens while the focus is on the tab bar itself.
    void PostActiveTabNotice(bool focusInTabBar);

    // False while a worker runs.
    bool IsReady() const { return m_pWorker == nullptr; }

signals:
    // A start request came while a worker ran and was refused.
    void WorkerRefused();

private:
    // The active tab, when it shows a unit function.
    CNUVDoc* TargetTab() const;
    void OnJump(int lineNumber, int fieldCode);
    void OnSelectRange(int first, int last);
    void OnPrefixUnregisteredMemberNames(const QString& prefix);
    bool StartWorker(std::function<bool()> job, bool mayChangeDocument);
    void OnWorkerFinished(bool documentChanged, const std::optional<QString>& failure);
    void OnActiveTabNotice(bool focusInTabBar);

    COpenDocument& m_document;
    CMainFrameTargets& m_targets;
    CInspectionView& m_resultPane;
    QThread* m_pWorker = nullptr;
};
