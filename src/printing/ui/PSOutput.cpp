#include "printing/ui/PSOutput.h"

#include "model/PrintSettings.h"
#include "texts/Msg.h"

CPSOutput::CPSOutput(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPrintSectionPage(Msg::MessagesDockingWindowPlural(context), settings.sections[PrintSettings::Results],
                        Scale | Omission, context, parent) {}
