#include "texts/ColorNameList.h"

#include "texts/Msg.h"

void FillColorNameList(std::vector<QString>& names, const CMessageContext& context) {
    static constexpr Msg::Id kPalette[] = {
        Msg::Id::Black,    Msg::Id::DarkBlue,     Msg::Id::DarkGreen,   Msg::Id::DarkCyan,
        Msg::Id::DarkRed,  Msg::Id::DarkMagenta,  Msg::Id::DarkYellow,  Msg::Id::ColorLightGray,
        Msg::Id::DarkGray, Msg::Id::Blue,         Msg::Id::ColorGreen,  Msg::Id::Cyan,
        Msg::Id::ColorRed, Msg::Id::ColorMagenta, Msg::Id::ColorYellow, Msg::Id::ColorWhite,
    };
    names.clear();
    for (const Msg::Id id : kPalette) {
        names.push_back(Msg::Text(context, id));
    }
}
