#include "editor/ui/JumpDlg.h"
#include "editor/ui/LineMarkDialog.h"
#include "editor/ui/ReasoningDlg.h"
#include "support/ui/DialogChecks.h"
#include "texts/MessageContext.h"

#include <gtest/gtest.h>

TEST(DialogFocus, EveryEditorDialogWithATextIsWalkedInReadingOrder) {
    const CMessageContext messages;
    {
        CJumpDlg dialog(25, messages);
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CLineMarkDialog dialog(QStringLiteral("memo"), {QString(), QStringLiteral("https://example.org"), QString()},
                               [](const QString&) {});
        dialog_checks::ExpectReadingOrder(dialog);
    }
    {
        CReasoningDlg dialog(QStringLiteral("why"), messages);
        dialog_checks::ExpectReadingOrder(dialog);
    }
}
