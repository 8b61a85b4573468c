#include "settings/FontPageModel.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"

#include <gtest/gtest.h>

TEST(FontPageModelTest, TheDefaultsBringEveryFontBackAndTheResultPaneFollowsTheResultsFont) {
    CDocumentData data;
    data.SetDefaults();
    data.resultsFont.italic = 1;
    data.fonts.LogicFont.bold = 1;
    CFontPageModel model(data);
    model.RestoreDefaults();
    const CFontPageModel::Changes changes = model.Apply(data);
    EXPECT_TRUE(changes.stored && changes.tabViews && changes.results);
    EXPECT_FALSE(changes.structureDiagram || changes.notes);
    EXPECT_EQ(data.fonts, DefaultDocumentFonts());
    EXPECT_EQ(data.resultsFont, FontSetting());
}

TEST(FontPageModelTest, EveryFaceMustBeNamedAndFitItsField) {
    CDocumentData data;
    data.SetDefaults();
    CMessageContext context;
    platform::ScriptedMessageSink sink;
    CFontPageModel model(data);
    model.fonts[CFontPageModel::NotesFont].faceName = " ";
    EXPECT_FALSE(model.Validate(context));
    model.fonts[CFontPageModel::NotesFont].faceName = QString(FontSetting::MaxFaceNameLength + 1, 'x');
    EXPECT_FALSE(model.Validate(context));
    model.fonts[CFontPageModel::NotesFont].faceName = QString(FontSetting::MaxFaceNameLength, 'x');
    EXPECT_TRUE(model.Validate(context));
    ASSERT_EQ(sink.Requests().size(), 2);
    EXPECT_TRUE(sink.Texts()[0].startsWith(CFontPageModel::TargetName(CFontPageModel::NotesFont, context)));
}
