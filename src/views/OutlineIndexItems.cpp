#include "views/OutlineIndexItems.h"

#include "model/TextUtilities.h"

QString COutlineIndexItems::ItemText(const CAbstractIndexItem& item, const ModelOptions& options, bool showPrefix,
                                     bool showPostfix) {
    const QString own = item.GetOutlineNumberString();
    QString text;
    if (showPrefix)
        text = own + QLatin1Char(' ');
    text += ShownText(item.GetDisplayText(options));
    if (showPostfix && item.unitFunction) {
        const QString places = item.unitFunction->GetOutlineNumberText(options.DistinguishPrimaryOutlineNumber);
        if (places != own)
            text += QStringLiteral(" (") + places + QLatin1Char(')');
    }
    return text;
}

int COutlineIndexItems::ItemIcon(const CAbstractIndexItem& item) {
    if (item.cycleStop)
        return CycleIcon;
    // The root's number is empty; it counts as used.
    if (!item.unitFunction || (item.unitFunction->fnCallerCount == 0 && item.place.parent != nullptr))
        return UnusedIcon;
    return UsedIcon;
}

FontSetting COutlineIndexItems::ShownFont(const FontSetting& font) {
    FontSetting shown = font;
    if (shown.faceName.isEmpty())
        shown.faceName = GetDefaultUIFontName();
    if (shown.pointSize < 80 || shown.pointSize > 160)
        shown.pointSize = 100;
    return shown;
}
