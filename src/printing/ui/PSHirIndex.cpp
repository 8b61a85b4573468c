#include "printing/ui/PSHirIndex.h"

#include "model/PrintSettings.h"
#include "texts/Msg.h"

CPSHirIndex::CPSHirIndex(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPrintSectionPage(Msg::HierarchicalTableOfContents(context), settings.sections[PrintSettings::HierarchicalIndex],
                        Range | Scale, context, parent) {}
