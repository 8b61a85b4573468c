#include "platform/TextBoxStart.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>
#include <utility>

using platform::CWholeReplacements;
using platform::TextBoxCapacity;
using platform::TextBoxStart;
using platform::TextFromBox;

// A box holds the start of a text too long for it, a character of two code units across its end left out whole; a
// visit changes nothing, an edit keeps the rest, and an edit that replaced all the box showed replaces the whole text.
TEST(TextBoxStart, ALongTextChangesOnlyByAnEditAndKeepsWhatTheBoxDoesNotHold) {
    const QString shown = QString(TextBoxCapacity, u'a');
    const QString rest = QString(20122, u'b');
    const QString pairAtEnd = QString(TextBoxCapacity - 1, u'a') + QStringLiteral("\U0001F35Aend");
    EXPECT_TRUE(TextBoxStart(shown + rest) == shown);
    EXPECT_EQ(TextBoxStart(pairAtEnd).size(), TextBoxCapacity - 1);
    for (const auto& [text, box, expected] :
         {std::tuple{shown + rest, shown, shown + rest},
          {shown + rest, shown.chopped(1) + u'X', shown.chopped(1) + u'X' + rest},
          {pairAtEnd, pairAtEnd.left(TextBoxCapacity - 1), pairAtEnd},
          {pairAtEnd, pairAtEnd.left(TextBoxCapacity - 2) + u'X',
           pairAtEnd.left(TextBoxCapacity - 2) + u'X' + QStringLiteral("\U0001F35Aend")}}) {
        EXPECT_TRUE(TextFromBox(text, box, false) == expected) << box.right(8).toStdString();
    }
    EXPECT_EQ(TextFromBox(shown + rest, QStringLiteral("NewName"), true), QStringLiteral("NewName"));
    EXPECT_TRUE(TextFromBox(shown + rest, shown, true) == shown + rest);
}

// Undo takes a replacement back only where it leaves all the box holds selected, and redo makes it again only from
// there; a replacement of a replacement counts on its own, and an edit after an undo drops what could be redone.
TEST(WholeReplacements, UndoAndRedoTakeAReplacementBackAndMakeItAgainAtItsOwnStep) {
    CWholeReplacements replacements;
    // Each step: an edit (replacing all or not), an undo (leaving all selected or not) or a redo; then whether a
    // replacement is in force.
    enum Step { Edit, Replace, Undo, UndoAll, Redo };
    const auto run = [&replacements](std::initializer_list<std::pair<Step, bool>> steps) {
        for (const auto& [step, inForce] : steps) {
            if (step == Edit || step == Replace)
                replacements.Edited(step == Replace);
            else if (step == Undo || step == UndoAll)
                replacements.Undone(step == UndoAll);
            else
                replacements.Redone();
            EXPECT_EQ(replacements.InForce(), inForce) << step;
        }
    };
    run({{Edit, false},
         {Replace, true},
         {Edit, true},
         {Undo, true},
         {UndoAll, false},
         {Undo, false},
         {Redo, false},
         {Redo, true},
         {Redo, true},
         {Redo, true}});
    run({{Replace, true}, {UndoAll, true}, {UndoAll, false}, {Redo, true}, {Redo, true}, {UndoAll, true}});
    run({{UndoAll, false}, {Edit, false}, {Redo, false}});
    replacements.Edited(true);
    replacements.Reset();
    EXPECT_FALSE(replacements.InForce());
}
