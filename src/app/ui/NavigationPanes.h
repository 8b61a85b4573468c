#pragma once

#include "app/DocumentObserver.h"
#include "app/PaneView.h"
#include "app/ZoomWindow.h"
#include "views/DrawingConsent.h"
#include "views/ViewHost.h"

#include <functional>
#include <memory>

class CAbstractIndexItem;
class CFunctionListView;
class CHierarchicalView;
class CLexicographicalView;
class CMemoView;
class CNUVApp;
class CStructureDiagram;
class CZoomDialog;
class QWidget;

// The main window's navigation panes: the hierarchical chart, the outline-ordered index, the unit-function list,
// the structure diagram and the notes, with the zoom window. They hear of the open document's changes and reach
// the document, its tabs and the drawing questions through this host.
class CNavigationPanes : public CViewHost, private CDocumentObserver, public CZoomWindow {
public:
    // `updateDocumentViews` and `updatePaneViews` refresh the tabs' views and the window's panes.
    CNavigationPanes(CNUVApp& app, QWidget* window, std::function<void()> updateDocumentViews,
                     std::function<void()> updatePaneViews);
    ~CNavigationPanes() override;
    CNavigationPanes(const CNavigationPanes&) = delete;
    CNavigationPanes& operator=(const CNavigationPanes&) = delete;

    CHierarchicalView* HierarchicalView() const { return m_hierarchical; }
    CLexicographicalView* OutlineIndex() const { return m_outline; }
    CFunctionListView* FunctionList() const { return m_functionList; }
    CStructureDiagram* StructureDiagram() const { return m_diagram; }
    CMemoView* Notes() const { return m_notes; }
    CZoomDialog* ZoomDialog() const { return m_zoom; }
    // The widget of the docked pane `paneId`; null for a pane that is not a navigation pane.
    QWidget* PaneWidget(int paneId) const;
    // The panes told by the window's pane refresh.
    CPaneView& HierarchicalPaneView() { return m_hierarchicalPane; }
    CPaneView& OutlinePaneView() { return m_outlinePane; }
    CPaneView& NotesPaneView() { return m_notesPane; }
    // Views made after a document was read show it as if they had been told of its reading.
    void CatchUpWithDocument();
    // The document changed as a whole (a worker's end): the list, the window's panes and the diagram show it.
    void ShowDocumentChanges();
    // The active tab changed: the list, the index and the diagram follow it.
    void ShowActiveFunction(CUnitFunction& function, CAbstractIndexItem* currentItem);

    // The host.
    CDocumentData& Document() override;
    bool HasDocument() const override;
    QString DocumentPath() const override;
    const CMessageContext& MessageContext() const override;
    void OpenFunctionTab(CUnitFunction* function) override;
    CUnitFunction* ActiveTabFunction() override;
    void SetModified() override;
    void SetNotesText(const QString& text) override;
    CDrawingConsent& DrawingConsent() override { return m_consent; }

    // The zoom window.
    void ShowZoomWindow() override;
    void ApplyZoom(int zoom) override;

private:
    class PaneView : public CPaneView {
    public:
        explicit PaneView(std::function<void()> update) : m_update(std::move(update)) {}
        void OnUpdate() override { m_update(); }

    private:
        std::function<void()> m_update;
    };

    void DocumentChanged(DocumentChange change, CUnitFunction* function) override;
    // The zoom window moved: the application and the document take its zoom, then every view shows it.
    void OnZoomChanged();

    CNUVApp& m_app;
    CDrawingConsent m_consent;
    std::function<void()> m_updateDocumentViews;
    std::function<void()> m_updatePaneViews;
    CHierarchicalView* m_hierarchical;
    CLexicographicalView* m_outline;
    CFunctionListView* m_functionList;
    CStructureDiagram* m_diagram;
    CMemoView* m_notes;
    CZoomDialog* m_zoom;
    PaneView m_hierarchicalPane;
    PaneView m_outlinePane;
    PaneView m_notesPane;
};
