#pragma once

#include "editor/ui/SidePaneView.h"

// The output pane right of the logic editor: the member and state of every Do and Transit State line.
class COutputView : public CSidePaneView {
    Q_OBJECT
public:
    COutputView(CDocumentData& document, CUnitFunction& function, QWidget* parent = nullptr);

protected:
    std::vector<SidePaneLine> BuildLines() const override;
};
