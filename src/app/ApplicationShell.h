#pragma once

#include "model/DocumentFile.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CAbstractIndexItem;
class CImportProgress;
class CNUVApp;
struct IndexViewInfo;

// What the application object needs of the windowing side: the main window, the progress dialog and the
// line to other instances. The widgets implement it; tests install a fake.
class CApplicationShell {
public:
    virtual ~CApplicationShell() = default;

    // Creates the main window of the application (kept hidden by the converter); false when it cannot be made.
    virtual bool CreateMainWindow(CNUVApp& app) = 0;
    // Non-zero while the main window exists and other instances can reach it; stored in the instance record.
    virtual quint32 MainWindowHandle() const = 0;
    // The main window's caption follows the document name.
    virtual void UpdateFrameTitle(const QString& documentName) = 0;
    // The document was replaced (new, opened, reloaded) or closed: results about the one before are let go.
    virtual void DocumentReplaced() {}
    // Runs the main window's close path once the current work is done (a posted close). A dialog, message or menu
    // open over the window is ended first as Cancel would end it, and the close waits until it has returned.
    virtual void PostCloseToMainWindow() = 0;
    // A close waits for the work that owns the document, which may wait for the user in a dialog or a message (the
    // file prompt of Save As, the version dialog, a message at start-up): from now until the close is posted, what
    // opens over the window is ended as Cancel would end it, so that the work ends and the close asks.
    virtual void EndDialogsUntilClose() {}
    // Runs the main window's close path now; it asks about unsaved changes and may be refused.
    virtual void CloseMainWindow() {}
    // Asks the instance `processId` to close its main window; does not wait for it.
    virtual void PostCloseToInstance(quint32 processId) = 0;
    // Asks the instance `processId` to bring its main window to the front; does not wait for it.
    virtual void ActivateInstance(quint32 processId) = 0;
    // Starts another process of this program with these arguments; does not wait for it.
    virtual void StartInstance(const QStringList& arguments);

    virtual std::unique_ptr<CImportProgress> CreateImportProgress() = 0;
    // The font faces installed on the system; none without a font system.
    virtual QStringList InstalledFontFaces() const { return {}; }
    virtual void SetWaitCursor(bool wait) = 0;

    // Saving. Without windows the prompts are cancelled and there is no timer.
    // The save-file prompt proposing `proposedName` ("Save Copy As" as its title when `copy` is set);
    // the chosen path, empty when cancelled.
    virtual QString PromptSaveFileName(const QString& proposedName, bool copy) {
        (void)proposedName;
        (void)copy;
        return {};
    }
    // The version dialog with the proposed number; nothing when cancelled.
    virtual std::optional<VersionHistoryEntry> AskVersionEntry(int major, int minor) {
        (void)major;
        (void)minor;
        return std::nullopt;
    }
    // Starts the main window's automatic-saving timer that calls COpenDocument::OnAutoSaveTimer every
    // `milliseconds`; 0 stops it.
    virtual void SetAutoSaveTimer(int milliseconds) { (void)milliseconds; }
    // Opening. The open-file prompt with its title, starting at `startPath` when one is given; the chosen path,
    // empty when cancelled.
    virtual QString PromptOpenFileName(const QString& title, const QString& startPath) {
        (void)title;
        (void)startPath;
        return {};
    }
    // Exports. The save-file prompt proposing `proposedName`, listing the files of `filter` ("TXTファイル(*.txt)")
    // and adding `extension` to a name without one. It asks nothing about an existing file: the export refuses a
    // document in use before it asks that itself. The chosen path, empty when cancelled.
    virtual QString PromptExportFileName(const QString& proposedName, const QString& filter, const QString& extension) {
        (void)proposedName;
        (void)filter;
        (void)extension;
        return {};
    }
    // Starts the main window's timer that calls COpenDocument::OnReadOnlyWatchTimer every `milliseconds`; 0 stops it.
    virtual void SetReadOnlyWatchTimer(int milliseconds) { (void)milliseconds; }
    // Sets the main window's zoom to the document's zoom setting and applies it.
    virtual void RestoreZoom(int zoom) { (void)zoom; }
    // The chooser of a template for a new document over the templates' names, the first one selected; the
    // chosen index, or -1 when cancelled or nothing was chosen.
    virtual int ChooseDocTemplate(const QStringList& names) {
        (void)names;
        return -1;
    }
    // The open prompt for a FreeMind map to import; the chosen path, empty when cancelled.
    virtual QString PromptMapFileName() { return {}; }
    // The model's questions: the name of a new unit function, or with `isolated` of the copy that isolates a
    // shared one (`name` proposes it); false when cancelled.
    virtual bool PromptFunctionName(QString& name, bool isolated) {
        (void)name;
        (void)isolated;
        return false;
    }
    // Where the index views stand: stored into the document before a save, and put back after one was read.
    virtual void StoreIndexViewState(IndexViewInfo& info) { (void)info; }
    virtual void RestoreIndexViewState(const IndexViewInfo& info) { (void)info; }
    // The table of contents' tree selects the item as its current one, or scrolls it into view.
    virtual void SelectTreeItem(CAbstractIndexItem& item) { (void)item; }
    virtual void EnsureTreeItemVisible(CAbstractIndexItem& item) { (void)item; }
    // The move dialog for the item of the table of contents; it moves the item itself.
    virtual void RunMoveDialog(CAbstractIndexItem& item) { (void)item; }
    // Takes the keyboard focus away so that editors store what they hold, and gives it back.
    virtual void ReleaseKeyboardFocus() {}
    virtual void RestoreKeyboardFocus() {}
    // The open editors commit what was typed and not yet committed, so that a save writes it and a close asks
    // about it, whether or not the window has the focus. For a close (`closing`), a blank Fn line goes with its
    // message, as when the focus leaves the editor: a close cannot wait for its name, and the save it asks for would
    // say the same again and write the document without the line.
    virtual void CommitPendingEdits(bool closing) { (void)closing; }
    // Whether an open editor holds an edit not yet committed: an Fn name, a unit function's name, a header box or
    // content text being typed.
    virtual bool HasPendingEdits() const { return false; }
    // The input or output column setting changed under the open tabs: each lays out its logic row again.
    virtual void RelayoutOpenTabs() {}
    // The document's results font changed with the document (new, opened, environment imported): the result
    // pane shows its lines in it.
    virtual void ApplyResultsTextFormat() {}
};
