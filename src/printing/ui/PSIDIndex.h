#pragma once

#include "printing/ui/PrintSectionPage.h"

struct PrintSettings;

// The outline-ordered index's printout: range, scale, cut lines.
class CPSIDIndex : public CPrintSectionPage {
    Q_OBJECT
public:
    CPSIDIndex(PrintSettings& settings, const CMessageContext& context, QWidget* parent = nullptr);
};
