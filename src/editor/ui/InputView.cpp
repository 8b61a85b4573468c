#include "editor/ui/InputView.h"

#include "editor/SidePaneLines.h"
#include "texts/StringTable.h"

CInputView::CInputView(CDocumentData& document, CUnitFunction& function, QWidget* parent)
    : CSidePaneView(document, function, LoadString(StringId::InputPaneCaption), parent) {
    setObjectName(QStringLiteral("CInputView"));
    Refill();
}

std::vector<SidePaneLine> CInputView::BuildLines() const {
    return BuildConditionPaneLines(Document(), Function());
}
