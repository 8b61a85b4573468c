#include "editor/EditorDialogRules.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"

#include <gtest/gtest.h>

namespace {

// The go-to-line range reaches the description's last line; one without lines offers the line its caret is on.
TEST(EditorDialogRulesTest, TheJumpLabelsRangeIsOneToTheLastLineAndNeverEmpty) {
    const CMessageContext messages;
    const struct {
        int lineCount;
        const char* range;
    } cases[] = {{0, " (1-1)"}, {1, " (1-1)"}, {25, " (1-25)"}, {19947, " (1-19947)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lineCount);
        EXPECT_EQ(JumpLabel(messages, c.lineCount), Msg::LineNumber(messages) + QLatin1String(c.range));
    }
}

} // namespace
