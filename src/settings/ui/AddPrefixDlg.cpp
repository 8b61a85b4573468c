#include "settings/ui/AddPrefixDlg.h"

#include "texts/Msg.h"
#include "texts/StringTable.h"

CAddPrefixDlg::CAddPrefixDlg(const CMessageContext& context, Request addPrefix, QWidget* parent)
    : CVocabularyRequestDlg(Msg::AppendPrefixToUnregisteredMemberNames(context), LoadString(StringId::VocabularyPrefix),
                            std::move(addPrefix), parent) {}
