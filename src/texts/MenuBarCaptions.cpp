#include "texts/MenuBarCaptions.h"

#include "texts/MessageContext.h"
#include "texts/Msg.h"
#include "texts/TextHelpers.h"

#include <QRegularExpression>

#include <iterator>
#include <span>
#include <utility>

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

namespace {

struct CommandItem {
    int command;
    Msg::Id text;
    const char* mnemonic;
    bool greyed;
};

// The command items of the main menu, whichever drop-down menu holds them.
constexpr CommandItem kCommandItems[] = {
    {33064, Msg::Id::FontWord, "F", false},
    {57600, Msg::Id::New, "N", false},
    {57601, Msg::Id::OpenCommand, "O", false},
    {57602, Msg::Id::Close, "C", false},
    {57603, Msg::Id::SaveCommand, "S", false},
    {57604, Msg::Id::SaveAs, "A", false},
    {32856, Msg::Id::ImportEnvironmentalSettings, "S", false},
    {32968, Msg::Id::ImportMemberNamesAndStateNames, "M", false},
    {33093, Msg::Id::ImportFileTree, "F", false},
    {33101, Msg::Id::ImportCSV, "C", false},
    {33103, Msg::Id::ExportCSV, "V", false},
    {33062, Msg::Id::ExportExplanationUI, "E", false},
    {33073, Msg::Id::ExportMemberNamesAndStateNames, "N", false},
    {33077, Msg::Id::ExportOutlineNumberOrderdTableOfContents, "O", false},
    {32772, Msg::Id::VersionMainMenu, "V", false},
    {33022, Msg::Id::DifferencesPlural, "D", false},
    {32771, Msg::Id::CombineFunctions, "", false},
    {57606, Msg::Id::PrinterSettings, "P", false},
    {32880, Msg::Id::PrintSettings, "P", false},
    {33017, Msg::Id::PrintPreview, "P", false},
    {33018, Msg::Id::Print, "P", false},
    {57665, Msg::Id::Exit, "X", false},
    {57643, Msg::Id::UndoCommand, "U", false},
    {57635, Msg::Id::Cut, "X", false},
    {57634, Msg::Id::CopyCommand, "C", false},
    {57637, Msg::Id::Paste, "V", false},
    {33070, Msg::Id::PastePlainText, "P", false},
    {57639, Msg::Id::PasteSpecial, "S", false},
    {57632, Msg::Id::Delete, "D", false},
    {57642, Msg::Id::SelectAll, "A", false},
    {33072, Msg::Id::Find, "F", false},
    {32963, Msg::Id::Replace, "R", false},
    {32784, Msg::Id::Jump, "J", false},
    {32991, Msg::Id::GenerateNaturalLanguage, "N", false},
    {57856, Msg::Id::InsertObject, "I", false},
    {57857, Msg::Id::LinkSettings, "L", false},
    {57860, Msg::Id::ObjectProperties, "O", false},
    {33119, Msg::Id::Zoom, "Z", false},
    {210, Msg::Id::Window2000, "2", false},
    {211, Msg::Id::OfficeXP, "X", false},
    {212, Msg::Id::WindowsXP, "P", false},
    {213, Msg::Id::Office2003, "3", false},
    {214, Msg::Id::VisualStudioNET2005, "V", false},
    {215, Msg::Id::Office2007BlueStyle, "B", false},
    {216, Msg::Id::Office2007BlackStyle, "K", false},
    {217, Msg::Id::Office2007SilverStyle, "S", false},
    {218, Msg::Id::Office2007AquaStyle, "A", false},
    {33027, Msg::Id::Back, "B", false},
    {33028, Msg::Id::Next, "N", false},
    {32995, Msg::Id::IntraMemberConsistencySettingsPlural, "I", false},
    {32997, Msg::Id::SemanticRelationSettings, "S", false},
    {32792, Msg::Id::RegisterMemberNameAndStateName, "R", false},
    {32961, Msg::Id::AppendPrefixToUnregisteredMemberNames, "A", false},
    {33071, Msg::Id::QuantifierPlural, "Q", false},
    {32979, Msg::Id::SyntaxInspection, "S", true},
    {32980, Msg::Id::RedundancyInspection, "R", true},
    {32981, Msg::Id::InconsistencyInspection, "I", true},
    {32794, Msg::Id::TotalInspection, "T", false},
    {32881, Msg::Id::SyntaxInspection, "S", false},
    {32882, Msg::Id::RedundancyInspection, "R", false},
    {32883, Msg::Id::InconsistencyInspection, "I", false},
    {32795, Msg::Id::TotalInspection, "T", false},
    {32793, Msg::Id::ListOfAssumptionsAndConclusions, "L", false},
    {32898, Msg::Id::ReasonInspection, "R", false},
    {32920, Msg::Id::DetectObscureWords, "O", false},
    {32858, Msg::Id::DetectSimilarWords, "S", false},
    {33013, Msg::Id::VeskSearch, "H", false},
    {33014, Msg::Id::VeskSettings, "T", false},
    {32804, Msg::Id::ExplanationUIFont, "E", false},
    {32803, Msg::Id::FontLogicUI, "L", false},
    {32892, Msg::Id::DecisionTable, "D", false},
    {32943, Msg::Id::TestSpacification, "T", false},
    {33000, Msg::Id::Traceability, "R", false},
    {33001, Msg::Id::ProcessMatrix, "P", false},
    {33004, Msg::Id::FunctionAttributePlural, "F", false},
    {33125, Msg::Id::ImportFromZIPC, "Z", false},
    {33126, Msg::Id::ExportToZIPC, "I", false},
    {32924, Msg::Id::ConnectTeamFoundationServer, "S", false},
    {57667, Msg::Id::HelpOpenHtmlHelp, "H", false},
    {57664, Msg::Id::VersionOfNuvProgram, "V", false},
    {33080, Msg::Id::ShowSplashScreen, "S", false},
};

struct PopupTitle {
    int position;
    Msg::Id text;
    const char* mnemonic;
};

struct TitleMap {
    std::vector<PopupTitle> titles;
};

// A popup is recognised by the positions of its submenus: File, View, the inspections, the collaboration.
const TitleMap kTitleMaps[] = {
    {{{6, Msg::Id::ImportAndExport, "I"}}},
    {{{0, Msg::Id::ToolbarsAndDockingWindowsPlural, "T"},
      {2, Msg::Id::ApplicationLooks, "A"},
      {3, Msg::Id::Move, "M"}}},
    {{{0, Msg::Id::InspectCurrentFunctionLabel, "C"}, {1, Msg::Id::InspectAllFunctionsLabel, "A"}}},
    {{{5, Msg::Id::ZIPC, "Z"}, {6, Msg::Id::TeamFoundationServer, "S"}}},
};

QString Caption(const CMessageContext& context, Msg::Id text, const char* mnemonic) {
    return MakeMenuItemText(context, Msg::Text(context, text), QString::fromLatin1(mnemonic));
}

const CommandItem* FindCommandItem(int command) {
    for (const CommandItem& item : kCommandItems) {
        if (item.command == command)
            return &item;
    }
    return nullptr;
}

// The commands the localisation has no row for: those with a text class of their own, built without an access
// key, and those with a caption per language.
// Toolbar buttons whose menu item is named by its submenu: the inspections of the current and of all unit functions.
constexpr std::pair<int, Msg::Id> kToolBarButtonTexts[] = {
    {32794, Msg::Id::InspectCurrentFunction},
    {32795, Msg::Id::InspectAllFunctions},
};

constexpr std::pair<int, Msg::Id> kCommandTexts[] = {
    {32783, Msg::Id::Find},         {57641, Msg::Id::Replace},      {32885, Msg::Id::EnvironmentalSettingsPlural},
    {57671, Msg::Id::HelpMainMenu}, {57670, Msg::Id::HelpMainMenu}, {57669, Msg::Id::HelpMainMenu},
};

struct FixedCaption {
    int command;
    const char* japanese;
    const char* english;
};

constexpr FixedCaption kFixedCaptions[] = {
    {33097, "2013-June形式でエクスポート", "Export in 2013-June format"},
    // Commands of the drop-down menus that the localisation does not name keep their one caption in English too.
    {33196, "コメントソース", "コメントソース"},
    {32789, "アウトライン順目次", "アウトライン順目次"},
    {32790, "階層順目次", "階層順目次"},
    // The languages are named in their own language, whichever is chosen.
    {32992, "&English", "&English"},
    {32993, "&Japanese", "&Japanese"},
    {131, "ウィンドウ(&W)...", "&Windows..."},
    {126, "カスタマイズ", "Customize"},
    {32878, "起動中のNUV", "Running NUV"},
    {32985, "未登録メンバー名 登録", "Register unregistered member name"},
};

constexpr const char* kMenuCaptions[] = {
    "ファイル",
    "インポートとエクスポート",
    "編集",
    "表示",
    "ツール バーとドッキング ウィンドウ",
    "アプリケーションの外観",
    "移動",
    "意味設定",
    "検査",
    "現在の単位機能の検査",
    "すべての単位機能の検査",
    "Vesk",
    "フォント",
    "連携",
    "ZIPC",
    "Team Foundation Server",
    "ヘルプ",
    "&Language",
};
static_assert(std::size(kMenuCaptions) == static_cast<size_t>(MenuCaption::Language) + 1);

} // namespace

QString MakeCommandCaption(const CMessageContext& context, int text) {
    if (std::optional<QString> caption = MakeCommandItemCaption(context, text))
        return *caption;
    for (const auto& [command, id] : kCommandTexts) {
        if (command == text)
            return MakeMenuItemText(context, Msg::Text(context, id), QString());
    }
    for (const FixedCaption& caption : kFixedCaptions) {
        if (caption.command == text)
            return QString::fromUtf8(context.m_language == 1 ? caption.japanese : caption.english);
    }
    return QString();
}

QString MakeCommandCaptionWithoutAccessKey(const CMessageContext& context, int text) {
    QString caption = MakeCommandCaption(context, text);
    caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    return caption.remove(QLatin1Char('&'));
}

QString MakeToolBarButtonCaption(const CMessageContext& context, int text) {
    for (const auto& [command, id] : kToolBarButtonTexts) {
        if (command == text)
            return Msg::Text(context, id);
    }
    return MakeCommandCaptionWithoutAccessKey(context, text);
}

QString MakeMenuCaption(MenuCaption caption) {
    return QString::fromUtf8(kMenuCaptions[static_cast<size_t>(caption)]);
}

std::optional<QString> MakeCommandItemCaption(const CMessageContext& context, int command) {
    const CommandItem* item = FindCommandItem(command);
    if (!item)
        return std::nullopt;
    return Caption(context, item->text, item->mnemonic);
}

std::optional<QString> MakeEditPopupCaption(const CMessageContext& context, int command) {
    static constexpr std::pair<int, const char*> kPopupItems[] = {
        {57643, "元に戻す(&U)"},
        {57635, "切り取り(&T)"},
        {57634, "コピー(&C)"},
        {57637, "貼り付け(&P)"},
        {33070, "テキスト形式で貼り付け(&Q)"},
        {57639, "形式を選択して貼り付け(&S)"},
        {57632, "削除(&D)"},
        {57642, "すべて選択(&A)"},
        {33064, "フォント(&F)"},
    };
    for (const auto& [item, japanese] : kPopupItems) {
        if (item == command)
            return context.m_language == 1 ? QString::fromUtf8(japanese) : MakeCommandItemCaption(context, command);
    }
    return std::nullopt;
}

bool IsCommandItemGreyed(int command) {
    const CommandItem* item = FindCommandItem(command);
    return item && item->greyed;
}

std::map<int, QString> MakePopupTitleCaptions(const CMessageContext& context, const std::set<int>& submenuPositions) {
    std::map<int, QString> captions;
    for (const TitleMap& map : kTitleMaps) {
        std::set<int> positions;
        for (const PopupTitle& title : map.titles)
            positions.insert(title.position);
        if (positions != submenuPositions)
            continue;
        for (const PopupTitle& title : map.titles)
            captions[title.position] = Caption(context, title.text, title.mnemonic);
    }
    return captions;
}

RichEditContextMenuCaptions MakeRichEditContextMenuCaptions(const CMessageContext& context, const QString& doKeyword,
                                                            const QString& fnKeyword) {
    const auto text = [&context](Msg::Id id, const QStringList& arguments = {}) {
        return MakeMenuItemText(context, Msg::Text(context, id, arguments), QString());
    };
    RichEditContextMenuCaptions captions;
    for (Msg::Id id : {Msg::Id::Choose, Msg::Id::AddBehind, Msg::Id::EditRevision, Msg::Id::Delete})
        captions.positions.push_back(text(id));
    constexpr std::pair<int, Msg::Id> kCommands[] = {
        {32851, Msg::Id::Newline},
        {32825, Msg::Id::CommentWord},
        {32843, Msg::Id::CommentWord},
        {32826, Msg::Id::Newline},
        {32844, Msg::Id::Newline},
        {32837, Msg::Id::DeleteLine},
        {32859, Msg::Id::DeleteBlock},
        {32860, Msg::Id::DeleteFrame},
        {57643, Msg::Id::UndoCommand},
        {57644, Msg::Id::RedoCommand},
        {57634, Msg::Id::CopyCommand},
        {32926, Msg::Id::PasteStatement},
        {752, Msg::Id::SelectFunction},
        {33066, Msg::Id::FontWord},
        {33069, Msg::Id::RegisterMemberName},
        {33024, Msg::Id::AddNegation},
        {33025, Msg::Id::AddZenkakuNegation},
        {57635, Msg::Id::Cut},
        {57637, Msg::Id::Paste},
        {57642, Msg::Id::SelectAll},
        {33173, Msg::Id::ShowRedundantCommands},
        {33174, Msg::Id::ShowRedundantCommandsInSubMenus},
        {33172, Msg::Id::NoRedundantCommand},
    };
    for (const auto& [command, id] : kCommands)
        captions.commands[command] = text(id);
    captions.commands[32829] = text(Msg::Id::ReplaceWithKeyword, {doKeyword});
    captions.commands[32827] = text(Msg::Id::ReplaceWithKeyword, {fnKeyword});
    // The character delete reads the same in both languages.
    captions.commands[57632] = QStringLiteral("文字削除");
    return captions;
}
