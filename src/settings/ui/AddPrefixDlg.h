#pragma once

#include "settings/ui/VocabularyRequestDlg.h"

struct CMessageContext;

// The modeless dialog that puts a prefix before the unregistered member names of the active tab's unit
// function: it opens with the unit function's name, and OK hands the prefix to the window.
class CAddPrefixDlg : public CVocabularyRequestDlg {
    Q_OBJECT
public:
    CAddPrefixDlg(const CMessageContext& context, Request addPrefix, QWidget* parent);
};
