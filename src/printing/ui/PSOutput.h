#pragma once

#include "printing/ui/PrintSectionPage.h"

struct PrintSettings;

// The printout of the result pane's lines: scale, cut lines.
class CPSOutput : public CPrintSectionPage {
    Q_OBJECT
public:
    CPSOutput(PrintSettings& settings, const CMessageContext& context, QWidget* parent = nullptr);
};
