#include "texts/WordLookups.h"
#include "texts/MessageSettings.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <map>

namespace {

struct LookupRow {
    const char* name;
    WordLookup function;
    const char* key;
    int language;
    const char* form;
};

constexpr LookupRow kLookups[] = {
#define NUV_WORD_LOOKUP(name, key, language, form) {"GetMessage_" #name, &GetMessage_##name, key, language, form},
#include "texts/WordLookupList.inc"
#undef NUV_WORD_LOOKUP
};

} // namespace

TEST(WordLookups, EachLookupReadsExactlyTheEntryItsNameSays) {
    // Every entry holds its own name, so a lookup that reads the wrong key, language or form shows.
    CMessageSettings settings;
    std::map<QString, QStringList> formsByKey;
    for (const auto& [key, text] : settings.GetEntries()) {
        settings.AddEntry(key.key, "ja:" + key.key, "singular:" + key.key, "plural:" + key.key);
    }
    int japanese = 0;
    int singular = 0;
    int plural = 0;
    for (const LookupRow& row : kLookups) {
        const QString key = QString::fromUtf8(row.key);
        const QString form = QString::fromUtf8(row.form);
        QString suffix;
        QString expected;
        if (row.language == 1 && form.isEmpty()) {
            suffix = "_Ja";
            expected = "ja:" + key;
            ++japanese;
        } else if (row.language == 0 && form == "Singular") {
            suffix = "_EnSingular";
            expected = "singular:" + key;
            ++singular;
        } else {
            ASSERT_EQ(row.language, 0) << row.name;
            ASSERT_EQ(form, "Plural") << row.name;
            suffix = "_EnPlural";
            expected = "plural:" + key;
            ++plural;
        }
        EXPECT_EQ(QString::fromUtf8(row.name), "GetMessage_" + QString(key).remove(0, key.startsWith(u'~')) + suffix);
        EXPECT_EQ(row.function(settings), expected) << row.name;
        formsByKey[key].append(suffix);
    }
    EXPECT_EQ(std::size(kLookups), 271u);
    EXPECT_EQ(japanese, 127);
    EXPECT_EQ(singular, 101);
    EXPECT_EQ(plural, 43);
    EXPECT_EQ(formsByKey.size(), 129u);
    EXPECT_EQ(settings.GetEntries().size(), 555u);
    EXPECT_EQ(formsByKey["Inconsistency"], QStringList({"_Ja"}));
    EXPECT_EQ(formsByKey["Embedded"], QStringList({"_EnSingular"}));
}

TEST(WordLookups, LookupReturnsTheTableTextWithoutFallbackOrCapitalisation) {
    CMessageSettings settings;
    settings.AddEntry("Function", "", "fun%ction", "");
    EXPECT_EQ(GetMessage_Function_Ja(settings), "");
    EXPECT_EQ(GetMessage_Function_EnSingular(settings), "function");
    EXPECT_EQ(GetMessage_Function_EnPlural(settings), "");
    EXPECT_EQ(GetMessage_Toolbox_12_ZenkakuNegation_EnSingular(settings), "Zenkaku Nagation");
    EXPECT_EQ(GetMessage_Logic_UI_Ja(settings), "論理記述欄");
}
