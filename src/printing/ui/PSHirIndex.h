#pragma once

#include "printing/ui/PrintSectionPage.h"

struct PrintSettings;

// The hierarchical chart's printout: range and scale.
class CPSHirIndex : public CPrintSectionPage {
    Q_OBJECT
public:
    CPSHirIndex(PrintSettings& settings, const CMessageContext& context, QWidget* parent = nullptr);
};
