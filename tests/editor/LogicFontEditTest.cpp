#include "editor/LogicFontEdit.h"
#include "editor/CaretContext.h"
#include "editor/LogicClipboard.h"
#include "editor/LogicEditModel.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

FontSetting Font(const QString& face, quint16 size, quint8 colourIndex = 0) {
    FontSetting font;
    font.faceName = face;
    font.pointSize = size;
    font.colourIndex = colourIndex;
    return font;
}

void AddLine(CUnitFunction& function, quint8 kind, std::initializer_list<QString> texts) {
    auto line = std::make_unique<CLogicLine>();
    line->lineKind = kind;
    size_t slot = 0;
    for (const QString& text : texts) {
        line->textSlots[slot].text = text;
        line->textSlots[slot++].SetFont(Font("Base", 105));
    }
    line->RecountPositions();
    function.logicLines.push_back(std::move(line));
}

class LogicFontEditTest : public ::testing::Test {
protected:
    LogicFontEditTest() {
        document.SetDefaults();
        CUnitFunction& function = *document.registry.origin;
        AddLine(function, SyntaxIf, {"Door", "が", "open", "なら"});
        AddLine(function, SyntaxDo, {"Lamp", "を", "on", "にする"});
        AddLine(function, SyntaxComment, {""});
        other = document.registry.CreateFunctionWithID(2000);
        AddLine(*other, SyntaxDo, {"Door", "を", "open", "にする"});
        model = std::make_unique<CLogicEditModel>(document, function, clipboard);
    }
    // The column of a character of a slot of a line.
    int Column(int line, int slot, int offset = 0) const {
        return CLogicEditModel::SlotColumn(*model->Record(line), slot, offset);
    }

    platform::ScriptedMessageSink sink;
    CDocumentData document;
    CProcessClipboard clipboard;
    CUnitFunction* other = nullptr;
    std::unique_ptr<CLogicEditModel> model;
};

} // namespace

TEST_F(LogicFontEditTest, TheFontCommandIsOfferedOnTextWhoseFontMayBeSet) {
    model->SetCaret(0, Column(0, 0, 2));
    EXPECT_TRUE(CanEditFontAtCaret(*model)) << "in the member name";
    model->SetCaret(0, Column(0, 0, 4));
    EXPECT_TRUE(CanEditFontAtCaret(*model)) << "just after the name's last character";
    model->SetCaret(0, Column(0, 3, 1));
    EXPECT_FALSE(CanEditFontAtCaret(*model)) << "the ending of a condition";
    model->SetCaret(1, Column(1, 3, 1));
    EXPECT_TRUE(CanEditFontAtCaret(*model)) << "the text after the state of a Do line";
    model->Select(0, Column(0, 0, 1), 0, Column(0, 2, 1));
    EXPECT_FALSE(CanEditFontAtCaret(*model)) << "from the member into the state";
    model->SetCaret(2, Column(2, 0));
    EXPECT_FALSE(CanEditFontAtCaret(*model)) << "an empty comment";
    model->Select(0, 0, 2, 0);
    EXPECT_TRUE(CanEditFontAtCaret(*model)) << "two whole lines";
}

TEST_F(LogicFontEditTest, TheSlotUnderTheCaretOrEveryOccurrenceOfTheNameTakesTheFont) {
    model->Record(0)->textSlots[2].SetFont(Font("State", 120));
    model->SetCaret(0, Column(0, 2, 1));
    std::optional<LogicFontEdit> edit = BeginFontEditAtCaret(*model);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->font, Font("State", 120));
    EXPECT_EQ(edit->mask, AllFontAttributes);
    EXPECT_EQ(edit->nameAtCaret, "open");
    EXPECT_TRUE(ApplyFontEditAtCaret(*model, *edit, Font("Chosen", 140), AllFontAttributes, QString()));
    EXPECT_EQ(model->Record(0)->textSlots[2].Font(), Font("Chosen", 140));
    EXPECT_EQ(other->logicLines[0]->textSlots[2].Font(), Font("Base", 105));

    model->SetCaret(0, Column(0, 0, 1));
    edit = BeginFontEditAtCaret(*model);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->nameAtCaret, "Door");
    EXPECT_TRUE(ApplyFontEditAtCaret(*model, *edit, Font("Named", 160), AllFontAttributes, "Door"));
    EXPECT_EQ(model->Record(0)->textSlots[0].Font(), Font("Named", 160));
    EXPECT_EQ(other->logicLines[0]->textSlots[0].Font(), Font("Named", 160)) << "in another unit function too";
    EXPECT_EQ(model->Record(1)->textSlots[0].Font(), Font("Base", 105));

    model->SetCaret(1, Column(1, 1, 1));
    edit = BeginFontEditAtCaret(*model);
    EXPECT_TRUE(edit->nameAtCaret.isEmpty()) << "a connecting text is no name";
}

TEST_F(LogicFontEditTest, SelectedLinesShareOnlyTheirCommonAttributesAndTakeOnlyTheChosenOnes) {
    model->Record(1)->textSlots[3].SetFont(Font("Base", 200, 4));
    model->Select(0, 0, 2, 0);
    std::optional<LogicFontEdit> edit = BeginFontEditAtCaret(*model);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->lineCount, 2);
    EXPECT_EQ(edit->mask, AllFontAttributes & ~(FontAttributeSize | FontAttributeColour));
    EXPECT_EQ(edit->font.pointSize, 0);
    EXPECT_EQ(edit->font.colourIndex, NoColourIndex);

    FontSetting chosen = edit->font;
    chosen.bold = 1;
    EXPECT_TRUE(ApplyFontEditAtCaret(*model, *edit, chosen, edit->mask | FontAttributeBold, QString()));
    EXPECT_EQ(model->Record(1)->textSlots[3].Font().pointSize, 200) << "the differing size stays";
    EXPECT_EQ(model->Record(1)->textSlots[3].Font().colourIndex, 4);
    EXPECT_EQ(model->Record(1)->textSlots[3].Font().bold, 1);
    EXPECT_EQ(model->Record(0)->textSlots[2].Font().bold, 1);
    EXPECT_EQ(model->Record(0)->textSlots[3].Font().bold, 0) << "an if line's ending keeps its font";
    // The lines are drawn with the new fonts at once, not at the next full redraw.
    const auto drawnBold = [this](int line, int column) {
        for (const LineFormatRun& run : model->Composed(line).runs) {
            if (column >= run.start && column < run.start + run.length)
                return run.font.bold != 0;
        }
        return false;
    };
    EXPECT_TRUE(drawnBold(1, Column(1, 3, 1)));
    EXPECT_TRUE(drawnBold(0, Column(0, 2, 1)));
}
