#pragma once

#include <QString>

class CDocumentData;
class QWidget;
struct CMessageContext;

// What the settings pages and the vocabulary dialogs need of the window that opens them. Pages store their values
// in the document's record and report the change; the window refreshes what the change bits or calls say.
class CSettingsHost {
public:
    virtual CDocumentData& SettingsDocument() = 0;
    // A page or dialog stored a changed value: the document is modified.
    virtual void SetSettingsDocumentModified() = 0;
    virtual const CMessageContext& MessageContext() const = 0;
    virtual QWidget* DialogParent() = 0;
    // The font page changed the notes font: the notes pane shows its text in it.
    virtual void ApplyMemoCharFormat() = 0;
    // The font page changed the results font: the result pane shows its lines in it.
    virtual void ApplyResultsTextFormat() = 0;
    // The file of the open document, empty while it has none; the template page offers it as the template.
    virtual QString SettingsDocumentPath() const = 0;
    // What the environment-settings sheet and its pages refresh. The two index views are windows now; they take
    // their settings and fonts again; they show the document again without a rebuild.
    virtual bool HasIndexViews() const = 0;
    virtual void ReapplyIndexViewSettings() = 0;
    virtual void UpdateIndexViews() = 0;
    // Every tab's views; the window's panes; the table of contents rebuilt and every view after it.
    virtual void RefreshTabViews() = 0;
    virtual void RefreshPaneViews() = 0;
    virtual void RefreshAllViews() = 0;
    // Every open tab lays out its logic row again for the input and output columns the settings ask for.
    virtual void RelayoutOpenTabs() = 0;
    // The structure diagram takes its stored settings and font.
    virtual void ApplyStructureDiagramSettings() = 0;
    // Automatic saving was switched or its interval changed: the timer follows at once.
    virtual void ApplyAutoSaveSetting() = 0;
    // The tab limit may have been lowered: the least recently used tabs beyond it close.
    virtual void ApplyTabLimit() = 0;

protected:
    ~CSettingsHost() = default;
};
