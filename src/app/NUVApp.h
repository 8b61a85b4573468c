#pragma once

#include "app/FunctionTabs.h"
#include "app/InstanceTable.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "platform/DocumentFileLock.h"
#include "platform/LivenessLock.h"
#include "platform/NamedLock.h"
#include "platform/SettingsStore.h"
#include "platform/SharedMapping.h"
#include "texts/MessageContext.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class CApplicationShell;
class QFile;
class CNUVDoc;
class CNUVDocManager;

// The application object: owns what the process knows about its one open document (path, open mode,
// modified flag, the document data), its place in the shared instance table and the tab documents, and
// brings the process up. The converter's start-up converts the map named on the command line and closes.
class CNUVApp {
public:
    // Open modes of the document; the same codes are the instance record's state.
    enum OpenMode { NoDocument = 0, Editing = 1, ReadOnly = 2, ReadOnlyWatched = 3, StoredVersion = 4 };

    explicit CNUVApp(CApplicationShell& shell);
    ~CNUVApp();
    CNUVApp(const CNUVApp&) = delete;
    CNUVApp& operator=(const CNUVApp&) = delete;

    CApplicationShell& Shell() const { return m_shell; }

    // Start-up with the command-line arguments (the program first). False when the process must end at
    // once; true when the event loop runs until the posted close has been handled.
    bool InitInstance(const QStringList& arguments);
    // The editor's start-up: the message language stored by the language switch (English without one), the
    // same steps, then the document named by the last argument after the program is opened, or a new one
    // without it. A document that another process has open is brought to the front
    // there instead, and this process ends. False when the process must end at once.
    bool InitEditorInstance(const QStringList& arguments);
    // The converter: 0 when the map was converted and the document saved. The editor: 0 when it ran or handed
    // its document to the process that has it open. 1 otherwise.
    int ExitCode() const { return m_nExitCode; }
    // Asks every other instance and then this one to close.
    void OnAppExit();

    // A request to close from another instance. Handled at once unless a conversion is running; then
    // after its document has been saved.
    void OnCloseRequested();
    bool IsConverting() const { return m_bConverting; }

    // Instance table.
    bool RegisterInstance(const InstanceRecord& record);
    std::optional<InstanceRecord> FindInstanceByPath(const QString& path);
    bool UpdateInstanceRecord(quint32 processId, const InstanceRecord& record);
    void FillInstanceRecord(InstanceRecord& record) const;
    void UpdateOwnInstanceRecord();
    void ClearOwnInstanceRecord(quint32 processId);
    bool RemoveInstanceRecord(quint32 processId);
    void CloseOtherInstances();
    // Starts another process of the program; with a path it opens that document (or stored version `number`).
    void LaunchNewInstance(const QString& path, int number) const;
    // The records in use, in the table's order; empty without the table.
    std::vector<InstanceRecord> InstanceRecords();
    // Brings the window of the instance at `index` of the table to the front; nothing for an index beyond the
    // count or an instance without a window.
    void ActivateInstanceWindow(int index);
    // Whether the record is this process's own.
    static bool IsOwnInstance(const InstanceRecord& record);

    // Per-user values, declared in UserSettings.h; a missing or wrongly typed value gives its default.
    quint32 GetProfileDword(const platform::DwordSetting& setting) const;
    bool SetProfileDword(const platform::DwordSetting& setting, quint32 value) const;
    QString GetProfileText(const platform::TextSetting& setting) const;
    bool SetProfileText(const platform::TextSetting& setting, const QString& text) const;
    void SwitchToEnglish() const;
    void SwitchToJapanese() const;
    // The About box's language button: English after the user confirms; declined while English is stored,
    // back to Japanese.
    void SwitchLanguageFromAboutBox() const;

    // Imports and exports of the File menu. The imports take the environment settings or the member and state
    // names of another document file; the exports write the outline-ordered table of contents as text and the
    // member and state names as CSV, in the process code page, asking before they overwrite a file; the
    // older-format export writes the whole document as the 2013-June format had it.
    void OnImportEnvironmentSettings();
    void OnImportMemberNames();
    void OnExportOutlineIndex();
    void OnExportMemberNames();
    void OnExportNuv2013june();

    // Documents.
    void OnFileNew();
    void LoadTemplateDocument();
    // File Open: asks for a file and opens it as OnFileOpenPath does.
    void OnFileOpen();
    // Opens the chosen document where it belongs: the process that has it open comes to the front; with a
    // modified document here, or another document already open here, it goes to a new process; else here.
    void OnFileOpenPath(const QString& path);
    // The recent-file entry `index` (0 the newest), opened as OnFileOpenPath does.
    void OnOpenRecentFile(int index);
    // Opens the document at `path`, or its stored version `version`, as the process's one document, after
    // closing the current one (which may ask to save it first). It is edited when the file may be written and
    // no other process holds it; else read-only, or read-only until it becomes writable, as the user chooses.
    // False when nothing was opened: the user cancelled, or the file could not be opened or read (said in a
    // message, and the path leaves the recent files); the process is then left without a document.
    bool OpenDocumentFile(const QString& path, int version = 0);
    // The documents opened or saved last, newest first. `add` puts the path first, else it leaves the list.
    QStringList RecentFiles() const;
    void UpdateRecentFileList(const QString& path, bool add);
    // A tick of the watch timer while the document is read-only awaiting writability: once no other process
    // holds the file any more, the timer stops and the user is offered, once, to edit the document.
    void OnReadOnlyWatchTimer();
    CNUVDoc* GetActiveDocument() const;
    CFunctionTabs& Tabs() { return m_tabs; }
    const CFunctionTabs& Tabs() const { return m_tabs; }
    // Registry, table of contents and every view after a change of the tree.
    void RebuildDocument();
    void StoreViewStateInDocument();
    void SetWindowTitle();
    // The main window's zoom follows the document's zoom setting.
    void RestoreZoom();
    // Asks whether to save a modified document first; false when the user cancels or the save fails, and
    // then nothing is closed. A process that ends right after the close leaves the document's memory to
    // the system.
    bool CloseDocument(bool processEnding = false);
    void CloseDocumentState();
    // File Close: the main window's close path, which ends the process unless the user keeps the document;
    // then the table of contents' next restore of its selection opens no tab.
    void OnFileClose();
    // True once after File Close: the table of contents' restore of its selection then opens no tab.
    bool TakeSkipNextTabOpen();
    bool SaveConvertedDocument(const QString& path);

    // Saving. A save that fails says so and leaves the document modified and the file on disk as it was.
    // Save and Save As are enabled while there is a document.
    bool CanSaveDocument() const { return m_documentData.DataReady != 0; }
    // Save writes the held file; a read-only document, or one whose file was made read-only since it was
    // opened, is said to be read-only and goes to a file the user chooses.
    void OnFileSave();
    void OnFileSaveAs();
    // Writes into the held file when `path` (the document's own) is given; else asks for a file, proposing
    // `proposedName` or, with `ask`, a name made from the document. True when written.
    bool SaveDocumentFile(const QString& path, bool ask, const QString& proposedName);
    // Writes the document adding `entry` to its stored versions: into the held file when editing, else
    // to a file the user chooses.
    bool SaveDocumentFileAs(const VersionHistoryEntry& entry);
    // Asks whether to record a version when the document wants one on every save. True: go on with the
    // plain save; false: the save was done or refused here.
    bool SaveWithVersionPrompt();
    // Starts the automatic-saving timer when the document asks for it; the window's timer calls
    // OnAutoSaveTimer. Runs after a document was opened for editing or a template loaded.
    void StartAutoSaveTimer();
    // A tick of the automatic-saving timer: the ordinary save, skipped while no document is there or while
    // a save or the close question waits for the user, or while a whole inspection runs, and without a
    // question while the held file has been made read-only.
    void OnAutoSaveTimer();
    // Set by the main window while a whole inspection runs on the worker.
    void SetWorkerRunning(bool running) { m_bWorkerRunning = running; }
    bool IsWorkerRunning() const { return m_bWorkerRunning; }
    // The language and wording every window text is built from.
    const CMessageContext& MessageContext() const { return m_messageContext; }

    // The one open document and what the process knows about it.
    CDocumentData& DocumentData() { return m_documentData; }
    const CDocumentData& DocumentData() const { return m_documentData; }
    // Language of a new document's defaults: 1 Japanese, 0 English.
    int DocumentLanguage() const { return m_documentData.documentLanguage; }
    // Empty until the document has a file.
    const QString& DocumentPath() const { return m_strDocumentPath; }
    // The file name of the path, the template's name for a new document, empty without a document.
    const QString& DocumentName() const { return m_strDocumentName; }
    int OpenMode() const { return m_nOpenMode; }
    // The stored version asked for on the command line, 0 for the document itself.
    int RequestedVersion() const { return m_nRequestedVersion; }
    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified = true) { m_bModified = modified; }

private:
    // Creates or opens the lock, the table and this process's liveness lock; false with a message when
    // one of them cannot be made.
    bool OpenInstanceTable();
    // What both start-ups share: the instance table and this process's record, the document template and
    // the main window.
    bool StartUp();
    InstanceTable* Table() const { return static_cast<InstanceTable*>(m_instanceMapping.Data()); }
    bool HasInstanceTable() const { return m_instanceMutex.IsOpen() && Table(); }
    void DropStaleInstances();
    bool ConvertMapArgument(const QStringList& arguments);
    void ResetDocumentData();
    // Lets the document go without asking: tabs, document data, instance record, document state.
    void DiscardDocument(bool processEnding);
    // Brings the window of another process that has `path` open to the front; false when none has it.
    bool ActivateHolder(const QString& path);
    // The sharing question for a file another process edits: ReadOnly, ReadOnlyWatched or, cancelled, NoDocument.
    int AskHowToOpenHeldFile(const QString& path) const;
    // Reads the file into the reset document data and, when it was read, rebuilds the table of contents.
    bool ReadDocumentFile(QFile& file, int version);
    // After a document was read: its tabs, title and instance record.
    void ShowReadDocument();
    // The document could not be opened or read: the message, and the process without a document.
    void LeaveWithoutDocument(const QString& message);
    void StartReadOnlyWatch();
    void StopReadOnlyWatch();
    // Holds the file for editing when it may be written and no other process holds it.
    bool TryOpenForWriting(const QString& path, platform::DocumentFileLock& lock);
    void NotifyCanWrite(platform::DocumentFileLock lock);
    void ReloadDocument(platform::DocumentFileLock lock, const QString& path);
    // Opens the save prompt, proposing a name as SaveDocumentFile describes; empty when cancelled.
    QString PromptSaveFileName(bool ask, const QString& proposedName, bool copy);
    // Whether a save goes into the held file: the document is edited and its file may still be written.
    bool CanWriteHeldFile() const;
    void ShowReadOnlyFileMessage() const;
    bool SaveIntoHeldFile(const VersionHistoryEntry* entry);
    // Writes to a new file, which is held before and after; the old file is let go only once it is written.
    bool SaveUnderNewName(const QString& chosen, const VersionHistoryEntry* entry);
    bool WriteDocument(const QString& path, const VersionHistoryEntry* entry, QString* errorText);
    bool IsHeldByOtherProcess(const QString& path);
    void ShowSaveFailure(const QString& path, const QString& errorText) const;
    void ImportFromDocumentFile(bool environment);
    // The export prompt proposing a name from `remembered` or the document; the chosen path, after the
    // overwrite question for a file that is there, is remembered. Empty when the user gave none up.
    QString PromptExportPath(QString& remembered, const QString& fileName, const QString& filter,
                             const QString& extension);
    // Stores the message language for the next start and tells the user whether that worked.
    void SwitchLanguage(quint32 language, const QString& switched, const QString& failed) const;

    CApplicationShell& m_shell;
    CMessageContext m_messageContext;
    CDocumentData m_documentData;
    QString m_strDocumentPath;
    QString m_strDocumentName;
    int m_nOpenMode = NoDocument;
    int m_nRequestedVersion = 0;
    bool m_bModified = false;
    QString m_runtimeDirectory;
    platform::NamedLock m_instanceMutex;
    platform::SharedMapping m_instanceMapping;
    platform::LivenessLock m_liveness;
    platform::DocumentFileLock m_heldDocumentFile;
    std::unique_ptr<CNUVDocManager> m_pNUVDocManager;
    CFunctionTabs m_tabs{*m_pNUVDocManager, m_documentData};
    bool m_bConverting = false;
    bool m_bCloseRequested = false;
    bool m_bSaveRunning = false;
    bool m_bWorkerRunning = false;
    bool m_bAutoSaveTimerRunning = false;
    bool m_bSkipNextTabOpen = false;
    int m_nExitCode = 1;
    bool m_bWatchTimerRunning = false;
};
