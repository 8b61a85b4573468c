#include "editor/ui/OutputView.h"

#include "editor/SidePaneLines.h"
#include "texts/StringTable.h"

COutputView::COutputView(CDocumentData& document, CUnitFunction& function, QWidget* parent)
    : CSidePaneView(document, function, LoadString(StringId::OutputPaneCaption), parent) {
    setObjectName(QStringLiteral("COutputView"));
    Refill();
}

std::vector<SidePaneLine> COutputView::BuildLines() const {
    return BuildOutputPaneLines(Document(), Function());
}
