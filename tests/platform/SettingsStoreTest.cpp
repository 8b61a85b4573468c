#include "platform/SettingsStore.h"
#include "platform/UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include <sys/stat.h>

using platform::SettingsStore;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsStoreTest, ValuesKeepTheirTypeAndAWrongTypeReadsAsMissing) {
    const platform::DwordSetting language = UserSettings::Language();
    const platform::TextSetting templateFile = UserSettings::TemplateFilename();
    SettingsStore store(language.section);
    EXPECT_FALSE(store.ReadDword(language.name).has_value());
    ASSERT_TRUE(store.WriteDword(language.name, 0));
    ASSERT_TRUE(store.WriteDword("big", 0xFFFFFFFFu));
    ASSERT_TRUE(store.WriteText(templateFile.name, "/home/u/テンプレート, 2.nuv"));
    ASSERT_TRUE(store.WriteText("empty", ""));

    EXPECT_EQ(store.ReadDword(language.name), 0u);
    EXPECT_EQ(store.ReadDword("big"), 0xFFFFFFFFu);
    EXPECT_EQ(store.ReadText(templateFile.name), QString("/home/u/テンプレート, 2.nuv"));
    EXPECT_EQ(store.ReadText("empty"), QString(""));
    EXPECT_FALSE(store.ReadText(language.name).has_value());
    EXPECT_FALSE(store.ReadDword(templateFile.name).has_value());

    // Many texts written at once read back like single ones; a number among them is replaced by text.
    ASSERT_TRUE(store.WriteTexts({{"a", "1"}, {language.name, "日本語"}, {"b", ""}}));
    EXPECT_EQ(SettingsStore(language.section).ReadText("a"), QString("1"));
    EXPECT_EQ(SettingsStore(language.section).ReadText(language.name), QString("日本語"));
    EXPECT_FALSE(SettingsStore(language.section).ReadDword(language.name).has_value());
    EXPECT_EQ(SettingsStore(language.section).ReadText("b"), QString(""));

    // Another section of the same file does not see these values.
    EXPECT_FALSE(SettingsStore(UserSettings::FrameworkSection()).ReadDword(language.name).has_value());
    EXPECT_TRUE(SettingsStore::FilePath().startsWith(m_dir.path()));
}

TEST_F(SettingsStoreTest, DeclaredValuesReadTheirDefaultUntilWrittenAndKeepToTheirSection) {
    const platform::DwordSetting wait = UserSettings::StartUpWait();
    EXPECT_EQ(platform::StoredSetting(wait), std::nullopt);
    EXPECT_EQ(platform::ReadSetting(wait), wait.defaultValue);
    ASSERT_TRUE(platform::WriteSetting(wait, 0));
    EXPECT_EQ(platform::ReadSetting(wait), 0u);
    // A text under a number's name is not that number.
    ASSERT_TRUE(platform::WriteSetting(platform::TextSetting{wait.section, wait.name, {}}, "9"));
    EXPECT_EQ(platform::ReadSetting(wait), wait.defaultValue);

    // Texts of several sections at once each land in their own.
    ASSERT_TRUE(platform::WriteSettings({{UserSettings::RecentFile(1), "/d/b.nuv"},
                                         {UserSettings::ToolBars(), "bars"},
                                         {UserSettings::RecentFile(0), "/d/a.nuv"}}));
    EXPECT_EQ(platform::ReadSetting(UserSettings::RecentFile(0)), "/d/a.nuv");
    EXPECT_EQ(platform::ReadSetting(UserSettings::RecentFile(1)), "/d/b.nuv");
    EXPECT_EQ(platform::ReadSetting(UserSettings::RecentFile(2)), "");
    EXPECT_EQ(platform::ReadSetting(UserSettings::ToolBars()), "bars");
}

TEST(UserSettings, NoTwoValuesShareAName) {
    std::set<std::pair<QString, QString>> names;
    const auto add = [&names](const auto& setting) {
        EXPECT_TRUE(names.emplace(setting.section, setting.name).second) << setting.name.toStdString();
    };
    add(UserSettings::Language());
    add(UserSettings::UseTemplate());
    add(UserSettings::TemplateFilename());
    add(UserSettings::StartUpWait());
    add(UserSettings::ClearRegistryStateInNextExecution());
    add(UserSettings::ApplicationLook());
    add(UserSettings::ToolBars());
    for (int i = 0; i < UserSettings::RecentFileCount; ++i)
        add(UserSettings::RecentFile(i));
    // Wording entries are named "Message-...", apart from every other value.
    for (const auto& [section, name] : names)
        EXPECT_FALSE(name.startsWith("Message-")) << name.toStdString();
}

TEST_F(SettingsStoreTest, HandEditedValuesWithoutTypeReadAsMissing) {
    const platform::DwordSetting language = UserSettings::Language();
    const platform::DwordSetting useTemplate = UserSettings::UseTemplate();
    const platform::DwordSetting wait = UserSettings::StartUpWait();
    QDir().mkpath(m_dir.path() + "/Brelk");
    QFile file(SettingsStore::FilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("[%1]\n%2=1\n%3=dword:zz\n%4=dword:00000005\n")
                   .arg(language.section, language.name, useTemplate.name, wait.name)
                   .toUtf8());
    file.close();
    EXPECT_EQ(platform::StoredSetting(language), std::nullopt);
    EXPECT_EQ(platform::StoredSetting(useTemplate), std::nullopt);
    EXPECT_EQ(platform::StoredSetting(wait), 5u);
}

TEST_F(SettingsStoreTest, UnwritableFileIsReportedAsFailure) {
    QFile blocker(m_dir.path() + "/Brelk");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the directory should be
    blocker.close();
    EXPECT_FALSE(platform::WriteSetting(UserSettings::Language(), 1));
    EXPECT_FALSE(platform::WriteSetting(UserSettings::TemplateFilename(), "x"));
    EXPECT_FALSE(platform::WriteSettings({{UserSettings::RecentFile(0), "x"}, {UserSettings::ToolBars(), "y"}}));
}

TEST_F(SettingsStoreTest, AFileThatIsNoRegularFileIsNeitherReadNorWritten) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("Brelk"));
    const QString path = SettingsStore::FilePath();
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // A pipe without a writer would keep the first read waiting for ever.
    EXPECT_FALSE(SettingsStore::FileUsable());
    EXPECT_EQ(platform::ReadSetting(UserSettings::Language()), UserSettings::Language().defaultValue);
    EXPECT_FALSE(platform::WriteSetting(UserSettings::Language(), 1));
    EXPECT_TRUE(QFileInfo(path).exists() && !QFileInfo(path).isFile());

    // A link to a regular file is the file.
    ASSERT_TRUE(QFile::remove(path));
    QFile real(m_dir.path() + "/real.ini");
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.close();
    ASSERT_TRUE(QFile::link(real.fileName(), path));
    EXPECT_TRUE(SettingsStore::FileUsable());
    EXPECT_TRUE(platform::WriteSetting(UserSettings::Language(), 1));
    EXPECT_EQ(platform::ReadSetting(UserSettings::Language()), 1u);
}

TEST_F(SettingsStoreTest, AFileTooLargeForAnyStoredValuesIsNeitherReadNorWritten) {
    // What a text stored long ago, far over the bound of any wording, left: every start would parse it.
    const platform::TextSetting entry = UserSettings::WordingEntry(QStringLiteral("Message-Function-en-Plural"));
    ASSERT_TRUE(platform::WriteSetting(entry, QString(SettingsStore::MaxFileBytes, QChar('x'))));
    const QString path = SettingsStore::FilePath();
    const qint64 size = QFileInfo(path).size();
    ASSERT_GT(size, SettingsStore::MaxFileBytes);
    EXPECT_FALSE(SettingsStore::FileUsable());
    EXPECT_FALSE(platform::StoredSetting(entry));
    EXPECT_FALSE(platform::WriteSetting(UserSettings::Language(), 1));
    EXPECT_EQ(QFileInfo(path).size(), size);

    ASSERT_TRUE(QFile::resize(path, 0));
    EXPECT_TRUE(SettingsStore::FileUsable());
    EXPECT_TRUE(platform::WriteSetting(UserSettings::Language(), 1));
    EXPECT_EQ(platform::ReadSetting(UserSettings::Language()), 1u);
}
