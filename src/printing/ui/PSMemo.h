#pragma once

#include "printing/ui/PrintSectionPage.h"

struct PrintSettings;

// The notes' printout: scale, cut lines.
class CPSMemo : public CPrintSectionPage {
    Q_OBJECT
public:
    CPSMemo(PrintSettings& settings, const CMessageContext& context, QWidget* parent = nullptr);
};
