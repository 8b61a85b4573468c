#include "app/OpenDocument.h"

#include "app/ApplicationShell.h"
#include "app/DocumentExports.h"
#include "app/InstanceRegistry.h"
#include "app/NUVDoc.h"
#include "app/NUVMultiDocTemplate.h"
#include "app/RecentFileList.h"
#include "app/SavingRules.h"
#include "app/TabPaneLayout.h"
#include "interchange/VersionManager.h"
#include "model/DocumentDataHelpers.h"
#include "model/DocumentFile.h"
#include "model/ExportMessages.h"
#include "model/MemberDefinition.h"
#include "model/MemberUsage.h"
#include "platform/ContentDigest.h"
#include "platform/DocumentHold.h"
#include "platform/FileReplacement.h"
#include "platform/MessageBox.h"
#include "platform/OwnerFile.h"
#include "platform/Trace.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopedValueRollback>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

namespace {

const QString kDocumentName = QStringLiteral("NUV");
const QString kDocumentExtension = QStringLiteral(".nuv");

constexpr int kReadOnlyWatchInterval = 1000; // ms between the looks at a watched document
constexpr qint64 kMaxTemplateBytes = qint64(256) << 20;

// A file this user may not write, or one marked read-only for everybody (which binds even the superuser).
bool IsReadOnlyFile(const QString& path) {
    const QFileInfo info(path);
    return !info.isWritable() || !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// Keeps the keyboard focus away while it lives, so that editors have stored what they hold.
class KeyboardFocusAway {
public:
    explicit KeyboardFocusAway(CApplicationShell& shell) : m_shell(shell) { m_shell.ReleaseKeyboardFocus(); }
    ~KeyboardFocusAway() { m_shell.RestoreKeyboardFocus(); }
    KeyboardFocusAway(const KeyboardFocusAway&) = delete;
    KeyboardFocusAway& operator=(const KeyboardFocusAway&) = delete;

private:
    CApplicationShell& m_shell;
};

} // namespace

QString COpenDocument::CanonicalPath(const QString& path) {
    // What is no document keeps the name the user gave it, so that its refusal names that and not where a link
    // leads.
    if (platform::IsOtherThanRegularFile(path))
        return QFileInfo(path).absoluteFilePath();
    return platform::CanonicalDocumentPath(path);
}

COpenDocument::COpenDocument(CApplicationShell& shell, CInstanceRegistry& instances,
                             const CMessageContext& messageContext)
    : m_shell(shell), m_instances(instances), m_messageContext(messageContext),
      m_installedFonts(shell.InstalledFontFaces()), m_docManager(shell) {
    AddObserver(m_tabs);
    CloseDocumentState();
}

COpenDocument::~COpenDocument() {
    CloseDocumentState();
}

void COpenDocument::AddDocumentTemplate() {
    m_docManager.AddDocTemplate(std::make_unique<CNUVMultiDocTemplate>(*this, kDocumentName));
}

bool COpenDocument::StoreTabPaneSizes(CUnitFunction& function, const TabPaneSizes& sizes) {
    return ::StoreTabPaneSizes(m_documentData, function, sizes);
}

void COpenDocument::OnFileClose() {
    // What the table of contents selects while the document closes opens no tab. Once the close is over, or was
    // cancelled, a click on an entry opens its tab again.
    QScopedValueRollback closing(m_bSkipNextTabOpen, true);
    m_shell.CloseMainWindow();
}

// ---- observers ----

void COpenDocument::AddObserver(CDocumentObserver& observer) {
    if (std::find(m_observers.begin(), m_observers.end(), &observer) == m_observers.end())
        m_observers.push_back(&observer);
}

void COpenDocument::RemoveObserver(CDocumentObserver& observer) {
    std::erase(m_observers, &observer);
}

void COpenDocument::Notify(DocumentChange change, CUnitFunction* function) {
    // An observer may go while it is told: each is looked up again before it hears of the change.
    const std::vector<CDocumentObserver*> observers = m_observers;
    for (CDocumentObserver* observer : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), observer) != m_observers.end())
            observer->DocumentChanged(change, function);
    }
}

void COpenDocument::SetModified(bool modified) {
    if (std::exchange(m_bModified, modified) != modified)
        Notify(DocumentChange::ModifiedChanged);
}

void COpenDocument::SetNotesText(const QString& text) {
    if (m_documentData.MemoText == text)
        return;
    m_documentData.MemoText = text;
    SetModified();
    Notify(DocumentChange::NotesChanged);
}

void COpenDocument::ReportFunctionChange(DocumentChange change, CUnitFunction& function) {
    SetModified();
    Notify(change, &function);
}

// ---- work that owns the document ----

void COpenDocument::BeginWork(Work work) {
    ++m_work[static_cast<size_t>(work)];
    if (work == Work::Conversion)
        m_runLabels.reset();
}

void COpenDocument::EndWork(Work work) {
    ReleaseWork(work);
    RunHeldRequests();
}

void COpenDocument::ReleaseWork(Work work) {
    int& count = m_work[static_cast<size_t>(work)];
    if (count > 0)
        --count;
    if (!IsConverting() && m_labellingRuns == 0)
        m_runLabels.reset();
}

void COpenDocument::BeginLabellingRun() {
    if (m_labellingRuns++ == 0 && !IsConverting())
        m_runLabels.reset();
}

void COpenDocument::EndLabellingRun() {
    if (m_labellingRuns > 0)
        --m_labellingRuns;
    if (!IsConverting() && m_labellingRuns == 0)
        m_runLabels.reset();
}

void COpenDocument::AssignUniqueLabelIfEmpty(CUnitFunction& function) {
    if (!function.header.uniqueLabel.isEmpty())
        return;
    if (IsConverting() || m_labellingRuns > 0) {
        if (!m_runLabels)
            m_runLabels.emplace(m_documentData);
        m_runLabels->AssignUniqueLabelIfEmpty(function, m_labelClock);
        return;
    }
    CUniqueLabelGenerator(m_documentData).AssignUniqueLabelIfEmpty(function, m_labelClock);
}

bool COpenDocument::IsBusy() const {
    return std::any_of(m_work.begin(), m_work.end(), [](int count) { return count > 0; });
}

void COpenDocument::Hold(HeldRequest request, std::function<void()> action) {
    const auto held = std::find_if(m_heldRequests.begin(), m_heldRequests.end(),
                                   [request](const auto& entry) { return entry.first == request; });
    if (held != m_heldRequests.end())
        held->second = std::move(action);
    else
        m_heldRequests.emplace_back(request, std::move(action));
}

void COpenDocument::RunHeldRequests() {
    // A held request may start work of its own; the ones after it wait for that to end.
    while (!IsBusy() && !m_heldRequests.empty()) {
        const std::function<void()> action = std::move(m_heldRequests.front().second);
        m_heldRequests.erase(m_heldRequests.begin());
        action();
    }
}

void COpenDocument::RequestClose() {
    if (!IsBusy()) {
        m_shell.PostCloseToMainWindow();
        return;
    }
    // Closing clears the document data; in the middle of a conversion or a worker's run that would pull the
    // tree away from under it, so the request waits until the work has ended. Work that waits for the user is
    // answered as Cancel would answer it, so that the close comes at once and asks.
    Hold(HeldRequest::Close, [this] { m_shell.PostCloseToMainWindow(); });
    m_shell.EndDialogsUntilClose();
}

// ---- the model's questions ----

void COpenDocument::CloseFunctionTab(CUnitFunction* function) {
    if (function)
        Notify(DocumentChange::FunctionRemoved, function);
}

bool COpenDocument::GetCurrentOutlineNumber(OutlineNumber& number) {
    const CNUVDoc* active = m_tabs.GetActiveTab();
    if (!active)
        return false;
    const CUnitFunction* function = active->m_pUnitFunction ? active->m_pUnitFunction : m_documentData.registry.origin;
    return function &&
           function->GetCurrentOutlineNumber(active->m_openedFrom.empty() ? nullptr : &active->m_openedFrom,
                                             m_documentData.GetModelOptions().DistinguishPrimaryOutlineNumber, number);
}

void COpenDocument::SetOpenedFromOutlineNumber(const OutlineNumber& number) {
    CNUVDoc* active = m_tabs.GetActiveTab();
    if (!active || active->m_openedFrom == number)
        return;
    active->m_openedFrom = number;
    // The tab's outline-number box and title show the place.
    Notify(DocumentChange::FunctionHeaderChanged, active->m_pUnitFunction);
}

void COpenDocument::SelectTreeItem(CAbstractIndexItem& item) {
    m_shell.SelectTreeItem(item);
}

void COpenDocument::EnsureTreeItemVisible(CAbstractIndexItem& item) {
    m_shell.EnsureTreeItemVisible(item);
}

bool COpenDocument::PromptFunctionName(QString& name) {
    return m_shell.PromptFunctionName(name, false);
}

bool COpenDocument::PromptIsolatedFunctionName(QString& name) {
    return m_shell.PromptFunctionName(name, true);
}

void COpenDocument::RunMoveDialog(CAbstractIndexItem& item) {
    m_shell.RunMoveDialog(item);
}

// ---- documents ----

void COpenDocument::ImportFromDocumentFile(bool environment) {
    CEnvironmentOptions& options = m_documentData.environment;
    // The environment import starts where it took the settings last time.
    const QString path = m_shell.PromptOpenFileName(
        LoadString(StringId::OpenFileTitle), environment ? options.importEnvironmentalSettingsFileName : QString());
    if (path.isEmpty())
        return;
    (environment ? options.importEnvironmentalSettingsFileName : options.importMemberNamesAndStateNamesFileName) = path;
    m_shell.SetWaitCursor(true);
    std::optional<LoadResult> imported;
    if (environment) {
        // Tabs lay out their logic rows again when the imported settings show or hide the input or output column.
        bool columnsChanged = false;
        imported = ImportEnvironmentFromFile(m_documentData, path, &columnsChanged);
        if (columnsChanged)
            m_shell.RelayoutOpenTabs();
    } else {
        MemberDefinitionList members;
        imported = ImportMemberNamesFromFile(path, members);
        if (imported == LoadResult::Loaded)
            MergeImportedMemberNames(m_documentData.memberDefinitions, members);
    }
    m_shell.SetWaitCursor(false);
    if (imported != LoadResult::Loaded) {
        platform::ShowMessageBox(UnreadDocumentText(m_messageContext, Unquoted(path),
                                                    imported.value_or(LoadResult::MalformedXml),
                                                    LoadString(StringId::ImportFailed)),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return;
    }
    SetModified();
    RebuildDocument();
    if (environment)
        m_shell.ApplyResultsTextFormat();
    platform::ShowMessageBox(LoadString(StringId::ImportSucceeded), platform::MessageButtons::Ok,
                             platform::MessageIcon::Information);
}

QString COpenDocument::PromptExportPath(QString& remembered, const QString& fileName, const QString& filter,
                                        const QString& extension) {
    const QString path =
        m_shell.PromptExportFileName(ProposeExportFileName(remembered, m_strDocumentPath, fileName), filter, extension);
    if (path.isEmpty())
        return {};
    remembered = path;
    if (!ConfirmExportFile(path))
        return {};
    return path;
}

void COpenDocument::OnExportOutlineIndex() {
    const QString what = LoadString(StringId::OutlineIndexExportName);
    const QString path =
        PromptExportPath(m_documentData.environment.exportOutlineOrderdIndexFileName, what + QStringLiteral(".txt"),
                         LoadString(StringId::OutlineIndexExportFilter), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    const QString text = BuildOutlineIndexText(m_documentData.indexRoot, 0, m_documentData.environment,
                                               m_documentData.GetModelOptions());
    qsizetype replaced = 0;
    QString failure;
    if (WriteProcessCodePageFile(path, text, replaced, failure))
        ShowExportedMessage(path, what, replaced);
    else
        ShowCannotWriteFileMessage(path, failure);
}

void COpenDocument::OnExportMemberNames() {
    const QString what = LoadString(StringId::MemberNamesExportName);
    const QString path =
        PromptExportPath(m_documentData.environment.exportMemberNamesAndStateNamesFileName,
                         what + QStringLiteral(".csv"), LoadString(StringId::CsvExportFilter), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const MemberUsageExportResult result =
        ExportMemberUsageCsv(path, m_documentData.registry, m_documentData.memberDefinitions, m_documentData.fuzzwords);
    switch (result.status) {
    case MemberUsageExportResult::Written:
        ShowExportedMessage(path, what, result.replacedCharacters);
        break;
    case MemberUsageExportResult::WriteFailed:
        ShowCannotWriteFileMessage(path, result.failure);
        break;
    case MemberUsageExportResult::TooManyLines:
        platform::ShowMessageBox(FormatMemberUsageSizeOverMessage(result.lineCount), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        break;
    }
}

void COpenDocument::OnExportNuv2013june() {
    platform::Trace("CMainFrame", "OnExportNuv2013june");
    const QString path =
        m_shell.PromptExportFileName(LoadString(StringId::OlderFormatExportName),
                                     LoadString(StringId::OlderFormatExportFilter), QStringLiteral("nuv"));
    if (path.isEmpty())
        return;
    // The export writes what the editors show, as a save does.
    m_shell.CommitPendingEdits(false);
    // A file that cannot be written is said, as a failed save is; the file there is left as it was. The document
    // open here is held too: its next save would drop what the export wrote. A held document is refused before an
    // existing file is asked about.
    if (RefuseHeldDocument(path) || !ConfirmOverwrite(path))
        return;
    QString errorText;
    if (!SaveDocumentXml(m_documentData, path, &errorText, DocumentFormat::Older))
        ShowSaveFailure(path, errorText);
}

void COpenDocument::RebuildDocument() {
    m_documentData.RebuildAndRefresh(m_documentData.GetModelOptions());
}

void COpenDocument::ResetDocumentData() {
    // The record's reset leaves the registry to the reader; a new document starts without unit functions.
    m_documentData.registry.Clear();
    m_documentData.indexRoot.Clear();
    m_documentData.SetDefaults();
    m_shell.DocumentReplaced();
}

void COpenDocument::OnFileNew(const QString& templatePath) {
    if (IsBusy()) {
        Hold(HeldRequest::New, [this, templatePath] { OnFileNew(templatePath); });
        return;
    }
    // One document per process: a second new document gets a process of its own.
    if (m_documentData.DataReady) {
        m_instances.LaunchNewInstance(QString(), 0);
        return;
    }
    WorkScope work(*this, Work::Opening);
    ResetDocumentData();
    LoadTemplateDocument(templatePath);
    // A template's origin may come without a unique label.
    if (m_documentData.registry.origin)
        AssignUniqueLabelIfEmpty(*m_documentData.registry.origin);
    m_tabs.OpenFunctionTab(m_documentData.registry.origin);
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    m_shell.ApplyResultsTextFormat();
    Notify(DocumentChange::Reloaded);
}

void COpenDocument::LoadTemplateDocument(const QString& templatePath) {
    if (templatePath.isEmpty() || !QFileInfo::exists(templatePath))
        return;
    // Read as any file a user names: a pipe would wait for a writer, a device never end.
    QByteArray bytes;
    if (!platform::ReadUserFile(templatePath, kMaxTemplateBytes, bytes)) {
        platform::ShowMessageBox(LoadString(StringId::TemplateFileRefused).arg(ShownPath(templatePath)),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    m_documentData.registry.Clear();
    if (LoadDocumentXml(file, m_documentData, 0) != LoadResult::Loaded) {
        // A broken template must not leave half a document behind: the new document keeps its defaults.
        ResetDocumentData();
        return;
    }
    m_documentData.indexRoot.Clear();
    RebuildDocument();
    StartAutoSaveTimer();
}

void COpenDocument::StoreViewStateInDocument() {
    m_tabs.StoreOpenTabs(m_documentData.documentHeader);
    m_shell.StoreIndexViewState(m_documentData.documentHeader.indexViewInfo);
}

void COpenDocument::SetWindowTitle() {
    m_strDocumentName = ComposeWindowTitle(m_strDocumentPath, m_nOpenMode, m_documentData, kDocumentName);
    m_shell.UpdateFrameTitle(m_strDocumentName);
}

bool COpenDocument::CloseDocument(bool processEnding) {
    if (IsBusy()) {
        Hold(HeldRequest::Close, [this] { m_shell.PostCloseToMainWindow(); });
        return false;
    }
    WorkScope work(*this, Work::Opening);
    return CloseCurrentDocument(processEnding);
}

bool COpenDocument::CloseCurrentDocument(bool processEnding) {
    {
        KeyboardFocusAway focus(m_shell);
        WorkScope work(*this, Work::Save);
        // What is being typed is committed and asked about as the rest is, also when the window has not the
        // focus (a close from another program or a signal) and leaving the box committed nothing.
        m_shell.CommitPendingEdits(true);
        if (m_bModified) {
            const platform::MessageAnswer answer = platform::ShowMessageBox(
                LoadString(StringId::DocumentModifiedQuestion).arg(ShownPath(m_strDocumentName)),
                platform::MessageButtons::YesNoCancel, platform::MessageIcon::Warning);
            if (answer == platform::MessageAnswer::Cancel)
                return false;
            if (answer == platform::MessageAnswer::Yes) {
                OnFileSave();
                // A save that failed or was cancelled keeps the document open.
                if (m_bModified)
                    return false;
            }
        }
    }
    DiscardDocument(processEnding);
    return true;
}

void COpenDocument::DiscardDocument(bool processEnding) {
    m_tabs.CloseAllTabs();
    m_documentData.Clear();
    if (processEnding)
        m_documentData.ClearFunctionsAtExit();
    else
        m_documentData.ClearFunctions();
    m_instances.ClearOwnInstanceRecord();
    CloseDocumentState();
    m_shell.DocumentReplaced();
    m_shell.UpdateFrameTitle(m_strDocumentName);
    Notify(DocumentChange::Closed);
}

void COpenDocument::CloseDocumentState() {
    m_heldDocumentFile.Release();
    if (m_nOpenMode == Editing && !m_strDocumentPath.isEmpty())
        DeleteOwnerFile(m_strDocumentPath);
    m_strDocumentPath.clear();
    m_strDocumentName.clear();
    m_nOpenMode = NoDocument;
    m_nRequestedVersion = 0;
    SetModified(false);
    if (std::exchange(m_bAutoSaveTimerRunning, false))
        m_shell.SetAutoSaveTimer(0);
    m_autoSaveNotice.clear();
    m_heldFileIdentity = {};
    StopReadOnlyWatch();
}

bool COpenDocument::SaveConvertedDocument(const QString& path, const std::function<bool()>& stopRequested) {
    // The user never names the output: a link planted under its name would send the document anywhere.
    if (QFileInfo(path).isSymLink()) {
        ShowCannotWriteFileMessage(path, LoadString(StringId::NotARegularFile).arg(ShownPath(path)));
        return false;
    }
    if (RefuseHeldDocument(path))
        return false;
    m_documentData.functionsNum = 0;
    QString errorText;
    platform::DocumentFileWrite write;
    write.stopRequested = stopRequested;
    if (!WriteDocument(path, nullptr, &errorText, &write)) {
        if (!write.stopped)
            ShowSaveFailure(path, errorText);
        return false;
    }
    // The written document stays held until the process lets its document go.
    m_heldDocumentFile.Hold(path);
    SetModified(false);
    return true;
}

bool COpenDocument::RefuseHeldDocument(const QString& path) const {
    // Another process editing that document holds it; it is never replaced under its feet.
    const std::optional<QString> holder = platform::DocumentHolder(path);
    if (holder)
        ShowCannotOpenForSaving(InUseText(path, *holder));
    return holder.has_value();
}

void COpenDocument::ShowCannotOpenForSaving(const QString& reason) const {
    platform::ShowMessageBox(LoadString(StringId::CannotOpenForSaving) + QLatin1Char('\n') + reason,
                             platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

bool COpenDocument::WriteDocument(const QString& path, const VersionHistoryEntry* entry, QString* errorText,
                                  platform::DocumentFileWrite* own) {
    // A save the user asks for writes what the editors show: a typed Fn name is bound (or refused) before the lines
    // are written. The timer's save writes what is committed and leaves the edit to the user.
    if (!m_bAutomaticSave)
        m_shell.CommitPendingEdits(false);
    m_shell.SetWaitCursor(true);
    StoreViewStateInDocument();
    m_documentData.connectionText.clear();
    // The old file, if any, stays untouched on failure: the document goes to a temporary file that
    // replaces it only once it is complete.
    const bool written = entry ? SaveDocumentXmlWithHistory(m_documentData, path, *entry, errorText, own)
                               : SaveDocumentXml(m_documentData, path, errorText, DocumentFormat::Current, own);
    m_shell.SetWaitCursor(false);
    return written;
}

void COpenDocument::ShowSaveFailure(const QString& path, const QString& errorText) const {
    // A file that cannot be made, a folder and a file that may not be written cannot be opened for saving, and
    // which of them it is is said below; anything else, a pipe or device named as the file among them and a file
    // system mounted read-only, is said with the file's name and why.
    const QFileInfo target(path);
    const QString readOnlyFileSystem = platform::ReadOnlyFileSystemText(path);
    if (target.isDir())
        ShowCannotOpenForSaving(LoadString(StringId::NotARegularFile).arg(ShownPath(path)));
    else if (!readOnlyFileSystem.isEmpty())
        ShowCannotWriteFileMessage(path, readOnlyFileSystem);
    else if (target.isFile() && IsReadOnlyFile(path))
        ShowCannotOpenForSaving(LoadString(StringId::FileMarkedReadOnly).arg(ShownPath(path)));
    else if (!target.exists() && !QFileInfo(target.absolutePath()).isWritable())
        ShowCannotOpenForSaving(LoadString(StringId::FolderNotWritable).arg(ShownPath(target.absolutePath())));
    else
        ShowCannotWriteFileMessage(path, errorText);
}

bool COpenDocument::CanWriteHeldFile(const HeldFileLook& look) const {
    if (m_nOpenMode != Editing || m_strDocumentPath.isEmpty())
        return false;
    return look.change != FileIdentityChange::None || !IsReadOnlyFile(m_strDocumentPath);
}

COpenDocument::HeldFileLook COpenDocument::LookAtHeldFile() const {
    HeldFileLook look;
    if (m_nOpenMode != Editing || m_strDocumentPath.isEmpty())
        return look;
    look.now = ReadFileIdentity(m_strDocumentPath);
    if (StatusChangedAlone(m_heldFileIdentity, look.now))
        look.now.digest = platform::DigestOfFileAt(QFile::encodeName(m_strDocumentPath), look.now.device,
                                                   look.now.inode, look.now.size);
    look.change = CompareFileIdentity(m_heldFileIdentity, look.now, m_heldDocumentFile.LinkCount() > 0);
    return look;
}

void COpenDocument::ShowReadOnlyFileMessage() const {
    platform::ShowMessageBox(
        LoadString(StringId::ReadOnlyFileSaveAs).arg(ShownPath(QFileInfo(m_strDocumentPath).fileName())),
        platform::MessageButtons::Ok, platform::MessageIcon::Warning);
}

void COpenDocument::OnFileSave() {
    KeyboardFocusAway focus(m_shell);
    SaveAsCommanded();
}

void COpenDocument::SaveAsCommanded(std::optional<HeldFileLook> look) {
    WorkScope work(*this, Work::Save);
    // The version question lets the file change while it waits.
    if (m_documentData.VersionControlTable.IsAutoVersion)
        look.reset();
    if (!SaveWithVersionPrompt())
        return;
    if (!look)
        look = LookAtHeldFile();
    if (CanWriteHeldFile(*look)) {
        SaveIntoHeldFile(nullptr, *look);
        return;
    }
    // A file made read-only since it was opened is not written either: it goes as a read-only document's.
    if (m_nOpenMode != NoDocument && !m_strDocumentPath.isEmpty())
        ShowReadOnlyFileMessage();
    SaveDocumentFile(QString(), true, QString());
}

void COpenDocument::OnFileSaveAs() {
    KeyboardFocusAway focus(m_shell);
    WorkScope work(*this, Work::Save);
    if (SaveWithVersionPrompt())
        SaveDocumentFile(QString(), true, QString());
}

bool COpenDocument::SaveWithVersionPrompt() {
    if (!m_documentData.VersionControlTable.IsAutoVersion)
        return true;
    const platform::MessageAnswer answer =
        platform::ShowMessageBox(LoadString(StringId::SaveVersionQuestion), platform::MessageButtons::YesNoCancel,
                                 platform::MessageIcon::Question);
    if (answer == platform::MessageAnswer::Cancel)
        return false;
    if (answer == platform::MessageAnswer::No)
        return true;
    SaveNewVersion();
    return false;
}

bool COpenDocument::SaveNewVersion() {
    QString refusal;
    if (!CVersionManager::CanStoreVersion(m_documentData, &refusal)) {
        platform::ShowMessageBox(refusal, platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    const ProposedVersion proposal = ProposeVersionNumber(m_documentData);
    const std::optional<VersionHistoryEntry> entry = m_shell.AskVersionEntry(proposal.major, proposal.minor);
    return entry && SaveDocumentFileAs(*entry);
}

QString COpenDocument::PromptSaveFileName(bool ask, const QString& proposedName, bool copy) {
    QString name = proposedName;
    if (name.isEmpty()) {
        if (m_nOpenMode != StoredVersion)
            name = m_strDocumentPath;
        if (ask && name.isEmpty()) {
            if (m_nOpenMode == NoDocument) {
                name = m_documentData.documentHeader.Title;
                if (name.isEmpty() && m_documentData.registry.origin)
                    name = m_documentData.registry.origin->name;
            }
            if (name.isEmpty())
                name = m_strDocumentName;
            name = MakeProposedSaveName(name, kDocumentExtension);
        }
    }
    return m_shell.PromptSaveFileName(name, copy && name.isEmpty());
}

bool COpenDocument::SaveDocumentFile(const QString& path, bool ask, const QString& proposedName) {
    if (!path.isEmpty())
        return SaveIntoHeldFile(nullptr, LookAtHeldFile());
    const QString chosen = PromptSaveFileName(ask, proposedName, true);
    return !chosen.isEmpty() && SaveUnderNewName(chosen, nullptr);
}

bool COpenDocument::SaveDocumentFileAs(const VersionHistoryEntry& entry) {
    if (const HeldFileLook look = LookAtHeldFile(); CanWriteHeldFile(look))
        return SaveIntoHeldFile(&entry, look);
    if (m_nOpenMode == Editing && !m_strDocumentPath.isEmpty())
        ShowReadOnlyFileMessage();
    const QString chosen = PromptSaveFileName(true, QString(), false);
    return !chosen.isEmpty() && SaveUnderNewName(chosen, &entry);
}

bool COpenDocument::SaveIntoHeldFile(const VersionHistoryEntry* entry, HeldFileLook look) {
    QString errorText;
    bool written = false;
    platform::DocumentFileWrite write;
    write.hold = &m_heldDocumentFile;
    for (;;) {
        switch (CheckHeldFileIdentity(look)) {
        case HeldFileWrite::Write:
            break;
        case HeldFileWrite::Refused:
            return false;
        case HeldFileWrite::Elsewhere: {
            const QString chosen = PromptSaveFileName(true, QString(), false);
            return !chosen.isEmpty() && SaveUnderNewName(chosen, entry);
        }
        }
        // The write goes only into the file that the check found, or makes one where it found nothing. Where its
        // times cannot vouch for its content, it must hold what it held: the content recorded, for the file recorded.
        write.expected = FileStateOf(look.now);
        write.expectedDigest = look.now.digest;
        if (look.change == FileIdentityChange::None && !look.now.digest) {
            write.expected->taken = m_heldFileIdentity.taken;
            write.expectedDigest = m_heldFileIdentity.digest;
        }
        written = WriteDocument(m_strDocumentPath, entry, &errorText, &write);
        if (written || write.refusal != platform::FileReplacement::Refusal::Changed)
            break;
        // The file that had the name before another program put its own there is kept beside it: that is said first.
        if (!write.kept.isEmpty())
            platform::ShowMessageBox(errorText, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        // Changed since the check: said or asked about as a change the check finds, and nothing was written.
        look = LookAtHeldFile();
        if (look.change == FileIdentityChange::None)
            look.change = FileIdentityChange::Changed;
    }
    // The file written is the document's, as the write left it (a failed write in place puts the old content back);
    // what the path leads to by now is looked at by the next save.
    if (write.written.file.exists)
        m_heldFileIdentity = FileIdentity(write.written, look.now.link, write.writtenDigest);
    if (!written) {
        if (m_bAutomaticSave)
            ShowAutoSaveNotice(CannotWriteFileText(m_strDocumentPath, errorText));
        else
            ShowSaveFailure(m_strDocumentPath, errorText);
        return false;
    }
    // A file replaced by a new one is held anew before the old one is let go; one written in place stays held.
    if (!m_heldDocumentFile.HoldsFile(m_strDocumentPath)) {
        platform::DocumentFileLock written;
        written.Hold(m_strDocumentPath);
        m_heldDocumentFile = std::move(written);
    }
    // What an editor still holds uncommitted was not written: the document stays modified until a save writes it.
    SetModified(m_bAutomaticSave && m_shell.HasPendingEdits());
    m_autoSaveNotice.clear();
    return true;
}

bool COpenDocument::SaveUnderNewName(const QString& chosen, const VersionHistoryEntry* entry) {
    const QString path = CanonicalPath(chosen);
    if (const HeldFileLook look = LookAtHeldFile(); path == m_strDocumentPath && CanWriteHeldFile(look)) {
        if (!SaveIntoHeldFile(entry, look))
            return false;
        UpdateRecentFileList(m_strDocumentPath, true);
        return true;
    }
    // The new file is held from before the write, so that no other process takes it meanwhile; the
    // document keeps its old file, held, until the new one is written. A document an editor holds, what is no
    // regular file and a file that may not be written are refused before any other existing file is asked about;
    // the save prompt asks nothing itself.
    const QFileInfo target(path);
    platform::DocumentFileLock held;
    if (RefuseHeldDocument(path))
        return false;
    if (target.exists() && !target.isFile()) {
        ShowSaveFailure(path, ReplacementFailureText(platform::FileReplacement::Refusal::NotRegularFile, path, {}));
        return false;
    }
    if (target.exists() && (IsReadOnlyFile(path) || !held.Hold(path))) {
        ShowSaveFailure(path, QString());
        return false;
    }
    if (!ConfirmOverwrite(path))
        return false;
    QString errorText;
    platform::DocumentFileWrite write;
    write.hold = &held;
    if (!WriteDocument(path, entry, &errorText, &write)) {
        ShowSaveFailure(path, errorText);
        return false;
    }
    if (!held.HoldsFile(path))
        held.Hold(path);
    CloseDocumentState();
    m_strDocumentPath = path;
    m_heldFileIdentity = FileIdentity(write.written, QFileInfo(path).isSymLink(), write.writtenDigest);
    m_nOpenMode = ClaimOwnerFile(path) ? Editing : ReadOnly;
    if (m_nOpenMode == Editing)
        m_heldDocumentFile = std::move(held);
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    UpdateRecentFileList(path, true);
    return true;
}

void COpenDocument::StartAutoSaveTimer() {
    const int interval = AutoSaveTimerInterval(m_documentData);
    if (interval <= 0)
        return;
    m_shell.SetAutoSaveTimer(interval);
    m_bAutoSaveTimerRunning = true;
}

void COpenDocument::ApplyAutoSaveSetting() {
    if (m_nOpenMode != Editing && !m_bAutoSaveTimerRunning)
        return;
    const int interval = AutoSaveTimerInterval(m_documentData);
    m_shell.SetAutoSaveTimer(interval);
    m_bAutoSaveTimerRunning = interval > 0;
}

void COpenDocument::OnAutoSaveTimer() {
    // The questions of a save run the event loop: a tick then must not start a second save. A save while the
    // worker reads the document would race with it. The timer comes again, so a tick is not held.
    if (IsBusy() || !m_documentData.DataReady)
        return;
    // The focus stays where the user works, and an edit being made stays as it is.
    QScopedValueRollback automatic(m_bAutomaticSave, true);
    // A file replaced, rewritten, deleted or moved by another program, and one made read-only meanwhile, is not
    // written; the user hears it once, not at every tick.
    const HeldFileLook look = LookAtHeldFile();
    if (m_nOpenMode == Editing && !m_strDocumentPath.isEmpty()) {
        if (CheckHeldFileIdentity(look) != HeldFileWrite::Write)
            return;
        if (IsReadOnlyFile(m_strDocumentPath)) {
            const QString readOnlyFileSystem = platform::ReadOnlyFileSystemText(m_strDocumentPath);
            ShowAutoSaveNotice(readOnlyFileSystem.isEmpty()
                                   ? LoadString(StringId::FileMarkedReadOnly).arg(ShownPath(m_strDocumentPath))
                                   : CannotWriteFileText(m_strDocumentPath, readOnlyFileSystem));
            return;
        }
    }
    SaveAsCommanded(look);
}

void COpenDocument::ShowAutoSaveNotice(const QString& reason) {
    // A failure that gives figures (the room a save needs) gives others as the document changes: it is the same
    // failure all the same.
    static const QRegularExpression figures(QStringLiteral("[0-9]+"));
    QString notice = reason;
    notice.remove(figures);
    if (std::exchange(m_autoSaveNotice, notice) == notice)
        return;
    platform::ShowMessageBox(LoadString(StringId::AutoSaveCannotWrite).arg(reason), platform::MessageButtons::Ok,
                             platform::MessageIcon::Warning);
}

COpenDocument::HeldFileWrite COpenDocument::CheckHeldFileIdentity(const HeldFileLook& look) {
    const FileIdentityChange change = look.change;
    if (change == FileIdentityChange::None)
        return HeldFileWrite::Write;
    const QString what = FileIdentityChangeText(change, m_strDocumentPath);
    if (m_bAutomaticSave) {
        ShowAutoSaveNotice(what);
        return HeldFileWrite::Refused;
    }
    platform::MessageRequest request;
    request.icon = platform::MessageIcon::Warning;
    if (change == FileIdentityChange::ReplacedByLink) {
        // Whatever the link leads to is not the document's file: only another name is offered.
        request.text = LoadString(StringId::SaveUnderOtherNameQuestion).arg(what);
        request.buttons = platform::MessageButtons::YesNo;
        request.defaultButton = 1;
        return platform::ShowMessageBox(request) == platform::MessageAnswer::Yes ? HeldFileWrite::Elsewhere
                                                                                 : HeldFileWrite::Refused;
    }
    request.text = LoadString(StringId::SaveUnderSameNameQuestion).arg(what);
    request.buttons = platform::MessageButtons::YesNoCancel;
    request.buttonTexts = {LoadString(StringId::SaveAnywayButton), LoadString(StringId::SaveAsButton),
                           LoadString(StringId::OwnCancelButton)};
    request.defaultButton = 2;
    switch (platform::ShowMessageBox(request)) {
    case platform::MessageAnswer::Yes:
        return HeldFileWrite::Write;
    case platform::MessageAnswer::No:
        return HeldFileWrite::Elsewhere;
    default:
        return HeldFileWrite::Refused;
    }
}

COpenDocument::OpenResult COpenDocument::OpenDocumentFile(const QString& path, int version) {
    if (IsBusy()) {
        Hold(HeldRequest::Open, [this, path, version] { OpenDocumentFile(path, version); });
        return OpenResult::Held;
    }
    WorkScope work(*this, Work::Opening);
    if (!CloseCurrentDocument(false))
        return OpenResult::NotOpened;
    const QString absolutePath = CanonicalPath(path);
    ResetDocumentData();
    QFile file;
    if (!platform::OpenRegularFileForReading(file, absolutePath)) {
        UpdateRecentFileList(absolutePath, false);
        LeaveWithoutDocument(UnopenedFileText(absolutePath, LoadString(StringId::CannotOpenDocument)));
        // Nothing is left to show: the window closes, and the process ends.
        m_shell.PostCloseToMainWindow();
        return OpenResult::CannotOpenFile;
    }
    ReportInterruptedSaves(absolutePath);
    // Taken before the file is read: a change made while it is read is one made behind the editor's back. The digest
    // comes with the read.
    DocumentFileIdentity identity = ReadFileIdentity(absolutePath, file.handle());
    platform::DocumentFileLock lock;
    int mode = Editing;
    if (version > 0)
        mode = StoredVersion;
    else if (IsReadOnlyFile(absolutePath))
        mode = ReadOnly;
    else if (!TryOpenForWriting(absolutePath, lock))
        mode = AskHowToOpenHeldFile(absolutePath);
    if (mode == NoDocument) {
        LeaveWithoutDocument(QString());
        return OpenResult::NotOpened;
    }
    if (const QString unread = ReadDocumentFile(file, absolutePath, version, identity.digest); !unread.isEmpty()) {
        lock.Release();
        LeaveWithoutDocument(unread);
        UpdateRecentFileList(absolutePath, false);
        return OpenResult::NotOpened;
    }
    if (mode == Editing && !ClaimOwnerFile(absolutePath))
        mode = ReadOnly;
    if (mode == Editing)
        m_heldDocumentFile = std::move(lock);
    m_strDocumentPath = absolutePath;
    m_heldFileIdentity = identity;
    m_nOpenMode = mode;
    m_nRequestedVersion = mode == StoredVersion ? version : 0;
    ShowReadDocument();
    UpdateRecentFileList(absolutePath, true);
    if (mode == ReadOnlyWatched)
        StartReadOnlyWatch();
    if (mode == Editing)
        StartAutoSaveTimer();
    return OpenResult::Opened;
}

bool COpenDocument::ClaimOwnerFile(const QString& path) const {
    if (WriteOwnerFile(path) != OwnerFileWrite::Refused)
        return true;
    platform::ShowMessageBox(LoadString(StringId::OwnerFileRefused).arg(ShownPath(MakeOwnerFileName(path))),
                             platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return false;
}

int COpenDocument::AskHowToOpenHeldFile(const QString& path) const {
    platform::MessageRequest request;
    request.text = LoadString(StringId::FileInUse).arg(ShownPath(path), ReadOwnerFile(path));
    request.caption = LoadString(StringId::FileInUseCaption);
    request.buttons = platform::MessageButtons::YesNoCancel;
    request.buttonTexts = {LoadString(StringId::ReadOnlyButton), LoadString(StringId::NotifyButton),
                           LoadString(StringId::CancelButton)};
    switch (platform::ShowMessageBox(request)) {
    case platform::MessageAnswer::Yes:
        return ReadOnly;
    case platform::MessageAnswer::No:
        return ReadOnlyWatched;
    default:
        return NoDocument;
    }
}

QString COpenDocument::ReadDocumentFile(QFile& file, const QString& path, int version, std::optional<quint64>& digest) {
    LoadResult result = LoadResult::Loaded;
    try {
        result = LoadDocumentXml(file, m_documentData, version, &digest);
    } catch (const std::bad_alloc&) {
        // The editor has no document to keep: what was read goes, the window says why, and the editor ends as a
        // program out of memory does.
        m_documentData.Clear();
        m_documentData.ClearFunctions();
        platform::ShowMessageBox(UnreadDocumentText(m_messageContext, path, LoadResult::OutOfMemory, QString()),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        throw;
    }
    switch (result) {
    case LoadResult::Loaded:
        break;
    case LoadResult::TooDeep:
        return LoadString(StringId::TableOfContentsTooDeep).arg(kMaxOutlineDepth);
    case LoadResult::NoSuchVersion:
        return LoadString(StringId::StoredVersionMissing).arg(version);
    default:
        return UnreadDocumentText(m_messageContext, path, result, LoadString(StringId::CannotReadDocument));
    }
    m_documentData.indexRoot.Clear();
    RebuildDocument();
    return QString();
}

void COpenDocument::ShowReadDocument() {
    m_tabs.ReopenSavedTabs();
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    RestoreZoom();
    m_shell.ApplyResultsTextFormat();
    Notify(DocumentChange::Reloaded);
    // The index views, laid out for the document now, go back to where it was saved.
    m_shell.RestoreIndexViewState(m_documentData.documentHeader.indexViewInfo);
}

void COpenDocument::LeaveWithoutDocument(const QString& message) {
    if (!message.isEmpty())
        platform::ShowMessageBox(message, platform::MessageButtons::Ok, platform::MessageIcon::Error);
    // Half a document read stays nowhere.
    m_documentData.Clear();
    m_documentData.ClearFunctions();
    CloseDocumentState();
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    RestoreZoom();
    Notify(DocumentChange::Closed);
}

void COpenDocument::RestoreZoom() {
    m_shell.RestoreZoom(m_documentData.environment.zoom);
}

QStringList COpenDocument::RecentFiles() {
    return CRecentFileList::Paths();
}

void COpenDocument::UpdateRecentFileList(const QString& path, bool add) {
    if (add)
        CRecentFileList::Add(path);
    else
        CRecentFileList::Remove(path);
}

void COpenDocument::StartReadOnlyWatch() {
    m_shell.SetReadOnlyWatchTimer(kReadOnlyWatchInterval);
    m_bWatchTimerRunning = true;
}

void COpenDocument::StopReadOnlyWatch() {
    if (std::exchange(m_bWatchTimerRunning, false))
        m_shell.SetReadOnlyWatchTimer(0);
}

bool COpenDocument::TryOpenForWriting(const QString& path, platform::DocumentFileLock& lock) {
    // The instance table is asked too: a holder that has just replaced its file by a rename holds the new
    // one again a moment later, and meanwhile still says it edits the document.
    return !IsReadOnlyFile(path) && !platform::DocumentHolder(path) && lock.Hold(path);
}

void COpenDocument::OnReadOnlyWatchTimer() {
    if (!m_bWatchTimerRunning || m_nOpenMode != ReadOnlyWatched)
        return;
    // Reading the document again would pull it away from under the work that owns it.
    if (IsBusy()) {
        Hold(HeldRequest::WatchTick, [this] { OnReadOnlyWatchTimer(); });
        return;
    }
    WorkScope work(*this, Work::Opening);
    platform::DocumentFileLock lock;
    if (!TryOpenForWriting(m_strDocumentPath, lock))
        return;
    // Stopped before asking: ticks that come while the question waits find nothing to do.
    StopReadOnlyWatch();
    NotifyCanWrite(std::move(lock));
}

void COpenDocument::NotifyCanWrite(platform::DocumentFileLock lock) {
    const QString path = m_strDocumentPath;
    platform::MessageRequest request;
    request.text = LoadString(StringId::FileNowWritable).arg(ShownPath(path));
    request.caption = LoadString(StringId::FileNowWritableCaption);
    request.buttons = platform::MessageButtons::OkCancel;
    request.buttonTexts = {LoadString(StringId::EditButton), LoadString(StringId::CancelButton)};
    if (platform::ShowMessageBox(request) != platform::MessageAnswer::Ok)
        return;
    if (!m_bModified) {
        ReloadDocument(std::move(lock), path);
        return;
    }
    request.text = LoadString(StringId::EditedFile).arg(ShownPath(path));
    request.caption = LoadString(StringId::EditedFileCaption);
    request.buttons = platform::MessageButtons::YesNoCancel;
    request.buttonTexts = {LoadString(StringId::DiscardButton), LoadString(StringId::SaveButton),
                           LoadString(StringId::CancelButton)};
    request.defaultButton = 2; // a dialog answered by nobody keeps the changes
    switch (platform::ShowMessageBox(request)) {
    case platform::MessageAnswer::Yes:
        ReloadDocument(std::move(lock), path);
        break;
    case platform::MessageAnswer::No:
        // The changes go to a file of their own; the document is edited in a process of its own.
        OnFileSaveAs();
        lock.Release();
        m_instances.LaunchNewInstance(path, 0);
        break;
    default:
        break;
    }
}

void COpenDocument::ReloadDocument(platform::DocumentFileLock lock, const QString& path) {
    DiscardDocument(false);
    ResetDocumentData();
    QFile file;
    const bool opened = platform::OpenRegularFileForReading(file, path);
    DocumentFileIdentity identity = ReadFileIdentity(path, opened ? file.handle() : -1);
    const QString unread = opened ? ReadDocumentFile(file, path, 0, identity.digest)
                                  : UnopenedFileText(path, LoadString(StringId::CannotReadDocument));
    if (!unread.isEmpty()) {
        lock.Release();
        LeaveWithoutDocument(unread);
        return;
    }
    m_strDocumentPath = path;
    m_heldFileIdentity = identity;
    m_nOpenMode = ClaimOwnerFile(path) ? Editing : ReadOnly;
    if (m_nOpenMode == Editing)
        m_heldDocumentFile = std::move(lock);
    ShowReadDocument();
}

void COpenDocument::FillInstanceRecord(InstanceRecord& record) const {
    record = CInstanceRegistry::EmptyRecord(CInstanceRegistry::CurrentProcessId());
    record.mainWindow = m_shell.MainWindowHandle();
    record.SetPath(m_strDocumentPath);
    record.SetCaption(m_strDocumentName);
    record.state = m_nOpenMode >= Editing && m_nOpenMode <= StoredVersion ? m_nOpenMode : NoDocument;
}

void COpenDocument::UpdateOwnInstanceRecord() {
    InstanceRecord record;
    FillInstanceRecord(record);
    m_instances.UpdateOwnInstanceRecord(record, m_strDocumentPath);
}
