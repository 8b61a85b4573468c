#include "texts/MessageSettings.h"

#include "platform/Trace.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>

#include <iterator>

namespace {

// Collects the trace lines written while it lives.
class TraceCapture {
public:
    TraceCapture() {
        s_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("nuv.trace.debug=true"));
        m_previous = qInstallMessageHandler(&TraceCapture::Handle);
    }
    ~TraceCapture() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    const QStringList& Lines() const { return s_lines; }

private:
    static void Handle(QtMsgType, const QMessageLogContext&, const QString& message) { s_lines.append(message); }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

QString TextOf(const CMessageSettings& settings, const QString& key, int language, const QString& form) {
    const auto found = settings.GetEntries().find(CMessageSettings::Key{key, language, form});
    return found == settings.GetEntries().end() ? QStringLiteral("<missing>") : found->second;
}

} // namespace

TEST(MessageSettings, DefaultTableHoldsThreeEntriesPerWordInKeyOrder) {
    const CMessageSettings settings;
    ASSERT_EQ(settings.GetEntries().size(), 555u);
    EXPECT_EQ(settings.GetEntry("Function", 1, ""), "単位機能");
    EXPECT_EQ(settings.GetEntry("Function", 0, "Singular"), "function");
    EXPECT_EQ(settings.GetEntry("Function", 0, "Plural"), "functions");
    EXPECT_EQ(settings.GetEntry("~Toolbox_12_ZenkakuNegation", 0, "Singular"), "Zenkaku Nagation");

    QStringList keys;
    for (const auto& [key, text] : settings.GetEntries()) {
        EXPECT_TRUE(key.language == 1 ? key.form.isEmpty() : key.language == 0 && !key.form.isEmpty())
            << key.ToString().toStdString();
        if (keys.isEmpty() || keys.last() != key.key) {
            keys.append(key.key);
        }
    }
    ASSERT_EQ(keys.size(), 185);
    EXPECT_LT(keys.indexOf("Child"), keys.indexOf("Child_Function"));
    EXPECT_LT(keys.indexOf("SyntaxInspection"), keys.indexOf("Syntax_Inspection"));
    EXPECT_LT(keys.indexOf("VersionSettings"), keys.indexOf("Version_Abstract"));
    EXPECT_EQ(keys.indexOf("YoungerSibling_Function"), 155);
    EXPECT_EQ(keys.indexOf("~Color_00_Black"), 156);
    EXPECT_EQ(keys.last(), "~Toolbox_12_ZenkakuNegation");

    EXPECT_EQ((CMessageSettings::Key{"Function", 7, "Plural"}.ToString()), "Message-Function--Plural");
}

TEST(MessageSettings, LookupOfEmptyOrMissingEntryTracesAndMissingOneIsRecorded) {
    const CMessageSettings settings;
    TraceCapture trace;
    EXPECT_EQ(settings.GetEntry("~Color_00_Black", 0, "Plural"), "");
    EXPECT_EQ(settings.GetEntries().size(), 555u);
    EXPECT_EQ(settings.GetEntry("NoSuchWord", 0, "Singular"), "");
    EXPECT_EQ(settings.GetEntries().size(), 556u);
    EXPECT_EQ(TextOf(settings, "NoSuchWord", 0, "Singular"), "");
    EXPECT_EQ(trace.Lines(), QStringList({"CMessageSettings::GetEntry: Message-~Color_00_Black-en-Plural is empty.",
                                          "CMessageSettings::GetEntry: Message-NoSuchWord-en-Singular is empty."}));
}

TEST(MessageSettings, PercentSignsAreDroppedFromLookupsButKeptInTheTable) {
    CMessageSettings settings;
    EXPECT_TRUE(settings.HasNoPercentSign());
    settings.AddEntry("Function", "100%単位", "100%", "%");
    EXPECT_FALSE(settings.HasNoPercentSign());
    {
        TraceCapture trace;
        EXPECT_EQ(settings.GetEntry("Function", 0, "Singular"), "100");
        EXPECT_EQ(settings.GetEntry("Function", 0, "Plural"), "");
        EXPECT_EQ(trace.Lines(),
                  QStringList({"CMessageSettings::GetEntry: Message-Function-en-Singular contains the % symbol.",
                               "CMessageSettings::GetEntry: Message-Function-en-Plural contains the % symbol."}));
    }
    EXPECT_EQ(TextOf(settings, "Function", 0, "Singular"), "100%");

    settings.RemovePercentSigns();
    EXPECT_TRUE(settings.HasNoPercentSign());
    EXPECT_EQ(TextOf(settings, "Function", 1, ""), "100単位");
    EXPECT_EQ(TextOf(settings, "Function", 0, "Plural"), "");
}

TEST(MessageSettings, InitDefaultsRestoresDefaultWordsAndKeepsOthers) {
    CMessageSettings settings;
    const CMessageSettings defaults;
    settings.AddEntry("Function", "機能", "feature", "features");
    EXPECT_EQ(TextOf(settings, "Function", 1, ""), "機能");
    EXPECT_EQ(TextOf(settings, "Function", 0, "Plural"), "features");
    settings.AddEntry("Extra", "追加", "extra", "extras");
    EXPECT_FALSE(settings == defaults);

    settings.InitDefaults();
    EXPECT_EQ(settings.GetEntries().size(), 558u);
    EXPECT_EQ(TextOf(settings, "Function", 0, "Plural"), "functions");
    EXPECT_EQ(TextOf(settings, "Extra", 0, "Singular"), "extra");

    CMessageSettings copy = defaults;
    EXPECT_TRUE(copy == defaults);
    copy.AddEntry("Tab", "ページ", "page", "Pages");
    EXPECT_FALSE(copy == defaults);
    copy = defaults;
    EXPECT_TRUE(copy == defaults);
}
