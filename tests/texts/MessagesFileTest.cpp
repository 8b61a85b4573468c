#include "platform/UserSettings.h"
#include "texts/MessageSettings.h"
#include "texts/SettingsWordingStore.h"
#include "texts/WordingStore.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <map>

namespace {

QByteArray WriteToBytes(const CMessageSettings& settings) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(settings.WriteToFile(buffer));
    return buffer.data();
}

void ReadFromBytes(CMessageSettings& settings, QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    settings.ReadFromFile(buffer);
}

QString TextOf(const CMessageSettings& settings, const QString& key, int language, const QString& form) {
    return settings.GetEntries().at(CMessageSettings::Key{key, language, form});
}

// Stands in for the per-user settings; names listed in m_refused cannot be written.
class FakeWordingStore : public CWordingStore {
public:
    std::optional<QString> ReadText(const QString& name) const override {
        const auto found = m_values.find(name);
        return found == m_values.end() ? std::nullopt : std::optional<QString>(found->second);
    }
    bool WriteTexts(const std::vector<std::pair<QString, QString>>& texts) override {
        ++m_writes;
        bool allWritten = true;
        for (const auto& [name, text] : texts) {
            if (m_refused.contains(name)) {
                allWritten = false;
            } else {
                m_values[name] = text;
            }
        }
        return allWritten;
    }
    std::map<QString, QString> m_values;
    QStringList m_refused;
    int m_writes = 0;
};

} // namespace

TEST(MessagesFile, DefaultTableIsWrittenAsOneCrLfLinePerEntry) {
    const QByteArray bytes = WriteToBytes(CMessageSettings());
    EXPECT_FALSE(bytes.startsWith("\xef\xbb\xbf"));
    EXPECT_EQ(bytes.count("\r\n"), 555);
    EXPECT_EQ(bytes.count('\n'), 555);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    EXPECT_EQ(lines[0], "Message-Antecedent_Abstract-en-Plural=antecedents\r");
    EXPECT_EQ(lines[1], "Message-Antecedent_Abstract-en-Singular=antecedent\r");
    EXPECT_EQ(QString::fromUtf8(lines[2]), "Message-Antecedent_Abstract-ja-=前件\r");
    EXPECT_TRUE(bytes.contains("\r\nMessage-~Color_00_Black-en-Plural=\r\n"));
}

TEST(MessagesFile, EditedFileRoundTrips) {
    QByteArray content = WriteToBytes(CMessageSettings());
    content.replace("Message-Function-en-Plural=functions\r\n", "Message-Function-en-Plural=features = parts\r\n");
    CMessageSettings settings;
    ReadFromBytes(settings, content);
    EXPECT_EQ(TextOf(settings, "Function", 0, "Plural"), "features = parts");
    CMessageSettings expected;
    expected.AddEntry("Function", "単位機能", "function", "features = parts");
    EXPECT_TRUE(settings == expected);

    // Unchanged wording reads back unchanged.
    CMessageSettings reread;
    ReadFromBytes(reread, WriteToBytes(settings));
    EXPECT_TRUE(reread == settings);
}

TEST(MessagesFile, MalformedLinesAreSkippedWithoutLosingTheOthers) {
    QFile file(QStringLiteral(NUV_TEST_DATA_DIR "/texts/edited-messages.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    CMessageSettings settings;
    settings.ReadFromFile(file);

    // A byte-order mark does not spoil the first line.
    EXPECT_EQ(TextOf(settings, "Function", 1, ""), "関数");
    EXPECT_EQ(TextOf(settings, "Function", 0, "Plural"), "a=b");
    EXPECT_EQ(TextOf(settings, "Child", 0, "Singular"), "offspring");
    EXPECT_EQ(TextOf(settings, "Child", 1, ""), "");
    EXPECT_EQ(TextOf(settings, "Tab", 0, "Plural"), "100%");
    // The last line has no line end and is not applied.
    EXPECT_EQ(TextOf(settings, "Tab", 1, ""), "ページ");
    EXPECT_EQ(settings.GetEntries().size(), 555u);

    const QString untouched = TextOf(settings, "MemberName", 0, "Plural");
    ReadFromBytes(settings, QByteArray());
    EXPECT_EQ(TextOf(settings, "MemberName", 0, "Plural"), untouched);
    ReadFromBytes(settings, "Message-MemberName-en-Plural=fields");
    EXPECT_EQ(TextOf(settings, "MemberName", 0, "Plural"), untouched);
}

TEST(MessagesFile, EntryAddedByALookupIsWrittenWithAnEmptyText) {
    CMessageSettings settings;
    settings.GetEntry("NoSuchWord", 1, "");
    const QByteArray bytes = WriteToBytes(settings);
    EXPECT_EQ(bytes.count("\r\n"), 556);
    EXPECT_TRUE(bytes.contains("\r\nMessage-NoSuchWord-ja-=\r\n"));
}

TEST(StoredWording, EveryEntryIsStoredUnderItsNameAndReadBack) {
    CMessageSettings edited;
    edited.AddEntry("Function", "機能", "feature", "features");
    FakeWordingStore store;
    store.m_refused = QStringList({"Message-Antecedent_UI-ja-"});
    // One refused value does not keep the others from being written, and the caller learns of it.
    EXPECT_FALSE(edited.SaveToRegistry(store));
    EXPECT_EQ(store.m_writes, 1); // the whole table in one write
    EXPECT_EQ(store.m_values.size(), 554u);
    EXPECT_EQ(store.m_values.at("Message-Function-en-Plural"), "features");
    EXPECT_EQ(store.m_values.at("Message-~Color_15_White-en-Plural"), "");

    store.m_values["Message-Unknown-ja-"] = "不明";
    CMessageSettings loaded;
    loaded.LoadFromRegistry(store);
    EXPECT_TRUE(loaded == edited);

    store.m_refused.clear();
    EXPECT_TRUE(edited.SaveToRegistry(store));

    // An emptied value, or one longer than any wording, keeps the built-in text.
    store.m_values["Message-Function-en-Plural"] = "";
    store.m_values["Message-Function-ja-"] = QString(CMessageSettings::MaxTextUnits + 1, QChar('x'));
    store.m_values["Message-Function-en-Singular"] = QString(CMessageSettings::MaxTextUnits, QChar('y'));
    CMessageSettings kept;
    kept.LoadFromRegistry(store);
    EXPECT_EQ(TextOf(kept, "Function", 0, "Plural"), "functions");
    EXPECT_EQ(TextOf(kept, "Function", 1, ""), "単位機能");
    EXPECT_EQ(TextOf(kept, "Function", 0, "Singular").size(), CMessageSettings::MaxTextUnits);
}

TEST(StoredWording, PerUserSettingsKeepTheWordingForTheNextStart) {
    QTemporaryDir configHome;
    ASSERT_TRUE(configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    const auto restore = qScopeGuard([] { qunsetenv("XDG_CONFIG_HOME"); });

    CMessageSettings edited;
    edited.AddEntry("~Color_10_Green", "若草色 = 緑", "leaf green\nsecond line", "");
    edited.AddEntry("Function", "機能", "feature; [x]", "50% features");
    edited.AddEntry("Tab", "タブ", "tab", "tabs");
    CSettingsWordingStore store;
    ASSERT_TRUE(edited.SaveToRegistry(store));

    // A value of another type under a wording name reads as missing and keeps the default.
    const platform::TextSetting tab = UserSettings::WordingEntry(CMessageSettings::Key{"Tab", 1, ""}.ToString());
    ASSERT_TRUE(platform::SettingsStore(tab.section).WriteDword(tab.name, 7));
    CMessageSettings loaded;
    loaded.LoadFromRegistry(CSettingsWordingStore());
    CMessageSettings expected = edited;
    expected.AddEntry("Tab", "ページ", "tab", "tabs");
    EXPECT_TRUE(loaded == expected);
    EXPECT_EQ(TextOf(loaded, "~Color_10_Green", 0, "Singular"), "leaf green\nsecond line");
}
