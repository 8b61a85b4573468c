#include "app/MainFrameMessages.h"

#include "app/NUVDoc.h"
#include "app/OpenDocument.h"
#include "logic/MemberNameRegistration.h"
#include "model/AbstractIndexItem.h"
#include "model/LogicNesting.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

#include <QThread>

#include <utility>

HeaderField HeaderFieldFromCode(int code) {
    switch (code) {
    case 2:
        return HeaderField::UnitFunctionName;
    case 3:
        return HeaderField::OriginalRequirementItems;
    case 4:
        return HeaderField::ManHours;
    case 5:
        return HeaderField::ContentText;
    default:
        return HeaderField::OutlineNumber;
    }
}

CMainFrameMessages::CMainFrameMessages(COpenDocument& document, CMainFrameTargets& targets, CInspectionView& resultPane,
                                       QObject* parent)
    : QObject(parent), m_document(document), m_targets(targets), m_resultPane(resultPane) {}

CMainFrameMessages::~CMainFrameMessages() {
    if (m_pWorker) {
        m_pWorker->wait();
        delete m_pWorker;
    }
}

void CMainFrameMessages::PostJump(int lineNumber, int fieldCode) {
    QMetaObject::invokeMethod(
        this, [this, lineNumber, fieldCode] { OnJump(lineNumber, fieldCode); }, Qt::QueuedConnection);
}

void CMainFrameMessages::PostSelectRange(int first, int last) {
    QMetaObject::invokeMethod(
        this, [this, first, last] { OnSelectRange(first, last); }, Qt::QueuedConnection);
}

void CMainFrameMessages::PostPrefixUnregisteredMemberNames(const QString& prefix) {
    QMetaObject::invokeMethod(
        this, [this, prefix] { OnPrefixUnregisteredMemberNames(prefix); }, Qt::QueuedConnection);
}

void CMainFrameMessages::PostShowReplaceAll(const QString& findText) {
    QMetaObject::invokeMethod(
        this, [this, findText] { m_targets.ShowReplaceAllDialog(findText); }, Qt::QueuedConnection);
}

void CMainFrameMessages::PostRegisterMemberNames(const QString& memberName) {
    // The worker works on its own copy of the name: the dialog may take the next one at once.
    QMetaObject::invokeMethod(
        this,
        [this, memberName] {
            StartWorker(
                [this, memberName] { return RegisterMemberName(m_document.DocumentData(), memberName, &m_resultPane); },
                true);
        },
        Qt::QueuedConnection);
}

void CMainFrameMessages::PostStartWorker(std::function<bool()> job, bool mayChangeDocument) {
    QMetaObject::invokeMethod(
        this, [this, job = std::move(job), mayChangeDocument] { StartWorker(job, mayChangeDocument); },
        Qt::QueuedConnection);
}

void CMainFrameMessages::PostWorkerFinished(bool documentChanged, std::optional<QString> failure) {
    QMetaObject::invokeMethod(
        this, [this, documentChanged, failure] { OnWorkerFinished(documentChanged, failure); }, Qt::QueuedConnection);
}

void CMainFrameMessages::PostActiveTabNotice(bool focusInTabBar) {
    QMetaObject::invokeMethod(
        this, [this, focusInTabBar] { OnActiveTabNotice(focusInTabBar); }, Qt::QueuedConnection);
}

CNUVDoc* CMainFrameMessages::TargetTab() const {
    CNUVDoc* tab = m_document.Tabs().GetActiveTab();
    return tab && tab->m_pUnitFunction ? tab : nullptr;
}

void CMainFrameMessages::OnJump(int lineNumber, int fieldCode) {
    CNUVDoc* tab = TargetTab();
    if (!tab)
        return;
    m_document.Tabs().OpenFunctionTab(tab->m_pUnitFunction);
    if (lineNumber != 0)
        m_targets.GoToTabLogicLine(*tab, lineNumber);
    else
        m_targets.FocusTabHeaderField(*tab, HeaderFieldFromCode(fieldCode));
}

void CMainFrameMessages::OnSelectRange(int first, int last) {
    CNUVDoc* tab = TargetTab();
    if (!tab)
        return;
    m_document.Tabs().OpenFunctionTab(tab->m_pUnitFunction);
    if (first > 0 && last > 0)
        m_targets.SelectTabLogicRange(*tab, first, last);
}

void CMainFrameMessages::OnPrefixUnregisteredMemberNames(const QString& prefix) {
    if (CNUVDoc* tab = TargetTab())
        m_targets.PrefixTabUnregisteredMemberNames(*tab, prefix);
}

bool CMainFrameMessages::StartWorker(std::function<bool()> job, bool mayChangeDocument) {
    // A modeless dialog stays usable while the window takes no input: a second job must not run beside the
    // first on the same document.
    if (m_pWorker || m_document.IsWorkerRunning() || !job) {
        emit WorkerRefused();
        return false;
    }
    // The window greys its commands as it locks: the work must be counted by then.
    m_document.BeginWork(COpenDocument::Work::Worker);
    m_targets.SetWorkerInputLock(true);
    const auto work = [this, job = std::move(job), mayChangeDocument] {
        bool changed = false;
        std::optional<QString> failure;
        try {
            changed = job();
        } catch (...) {
            // What a job that writes did before it failed is in the document all the same.
            changed = mayChangeDocument;
            failure = RunFailureReason();
        }
        // The end runs on the window's thread; the worker touches no window.
        PostWorkerFinished(changed, failure);
    };
    m_pWorker = QThread::create(work);
    m_pWorker->start();
    // Neither running nor finished: no thread could be started. The job takes the window's thread instead, the
    // window taking no input meanwhile all the same.
    if (!m_pWorker->isRunning() && !m_pWorker->isFinished()) {
        delete std::exchange(m_pWorker, nullptr);
        work();
    }
    return true;
}

void CMainFrameMessages::OnWorkerFinished(bool documentChanged, const std::optional<QString>& failure) {
    if (m_pWorker) {
        m_pWorker->wait();
        delete m_pWorker;
        m_pWorker = nullptr;
    }
    if (documentChanged) {
        m_targets.RefreshViewsAfterWorker();
        m_document.SetModified();
    }
    // The commands the window enables again as it unlocks must see no worker. What waited for the worker (a
    // close request, a look at a watched file) runs once the window takes input again.
    m_document.ReleaseWork(COpenDocument::Work::Worker);
    m_targets.SetWorkerInputLock(false);
    if (failure)
        platform::ShowMessageBox(LoadString(StringId::WorkerFailedBecause).arg(*failure), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
    m_document.RunHeldRequests();
}

void CMainFrameMessages::OnActiveTabNotice(bool focusInTabBar) {
    CUnitFunction* function = m_document.Tabs().ActiveTabFunction();
    if (focusInTabBar || !function)
        return;
    CAbstractIndexItem& root = m_document.DocumentData().indexRoot;
    CAbstractIndexItem::ResetTreeFlagRecursive(root);
    m_targets.ShowActiveFunctionInViews(*function, CAbstractIndexItem::GetCurrentItem(root));
}
