#include "settings/SettingsSheet.h"
#include "model/DocumentData.h"
#include "model/StandardColours.h"
#include "platform/MessageBox.h"
#include "settings/DisplayPageModel.h"
#include "settings/DlgHeaderModel.h"
#include "settings/FAreaDialogModel.h"
#include "settings/FuncAttrPageModel.h"
#include "settings/HierarchicalIndexSettingsPageModel.h"
#include "settings/StructurePageModel.h"
#include "support/QStringPrinter.h"
#include "texts/MessageContext.h"

#include <gtest/gtest.h>

namespace {

using platform::MessageAnswer;

class SettingsPageModels : public ::testing::Test {
protected:
    SettingsPageModels() {
        data.SetDefaults();
        japanese.m_language = 1;
    }

    // The index of the number field of the page labelled `label`.
    size_t NumberField(const CSettingsSheetPageModel& model, const SettingsLabel& label) const {
        for (size_t i = 0; i < model.NumberFields().size(); ++i)
            if (model.NumberFields()[i].label == label)
                return i;
        ADD_FAILURE() << "no field " << label.Text(japanese).toStdString();
        return 0;
    }

    CMessageContext japanese;
    CDocumentData data;
    platform::ScriptedMessageSink messages;
};

TEST(SettingsSheetRefresh, ChangeBitsBecomeTheRefreshesInOrder) {
    EXPECT_EQ(RefreshesAfterSettingsSheet(0, true), SettingsSheetRefresh{});
    // Only the index layout: the index views take their settings again, nothing else is refreshed.
    EXPECT_EQ(RefreshesAfterSettingsSheet(SettingsChangeIndexLayout, true), (SettingsSheetRefresh{true}));
    EXPECT_EQ(RefreshesAfterSettingsSheet(SettingsChangeIndexViews, true),
              (SettingsSheetRefresh{false, false, false, true, false}));
    // Without both index views as windows, everything is rebuilt instead.
    EXPECT_EQ(RefreshesAfterSettingsSheet(SettingsChangeIndexViews, false),
              (SettingsSheetRefresh{false, false, false, false, true}));
    EXPECT_EQ(RefreshesAfterSettingsSheet(SettingsChangeTabViews, true), (SettingsSheetRefresh{false, true}));
    EXPECT_EQ(RefreshesAfterSettingsSheet(SettingsChangeIndexViews | SettingsChangeTabViews, false),
              (SettingsSheetRefresh{false, true, true}));
    EXPECT_EQ(RefreshesAfterSettingsSheet(7, true), (SettingsSheetRefresh{true, true, true}));
}

TEST_F(SettingsPageModels, HierarchicalIndexLoadsRefusesOutOfRangeAndStoresOnlyTheChange) {
    data.indexViewSettings.HieBoxSizeY = 77;
    data.indexViewSettings.HieColorReuse = 13;
    // A file without a box width reads it as 0; left alone, it is no reason to refuse the page.
    data.indexViewSettings.HieBoxSizeX = 0;
    CHierarchicalIndexSettingsPageModel model(data);
    EXPECT_TRUE(model.Validate(japanese));
    const size_t height = NumberField(model, StringId::SettingBoxHeight);
    const size_t width = NumberField(model, StringId::SettingBoxWidth);
    const size_t zoom = NumberField(model, Msg::Id::Zoom);
    EXPECT_EQ(model.Number(height), 77);
    EXPECT_EQ(model.Number(NumberField(model, StringId::SettingColourReused)), 13);

    // Nothing changed: nothing stored, no change bits.
    const HierarchicalIndexSettings before = data.indexViewSettings;
    EXPECT_FALSE(model.Apply(data).changed);
    EXPECT_EQ(data.indexViewSettings, before);

    for (const QString& typed : {QStringLiteral("29"), QStringLiteral("201"), QStringLiteral("abc")}) {
        model.SetNumberText(width, typed);
        EXPECT_FALSE(model.Validate(japanese)) << typed.toStdString();
    }
    model.SetNumberText(width, QStringLiteral("200"));
    model.SetNumberText(zoom, QStringLiteral("0"));
    EXPECT_FALSE(model.Validate(japanese));
    model.SetNumberText(zoom, QStringLiteral("100"));
    EXPECT_TRUE(model.Validate(japanese));
    ASSERT_EQ(messages.Texts().size(), 4);
    EXPECT_EQ(messages.Texts()[0], QStringLiteral("「階層順目次」ページの「Box width」の数値が範囲外です。"));
    EXPECT_EQ(messages.Texts()[3], QStringLiteral("「階層順目次」ページの「ズーム」の数値が範囲外です。"));
    // Page and field are named in the interface language.
    const CMessageContext english;
    model.SetNumberText(zoom, QStringLiteral("0"));
    EXPECT_FALSE(model.Validate(english));
    EXPECT_EQ(messages.Texts().last(), "「Hierarchical table of contents」ページの「Zoom」の数値が範囲外です。");
    model.SetNumberText(zoom, QStringLiteral("100"));

    const SettingsApplyResult result = model.Apply(data);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.changeBits, SettingsChangeIndexViews | SettingsChangeIndexLayout);
    HierarchicalIndexSettings expected = before;
    expected.HieBoxSizeX = 200;
    EXPECT_EQ(data.indexViewSettings, expected);
}

TEST_F(SettingsPageModels, HeaderStoresBothFormsOfAColourCutsTitlesAndTellsAColumnChange) {
    data.TitleTable.FuncTitle = QStringLiteral("機能");
    CDlgHeaderModel model(data);
    EXPECT_EQ(model.Text(2), QStringLiteral("機能"));
    EXPECT_FALSE(model.ChangesLogicColumns(data));
    model.SetNumber(NumberField(model, Msg::Id::StateNameColor), 12);
    model.SetText(0, QStringLiteral("No."));
    EXPECT_EQ(model.Text(0), QStringLiteral("No"));
    model.SetNumber(NumberField(model, Msg::Id::ShowConsequentUI), 1);
    EXPECT_TRUE(model.ChangesLogicColumns(data));

    const SettingsApplyResult result = model.Apply(data);
    EXPECT_EQ(result.changeBits, SettingsChangeTabViews);
    EXPECT_EQ(data.headerIOSettings.ColorNo2, 12);
    EXPECT_EQ(data.headerIOSettings.Color2, kStandardColours[12]);
    EXPECT_EQ(data.headerIOSettings.Output, 1);
    EXPECT_EQ(data.headerIOSettings.Input, 0);
    EXPECT_EQ(data.TitleTable.IDTitle, QStringLiteral("No"));
    EXPECT_FALSE(model.ChangesLogicColumns(data));
}

TEST_F(SettingsPageModels, PagesThatReportNothingStillStoreAndSayTheyChanged) {
    CStructurePageModel structure(data);
    const size_t zoom = NumberField(structure, Msg::Id::DefaultZoom);
    EXPECT_EQ(structure.NumberFields()[zoom].choiceValues, (std::vector<int>{0, 100, 90, 80, 70, 60, 50}));
    structure.SetNumber(zoom, 70);
    const SettingsApplyResult result = structure.Apply(data);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.changeBits, 0);
    EXPECT_EQ(data.environment.structureDiagram.defaultZoom, 70);

    const LogicAreaSettings before = data.FAreaTable;
    CFAreaDialogModel area(data);
    area.SetNumber(NumberField(area, StringId::SettingShowLineNumbers), 0);
    EXPECT_EQ(area.Apply(data).changeBits, SettingsChangeTabViews);
    LogicAreaSettings expected = before;
    expected.IsDispLineNum = 0;
    EXPECT_EQ(data.FAreaTable, expected);
}

TEST_F(SettingsPageModels, TheDisplayPageSwitchesAutomaticSavingInWholeMinutesFromOne) {
    CDisplayPageModel model(data);
    const size_t onOff = NumberField(model, Msg::Id::AutomaticFileSaving);
    const size_t interval = NumberField(model, StringId::SettingAutoSaveInterval);
    EXPECT_EQ(model.NumberFields()[onOff].kind, SettingsNumberKind::Switch);
    EXPECT_EQ(model.Number(onOff), 0);
    EXPECT_EQ(model.Number(interval), 10);

    for (const QString& typed :
         {QStringLiteral("0"), QStringLiteral("-5"), QStringLiteral("1.5"), QStringLiteral("")}) {
        model.SetNumberText(interval, typed);
        EXPECT_FALSE(model.Validate(japanese)) << typed.toStdString();
    }
    EXPECT_EQ(messages.Texts().back(),
              QStringLiteral("「表示」ページの「Automatic save interval (minutes)」の数値が範囲外です。"));
    model.SetNumberText(interval, QString::number(CDisplayPageModel::LongestAutoSaveInterval + 1));
    EXPECT_FALSE(model.Validate(japanese));
    model.SetNumberText(interval, QStringLiteral("1"));
    model.SetNumber(onOff, 1);
    EXPECT_TRUE(model.Validate(japanese));
    EXPECT_TRUE(model.Apply(data).changed);
    EXPECT_EQ(data.AutoSaveOnOff, 1);
    EXPECT_EQ(data.AutoSaveInterval, 1);
    EXPECT_EQ(data.MaximumNumberOfTabs, 3);
}

TEST_F(SettingsPageModels, FunctionAttributesOfferToDeleteEmptyAndDuplicateRows) {
    CFuncAttrPageModel model(data);
    ASSERT_EQ(model.Attributes().size(), 2u);
    ASSERT_TRUE(model.AddAttribute());
    EXPECT_EQ(model.Attributes()[2].id, 3);

    // An empty row: No keeps it and the page; Yes deletes it.
    messages.Answer(MessageAnswer::No);
    EXPECT_FALSE(model.Validate());
    EXPECT_EQ(model.Attributes().size(), 3u);
    messages.Answer(MessageAnswer::Yes);
    EXPECT_TRUE(model.Validate());
    EXPECT_EQ(model.Attributes().size(), 2u);

    // A symbol two rows share: the first row keeps it.
    model.AddAttribute();
    model.SetSymbol(2, QStringLiteral("FSXYZ"));
    EXPECT_EQ(model.Attributes()[2].symbol, QStringLiteral("FSXY"));
    model.SetSymbol(2, QStringLiteral("FS"));
    messages.Answer(MessageAnswer::Yes);
    EXPECT_TRUE(model.Validate());
    ASSERT_EQ(model.Attributes().size(), 2u);
    EXPECT_EQ(model.Attributes()[0].id, 1);
    EXPECT_EQ(messages.Texts().last(),
              QStringLiteral("\"FS\" appears more than once.\nDo you want to delete the duplicate items?"));
}

TEST_F(SettingsPageModels, ManHourFactorsAreNumbersAboveZero) {
    EXPECT_EQ(CFuncAttrPageModel(data).FactorText(CFuncAttrPageModel::HoursPerDay), "8");
    data.WorkTable.UnitMonthToDay = 21.5f;
    CFuncAttrPageModel model(data);
    EXPECT_EQ(model.FactorText(CFuncAttrPageModel::DaysPerMonth), "21.5");
    EXPECT_EQ(model.FactorText(CFuncAttrPageModel::MonthsPerYear), "12");

    // Zero, an empty box and a lone point are refused, naming the page and the field; the page stays open.
    const CMessageContext context;
    for (const char* text : {"0", "", ".", "0.0"}) {
        model.SetFactorText(CFuncAttrPageModel::MonthsPerYear, QString::fromLatin1(text));
        EXPECT_FALSE(model.ValidateFactors(context)) << text;
    }
    EXPECT_EQ(messages.Texts().last(), "「Function attributes」ページの「Conversion of units」の数値が範囲外です。");

    model.SetFactorText(CFuncAttrPageModel::MonthsPerYear, QStringLiteral("12"));
    model.SetFactorText(CFuncAttrPageModel::HoursPerDay, QStringLiteral("7.5"));
    EXPECT_TRUE(model.ValidateFactors(context));
    const SettingsApplyResult result = model.Apply(data);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.changeBits, SettingsChangeTabViews);
    EXPECT_EQ(data.WorkTable.UnitDayToHour, 7.5f);
    EXPECT_EQ(data.WorkTable.UnitMonthToDay, 21.5f);
    EXPECT_EQ(data.WorkTable.UnitYearToMonth, 12.0f);
    EXPECT_FALSE(CFuncAttrPageModel(data).Apply(data).changed);
}

TEST_F(SettingsPageModels, FunctionAttributesStoredAreFollowedByTheUnitFunctions) {
    CUnitFunctionHeader& header = data.registry.origin->header;
    header.TypeNo = 2;
    header.Type = QStringLiteral("SE");
    CFuncAttrPageModel model(data);
    EXPECT_FALSE(model.Apply(data).changed);

    model.SetSymbol(0, QStringLiteral("SAF"));
    model.RemoveAttribute(1);
    const SettingsApplyResult result = model.Apply(data);
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(result.changeBits, SettingsChangeTabViews);
    ASSERT_EQ(data.FunctionAttributes.size(), 1u);
    EXPECT_EQ(data.FunctionAttributes[0].symbol, QStringLiteral("SAF"));
    EXPECT_EQ(header.TypeNo, 0);
    EXPECT_TRUE(header.Type.isEmpty());
}

} // namespace
