#include "app/ui/NavigationPanes.h"

#include "app/MainFrameCommandIds.h"
#include "app/NUVApp.h"
#include "app/OpenDocument.h"
#include "views/ui/FunctionListView.h"
#include "views/ui/HierarchicalView.h"
#include "views/ui/LexicographicalView.h"
#include "views/ui/MemoView.h"
#include "views/ui/StructureDiagram.h"
#include "views/ui/ZoomDialog.h"

CNavigationPanes::CNavigationPanes(CNUVApp& app, QWidget* window, std::function<void()> updateDocumentViews,
                                   std::function<void()> updatePaneViews)
    : m_app(app), m_updateDocumentViews(std::move(updateDocumentViews)), m_updatePaneViews(std::move(updatePaneViews)),
      m_hierarchical(new CHierarchicalView(*this, window)), m_outline(new CLexicographicalView(*this, window)),
      m_functionList(new CFunctionListView(*this, window)), m_diagram(new CStructureDiagram(*this, window)),
      m_notes(new CMemoView(*this, window)), m_zoom(new CZoomDialog([this] { OnZoomChanged(); }, window)),
      m_hierarchicalPane([this] { m_hierarchical->OnUpdate(); }), m_outlinePane([this] { m_outline->OnUpdate(); }),
      m_notesPane([this] { m_notes->OnUpdate(); }) {
    m_app.Document().AddObserver(*this);
}

CNavigationPanes::~CNavigationPanes() {
    m_app.Document().RemoveObserver(*this);
}

QWidget* CNavigationPanes::PaneWidget(int paneId) const {
    switch (paneId) {
    case MainFrameCommand::HierarchicalIndexPane:
        return m_hierarchical;
    case MainFrameCommand::OutlineIndexPane:
        return m_outline;
    case MainFrameCommand::NotesPane:
        return m_notes;
    case MainFrameCommand::FunctionListPane:
        return m_functionList;
    case MainFrameCommand::StructureDiagramPane:
        return m_diagram;
    default:
        return nullptr;
    }
}

void CNavigationPanes::DocumentChanged(DocumentChange change, CUnitFunction*) {
    switch (change) {
    case DocumentChange::Reloaded:
        m_consent.DocumentOpened(Document().indexRoot);
        m_outline->UpdateFont();
        m_hierarchical->ApplySettings();
        [[fallthrough]];
    case DocumentChange::Closed:
    case DocumentChange::FunctionsAddedOrMoved:
    case DocumentChange::FunctionRenamed:
        ShowDocumentChanges();
        break;
    case DocumentChange::FunctionRemoved:
    case DocumentChange::FunctionLinesChanged:
    case DocumentChange::FunctionHeaderChanged:
    case DocumentChange::ModifiedChanged:
    case DocumentChange::NotesChanged:
        break;
    }
}

void CNavigationPanes::ShowDocumentChanges() {
    m_functionList->Refresh();
    m_updatePaneViews();
    m_diagram->ApplyZoomSetting();
}

void CNavigationPanes::CatchUpWithDocument() {
    if (HasDocument())
        DocumentChanged(DocumentChange::Reloaded, nullptr);
}

void CNavigationPanes::ShowActiveFunction(CUnitFunction& function, CAbstractIndexItem* currentItem) {
    m_functionList->SelectCurrentFunction(&function);
    if (currentItem) {
        CAbstractIndexItem::ResetTreeFlagRecursive(Document().indexRoot);
        currentItem->selected = 1;
        m_outline->SelectItem(currentItem);
    }
    m_diagram->DrawDiagram();
}

CDocumentData& CNavigationPanes::Document() {
    return m_app.Document().DocumentData();
}

QString CNavigationPanes::DocumentPath() const {
    return m_app.Document().DocumentPath();
}

bool CNavigationPanes::HasDocument() const {
    return m_app.Document().DocumentData().DataReady != 0;
}

const CMessageContext& CNavigationPanes::MessageContext() const {
    return m_app.MessageContext();
}

void CNavigationPanes::OpenFunctionTab(CUnitFunction* function) {
    if (function)
        m_app.Document().Tabs().OpenFunctionTab(function);
}

CUnitFunction* CNavigationPanes::ActiveTabFunction() {
    return m_app.Document().Tabs().ActiveTabFunction();
}

void CNavigationPanes::SetModified() {
    m_app.Document().SetModified();
}

void CNavigationPanes::SetNotesText(const QString& text) {
    m_app.Document().SetNotesText(text);
}

void CNavigationPanes::ShowZoomWindow() {
    m_zoom->show();
    m_zoom->raise();
}

void CNavigationPanes::OnZoomChanged() {
    m_app.SetZoomFactor(m_zoom->ZoomFactor());
    Document().environment.zoom = m_zoom->Position();
    m_updateDocumentViews();
    m_updatePaneViews();
}

void CNavigationPanes::ApplyZoom(int zoom) {
    m_zoom->ApplyPosition(zoom);
}
