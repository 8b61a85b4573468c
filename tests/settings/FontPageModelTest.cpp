#include "settings/FontPageModel.h"

#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "texts/MessageContext.h"

#include <gtest/gtest.h>

TEST(FontPageModelTest, ApplyStoresTheChangedFontsAndSaysWhichViewsFollow) {
    CDocumentData data;
    data.SetDefaults();
    data.memoFont.pointSize = 120;
    CFontPageModel model(data);
    EXPECT_EQ(model.fonts[CFontPageModel::NotesFont].pointSize, 120);
    EXPECT_FALSE(model.Apply(data).stored);

    model.fonts[CFontPageModel::LogicFont].bold = 1;
    model.fonts[CFontPageModel::StructureDiagramFont].faceName = "Face";
    CFontPageModel::Changes changes = model.Apply(data);
    EXPECT_TRUE(changes.stored);
    EXPECT_TRUE(changes.tabViews);
    EXPECT_TRUE(changes.structureDiagram);
    EXPECT_FALSE(changes.notes);
    EXPECT_EQ(data.fonts.LogicFont.bold, 1);
    EXPECT_EQ(data.fonts.StructureDiagramFont.faceName, "Face");
    EXPECT_EQ(data.memoFont.pointSize, 120);

    // The results font is stored without asking a view to follow; the defaults bring every font back.
    model.fonts[CFontPageModel::ResultsFont].italic = 1;
    changes = model.Apply(data);
    EXPECT_TRUE(changes.stored);
    EXPECT_FALSE(changes.tabViews || changes.structureDiagram || changes.notes);
    EXPECT_EQ(data.resultsFont.italic, 1);
    model.RestoreDefaults();
    changes = model.Apply(data);
    EXPECT_TRUE(changes.tabViews && changes.structureDiagram && changes.notes);
    EXPECT_EQ(data.fonts, DefaultDocumentFonts());
    EXPECT_EQ(data.memoFont, FontSetting());
    EXPECT_EQ(data.resultsFont, FontSetting());
}

TEST(FontPageModelTest, EveryFaceMustBeNamedAndFitItsField) {
    CDocumentData data;
    data.SetDefaults();
    CMessageContext context;
    platform::ScriptedMessageSink sink;
    CFontPageModel model(data);
    EXPECT_TRUE(model.Validate(context));
    model.fonts[CFontPageModel::NotesFont].faceName = " ";
    EXPECT_FALSE(model.Validate(context));
    model.fonts[CFontPageModel::NotesFont].faceName = QString(FontSetting::MaxFaceNameLength + 1, 'x');
    EXPECT_FALSE(model.Validate(context));
    model.fonts[CFontPageModel::NotesFont].faceName = QString(FontSetting::MaxFaceNameLength, 'x');
    EXPECT_TRUE(model.Validate(context));
    ASSERT_EQ(sink.Requests().size(), 2);
    EXPECT_TRUE(sink.Texts()[0].startsWith(CFontPageModel::TargetName(CFontPageModel::NotesFont, context)));
}
