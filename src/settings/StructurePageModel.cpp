#include "settings/StructurePageModel.h"

#include "model/DocumentData.h"

CStructurePageModel::CStructurePageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(Msg::Id::StructureDiagram) {
    AddNumber(RangeField(StringId::SettingBoxWidth, 30, 200, 0, NUV_SETTING(environment.structureDiagram.boxWidth)));
    AddNumber(RangeField(StringId::SettingBoxHeight, 30, 200, 0, NUV_SETTING(environment.structureDiagram.boxHeight)));
    AddNumber(RangeField(StringId::SettingHorizontalSpacing, 5, 100, 0,
                         NUV_SETTING(environment.structureDiagram.horizontalSpace)));
    AddNumber(RangeField(StringId::SettingVerticalSpacing, 5, 100, 0,
                         NUV_SETTING(environment.structureDiagram.verticalSpace)));
    // The diagram offers these zooms; 0 fits the diagram to the window.
    const std::vector<int> zooms{0, 100, 90, 80, 70, 60, 50};
    std::vector<SettingsLabel> zoomLabels{Msg::Id::AdjustWidth};
    for (size_t i = 1; i < zooms.size(); ++i)
        zoomLabels.emplace_back(LoadString(StringId::ReductionPercent).arg(zooms[i]));
    AddNumber(
        ChoiceField(Msg::Id::DefaultZoom, 0, zoomLabels, zooms, NUV_SETTING(environment.structureDiagram.defaultZoom)));
    AddNumber(SwitchField(Msg::Id::ShowOutlineNumberPrefix, 0, NUV_SETTING(environment.structureDiagram.showPrefix)));
    AddNumber(SwitchField(Msg::Id::ShowOutlineNumberPostfix, 0, NUV_SETTING(environment.structureDiagram.showPostfix)));
    AddNumber(
        SwitchField(Msg::Id::ShowDepthIndicator, 0, NUV_SETTING(environment.structureDiagram.showDepthIndicator)));
    AddNumber(
        RangeField(Msg::Id::DepthOrigin, 0, 99, 0, NUV_SETTING(environment.structureDiagram.depthIndicatorOrigin)));
    AddFont({Msg::Id::Font, 0, NUV_SETTING_PLACE(fonts.StructureDiagramFont)});
    Load(data);
}
