#pragma once

#include "generators/DecisionTableMaker.h"
#include "platform/CommandRegistry.h"

#include <QString>

class CDocumentData;
class CInspectionRunner;
class CInspectionView;
class CUnitFunction;
class QWidget;
struct CMessageContext;

// The ids of the generator commands in the main window's menus.
enum GeneratorCommandId {
    CommandDecisionTable = 32892,
    CommandTestSpecification = 32943,
    CommandNaturalSentences = 32991,
    CommandTraceability = 33000,
    CommandProcessMatrix = 33001,
    CommandCommentSource = 33196,
};

// What the generator commands need of the window that offers them.
class CGeneratorCommandHost {
public:
    virtual CDocumentData& GeneratedDocument() = 0;
    // The document's file, empty for a new document, and its name as the title shows it.
    virtual QString GeneratedDocumentPath() const = 0;
    virtual QString GeneratedDocumentName() const = 0;
    // The stored settings changed: the document is modified.
    virtual void SetGeneratedDocumentModified() = 0;
    // The active tab's unit function; null without a tab.
    virtual const CUnitFunction* ActiveFunction() const = 0;
    // Puts the text in place of the selection of the active tab's content pane as one edit the user can undo,
    // and activates the pane as a click into it would.
    virtual void ReplaceActiveContentSelection(const QString& text) = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual CInspectionView& InspectionPane() = 0;
    virtual void ShowInspectionPane() = 0;
    virtual QWidget* DialogParent() = 0;
    // The worker of the window's document-wide runs, which makes a decision table as it runs an inspection; the run
    // holds the document from true to false, the window greying its commands meanwhile.
    virtual CInspectionRunner& InspectionRunner() = 0;
    virtual void SetInspectionWorkerRunning(bool running) = 0;
    // The decision table's choices that last while the window lives.
    virtual DecisionTableSessionChoices& DecisionTableChoices() = 0;

protected:
    ~CGeneratorCommandHost() = default;
};

// The rows of the decision table, the test-specification draft, the natural sentences, the traceability and process
// matrices and the comment source.
void AddGeneratorCommands(CCommandRegistry& registry, CGeneratorCommandHost& host);

// The Save-As prompt of the generator dialogs, starting from `name`; empty when cancelled.
QString PromptGeneratorFileName(QWidget* parent, const QString& name, const QString& filter, const QString& extension);
