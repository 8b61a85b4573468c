#include "platform/WholeReplacements.h"

#include <gtest/gtest.h>

using platform::CWholeReplacements;

// Undo takes a replacement back only where it leaves all the box holds selected, and redo makes it again only from
// there: the steps before and after it keep what they had.
TEST(WholeReplacements, UndoAndRedoTakeAReplacementBackAndMakeItAgainAtItsOwnStep) {
    CWholeReplacements replacements;
    replacements.Edited(false);
    EXPECT_FALSE(replacements.InForce());
    replacements.Edited(true);
    replacements.Edited(false);
    EXPECT_TRUE(replacements.InForce());
    // The edit after the replacement, then the replacement, then the edit before it are taken back.
    replacements.Undone(false);
    EXPECT_TRUE(replacements.InForce());
    replacements.Undone(true);
    EXPECT_FALSE(replacements.InForce());
    replacements.Undone(false);
    EXPECT_FALSE(replacements.InForce());
    // Made again in the same order.
    replacements.Redone();
    EXPECT_FALSE(replacements.InForce());
    replacements.Redone();
    EXPECT_TRUE(replacements.InForce());
    replacements.Redone();
    EXPECT_TRUE(replacements.InForce());
    // Nothing left to redo changes nothing.
    replacements.Redone();
    EXPECT_TRUE(replacements.InForce());
}

TEST(WholeReplacements, ReplacementsOfReplacementsAndEditsAfterAnUndoCountEachOnce) {
    CWholeReplacements replacements;
    replacements.Edited(true);
    replacements.Edited(true);
    replacements.Undone(true);
    EXPECT_TRUE(replacements.InForce());
    replacements.Undone(true);
    EXPECT_FALSE(replacements.InForce());
    replacements.Redone();
    replacements.Redone();
    replacements.Undone(true);
    EXPECT_TRUE(replacements.InForce());

    // An edit after an undo drops what could be redone.
    replacements.Undone(true);
    replacements.Edited(false);
    replacements.Redone();
    EXPECT_FALSE(replacements.InForce());

    replacements.Edited(true);
    replacements.Reset();
    EXPECT_FALSE(replacements.InForce());
    replacements.Undone(true);
    EXPECT_FALSE(replacements.InForce());
}
