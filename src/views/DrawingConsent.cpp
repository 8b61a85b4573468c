#include "views/DrawingConsent.h"

#include "model/AbstractIndexItem.h"
#include "platform/MessageBox.h"
#include "texts/StringTable.h"

namespace {

bool AskToDraw(StringId question, CAbstractIndexItem& root) {
    const QString text = LoadString(question).arg(static_cast<uint>(CAbstractIndexItem::CountItems(&root)));
    return platform::AskOkCancel(text, platform::MessageIcon::None);
}

} // namespace

bool CDrawingConsent::ConfirmChart(CAbstractIndexItem& root) {
    if (!m_chartAllowed && AskToDraw(StringId::ConfirmChartDrawing, root))
        m_chartAllowed = true;
    return m_chartAllowed;
}

bool CDrawingConsent::ConfirmDiagram(CAbstractIndexItem& root) {
    if (!m_diagramAllowed && AskToDraw(StringId::ConfirmDiagramDrawing, root))
        m_diagramAllowed = true;
    return m_diagramAllowed;
}

void CDrawingConsent::DocumentOpened(CAbstractIndexItem& root) {
    if (CAbstractIndexItem::CountItems(&root) > LargeDocumentItems)
        m_diagramAllowed = false;
}
