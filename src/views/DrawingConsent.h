#pragma once

class CAbstractIndexItem;

// The one-time questions before the hierarchical chart and the structure diagram are first drawn, which name
// the number of table-of-contents items. The chart's answer holds for the process; the diagram's is asked
// again after a document of more than 100 items was opened.
class CDrawingConsent {
public:
    static constexpr int LargeDocumentItems = 100;

    bool ChartAllowed() const { return m_chartAllowed; }
    bool DiagramAllowed() const { return m_diagramAllowed; }
    // Ask with OK and Cancel; OK allows drawing from then on. True when allowed.
    bool ConfirmChart(CAbstractIndexItem& root);
    bool ConfirmDiagram(CAbstractIndexItem& root);
    // A document was opened: one of more than 100 items asks again before the diagram is drawn.
    void DocumentOpened(CAbstractIndexItem& root);

private:
    bool m_chartAllowed = false;
    bool m_diagramAllowed = false;
};
