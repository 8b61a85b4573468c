#include "app/NUVApp.h"

#include "app/ApplicationShell.h"
#include "app/NUVDoc.h"
#include "app/NUVDocManager.h"
#include "app/NUVMultiDocTemplate.h"
#include "app/OwnerFile.h"
#include "model/DocumentFile.h"
#include "model/XmlDocumentContext.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeDirectory.h"
#include "platform/SettingsStore.h"
#include "texts/StringTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstring>
#include <unistd.h>
#include <utility>

namespace {

const QString kInstanceMutexName = QStringLiteral("NUV Cnv Mutex Object 2.0");
const QString kInstanceMappingName = QStringLiteral("NUV Cnv Shared 2.0");
const QString kProfileSection = QStringLiteral("NUV_Pral");
const QString kFrameworkProfileSection = QStringLiteral("Profile");
const QString kDocumentName = QStringLiteral("NUV");

const QString kTooManyInstances = LoadString(StringId::TooManyInstances);
const QString kInstanceTableUnavailable = LoadString(StringId::InstanceTableUnavailable);
const QString kDropMapFile = LoadString(StringId::DropMapFile);
const QString kOnlyOneFileConverted = LoadString(StringId::OnlyOneFileConverted);
const QString kCannotOpenForSaving = LoadString(StringId::CannotOpenForSaving);
const QString kCannotWriteFile = LoadString(StringId::CannotWriteFile);
const QString kCannotOpenDocument = LoadString(StringId::CannotOpenDocument);
const QString kCannotReadDocument = LoadString(StringId::CannotReadDocument);

constexpr int kMaxTextValueUnits = 32767; // what the registry's 64 KB text buffer holds

quint32 CurrentProcessId() {
    return static_cast<quint32>(getpid());
}

InstanceRecord EmptyRecord(quint32 processId) {
    InstanceRecord record;
    std::memset(&record, 0, sizeof(record));
    record.processId = processId;
    return record;
}

} // namespace

CNUVApp::CNUVApp(CApplicationShell& shell) : m_shell(shell), m_pNUVDocManager(std::make_unique<CNUVDocManager>()) {
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
        platform::ShowMessageBox(kTooManyInstances.arg(kMaxInstances), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
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
    OnAppExit();
    return true;
}

bool CNUVApp::InitEditorInstance(const QStringList& arguments) {
    if (!StartUp())
        return false;
    if (arguments.size() < 2) {
        OnFileNew();
        m_nExitCode = GetActiveDocument() ? 0 : 1;
        return m_nExitCode == 0;
    }
    // Another process starts us for a document as "/N /N PATH": the path comes last.
    const QString path = QFileInfo(arguments.last()).absoluteFilePath();
    m_nExitCode = 0;
    if (ActivateHolder(path))
        return false;
    // A document that cannot be opened leaves the window without a document.
    OpenDocumentFile(path);
    return true;
}

bool CNUVApp::ConvertMapArgument(const QStringList& arguments) {
    if (arguments.size() < 2) {
        if (arguments.size() == 1)
            platform::ShowMessageBox(kDropMapFile);
        return false;
    }
    if (arguments.size() > 2)
        platform::ShowMessageBox(kOnlyOneFileConverted);

    m_bConverting = true;
    const bool converted = GetActiveDocument()->ConvertMindMapFile(arguments[1]);
    const bool saved = converted && SaveConvertedDocument(MakeConvertedFileName(arguments[1]));
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
        platform::ShowMessageBox(kInstanceTableUnavailable.arg(error), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return false;
    }

    // The table outlives its processes as a file. Records of processes that are gone are dropped, and a
    // table that no live process uses any more starts from zero, as a fresh mapping would.
    platform::NamedLockGuard lock(m_instanceMutex);
    DropStaleInstances();
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
    QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

// ---- per-user values ----

quint32 CNUVApp::GetProfileDword(const QString& name, quint32 defaultValue) const {
    return platform::SettingsStore(kProfileSection).ReadDword(name).value_or(defaultValue);
}

bool CNUVApp::SetProfileDword(const QString& name, quint32 value) const {
    return platform::SettingsStore(kProfileSection).WriteDword(name, value);
}

QString CNUVApp::GetProfileText(const QString& name, const QString& defaultValue) const {
    const std::optional<QString> text = platform::SettingsStore(kProfileSection).ReadText(name);
    // A text too long for the registry's buffer never came from the program: it reads as missing.
    return text && text->size() <= kMaxTextValueUnits ? *text : defaultValue;
}

bool CNUVApp::SetProfileText(const QString& name, const QString& text) const {
    return platform::SettingsStore(kProfileSection).WriteText(name, text);
}

void CNUVApp::SwitchLanguage(quint32 language, const QString& switched, const QString& failed) const {
    const bool stored = SetProfileDword(QStringLiteral("language"), language);
    platform::SettingsStore(kFrameworkProfileSection)
        .WriteDword(QStringLiteral("ClearRegistryStateInNextExecution"), 1);
    platform::ShowMessageBox(stored ? switched : failed, platform::MessageButtons::Ok,
                             stored ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
}

void CNUVApp::SwitchToEnglish() const {
    SwitchLanguage(0, LoadString(StringId::SwitchedToEnglish), LoadString(StringId::SwitchToEnglishFailed));
}

void CNUVApp::SwitchToJapanese() const {
    SwitchLanguage(1, LoadString(StringId::SwitchedToJapanese), LoadString(StringId::SwitchToJapaneseFailed));
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
}

void CNUVApp::OnFileNew() {
    // One document per process: a second new document gets a process of its own.
    if (m_documentData.DataReady) {
        LaunchNewInstance(QString(), 0);
        return;
    }
    ResetDocumentData();
    LoadTemplateDocument();
    m_pNUVDocManager->OnFileNewWithMode(m_documentData.registry.origin);
    SetWindowTitle();
    UpdateOwnInstanceRecord();
}

void CNUVApp::LoadTemplateDocument() {
    const QString templatePath = GetProfileText(QStringLiteral("TemplateFilename"), QString());
    if (GetProfileDword(QStringLiteral("UseTemplate"), 0) == 0 || templatePath.isEmpty())
        return;
    QFile file(templatePath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_documentData.registry.Clear();
    XmlDocumentContext context(&m_documentData);
    if (LoadDocumentXml(file, context, 0) != LoadResult::Loaded) {
        // A broken template must not leave half a document behind: the new document keeps its defaults.
        ResetDocumentData();
        return;
    }
    m_documentData.indexRoot.Clear();
    RebuildDocument();
}

CNUVDoc* CNUVApp::GetActiveDocument() const {
    const auto& templates = m_pNUVDocManager->Templates();
    if (templates.empty() || templates.front()->Documents().empty())
        return nullptr;
    return templates.front()->Documents().back().get();
}

bool CNUVApp::ActivateHolder(const QString& path) {
    const std::optional<InstanceRecord> holder = FindInstanceByPath(path);
    if (!holder || holder->processId == CurrentProcessId())
        return false;
    m_shell.ActivateInstance(holder->processId);
    return true;
}

void CNUVApp::OnFileOpenPath(const QString& path) {
    const QString absolutePath = QFileInfo(path).absoluteFilePath();
    if (ActivateHolder(absolutePath))
        return;
    // One document per process.
    if (m_bModified || (!m_strDocumentPath.isEmpty() && m_strDocumentPath != absolutePath))
        LaunchNewInstance(absolutePath, 0);
    else
        OpenDocumentFile(absolutePath);
}

bool CNUVApp::OpenDocumentFile(const QString& path) {
    m_pNUVDocManager->CloseAllDocuments();
    ResetDocumentData();
    CloseDocumentState();
    // A document that cannot be opened or read leaves the process without one.
    const auto fail = [this](const QString& message) {
        m_documentData.Clear();
        m_documentData.ClearFunctions();
        SetWindowTitle();
        UpdateOwnInstanceRecord();
        platform::ShowMessageBox(message, platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(kCannotOpenDocument);
    LoadResult result;
    {
        XmlDocumentContext context(&m_documentData);
        result = LoadDocumentXml(file, context, 0);
    }
    if (result != LoadResult::Loaded)
        return fail(kCannotReadDocument);
    RebuildDocument();
    m_strDocumentPath = QFileInfo(path).absoluteFilePath();
    const std::optional<InstanceRecord> holder = FindInstanceByPath(m_strDocumentPath);
    const bool editing = !(holder && holder->state == Editing) && QFileInfo(path).isWritable() &&
                         m_heldDocumentFile.Hold(m_strDocumentPath) && WriteOwnerFile(m_strDocumentPath);
    if (!editing)
        m_heldDocumentFile.Release();
    m_nOpenMode = editing ? Editing : ReadOnly;
    m_pNUVDocManager->OnFileNewWithMode(m_documentData.registry.origin);
    SetWindowTitle();
    UpdateOwnInstanceRecord();
    return true;
}

void CNUVApp::StoreViewStateInDocument() {
    DocumentHeader& header = m_documentData.documentHeader;
    header.openViews.fill(OpenView());
    header.openViewCount = 0;
    // From the least to the most recently used tab; the last one written is the active tab.
    for (const auto& docTemplate : m_pNUVDocManager->Templates()) {
        for (const auto& document : docTemplate->Documents()) {
            if (!document->m_pUnitFunction || header.openViewCount >= DocumentHeader::MaxOpenViews)
                continue;
            header.openViews[header.openViewCount++] = {static_cast<qint32>(document->m_pUnitFunction->InternalID), 0};
        }
    }
    if (header.openViewCount > 0)
        header.openViews[header.openViewCount - 1].IsSelected = 1;
}

void CNUVApp::SetWindowTitle() {
    if (!m_strDocumentPath.isEmpty())
        m_strDocumentName = QFileInfo(m_strDocumentPath).fileName();
    else if (m_documentData.registry.origin)
        m_strDocumentName = kDocumentName;
    else
        m_strDocumentName.clear();
    m_shell.UpdateFrameTitle(m_strDocumentName);
}

bool CNUVApp::CloseDocument(bool processEnding) {
    m_pNUVDocManager->CloseAllDocuments();
    m_documentData.Clear();
    if (processEnding)
        m_documentData.ClearFunctionsAtExit();
    else
        m_documentData.ClearFunctions();
    ClearOwnInstanceRecord(CurrentProcessId());
    CloseDocumentState();
    m_strDocumentName.clear();
    m_shell.UpdateFrameTitle(m_strDocumentName);
    return true;
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
}

bool CNUVApp::SaveConvertedDocument(const QString& path) {
    // Another process editing that document holds it; it is never replaced under its feet.
    const std::optional<InstanceRecord> holder = FindInstanceByPath(path);
    if ((holder && holder->state == Editing) || platform::DocumentFileLock::IsHeldElsewhere(path)) {
        platform::ShowMessageBox(kCannotOpenForSaving, platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    m_shell.SetWaitCursor(true);
    StoreViewStateInDocument();
    m_documentData.functionsNum = 0;
    XmlDocumentContext context(&m_documentData);
    QString errorText;
    const bool written = SaveDocumentXml(context, path, &errorText);
    m_shell.SetWaitCursor(false);
    if (!written) {
        // The old file, if any, is untouched: the document goes to a temporary file that replaces it
        // only once it is complete.
        const QFileInfo target(path);
        const bool cannotOpen = !QFileInfo(target.absolutePath()).isWritable() ||
                                (target.exists() && (!target.isFile() || !target.isWritable()));
        platform::ShowMessageBox(cannotOpen ? kCannotOpenForSaving : kCannotWriteFile.arg(path) + "\n" + errorText,
                                 platform::MessageButtons::Ok,
                                 cannotOpen ? platform::MessageIcon::Error : platform::MessageIcon::Warning);
        return false;
    }
    // The written document stays held until the process lets its document go.
    m_heldDocumentFile.Hold(path);
    m_bModified = false;
    return true;
}
