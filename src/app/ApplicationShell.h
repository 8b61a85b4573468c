#pragma once

#include <QString>

#include <memory>

class CImportProgress;
class CNUVApp;

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
    // Runs the main window's close path once the current work is done (a posted close).
    virtual void PostCloseToMainWindow() = 0;
    // Asks the instance `processId` to close its main window; does not wait for it.
    virtual void PostCloseToInstance(quint32 processId) = 0;
    // Asks the instance `processId` to bring its main window to the front; does not wait for it.
    virtual void ActivateInstance(quint32 processId) = 0;

    virtual std::unique_ptr<CImportProgress> CreateImportProgress() = 0;
    virtual void SetWaitCursor(bool wait) = 0;
};
