#include "settings/StructurePageModel.h"

#include "model/DocumentData.h"

CStructurePageModel::CStructurePageModel(const CDocumentData& data)
    : CSettingsSheetPageModel(StringId::SettingsPageStructureDiagram) {
    AddNumber(RangeField(StringId::SettingBoxWidth, 30, 200, 0, NUV_SETTING(environment.structureDiagram.boxWidth)));
    AddNumber(RangeField(StringId::SettingBoxHeight, 30, 200, 0, NUV_SETTING(environment.structureDiagram.boxHeight)));
    AddNumber(RangeField(StringId::SettingHorizontalSpacing, 5, 100, 0,
                         NUV_SETTING(environment.structureDiagram.horizontalSpace)));
    AddNumber(RangeField(StringId::SettingVerticalSpacing, 5, 100, 0,
                         NUV_SETTING(environment.structureDiagram.verticalSpace)));
    // The diagram offers these zooms; 0 fits the diagram to the window.
    const std::vector<int> zooms{0, 100, 90, 80, 70, 60, 50};
    QStringList zoomLabels{LoadString(StringId::SettingFitToWindow)};
    for (size_t i = 1; i < zooms.size(); ++i)
        zoomLabels << LoadString(StringId::ReductionPercent).arg(zooms[i]);
    AddNumber(ChoiceField(StringId::SettingDefaultZoom, 0, zoomLabels, zooms,
                          NUV_SETTING(environment.structureDiagram.defaultZoom)));
    AddNumber(SwitchField(StringId::SettingShowPrefix, 0, NUV_SETTING(environment.structureDiagram.showPrefix)));
    AddNumber(SwitchField(StringId::SettingShowPostfix, 0, NUV_SETTING(environment.structureDiagram.showPostfix)));
    AddNumber(SwitchField(StringId::SettingShowDepthIndicator, 0,
                          NUV_SETTING(environment.structureDiagram.showDepthIndicator)));
    AddNumber(RangeField(StringId::SettingDepthIndicatorOrigin, 0, 99, 0,
                         NUV_SETTING(environment.structureDiagram.depthIndicatorOrigin)));
    AddFont({StringId::SettingFont, 0, NUV_SETTING_PLACE(fonts.StructureDiagramFont)});
    Load(data);
}
