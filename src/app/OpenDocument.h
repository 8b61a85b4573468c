#pragma once

#include "app/DocumentObserver.h"
#include "app/FunctionTabs.h"
#include "app/NUVDocManager.h"
#include "app/SavingRules.h"
#include "generators/UniqueLabelClock.h"
#include "generators/UniqueLabelGenerator.h"
#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/FontInfo.h"
#include "model/ModelShell.h"
#include "platform/DocumentFileLock.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class CApplicationShell;
class CInstanceRegistry;
struct CMessageContext;
class CNUVDoc;
class QFile;
struct InstanceRecord;
struct TabPaneSizes;

// The process's one open document: its record, file, open mode and modified flag, the lock on its file and the
// owner file beside it, its tabs, and what opens, makes, reads again, saves and closes it. It knows when a long
// operation owns the document (a conversion, a save or its question, an opening, a worker): a request that
// comes meanwhile (a close from another process, a look at a watched file, an open, a new document) is held
// and acted on once that work has ended, so nothing clears or replaces the document under it. Observers hear
// what changed. While it lives it answers the model's questions to the shell.
class COpenDocument : private CModelShell {
public:
    // Open modes of the document; the same codes are the instance record's state.
    enum OpenMode { NoDocument = 0, Editing = 1, ReadOnly = 2, ReadOnlyWatched = 3, StoredVersion = 4 };
    // The long operations that own the document while they run.
    enum class Work { Conversion, Save, Opening, Worker };
    enum class OpenResult {
        Opened,
        // The user cancelled, or the file could not be read (said in a message); no document is left open.
        NotOpened,
        // The file could not be opened at all (said in a message); the main window has been asked to close.
        CannotOpenFile,
        // Work owns the document: the open is held until it ends.
        Held,
    };

    // Marks the document as owned by `work` while it lives.
    class WorkScope {
    public:
        WorkScope(COpenDocument& document, Work work) : m_document(document), m_work(work) {
            m_document.BeginWork(m_work);
        }
        ~WorkScope() { m_document.EndWork(m_work); }
        WorkScope(const WorkScope&) = delete;
        WorkScope& operator=(const WorkScope&) = delete;

    private:
        COpenDocument& m_document;
        Work m_work;
    };

    // Its messages that have a wording in each language speak that of `messageContext`.
    COpenDocument(CApplicationShell& shell, CInstanceRegistry& instances, const CMessageContext& messageContext);
    ~COpenDocument() override;
    COpenDocument(const COpenDocument&) = delete;
    COpenDocument& operator=(const COpenDocument&) = delete;

    CApplicationShell& Shell() const { return m_shell; }
    const CMessageContext& MessageContext() const { return m_messageContext; }
    // The template of the tabs' documents, named as a new document is.
    void AddDocumentTemplate();
    // The one name of a document file by which processes compare documents (platform::CanonicalDocumentPath); the
    // absolute path as given of what is not a regular file.
    static QString CanonicalPath(const QString& path);

    // The record and what the process knows about it. No window writes into the record: changes go through
    // the calls below.
    const CDocumentData& DocumentData() const { return m_documentData; }
    CDocumentData& DocumentData() { return m_documentData; }
    // Language of a new document's defaults: 1 Japanese, 0 English.
    int DocumentLanguage() const { return m_documentData.documentLanguage; }
    // Empty until the document has a file.
    const QString& DocumentPath() const { return m_strDocumentPath; }
    // The file name of the path, the template's name for a new document, empty without a document.
    const QString& DocumentName() const { return m_strDocumentName; }
    int OpenMode() const { return m_nOpenMode; }
    // The stored version opened, 0 for the document itself.
    int RequestedVersion() const { return m_nRequestedVersion; }
    bool IsModified() const { return m_bModified; }
    // Observers hear of a change of the flag.
    void SetModified(bool modified = true);
    // Save and Save As are enabled while there is a document.
    bool CanSaveDocument() const { return m_documentData.DataReady != 0; }
    // The notes pane's text: a different text modifies the document and the observers hear of it.
    void SetNotesText(const QString& text);
    // When the result pane's findings were made; the document stores it.
    void SetResultsTime(qint64 resultsTime) { m_documentData.resultsTime = resultsTime; }
    // The pane sizes the user gave the unit function's tab; false when nothing changed.
    bool StoreTabPaneSizes(CUnitFunction& function, const TabPaneSizes& sizes);

    // The tab documents and their tabs.
    CNUVDocManager& DocManager() { return m_docManager; }
    CFunctionTabs& Tabs() { return m_tabs; }
    const CFunctionTabs& Tabs() const { return m_tabs; }
    CNUVDoc* GetActiveDocument() const { return m_tabs.GetActiveTab(); }
    // File Close: the main window's close path, which ends the process unless the user keeps the document;
    // then the table of contents' next restore of its selection opens no tab.
    void OnFileClose();
    // True once while File Close runs: what the table of contents selects meanwhile opens no tab.
    bool TakeSkipNextTabOpen() { return std::exchange(m_bSkipNextTabOpen, false); }

    // Observers (not owned) hear of every change until they are removed; the tabs are the first.
    void AddObserver(CDocumentObserver& observer);
    void RemoveObserver(CDocumentObserver& observer);
    // An editor changed the unit function (its name, lines or header): the document is modified and the
    // observers hear of it.
    void ReportFunctionChange(DocumentChange change, CUnitFunction& function);

    // The work that owns the document. Work of any kind may nest; held requests run once the last has ended.
    void BeginWork(Work work);
    void EndWork(Work work);
    // EndWork in two steps, for a window that takes input again between them: the work is over, then what
    // waited for it runs.
    void ReleaseWork(Work work);
    void RunHeldRequests();
    bool IsBusy() const;
    bool IsWorkerRunning() const { return WorkCount(Work::Worker) > 0; }
    bool IsConverting() const { return WorkCount(Work::Conversion) > 0; }
    // A request to close from another process: the main window's close path runs now, or once the work that
    // owns the document has ended; the dialogs and messages that work waits in are ended meanwhile.
    void RequestClose();

    // A new document from the template at `templatePath` (none when empty); with a document here already, a
    // new process makes it.
    void OnFileNew(const QString& templatePath);
    // Reads the template into the reset document; a template that cannot be read leaves the defaults.
    void LoadTemplateDocument(const QString& templatePath);
    // Opens the document at `path`, or its stored version `version`, after closing the current one (which may
    // ask to save it first). It is edited when the file may be written and no other process holds it; else
    // read-only, or read-only until it becomes writable, as the user chooses. A path that cannot be opened
    // leaves the recent files.
    OpenResult OpenDocumentFile(const QString& path, int version = 0);
    // A tick of the watch timer while the document is read-only awaiting writability: once no other process
    // holds the file any more, the timer stops and the user is offered, once, to edit the document.
    void OnReadOnlyWatchTimer();
    // Asks whether to save a modified document first; false when the user cancels or the save fails, or
    // while work owns the document (the close then runs once it has ended), and then nothing is closed.
    // A process that ends right after the close leaves the document's memory to the system.
    bool CloseDocument(bool processEnding = false);
    // Lets go of the file and forgets path, mode and modified flag; the record stays.
    void CloseDocumentState();

    // Saving. A save that fails says so and leaves the document modified and the file on disk as it was.
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
    // Stores the current content as a new version: refused with a message when ten are stored or no number is
    // left, else the version dialog with the proposed number, then the save. True when saved.
    bool SaveNewVersion();
    // The converter's save of the converted document to `path`, which stays held. When `stopRequested` answers true
    // once the document is written but not yet committed, the file stays as it was and nothing is said.
    bool SaveConvertedDocument(const QString& path, const std::function<bool()>& stopRequested);
    // Starts the automatic-saving timer when the document asks for it; the window's timer calls
    // OnAutoSaveTimer. Runs after a document was opened for editing or a template loaded.
    void StartAutoSaveTimer();
    // The settings switched automatic saving or changed its interval: where the document saves automatically (a
    // file being edited, or a new document whose template started the timer) the timer follows at once.
    void ApplyAutoSaveSetting();
    // A tick of the automatic-saving timer: the ordinary save of what is committed, skipped while no document is
    // there or while work owns the document (the next tick tries again). It leaves the keyboard focus and an edit
    // being made alone, so it never asks about an unfinished Fn line, and the document stays modified while such an
    // edit waits. While the held file has been made read-only, or its path names another file or nothing, it writes
    // nothing. Each failure is said once, with why: again only after a save succeeded or when the failure changed.
    void OnAutoSaveTimer();

    // Imports and exports of the File menu. The imports take the environment settings or the member and state
    // names of another document file; the exports write the outline-ordered table of contents as text and the
    // member and state names as CSV, in the process code page, asking before they overwrite a file; the
    // older-format export writes the whole document as the 2013-June format had it.
    void OnImportEnvironmentSettings() { ImportFromDocumentFile(true); }
    void OnImportMemberNames() { ImportFromDocumentFile(false); }
    void OnExportOutlineIndex();
    void OnExportMemberNames();
    void OnExportNuv2013june();
    // The export prompt proposing a name from `remembered` or the document; the chosen path, after the
    // overwrite question for a file that is there, is remembered. Empty when the user gave none up.
    QString PromptExportPath(QString& remembered, const QString& fileName, const QString& filter,
                             const QString& extension);

    // Registry, table of contents and every view after a change of the tree.
    void RebuildDocument();
    void StoreViewStateInDocument();
    void SetWindowTitle();
    // The main window's zoom follows the document's zoom setting.
    void RestoreZoom();
    // This process's instance record, describing the document.
    void FillInstanceRecord(InstanceRecord& record) const;
    void UpdateOwnInstanceRecord();
    // The documents opened or saved last, newest first. `add` puts the path first, else it leaves the list.
    static QStringList RecentFiles();
    static void UpdateRecentFileList(const QString& path, bool add);

private:
    // Requests held while work owns the document; a later request of a kind replaces the earlier one.
    enum class HeldRequest { Close, WatchTick, Open, New };

    int WorkCount(Work work) const { return m_work[static_cast<size_t>(work)]; }
    void Hold(HeldRequest request, std::function<void()> action);
    void Notify(DocumentChange change, CUnitFunction* function = nullptr);

    // The model's questions to the shell.
    const CFontInfo& InstalledFonts() override { return m_installedFonts; }
    void AssignUniqueLabelIfEmpty(CUnitFunction& function) override;
    void BeginLabellingRun() override;
    void EndLabellingRun() override;
    void OpenFunctionTab(CUnitFunction* function) override { m_tabs.OpenFunctionTab(function); }
    void CloseFunctionTab(CUnitFunction* function) override;
    CUnitFunction* ActiveTabFunction() override { return m_tabs.ActiveTabFunction(); }
    bool GetCurrentOutlineNumber(OutlineNumber& number) override;
    void SetOpenedFromOutlineNumber(const OutlineNumber& number) override;
    void SelectTreeItem(CAbstractIndexItem& item) override;
    void EnsureTreeItemVisible(CAbstractIndexItem& item) override;
    bool ConsumeSuppressOpening() override { return TakeSkipNextTabOpen(); }
    void SetDocumentModified() override { SetModified(); }
    void RefreshFunctionList() override { Notify(DocumentChange::FunctionsAddedOrMoved); }
    bool PromptFunctionName(QString& name) override;
    bool PromptIsolatedFunctionName(QString& name) override;
    void RunMoveDialog(CAbstractIndexItem& item) override;

    bool CloseCurrentDocument(bool processEnding);
    void ResetDocumentData();
    // Lets the document go without asking: tabs, document data, instance record, document state.
    void DiscardDocument(bool processEnding);
    // Writes the owner file of a document to be edited. False, said in a message, when something the program did
    // not write has its name: the document is then opened read-only and that thing left alone.
    bool ClaimOwnerFile(const QString& path) const;
    // The sharing question for a file another process edits: ReadOnly, ReadOnlyWatched or, cancelled, NoDocument.
    int AskHowToOpenHeldFile(const QString& path) const;
    // Reads the file at `path` into the reset document data and, when it was read, rebuilds the table of contents;
    // empty, or what to tell the user when the file was not read. Memory that runs out is said, and ends the editor.
    // `digest` gets the digest of the bytes read.
    QString ReadDocumentFile(QFile& file, const QString& path, int version, std::optional<quint64>& digest);
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
    // What the document's path leads to now, and how that differs from the file read or last written there. A save
    // looks once; a question asked after that lets the file change, and the save looks again.
    struct HeldFileLook {
        FileIdentityChange change = FileIdentityChange::None;
        DocumentFileIdentity now;
    };
    HeldFileLook LookAtHeldFile() const;
    // Whether a save goes into the held file: the document is edited and its file may still be written, or its path
    // names another file or nothing now (what to do is asked then).
    bool CanWriteHeldFile(const HeldFileLook& look) const;
    // What a write into the held file may do: go on, nothing, or go to a file the user chooses.
    enum class HeldFileWrite { Write, Refused, Elsewhere };
    // Every write into the held file asks this first: whether the path still names the file read or last written
    // there. If not, the automatic save writes nothing and says what happened and to which file; a save the user
    // asked for asks whether to write under that name (No by default) or under another. A link put in the file's
    // place is never written through.
    HeldFileWrite CheckHeldFileIdentity(const HeldFileLook& look);
    // The automatic save's failure `reason`, said unless it was the last one said.
    void ShowAutoSaveNotice(const QString& reason);
    void ShowReadOnlyFileMessage() const;
    // Save's steps after the focus has gone: the version question, then the held file or a file the user chooses.
    // `look` is the automatic save's look at the held file, taken just before.
    void SaveAsCommanded(std::optional<HeldFileLook> look = std::nullopt);
    // Writes into the held file what `look` found there, if the check lets it; a file found changed when the write
    // begins is checked as if found by the look.
    bool SaveIntoHeldFile(const VersionHistoryEntry* entry, HeldFileLook look);
    // Writes to a new file, which is held before and after; the old file is let go only once it is written.
    bool SaveUnderNewName(const QString& chosen, const VersionHistoryEntry* entry);
    // `own` gives this process's hold of the file written into, if any (see platform::DocumentHolder), and the file
    // the write must find there.
    bool WriteDocument(const QString& path, const VersionHistoryEntry* entry, QString* errorText,
                       platform::DocumentFileWrite* own);
    // A write into `path` that another holds (platform::DocumentHolder) is refused, and said why; true then.
    bool RefuseHeldDocument(const QString& path) const;
    // The file cannot be opened for saving, and why: `reason` below the message.
    void ShowCannotOpenForSaving(const QString& reason) const;
    void ShowSaveFailure(const QString& path, const QString& errorText) const;
    void ImportFromDocumentFile(bool environment);

    CApplicationShell& m_shell;
    CInstanceRegistry& m_instances;
    const CMessageContext& m_messageContext;
    // Looked up once, when the document owner is made: the faces new font settings choose from.
    const CFontInfo m_installedFonts;
    CDocumentData m_documentData;
    QString m_strDocumentPath;
    QString m_strDocumentName;
    int m_nOpenMode = NoDocument;
    int m_nRequestedVersion = 0;
    bool m_bModified = false;
    platform::DocumentFileLock m_heldDocumentFile;
    CNUVDocManager m_docManager;
    CFunctionTabs m_tabs{m_docManager, m_documentData};
    std::vector<CDocumentObserver*> m_observers;
    std::array<int, 4> m_work{};
    std::vector<std::pair<HeldRequest, std::function<void()>>> m_heldRequests;
    bool m_bAutoSaveTimerRunning = false;
    // A save run by the timer writes what is committed, without committing what is being typed.
    bool m_bAutomaticSave = false;
    // The automatic save's failure said last, its figures left out; none once a save succeeded.
    QString m_autoSaveNotice;
    // The file that the document's path named when it was read or last written.
    DocumentFileIdentity m_heldFileIdentity;
    bool m_bWatchTimerRunning = false;
    bool m_bSkipNextTabOpen = false;
    CSystemUniqueLabelClock m_labelClock;
    // Kept while a conversion or a labelling run labels its many new unit functions; otherwise each label indexes
    // the document anew.
    std::optional<CUniqueLabelGenerator> m_runLabels;
    int m_labellingRuns = 0;
    CModelShellInstaller m_modelShell{*this};
};
