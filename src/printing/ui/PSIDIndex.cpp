#include "printing/ui/PSIDIndex.h"

#include "model/PrintSettings.h"
#include "texts/Msg.h"

CPSIDIndex::CPSIDIndex(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPrintSectionPage(Msg::OutlineNumberOrderdTableOfContents(context),
                        settings.sections[PrintSettings::OutlineOrderedIndex], Range | Scale | Omission, context,
                        parent) {}
