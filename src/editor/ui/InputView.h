#pragma once

#include "editor/ui/SidePaneView.h"

// The condition pane left of the logic editor: the member and condition of every if, else, switch, case
// and elsw line.
class CInputView : public CSidePaneView {
    Q_OBJECT
public:
    CInputView(CDocumentData& document, CUnitFunction& function, QWidget* parent = nullptr);

protected:
    std::vector<SidePaneLine> BuildLines() const override;
};
