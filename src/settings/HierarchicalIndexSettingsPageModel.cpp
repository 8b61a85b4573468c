#include "settings/HierarchicalIndexSettingsPageModel.h"

#include "model/DocumentData.h"

CHierarchicalIndexSettingsPageModel::CHierarchicalIndexSettingsPageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageHierarchicalIndex) {
    // Every value changes the chart's layout or its drawing.
    constexpr int chart = SettingsChangeIndexViews | SettingsChangeIndexLayout;
    AddNumber(RangeField(StringId::SettingZoomPercent, 1, 100, chart, NUV_SETTING(indexViewSettings.HierZoomVal)));
    AddNumber(SwitchField(StringId::SettingFitToWindow, chart, NUV_SETTING(indexViewSettings.HierZoomWindowAdj)));
    AddNumber(RangeField(StringId::SettingBoxHeight, 30, 200, chart, NUV_SETTING(indexViewSettings.HieBoxSizeY)));
    AddNumber(RangeField(StringId::SettingBoxWidth, 30, 200, chart, NUV_SETTING(indexViewSettings.HieBoxSizeX)));
    AddNumber(RangeField(StringId::SettingVerticalSpacing, 5, 100, chart, NUV_SETTING(indexViewSettings.HieBoxIntvY)));
    AddNumber(
        RangeField(StringId::SettingHorizontalSpacing, 5, 100, chart, NUV_SETTING(indexViewSettings.HieBoxIntvX)));
    const QStringList alignments{LoadString(StringId::SettingAlignLeft), LoadString(StringId::SettingAlignCentre),
                                 LoadString(StringId::SettingAlignRight)};
    AddNumber(ChoiceField(StringId::SettingOutlineNumberAlignment, chart, alignments, {0, 1, 2},
                          NUV_SETTING(indexViewSettings.HieIDAlign)));
    AddNumber(ChoiceField(StringId::SettingNameAlignment, chart, alignments, {0, 1, 2},
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
