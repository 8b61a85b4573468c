#include "printing/ui/PSMemo.h"

#include "model/PrintSettings.h"
#include "texts/Msg.h"

CPSMemo::CPSMemo(PrintSettings& settings, const CMessageContext& context, QWidget* parent)
    : CPrintSectionPage(Msg::NotesPlural(context), settings.sections[PrintSettings::Notes], Scale | Omission, context,
                        parent) {}
