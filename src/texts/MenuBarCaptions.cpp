#include "texts/MenuBarCaptions.h"

#include "texts/Msg.h"
#include "texts/TextHelpers.h"

#include <span>

namespace {

struct ButtonCaption {
    Msg::Id text;
    const char* mnemonic;
};

constexpr ButtonCaption kDocumentMenu[] = {
    {Msg::Id::File, "F"},
    {Msg::Id::Edit, "E"},
    {Msg::Id::View, "V"},
    {Msg::Id::SemanticSettings, "T"},
    {Msg::Id::InspectionPlural, "I"},
    {Msg::Id::Vesk, "W"},
    {Msg::Id::FontPlural, "O"},
    {Msg::Id::EnvironmentalSettingsPlural, "S"},
    {Msg::Id::Collaboration, "C"},
    {Msg::Id::HelpMainMenu, "H"},
};

constexpr ButtonCaption kShortDocumentMenu[] = {
    {Msg::Id::File, "F"},          {Msg::Id::Edit, "E"},
    {Msg::Id::View, "V"},          {Msg::Id::InspectionPlural, "I"},
    {Msg::Id::Vesk, "W"},          {Msg::Id::EnvironmentalSettingsPlural, "S"},
    {Msg::Id::Collaboration, "C"}, {Msg::Id::HelpMainMenu, "H"},
};

constexpr ButtonCaption kMenuWithoutDocument[] = {
    {Msg::Id::File, "F"},
    {Msg::Id::View, "V"},
    {Msg::Id::HelpMainMenu, "H"},
};

std::span<const ButtonCaption> CaptionsFor(int buttonCount) {
    if (buttonCount >= 10) {
        return kDocumentMenu;
    }
    if (buttonCount >= 8) {
        return kShortDocumentMenu;
    }
    if (buttonCount >= 3) {
        return kMenuWithoutDocument;
    }
    return {};
}

} // namespace

std::vector<QString> MakeMenuBarButtonCaptions(const CMessageContext& context, int buttonCount) {
    std::vector<QString> captions;
    for (const ButtonCaption& button : CaptionsFor(buttonCount)) {
        captions.push_back(
            MakeMenuItemText(context, Msg::Text(context, button.text), QString::fromLatin1(button.mnemonic)));
    }
    return captions;
}
