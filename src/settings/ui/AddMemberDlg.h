#pragma once

#include "settings/ui/VocabularyRequestDlg.h"

struct CMessageContext;

// The modeless dialog that registers a member name and the states it is used with: OK hands the name to the
// window, which registers it on its worker.
class CAddMemberDlg : public CVocabularyRequestDlg {
    Q_OBJECT
public:
    CAddMemberDlg(const CMessageContext& context, Request registerName, QWidget* parent);
};
