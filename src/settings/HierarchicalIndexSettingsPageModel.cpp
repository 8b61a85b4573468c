#include "settings/HierarchicalIndexSettingsPageModel.h"

#include "model/DocumentData.h"

CHierarchicalIndexSettingsPageModel::CHierarchicalIndexSettingsPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(Msg::Id::HierarchicalTableOfContents) {
    // Every value changes the chart's layout or its drawing.
    constexpr int chart = SettingsChangeIndexViews | SettingsChangeIndexLayout;
    AddNumber(RangeField(Msg::Id::Zoom, 1, 100, chart, NUV_SETTING(indexViewSettings.HierZoomVal)));
    AddNumber(SwitchField(Msg::Id::AdjustWidth, chart, NUV_SETTING(indexViewSettings.HierZoomWindowAdj)));
    AddNumber(RangeField(StringId::SettingBoxHeight, 30, 200, chart, NUV_SETTING(indexViewSettings.HieBoxSizeY)));
    AddNumber(RangeField(StringId::SettingBoxWidth, 30, 200, chart, NUV_SETTING(indexViewSettings.HieBoxSizeX)));
    AddNumber(RangeField(StringId::SettingVerticalSpacing, 5, 100, chart, NUV_SETTING(indexViewSettings.HieBoxIntvY)));
    AddNumber(
        RangeField(StringId::SettingHorizontalSpacing, 5, 100, chart, NUV_SETTING(indexViewSettings.HieBoxIntvX)));
    const std::vector<SettingsLabel> alignments{Msg::Id::Left, Msg::Id::Center, Msg::Id::Right};
    AddNumber(ChoiceField(Msg::Id::OutlineNumberLayout, chart, alignments, {0, 1, 2},
                          NUV_SETTING(indexViewSettings.HieIDAlign)));
    AddNumber(ChoiceField(Msg::Id::FunctionNameLayout, chart, alignments, {0, 1, 2},
                          NUV_SETTING(indexViewSettings.HieFuncAlign)));
    AddNumber(ColourField(StringId::SettingColourDescribed, chart, NUV_SETTING(indexViewSettings.HieColorDescOn)));
    AddNumber(ColourField(StringId::SettingColourNotDescribed, chart, NUV_SETTING(indexViewSettings.HieColorDescOff)));
    AddNumber(ColourField(StringId::SettingColourReused, chart, NUV_SETTING(indexViewSettings.HieColorReuse)));
    AddNumber(
        ColourField(StringId::SettingColourReuseReference, chart, NUV_SETTING(indexViewSettings.HieColorReuseRef)));
    AddFont({StringId::SettingNameFont, chart, NUV_SETTING_PLACE(indexViewSettings.HieFont)});
    AddFont({StringId::SettingOutlineNumberFont, chart, NUV_SETTING_PLACE(indexViewSettings.HieIDFont)});
    Load(data);
}
