#pragma once

class CDocumentData;
class QString;
class CDrawingConsent;
class CUnitFunction;
struct CMessageContext;

// What the navigation panes need of the application: the open document's record, the language, the tabs, and
// the modified flag. The main window gives each pane one; tests give a fake.
class CViewHost {
public:
    virtual ~CViewHost() = default;

    virtual CDocumentData& Document() = 0;
    // False while no document is open: the panes then show nothing.
    virtual bool HasDocument() const = 0;
    // The file the document was opened from or saved to; empty for a document never saved.
    virtual QString DocumentPath() const = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual void OpenFunctionTab(CUnitFunction* function) = 0;
    // The unit function of the active tab, null without one.
    virtual CUnitFunction* ActiveTabFunction() = 0;
    virtual void SetModified() = 0;
    // The notes as the user edited them; the document is modified when they differ.
    virtual void SetNotesText(const QString& text) = 0;
    // The questions before the chart and the diagram are first drawn, answered once for the process.
    virtual CDrawingConsent& DrawingConsent() = 0;
};
