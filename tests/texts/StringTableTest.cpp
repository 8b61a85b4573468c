#include "texts/StringTable.h"

#include "support/QStringPrinter.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct Entry {
    StringId id;
    const char* name;
};

constexpr Entry kEntries[] = {
#define NUV_STRING(name, text) {StringId::name, #name},
#define NUV_STRING_ID(name, number, text) {StringId::name, #name},
#define NUV_TEXT(name, japanese, english) {StringId::name, #name},
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
};

TEST(StringTable, EveryTextIsPresentAndDecodedWithoutLoss) {
    for (const Entry& entry : kEntries) {
        const QString text = LoadString(entry.id);
        EXPECT_FALSE(text.isEmpty()) << entry.name;
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << entry.name;
    }
}

TEST(StringTable, NumberedTextsKeepTheirNumbersAndTheirWording) {
    EXPECT_EQ(static_cast<int>(StringId::ApplicationTitle), 57344);
    EXPECT_EQ(static_cast<int>(StringId::MapConversionFailed), 28672);
    EXPECT_EQ(static_cast<int>(StringId::TooManyInstances), 28920);
    EXPECT_EQ(LoadString(StringId::ApplicationTitle), QStringLiteral("NUV FreeMind Map file converter"));
    EXPECT_EQ(LoadString(StringId::TooManyInstances).arg(16),
              QStringLiteral("NUVは16個より多くは同時に起動できません。"));
    EXPECT_EQ(LoadString(StringId::MapConversionFailed),
              QStringLiteral("Mapファイルの変換に失敗しました。\nファイルを確認してください。"));
}

TEST(StringTable, ArgumentsAreFilledOnceEvenWhenTheyHoldPlaceholders) {
    // A name that looks like a placeholder stays as it is.
    EXPECT_EQ(LoadString(StringId::IsolateUnderSharedParent).arg(QStringLiteral("\"%2\""), QStringLiteral("\"P\"")),
              QStringLiteral("選択された単位機能 \"%2\" の親単位機能 \"P\" は共通単位機能です。\n"
                             "単位機能 \"%2\" に対して「共通単位機能を個別単位機能に変更」を行ったことによる変更は、"
                             "親単位機能 \"P\" のすべての共通単位機能に適用されます。\n\n"
                             "この動作が意図に沿わない場合は、親単位機能 \"P\" に対して"
                             "「共通単位機能を個別単位機能に変更」を行ってください。"));
    EXPECT_EQ(LoadString(StringId::ExistentialNotAllowed).arg(QStringLiteral("%1"), QStringLiteral("\"ある\"")),
              QStringLiteral("存在記号は%1文に使用できません。\"ある\" は存在記号です。"));
}

// The program's own texts, as the interface shows them in each language.
TEST(StringTable, OwnTextsShowInTheInterfacesLanguageAndExistInBoth) {
    const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff01}-\\x{ff5e}]"));
    const QRegularExpression letters(QStringLiteral("[A-Za-z]{2,}"));
    const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
    const auto placeholders = [&](const QString& text) {
        QStringList found;
        for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
            found << match.captured();
        found.sort();
        return found;
    };
    const struct {
        StringId id;
        const char* name;
    } texts[] = {
#define NUV_STRING(name, text)
#define NUV_STRING_ID(name, number, text)
#define NUV_TEXT(name, japanese, english) {StringId::name, #name},
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
    };
    ASSERT_GT(std::size(texts), 20u);
    for (const auto& [id, name] : texts) {
        SetTextLanguage(1);
        const QString inJapanese = LoadString(id);
        SetTextLanguage(0);
        const QString inEnglish = LoadString(id);
        EXPECT_TRUE(inJapanese.contains(japanese)) << name;
        EXPECT_FALSE(inEnglish.contains(japanese)) << name;
        EXPECT_TRUE(inEnglish.contains(letters)) << name;
        EXPECT_EQ(placeholders(inJapanese), placeholders(inEnglish)) << name;
    }
    // The system's own texts are the same in either language; only its notices of the language switch carry both.
    const struct {
        StringId id;
        const char* name;
    } systemTexts[] = {
#define NUV_STRING(name, text) {StringId::name, #name},
#define NUV_STRING_ID(name, number, text) {StringId::name, #name},
#define NUV_TEXT(name, japanese, english)
#include "texts/StringList.inc"
#undef NUV_STRING
#undef NUV_STRING_ID
#undef NUV_TEXT
    };
    const QRegularExpression sentence(QStringLiteral("[A-Za-z]+ [a-z]+ [a-z]+"));
    QStringList inBoth;
    for (const auto& [id, name] : systemTexts) {
        SetTextLanguage(1);
        const QString inJapanese = LoadString(id);
        SetTextLanguage(0);
        EXPECT_EQ(LoadString(id), inJapanese) << name;
        if (inJapanese.contains(japanese) && inJapanese.contains(sentence))
            inBoth << QString::fromUtf8(name);
    }
    EXPECT_EQ(inBoth, QStringList({"SwitchedToEnglish", "SwitchToEnglishFailed", "SwitchedToJapanese",
                                   "SwitchToJapaneseFailed"}));
}

} // namespace
