#pragma once

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

protected:
    ~CSettingsHost() = default;
};
