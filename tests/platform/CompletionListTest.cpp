#include "platform/CompletionList.h"

#include <gtest/gtest.h>

using platform::PlaceCompletionList;

// The list ends before the first button it would cover on its side of the field; with too little left there, it goes
// to the other side when it keeps more of its height there, within the screen and the buttons alike.
TEST(CompletionList, CoversNoButtonOfTheWindow) {
    const QRect screen(0, 0, 1000, 800);
    const QRect field(100, 200, 300, 24);
    const QRect below(100, 222, 300, 160); // as the toolkit places it, overlapping the field a little
    // No button in its way, or only beside it: the toolkit's place.
    EXPECT_EQ(PlaceCompletionList(below, field, {}, screen, 60), below);
    EXPECT_EQ(PlaceCompletionList(below, field, {QRect(420, 200, 80, 24), QRect(420, 300, 80, 30)}, screen, 60), below);
    // A button far enough below: the list ends before it; the higher of two.
    EXPECT_EQ(PlaceCompletionList(below, field, {QRect(300, 350, 90, 30), QRect(50, 320, 90, 30)}, screen, 60),
              QRect(100, 222, 300, 98));
    // The Print button right under the field: the list goes above the field, ended before the button there.
    EXPECT_EQ(PlaceCompletionList(below, field, {QRect(300, 250, 90, 30), QRect(80, 100, 40, 20)}, screen, 60),
              QRect(100, 120, 300, 80));
    // And within the screen.
    EXPECT_EQ(PlaceCompletionList(below.translated(0, -100), field.translated(0, -100), {QRect(300, 150, 90, 30)},
                                  screen, 60),
              QRect(100, 0, 300, 100));
    // No more room above: it keeps what is left below.
    EXPECT_EQ(PlaceCompletionList(below, field, {QRect(300, 250, 90, 30), QRect(80, 180, 40, 19)}, screen, 60),
              QRect(100, 222, 300, 28));

    // A list the toolkit put above the field, for want of room below on the screen.
    const QRect above(100, 41, 300, 160);
    EXPECT_EQ(PlaceCompletionList(above, field, {QRect(100, 60, 90, 30)}, screen, 60), QRect(100, 90, 300, 111));
    EXPECT_EQ(PlaceCompletionList(above, field, {QRect(100, 170, 90, 25)}, screen, 60), QRect(100, 224, 300, 160));
}
