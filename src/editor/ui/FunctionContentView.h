#pragma once

#include "editor/ContentLink.h"
#include "editor/ui/RichEditCtrlEx.h"

#include <optional>

class CDocumentData;
class CFunctionFormHost;
class CUnitFunction;

// The content pane of a unit-function tab: the free content text in the document's content font. An object
// the content carries is kept in the document as it was read and shown as a box with its size. Leaving the
// pane after a change stores the plain text through the tab's host. Links show as links, and a left press on one
// opens it through the host. A right click shows the application's edit popup, in the interface language.
class CFunctionContentView : public CRichEditCtrlEx {
    Q_OBJECT
public:
    CFunctionContentView(CDocumentData& document, CUnitFunction& function, CFunctionFormHost& host,
                         QWidget* parent = nullptr);

    // Shows the unit function's content again.
    void Fill();
    // Stores the text when it was changed; true when it was.
    bool StoreContent();
    // Whether the text shown differs from the content text stored, so that StoreContent would change it.
    bool HasContentEdit() const;
    // The plain text without the object boxes.
    QString ContentText() const;

    void RunContextMenuCommand(int command) override;

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The link under a viewport point, if any.
    std::optional<ContentLink> LinkAt(const QPoint& point) const;
    // Shows the text's links as links.
    void ShowLinks();

    CDocumentData& m_document;
    CUnitFunction& m_function;
    CFunctionFormHost& m_host;
};
