#pragma once

#include "app/InstanceRegistry.h"
#include "app/OpenDocument.h"
#include "platform/SettingsStore.h"
#include "texts/MessageContext.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class CApplicationShell;

// The application object: the process. It brings the process up (the converter's start-up converts the map
// named on the command line and closes), keeps its place in the shared instance table, the per-user values
// and the message language, and owns the one open document, whose commands it hands on to it.
class CNUVApp {
public:
    explicit CNUVApp(CApplicationShell& shell);
    ~CNUVApp();
    CNUVApp(const CNUVApp&) = delete;
    CNUVApp& operator=(const CNUVApp&) = delete;

    CApplicationShell& Shell() const { return m_shell; }
    // The open document: what windows, tabs and dialogs are given.
    COpenDocument& Document() { return m_document; }
    const COpenDocument& Document() const { return m_document; }
    CInstanceRegistry& Instances() { return m_instances; }

    // Start-up with the command-line arguments (the program first). False when the process must end at
    // once; true when the event loop runs until the posted close has been handled.
    bool InitInstance(const QStringList& arguments);
    // The editor's start-up: the message language stored by the language switch (English without one) and the
    // wording stored by the Messages page over the built-in one, the same steps, then the document named by the
    // last argument after the program is opened (its stored version N when the arguments are "/N /N PATH"), or a
    // new one without it. A document that another process has open is brought to the front there instead, and
    // this process ends. False when the process must end at once.
    bool InitEditorInstance(const QStringList& arguments);
    // The converter: 0 when the map was converted and the document saved. The editor: 0 when it ran or handed
    // its document to the process that has it open. 1 otherwise.
    int ExitCode() const { return m_nExitCode; }
    // Lets go of what the process shares with others: the held document, the owner file and the place in the
    // instance table. The application object is done with afterwards; its destructor does this too.
    void ReleaseSharedState();
    // Asks every other instance and then this one to close.
    void OnAppExit();
    // A request to close from another instance: handled at once, or once the work that owns the document
    // (a conversion, a save, a worker) has ended.
    void OnCloseRequested() { m_document.RequestClose(); }

    // Instance table.
    bool RegisterInstance(const InstanceRecord& record) { return m_instances.RegisterInstance(record); }
    std::optional<InstanceRecord> FindInstanceByPath(const QString& path) {
        return m_instances.FindInstanceByPath(path);
    }
    bool UpdateInstanceRecord(quint32 processId, const InstanceRecord& record) {
        return m_instances.UpdateInstanceRecord(processId, record);
    }
    void FillInstanceRecord(InstanceRecord& record) const { m_document.FillInstanceRecord(record); }
    void UpdateOwnInstanceRecord() { m_document.UpdateOwnInstanceRecord(); }
    void ClearOwnInstanceRecord() { m_instances.ClearOwnInstanceRecord(); }
    bool RemoveInstanceRecord(quint32 processId) { return m_instances.RemoveInstanceRecord(processId); }
    void CloseOtherInstances() { m_instances.CloseOtherInstances(); }
    void LaunchNewInstance(const QString& path, int number) const { m_instances.LaunchNewInstance(path, number); }
    std::vector<InstanceRecord> InstanceRecords() { return m_instances.InstanceRecords(); }
    void ActivateInstanceWindow(int index) { m_instances.ActivateInstanceWindow(index); }
    static bool IsOwnInstance(const InstanceRecord& record) { return CInstanceRegistry::IsOwnInstance(record); }

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
    // The language and wording every window text is built from.
    const CMessageContext& MessageContext() const { return m_messageContext; }
    // The text zoom of the logic editors, 1.0 for actual size; the zoom window sets it.
    double ZoomFactor() const { return m_dZoomFactor; }
    void SetZoomFactor(double factor) { m_dZoomFactor = factor; }

    // The File menu's commands on the document.
    void OnImportEnvironmentSettings() { m_document.OnImportEnvironmentSettings(); }
    void OnImportMemberNames() { m_document.OnImportMemberNames(); }
    void OnExportOutlineIndex() { m_document.OnExportOutlineIndex(); }
    void OnExportMemberNames() { m_document.OnExportMemberNames(); }
    void OnExportNuv2013june() { m_document.OnExportNuv2013june(); }
    // A new document from the template the user chose to use, if any.
    void OnFileNew();
    void LoadTemplateDocument();
    // File Open: asks for a file and opens it as OnFileOpenPath does.
    void OnFileOpen();
    // Opens the chosen document where it belongs: the process that has it open comes to the front; with a
    // modified document here, or another document already open here, it goes to a new process; else here.
    void OnFileOpenPath(const QString& path);
    // The recent-file entry `index` (0 the newest), opened as OnFileOpenPath does.
    void OnOpenRecentFile(int index);
    // Opens the document here as COpenDocument::OpenDocumentFile does; a file that cannot be opened at all
    // ends the process with exit code 1. False when nothing was opened now.
    bool OpenDocumentFile(const QString& path, int version = 0);
    QStringList RecentFiles() const { return COpenDocument::RecentFiles(); }
    void UpdateRecentFileList(const QString& path, bool add) { COpenDocument::UpdateRecentFileList(path, add); }
    void OnReadOnlyWatchTimer() { m_document.OnReadOnlyWatchTimer(); }
    CNUVDoc* GetActiveDocument() const { return m_document.GetActiveDocument(); }
    CFunctionTabs& Tabs() { return m_document.Tabs(); }
    const CFunctionTabs& Tabs() const { return m_document.Tabs(); }
    bool CloseDocument(bool processEnding = false) { return m_document.CloseDocument(processEnding); }
    void OnFileClose() { m_document.OnFileClose(); }
    bool TakeSkipNextTabOpen() { return m_document.TakeSkipNextTabOpen(); }
    bool CanSaveDocument() const { return m_document.CanSaveDocument(); }
    void OnFileSave() { m_document.OnFileSave(); }
    void OnFileSaveAs() { m_document.OnFileSaveAs(); }
    void OnAutoSaveTimer() { m_document.OnAutoSaveTimer(); }

private:
    // What both start-ups share: the instance table and this process's record, the document template and
    // the main window.
    bool StartUp();
    bool ConvertMapArgument(const QStringList& arguments);
    // Stores the message language for the next start and tells the user whether that worked.
    void SwitchLanguage(quint32 language, const QString& switched, const QString& failed) const;

    CApplicationShell& m_shell;
    CMessageContext m_messageContext;
    double m_dZoomFactor = 1.0;
    CInstanceRegistry m_instances{m_shell};
    COpenDocument m_document{m_shell, m_instances, m_messageContext};
    int m_nExitCode = 1;
};
