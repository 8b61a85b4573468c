#include "app/NUVApp.h"

#include "app/ApplicationShell.h"
#include "app/DocumentExports.h"
#include "app/NUVDoc.h"
#include "app/NUVDocManager.h"
#include "app/NUVMultiDocTemplate.h"
#include "app/OwnerFile.h"
#include "app/RecentFileList.h"
#include "app/SavingRules.h"
#include "model/DocumentFile.h"
#include "model/ExportMessages.h"
#include "model/MemberUsage.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeDirectory.h"
#include "platform/Trace.h"
#include "platform/UserSettings.h"
#include "texts/StringTable.h"

#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>

#include <cstring>
#include <unistd.h>
#include <utility>

namespace {

const QString kInstanceMutexName = QStringLiteral("NUV Cnv Mutex Object 2.0");
const QString kInstanceMappingName = QStringLiteral("NUV Cnv Shared 2.0");
const QString kDocumentName = QStringLiteral("NUV");
const QString kDocumentExtension = QStringLiteral(".nuv");

constexpr int kReadOnlyWatchInterval = 1000; // ms between the looks at a watched document

constexpr int kMaxTextValueUnits = 32767; // what the registry's 64 KB text buffer holds

quint32 CurrentProcessId() {
    return static_cast<quint32>(getpid());
}

// A file this user may not write, or one marked read-only for everybody (which binds even the superuser).
bool IsReadOnlyFile(const QString& path) {
    const QFileInfo info(path);
    return !info.isWritable() || !(info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
}

// The one name of a document file, links and "." and ".." resolved, by which processes compare documents; for a
// file yet to be made, that of its folder with its name. Letter case counts, as it does for the file system.
QString CanonicalPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

InstanceRecord EmptyRecord(quint32 processId) {
    InstanceRecord record;
    std::memset(&record, 0, sizeof(record));
    record.processId = processId;
    return record;
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

CNUVApp::CNUVApp(CApplicationShell& shell) : m_shell(shell), m_pNUVDocManager(std::make_unique<CNUVDocManager>(shell)) {
    CloseDocumentState();
}

CNUVApp::~CNUVApp() {
    CloseDocumentState();
    RemoveInstanceRecord(CurrentProcessId());
    m_pNUVDocManager.reset();
}

// ---- start-up and exit ----

bool CNUVApp::StartUp() {
    if (!OpenInstanceTable())
        return false;
    if (!RegisterInstance(EmptyRecord(CurrentProcessId()))) {
        platform::ShowMessageBox(LoadString(StringId::TooManyInstances).arg(kMaxInstances),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    m_nRequestedVersion = 0;

    m_pNUVDocManager->AddDocTemplate(std::make_unique<CNUVMultiDocTemplate>(*this, kDocumentName));
    return m_shell.CreateMainWindow(*this);
}

bool CNUVApp::InitInstance(const QStringList& arguments) {
    if (!StartUp())
        return false;
    OnFileNew();
    if (!GetActiveDocument())
        return false;
    m_nExitCode = ConvertMapArgument(arguments) ? 0 : 1;
    // The converter closes its own hidden window only; the editors open beside it stay.
    m_shell.PostCloseToMainWindow();
    return true;
}

bool CNUVApp::InitEditorInstance(const QStringList& arguments) {
    // The editor speaks the language chosen last, so that the language switch's notice comes true; English
    // when none was chosen. The converter stays English: what it writes depends on no setting.
    m_messageContext.m_language = platform::StoredSetting(UserSettings::Language()) == 1u ? 1 : 0;
    if (!StartUp())
        return false;
    if (arguments.size() < 2) {
        OnFileNew();
        m_nExitCode = GetActiveDocument() ? 0 : 1;
        return m_nExitCode == 0;
    }
    // Another process starts us for a document as "/N /N PATH": the path comes last.
    const QString path = CanonicalPath(arguments.last());
    m_nExitCode = 0;
    if (ActivateHolder(path))
        return false;
    // A file that cannot be opened closes the window again; one that cannot be read leaves it without a document.
    OpenDocumentFile(path);
    return true;
}

bool CNUVApp::ConvertMapArgument(const QStringList& arguments) {
    if (arguments.size() < 2) {
        if (arguments.size() == 1)
            platform::ShowMessageBox(LoadString(StringId::DropMapFile));
        return false;
    }
    if (arguments.size() > 2)
        platform::ShowMessageBox(LoadString(StringId::OnlyOneFileConverted));

    m_bConverting = true;
    const QString target = MakeConvertedFileName(arguments[1]);
    const bool saved =
        GetActiveDocument()->ConvertMindMapFile(arguments[1], [&] { return SaveConvertedDocument(target); });
    m_bConverting = false;
    if (std::exchange(m_bCloseRequested, false))
        m_shell.PostCloseToMainWindow();
    return saved;
}

void CNUVApp::OnAppExit() {
    CloseOtherInstances();
    m_shell.PostCloseToMainWindow();
}

void CNUVApp::OnCloseRequested() {
    // Closing clears the document data; in the middle of a conversion that would pull the tree away from
    // under the walk, so the request waits until the document has been saved.
    if (m_bConverting) {
        m_bCloseRequested = true;
        return;
    }
    m_shell.PostCloseToMainWindow();
}

// ---- instance table ----

bool CNUVApp::OpenInstanceTable() {
    m_runtimeDirectory = platform::RuntimeDirectory();
    QString error;
    if (m_runtimeDirectory.isEmpty())
        error = QStringLiteral("XDG_RUNTIME_DIR");
    else if (!m_instanceMutex.Open(m_runtimeDirectory, kInstanceMutexName))
        error = m_instanceMutex.Error();
    else if (!m_instanceMapping.Open(m_runtimeDirectory, kInstanceMappingName, sizeof(InstanceTable)))
        error = m_instanceMapping.Error();
    else if (!m_liveness.Acquire(m_runtimeDirectory))
        error = m_liveness.Error();
    if (!error.isEmpty()) {
        platform::ShowMessageBox(LoadString(StringId::InstanceTableUnavailable).arg(error),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }

    // The table outlives its processes as a file. Records of processes that are gone are dropped, and a
    // table that no live process uses any more starts from zero, as a fresh mapping would.
    platform::NamedLockGuard lock(m_instanceMutex);
    DropStaleInstances();
    platform::LivenessLock::RemoveLeftovers(m_runtimeDirectory);
    if (Table()->count == 0)
        std::memset(Table(), 0, sizeof(InstanceTable));
    return true;
}

void CNUVApp::DropStaleInstances() {
    const QString directory = m_runtimeDirectory;
    Table()->DropStale(
        [&directory](uint32_t processId) { return platform::LivenessLock::IsAlive(directory, processId); });
    // A record under our own id can only be a dead predecessor's that had the same id.
    while (Table()->Remove(CurrentProcessId())) {
    }
}

bool CNUVApp::RegisterInstance(const InstanceRecord& record) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    DropStaleInstances();
    return Table()->Register(record);
}

std::optional<InstanceRecord> CNUVApp::FindInstanceByPath(const QString& path) {
    if (!HasInstanceTable())
        return std::nullopt;
    platform::NamedLockGuard lock(m_instanceMutex);
    const InstanceRecord* found = Table()->FindByPath(path);
    return found ? std::optional<InstanceRecord>(*found) : std::nullopt;
}

bool CNUVApp::UpdateInstanceRecord(quint32 processId, const InstanceRecord& record) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    return Table()->Update(processId, record);
}

void CNUVApp::FillInstanceRecord(InstanceRecord& record) const {
    record = EmptyRecord(CurrentProcessId());
    record.mainWindow = m_shell.MainWindowHandle();
    record.SetPath(m_strDocumentPath);
    record.SetCaption(m_strDocumentName);
    record.state = m_nOpenMode >= Editing && m_nOpenMode <= StoredVersion ? m_nOpenMode : NoDocument;
}

void CNUVApp::UpdateOwnInstanceRecord() {
    InstanceRecord record;
    FillInstanceRecord(record);
    UpdateInstanceRecord(CurrentProcessId(), record);
}

void CNUVApp::ClearOwnInstanceRecord(quint32 processId) {
    UpdateInstanceRecord(processId, EmptyRecord(processId));
}

bool CNUVApp::RemoveInstanceRecord(quint32 processId) {
    if (!HasInstanceTable())
        return false;
    platform::NamedLockGuard lock(m_instanceMutex);
    return Table()->Remove(processId);
}

void CNUVApp::CloseOtherInstances() {
    if (!HasInstanceTable())
        return;
    std::vector<quint32> others;
    {
        platform::NamedLockGuard lock(m_instanceMutex);
        for (int i = 0; i < Table()->UsedCount(); ++i) {
            const InstanceRecord& record = Table()->records[i];
            if (record.processId != CurrentProcessId() && record.mainWindow != 0)
                others.push_back(record.processId);
        }
    }
    // Sent after the lock is released: no other process waits on the table while we talk to them.
    for (quint32 processId : others)
        m_shell.PostCloseToInstance(processId);
}

void CNUVApp::LaunchNewInstance(const QString& path, int number) const {
    QStringList arguments;
    if (!path.isEmpty())
        arguments << QStringLiteral("/%1").arg(number) << QStringLiteral("/%1").arg(number) << path;
    m_shell.StartInstance(arguments);
}

std::vector<InstanceRecord> CNUVApp::InstanceRecords() {
    if (!HasInstanceTable())
        return {};
    platform::NamedLockGuard lock(m_instanceMutex);
    const InstanceTable& table = *Table();
    return {table.records, table.records + table.UsedCount()};
}

void CNUVApp::ActivateInstanceWindow(int index) {
    if (!HasInstanceTable() || index < 0)
        return;
    quint32 processId = 0;
    {
        platform::NamedLockGuard lock(m_instanceMutex);
        if (index >= Table()->UsedCount() || Table()->records[index].mainWindow == 0)
            return;
        processId = Table()->records[index].processId;
    }
    // Asked after the lock is released: the other process may be reading the table itself.
    m_shell.ActivateInstance(processId);
}

bool CNUVApp::IsOwnInstance(const InstanceRecord& record) {
    return record.processId == CurrentProcessId();
}

// ---- per-user values ----

quint32 CNUVApp::GetProfileDword(const platform::DwordSetting& setting) const {
    return platform::ReadSetting(setting);
}

bool CNUVApp::SetProfileDword(const platform::DwordSetting& setting, quint32 value) const {
    return platform::WriteSetting(setting, value);
}

QString CNUVApp::GetProfileText(const platform::TextSetting& setting) const {
    const std::optional<QString> text = platform::StoredSetting(setting);
    // A text too long for the registry's buffer never came from the program: it reads as missing.
    return text && text->size() <= kMaxTextValueUnits ? *text : setting.defaultValue;
}

bool CNUVApp::SetProfileText(const platform::TextSetting& setting, const QString& text) const {
    return platform::WriteSetting(setting, text);
}

void CNUVApp::SwitchLanguage(quint32 language, const QString& switched, const QString& failed) const {
    const bool stored = SetProfileDword(UserSettings::Language(), language);
    platform::WriteSetting(UserSettings::ClearRegistryStateInNextExecution(), 1);
    platform::ShowMessageBox(stored ? switched : failed, platform::MessageButtons::Ok,
                             stored ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
}

void CNUVApp::SwitchToEnglish() const {
    SwitchLanguage(0, LoadString(StringId::SwitchedToEnglish), LoadString(StringId::SwitchToEnglishFailed));
}

void CNUVApp::SwitchToJapanese() const {
    SwitchLanguage(1, LoadString(StringId::SwitchedToJapanese), LoadString(StringId::SwitchToJapaneseFailed));
}

void CNUVApp::SwitchLanguageFromAboutBox() const {
    platform::Trace("CAboutDialog", "OnBnClickedOptionButton");
    if (DocumentLanguage() != 1) {
        SwitchToJapanese();
        return;
    }
    if (platform::ShowMessageBox(LoadString(StringId::SwitchToEnglishQuestion), platform::MessageButtons::YesNo,
                                 platform::MessageIcon::Question, 1) == platform::MessageAnswer::Yes)
        SwitchToEnglish();
    else if (GetProfileDword(UserSettings::Language()) != 1)
        SwitchToJapanese();
}

// ---- imports and exports ----

void CNUVApp::OnImportEnvironmentSettings() {
    ImportFromDocumentFile(true);
}

void CNUVApp::OnImportMemberNames() {
    ImportFromDocumentFile(false);
}

void CNUVApp::ImportFromDocumentFile(bool environment) {
    const QString path = m_shell.PromptOpenFileName(LoadString(StringId::OpenFileTitle));
    if (path.isEmpty())
        return;
    CEnvironmentOptions& options = m_documentData.environment;
    (environment ? options.importEnvironmentalSettingsFileName : options.importMemberNamesAndStateNamesFileName) = path;
    m_shell.SetWaitCursor(true);
    QFile file(path);
    const bool imported = file.open(QIODevice::ReadOnly) &&
                          (environment ? ImportEnvironmentFromDocument(file, m_documentData)
                                       : ImportMemberNamesFromDocument(file, m_documentData)) == LoadResult::Loaded;
    m_shell.SetWaitCursor(false);
    if (!imported) {
        platform::ShowMessageBox(LoadString(StringId::ImportFailed), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return;
    }
    SetModified();
    RebuildDocument();
    platform::ShowMessageBox(LoadString(StringId::ImportSucceeded), platform::MessageButtons::Ok,
                             platform::MessageIcon::Information);
}

QString CNUVApp::PromptExportPath(QString& remembered, const QString& fileName, const QString& filter,
                                  const QString& extension) {
    const QString path = m_shell.PromptExportFileName(ProposeExportFileName(remembered, m_strDocumentPath, fileName),
                                                      filter, extension, false);
    if (path.isEmpty())
        return {};
    remembered = path;
    if (QFileInfo::exists(path) && !AskOverwriteExistingFile(path))
        return {};
    return path;
}

void CNUVApp::OnExportOutlineIndex() {
    const QString what = LoadString(StringId::OutlineIndexExportName);
    const QString path =
        PromptExportPath(m_documentData.environment.exportOutlineOrderdIndexFileName, what + QStringLiteral(".txt"),
                         LoadString(StringId::OutlineIndexExportFilter), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    const QString text = BuildOutlineIndexText(m_documentData.indexRoot, 0, m_documentData.environment,
                                               m_documentData.GetModelOptions());
    if (WriteProcessCodePageFile(path, text))
        ShowExportedMessage(path, what);
    else
        ShowCannotWriteFileMessage(path);
}

void CNUVApp::OnExportMemberNames() {
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
        ShowExportedMessage(path, what);
        break;
    case MemberUsageExportResult::WriteFailed:
        ShowCannotWriteFileMessage(path);
        break;
    case MemberUsageExportResult::TooManyLines:
        platform::ShowMessageBox(FormatMemberUsageSizeOverMessage(result.lineCount), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        break;
    }
}

void CNUVApp::OnExportNuv2013june() {
    platform::Trace("CMainFrame", "OnExportNuv2013june");
    const QString path =
        m_shell.PromptExportFileName(LoadString(StringId::OlderFormatExportName),
                                     LoadString(StringId::OlderFormatExportFilter), QStringLiteral("nuv"), true);
    if (path.isEmpty())
        return;
    // A file that cannot be written is said, as a failed save is; the file there is left as it was.
    QString errorText;
    if (!SaveDocumentXml(m_documentData, path, &errorText, DocumentFormat::Older))
        ShowSaveFailure(path, errorText);
}

// ---- documents ----

void CNUVApp::RebuildDocument() {
    m_documentData.registry.RebuildAndNotify(m_documentData.indexRoot, m_documentData.GetModelOptions());
    m_documentData.registry.UpdateAllFunctionViews(m_documentData.indexRoot);
}

void CNUVApp::ResetDocumentData() {
    // The record's reset leaves the registry to the reader; a new document starts without unit functions.
    m_documentData.registry.Clear();
    m_documentData.indexRoot.Clear();
    m_documentData.SetDefaults();
    m_shell.DocumentReplaced();
}

void CNUVApp::OnFileNew() {
    // One document per process: a second new document gets a process of its own.
    if (m_documentData.DataReady) {
        LaunchNewInstance(QString(), 0);
        return;
    }
    ResetDocumentData();
    LoadTemplateDocument();
    m_tabs.OpenFunctionTab(m_documentData.registry.origin);
    SetWindowTitle();
    UpdateOwnInstanceRecord();
}

void CNUVApp::LoadTemplateDocument() {
    const QString templatePath = GetProfileText(UserSettings::TemplateFilename());
    if (GetProfileDword(UserSettings::UseTemplate()) == 0 || templatePath.isEmpty())
        return;
    QFile file(templatePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
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

CNUVDoc* CNUVApp::GetActiveDocument() const {
    return m_tabs.GetActiveTab();
}

void CNUVApp::StoreViewStateInDocument() {
    m_tabs.StoreOpenTabs(m_documentData.documentHeader);
}

void CNUVApp::SetWindowTitle() {
    m_strDocumentName = ComposeWindowTitle(m_strDocumentPath, m_nOpenMode, m_documentData, kDocumentName);
    m_shell.UpdateFrameTitle(m_strDocumentName);
}

bool CNUVApp::CloseDocument(bool processEnding) {
    {
        KeyboardFocusAway focus(m_shell);
        QScopedValueRollback<bool> running(m_bSaveRunning, true);
        if (m_bModified) {
            const platform::MessageAnswer answer =
                platform::ShowMessageBox(LoadString(StringId::DocumentModifiedQuestion).arg(m_strDocumentName),
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

void CNUVApp::DiscardDocument(bool processEnding) {
    m_tabs.CloseAllTabs();
    m_documentData.Clear();
    if (processEnding)
        m_documentData.ClearFunctionsAtExit();
    else
        m_documentData.ClearFunctions();
    ClearOwnInstanceRecord(CurrentProcessId());
    CloseDocumentState();
    m_shell.DocumentReplaced();
    m_shell.UpdateFrameTitle(m_strDocumentName);
}

void CNUVApp::OnFileClose() {
    m_shell.CloseMainWindow();
    m_bSkipNextTabOpen = true;
}

bool CNUVApp::TakeSkipNextTabOpen() {
    return std::exchange(m_bSkipNextTabOpen, false);
}

void CNUVApp::CloseDocumentState() {
    m_heldDocumentFile.Release();
    if (m_nOpenMode == Editing && !m_strDocumentPath.isEmpty())
        DeleteOwnerFile(m_strDocumentPath);
    m_strDocumentPath.clear();
    m_strDocumentName.clear();
    m_nOpenMode = NoDocument;
    m_nRequestedVersion = 0;
    m_bModified = false;
    if (std::exchange(m_bAutoSaveTimerRunning, false))
        m_shell.SetAutoSaveTimer(0);
    StopReadOnlyWatch();
}

bool CNUVApp::SaveConvertedDocument(const QString& path) {
    if (IsHeldByOtherProcess(path)) {
        platform::ShowMessageBox(LoadString(StringId::CannotOpenForSaving), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return false;
    }
    m_documentData.functionsNum = 0;
    QString errorText;
    if (!WriteDocument(path, nullptr, &errorText)) {
        ShowSaveFailure(path, errorText);
        return false;
    }
    // The written document stays held until the process lets its document go.
    m_heldDocumentFile.Hold(path);
    m_bModified = false;
    return true;
}

// ---- saving ----

bool CNUVApp::IsHeldByOtherProcess(const QString& path) {
    // Another process editing that document holds it; it is never replaced under its feet.
    const std::optional<InstanceRecord> holder = FindInstanceByPath(CanonicalPath(path));
    return (holder && holder->state == Editing && holder->processId != CurrentProcessId()) ||
           platform::DocumentFileLock::IsHeldElsewhere(path);
}

bool CNUVApp::WriteDocument(const QString& path, const VersionHistoryEntry* entry, QString* errorText) {
    m_shell.SetWaitCursor(true);
    StoreViewStateInDocument();
    m_documentData.connectionText.clear();
    // The old file, if any, stays untouched on failure: the document goes to a temporary file that
    // replaces it only once it is complete.
    const bool written = entry ? SaveDocumentXmlWithHistory(m_documentData, path, *entry, errorText)
                               : SaveDocumentXml(m_documentData, path, errorText);
    m_shell.SetWaitCursor(false);
    return written;
}

void CNUVApp::ShowSaveFailure(const QString& path, const QString& errorText) const {
    // A file that cannot be made, a folder and a file that may not be written cannot be opened for saving;
    // anything else, a pipe or device named as the file among them, is said with the file's name and why.
    const QFileInfo target(path);
    const bool cannotOpen = target.exists() ? target.isDir() || (target.isFile() && IsReadOnlyFile(path))
                                            : !QFileInfo(target.absolutePath()).isWritable();
    platform::ShowMessageBox(cannotOpen ? LoadString(StringId::CannotOpenForSaving)
                                        : LoadString(StringId::CannotWriteFile).arg(path) + "\n" + errorText,
                             platform::MessageButtons::Ok,
                             cannotOpen ? platform::MessageIcon::Error : platform::MessageIcon::Warning);
}

bool CNUVApp::CanWriteHeldFile() const {
    return m_nOpenMode == Editing && !m_strDocumentPath.isEmpty() && !IsReadOnlyFile(m_strDocumentPath);
}

void CNUVApp::ShowReadOnlyFileMessage() const {
    platform::ShowMessageBox(LoadString(StringId::ReadOnlyFileSaveAs).arg(QFileInfo(m_strDocumentPath).fileName()),
                             platform::MessageButtons::Ok, platform::MessageIcon::Warning);
}

void CNUVApp::OnFileSave() {
    KeyboardFocusAway focus(m_shell);
    QScopedValueRollback<bool> running(m_bSaveRunning, true);
    if (!SaveWithVersionPrompt())
        return;
    if (CanWriteHeldFile()) {
        SaveDocumentFile(m_strDocumentPath, false, QString());
        return;
    }
    // A file made read-only since it was opened is not written either: it goes as a read-only document's.
    if (m_nOpenMode != NoDocument && !m_strDocumentPath.isEmpty())
        ShowReadOnlyFileMessage();
    SaveDocumentFile(QString(), true, QString());
}

void CNUVApp::OnFileSaveAs() {
    KeyboardFocusAway focus(m_shell);
    QScopedValueRollback<bool> running(m_bSaveRunning, true);
    if (SaveWithVersionPrompt())
        SaveDocumentFile(QString(), true, QString());
}

bool CNUVApp::SaveWithVersionPrompt() {
    if (!m_documentData.VersionControlTable.IsAutoVersion)
        return true;
    const platform::MessageAnswer answer =
        platform::ShowMessageBox(LoadString(StringId::SaveVersionQuestion), platform::MessageButtons::YesNoCancel,
                                 platform::MessageIcon::Question);
    if (answer == platform::MessageAnswer::Cancel)
        return false;
    if (answer == platform::MessageAnswer::No)
        return true;
    if (m_documentData.versionHistory.size() >= static_cast<size_t>(CDocumentData::MaxStoredVersions)) {
        platform::ShowMessageBox(LoadString(StringId::TooManyVersions).arg(CDocumentData::MaxStoredVersions),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    // A stored version at the top of the number range has no number after it.
    if (!HasFreeVersionNumber(m_documentData)) {
        platform::ShowMessageBox(LoadString(StringId::NoFreeVersionNumber), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return false;
    }
    const ProposedVersion proposal = ProposeVersionNumber(m_documentData);
    if (const std::optional<VersionHistoryEntry> entry = m_shell.AskVersionEntry(proposal.major, proposal.minor))
        SaveDocumentFileAs(*entry);
    return false;
}

QString CNUVApp::PromptSaveFileName(bool ask, const QString& proposedName, bool copy) {
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

bool CNUVApp::SaveDocumentFile(const QString& path, bool ask, const QString& proposedName) {
    if (!path.isEmpty())
        return SaveIntoHeldFile(nullptr);
    const QString chosen = PromptSaveFileName(ask, proposedName, true);
    return !chosen.isEmpty() && SaveUnderNewName(chosen, nullptr);
}

bool CNUVApp::SaveDocumentFileAs(const VersionHistoryEntry& entry) {
    if (CanWriteHeldFile())
        return SaveIntoHeldFile(&entry);
    if (m_nOpenMode == Editing && !m_strDocumentPath.isEmpty())
        ShowReadOnlyFileMessage();
    const QString chosen = PromptSaveFileName(true, QString(), false);
    return !chosen.isEmpty() && SaveUnderNewName(chosen, &entry);
}

bool CNUVApp::SaveIntoHeldFile(const VersionHistoryEntry* entry) {
    QString errorText;
    if (!WriteDocument(m_strDocumentPath, entry, &errorText)) {
        ShowSaveFailure(m_strDocumentPath, errorText);
        return false;
    }
    // A file replaced by a new one is held anew before the old one is let go; one written in place stays held.
    if (!m_heldDocumentFile.HoldsFile(m_strDocumentPath)) {
        platform::DocumentFileLock written;
        written.Hold(m_strDocumentPath);
        m_heldDocumentFile = std::move(written);
    }
    m_bModified = false;
    return true;
}

bool CNUVApp::SaveUnderNewName(const QString& chosen, const VersionHistoryEntry* entry) {
    const QString path = CanonicalPath(chosen);
    if (path == m_strDocumentPath && CanWriteHeldFile()) {
        if (!SaveIntoHeldFile(entry))
            return false;
        UpdateRecentFileList(m_strDocumentPath, true);
        return true;
    }
    // The new file is held from before the write, so that no other process takes it meanwhile; the
    // document keeps its old file, held, until the new one is written. A file that may not be written is
    // not replaced.
    const QFileInfo target(path);
    platform::DocumentFileLock held;
    if (IsHeldByOtherProcess(path) || (target.exists() && (IsReadOnlyFile(path) || !held.Hold(path)))) {
        platform::ShowMessageBox(LoadString(StringId::CannotOpenForSaving), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return false;
    }
    QString errorText;
    if (!WriteDocument(path, entry, &errorText)) {
        ShowSaveFailure(path, errorText);
        return false;
    }
    if (!held.HoldsFile(path))
        held.Hold(path);
    CloseDocumentState();
    m_heldDocumentFile = std::move(held);
    m_strDocumentPath = path;
    WriteOwnerFile(path);
    m_nOpenMode = Editing;
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    UpdateRecentFileList(path, true);
    return true;
}

void CNUVApp::StartAutoSaveTimer() {
    const int interval = AutoSaveTimerInterval(m_documentData);
    if (interval <= 0)
        return;
    m_shell.SetAutoSaveTimer(interval);
    m_bAutoSaveTimerRunning = true;
}

void CNUVApp::OnAutoSaveTimer() {
    // The questions of a save run the event loop: a tick then must not start a second save. A save while the
    // worker reads the document would race with it. A file made read-only meanwhile is left alone without a
    // question; an explicit Save says why.
    if (m_bSaveRunning || m_bWorkerRunning || !m_documentData.DataReady)
        return;
    if (m_nOpenMode == Editing && !CanWriteHeldFile())
        return;
    OnFileSave();
}

// ---- opening ----

void CNUVApp::OnFileOpen() {
    const QString path = m_shell.PromptOpenFileName(LoadString(StringId::OpenFileTitle));
    if (!path.isEmpty())
        OnFileOpenPath(path);
}

void CNUVApp::OnOpenRecentFile(int index) {
    const QStringList paths = RecentFiles();
    if (index >= 0 && index < paths.size())
        OnFileOpenPath(paths[index]);
}

bool CNUVApp::ActivateHolder(const QString& path) {
    const std::optional<InstanceRecord> holder = FindInstanceByPath(path);
    if (!holder || holder->processId == CurrentProcessId())
        return false;
    m_shell.ActivateInstance(holder->processId);
    return true;
}

void CNUVApp::OnFileOpenPath(const QString& path) {
    const QString absolutePath = CanonicalPath(path);
    if (ActivateHolder(absolutePath))
        return;
    // One document per process: changes here are never closed away by opening another document.
    if (m_bModified || (!m_strDocumentPath.isEmpty() && m_strDocumentPath != absolutePath))
        LaunchNewInstance(absolutePath, 0);
    else
        OpenDocumentFile(absolutePath);
}

bool CNUVApp::OpenDocumentFile(const QString& path, int version) {
    if (!CloseDocument())
        return false;
    const QString absolutePath = CanonicalPath(path);
    ResetDocumentData();
    QFile file(absolutePath);
    if (!file.open(QIODevice::ReadOnly)) {
        UpdateRecentFileList(absolutePath, false);
        LeaveWithoutDocument(LoadString(StringId::CannotOpenDocument));
        // Nothing is left to show: the window closes, and the process ends.
        m_nExitCode = 1;
        m_shell.PostCloseToMainWindow();
        return false;
    }
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
        return false;
    }
    if (!ReadDocumentFile(file, version)) {
        lock.Release();
        LeaveWithoutDocument(LoadString(StringId::CannotReadDocument));
        UpdateRecentFileList(absolutePath, false);
        return false;
    }
    if (mode == Editing) {
        WriteOwnerFile(absolutePath);
        m_heldDocumentFile = std::move(lock);
    }
    m_strDocumentPath = absolutePath;
    m_nOpenMode = mode;
    m_nRequestedVersion = mode == StoredVersion ? version : 0;
    ShowReadDocument();
    UpdateRecentFileList(absolutePath, true);
    if (mode == ReadOnlyWatched)
        StartReadOnlyWatch();
    if (mode == Editing)
        StartAutoSaveTimer();
    return true;
}

int CNUVApp::AskHowToOpenHeldFile(const QString& path) const {
    platform::MessageRequest request;
    request.text = LoadString(StringId::FileInUse).arg(path, ReadOwnerFile(path));
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

bool CNUVApp::ReadDocumentFile(QFile& file, int version) {
    {
        if (LoadDocumentXml(file, m_documentData, version) != LoadResult::Loaded)
            return false;
    }
    m_documentData.indexRoot.Clear();
    RebuildDocument();
    return true;
}

void CNUVApp::ShowReadDocument() {
    m_tabs.ReopenSavedTabs();
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    RestoreZoom();
}

void CNUVApp::LeaveWithoutDocument(const QString& message) {
    if (!message.isEmpty())
        platform::ShowMessageBox(message, platform::MessageButtons::Ok, platform::MessageIcon::Error);
    // Half a document read stays nowhere.
    m_documentData.Clear();
    m_documentData.ClearFunctions();
    CloseDocumentState();
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    RestoreZoom();
}

void CNUVApp::RestoreZoom() {
    m_shell.RestoreZoom(m_documentData.environment.zoom);
}

QStringList CNUVApp::RecentFiles() const {
    return CRecentFileList::Paths();
}

void CNUVApp::UpdateRecentFileList(const QString& path, bool add) {
    if (add)
        CRecentFileList::Add(path);
    else
        CRecentFileList::Remove(path);
}

// ---- watching a read-only document ----

void CNUVApp::StartReadOnlyWatch() {
    m_shell.SetReadOnlyWatchTimer(kReadOnlyWatchInterval);
    m_bWatchTimerRunning = true;
}

void CNUVApp::StopReadOnlyWatch() {
    if (std::exchange(m_bWatchTimerRunning, false))
        m_shell.SetReadOnlyWatchTimer(0);
}

bool CNUVApp::TryOpenForWriting(const QString& path, platform::DocumentFileLock& lock) {
    // The instance table is asked too: a holder that has just replaced its file by a rename holds the new
    // one again a moment later, and meanwhile still says it edits the document.
    return !IsReadOnlyFile(path) && !IsHeldByOtherProcess(path) && lock.Hold(path);
}

void CNUVApp::OnReadOnlyWatchTimer() {
    if (!m_bWatchTimerRunning || m_nOpenMode != ReadOnlyWatched)
        return;
    platform::DocumentFileLock lock;
    if (!TryOpenForWriting(m_strDocumentPath, lock))
        return;
    // Stopped before asking: ticks that come while the question waits find nothing to do.
    StopReadOnlyWatch();
    NotifyCanWrite(std::move(lock));
}

void CNUVApp::NotifyCanWrite(platform::DocumentFileLock lock) {
    const QString path = m_strDocumentPath;
    platform::MessageRequest request;
    request.text = LoadString(StringId::FileNowWritable).arg(path);
    request.caption = LoadString(StringId::FileNowWritableCaption);
    request.buttons = platform::MessageButtons::OkCancel;
    request.buttonTexts = {LoadString(StringId::EditButton), LoadString(StringId::CancelButton)};
    if (platform::ShowMessageBox(request) != platform::MessageAnswer::Ok)
        return;
    if (!m_bModified) {
        ReloadDocument(std::move(lock), path);
        return;
    }
    request.text = LoadString(StringId::EditedFile).arg(path);
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
        LaunchNewInstance(path, 0);
        break;
    default:
        break;
    }
}

void CNUVApp::ReloadDocument(platform::DocumentFileLock lock, const QString& path) {
    DiscardDocument(false);
    ResetDocumentData();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !ReadDocumentFile(file, 0)) {
        lock.Release();
        LeaveWithoutDocument(LoadString(StringId::CannotReadDocument));
        return;
    }
    WriteOwnerFile(path);
    m_heldDocumentFile = std::move(lock);
    m_strDocumentPath = path;
    m_nOpenMode = Editing;
    ShowReadDocument();
}
