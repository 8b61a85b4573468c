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
    // The font page changed the structure diagram's font: the diagram re-applies its zoom and lays out again.
    virtual void ApplyStructureDiagramZoomSetting() = 0;
    // The font page changed the notes font: the notes pane shows its text in it.
    virtual void ApplyMemoCharFormat() = 0;
    // The file of the open document, empty while it has none; the template page offers it as the template.
    virtual QString SettingsDocumentPath() const = 0;

protected:
    ~CSettingsHost() = default;
};
