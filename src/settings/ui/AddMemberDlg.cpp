#include "settings/ui/AddMemberDlg.h"

#include "texts/Msg.h"
#include "texts/StringTable.h"

CAddMemberDlg::CAddMemberDlg(const CMessageContext& context, Request registerName, QWidget* parent)
    : CVocabularyRequestDlg(Msg::RegisterMemberName(context), LoadString(StringId::VocabularyRegisteredMember),
                            std::move(registerName), parent) {}
