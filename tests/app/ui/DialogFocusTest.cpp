#include "app/ui/FileVersion.h"
#include "model/DocumentFile.h"
#include "support/ui/DialogChecks.h"
#include "texts/MessageContext.h"

#include <gtest/gtest.h>

TEST(DialogFocus, TheVersionDialogIsWalkedInReadingOrder) {
    const CMessageContext context;
    VersionHistoryEntry proposal;
    proposal.Major = 1;
    proposal.Minor = 2;
    CFileVersion dialog(context, proposal);
    dialog_checks::ExpectReadingOrder(dialog);
}
