#include "views/OutlineIndexItems.h"

namespace {

// More than a row of the widest screen shows: a row lays out its whole text at every paint, so a name of megabytes
// would hold the window for seconds at each.
constexpr qsizetype kShownTextLength = 1024;

} // namespace

QString COutlineIndexItems::ItemText(const CAbstractIndexItem& item, const ModelOptions& options, bool showPrefix,
                                     bool showPostfix) {
    const QString own = item.GetOutlineNumberString();
    QString text;
    if (showPrefix)
        text = own + QLatin1Char(' ');
    const QString shown = item.GetDisplayText(options);
    if (shown.size() <= kShownTextLength) {
        text += shown;
    } else {
        const qsizetype cut = shown[kShownTextLength - 1].isHighSurrogate() ? kShownTextLength - 1 : kShownTextLength;
        text += QStringView(shown).left(cut);
        text += QChar(0x2026);
    }
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
