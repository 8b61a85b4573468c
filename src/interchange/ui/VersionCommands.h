#pragma once

#include "platform/CommandRegistry.h"

#include <QString>

class CDocumentData;
class CInspectionView;
class QDialog;
class QDialogButtonBox;
class QLayout;
class QLineEdit;
class QWidget;
struct CMessageContext;

// The ids of the version, comparison, merge and work-item commands in the main window's menus.
enum VersionCommandId {
    CommandCombineFunctions = 32771,
    CommandVersionControl = 32772,
    CommandConnectTeamFoundationServer = 32924,
    CommandShowDifferences = 33022,
};

// What the version, comparison and merge commands need of the window that offers them.
class CVersionCommandHost {
public:
    virtual CDocumentData& VersionedDocument() = 0;
    // The document's file, empty for a new document.
    virtual QString VersionedDocumentPath() const = 0;
    virtual void SetVersionedDocumentModified() = 0;
    // Stores the current content as a new version: the version dialog with the proposed number, then the save
    // (refused with a message when no more versions may be stored). True when saved.
    virtual bool SaveNewVersion() = 0;
    // Shows the stored version of that number from the document's file in a process of its own.
    virtual void OpenStoredVersion(int number) = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual CInspectionView& InspectionPane() = 0;
    virtual void ShowInspectionPane() = 0;
    virtual QWidget* DialogParent() = 0;

protected:
    ~CVersionCommandHost() = default;
};

// The rows of the version list, the comparison, the merge of unit functions and the work-item hand-over, which
// says that no connector exists here.
void AddVersionCommands(CCommandRegistry& registry, CVersionCommandHost& host);

// What the dialogs of these commands share: OK and Cancel in the program's words, accepting and rejecting the
// dialog; the file-name edit of another document beside a button that fills it from the open prompt, starting
// in the folder of `path`.
QDialogButtonBox* MakeOkCancelButtons(QDialog& dialog);
QLayout* MakeOtherDocumentRow(QLineEdit& edit, const QString& path);
