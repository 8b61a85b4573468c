#include "editor/EditorDialogRules.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"

#include <gtest/gtest.h>

// The go-to-line range reaches the description's last line; one without lines offers the line its caret is on.
TEST(EditorDialogRulesTest, TheJumpRangeEndsAtTheLastLineAndAtOneWithoutLines) {
    const CMessageContext messages;
    EXPECT_EQ(JumpLabel(messages, 0), Msg::LineNumber(messages) + QStringLiteral(" (1-1)"));
    EXPECT_EQ(JumpLabel(messages, 19947), Msg::LineNumber(messages) + QStringLiteral(" (1-19947)"));
}
