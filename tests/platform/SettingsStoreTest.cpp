#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    SettingsStore store("NUV_Pral");
    EXPECT_FALSE(store.ReadDword("language").has_value());
    ASSERT_TRUE(store.WriteDword("language", 0));
    ASSERT_TRUE(store.WriteDword("big", 0xFFFFFFFFu));
    ASSERT_TRUE(store.WriteText("TemplateFilename", "/home/u/テンプレート, 2.nuv"));
    ASSERT_TRUE(store.WriteText("empty", ""));

    EXPECT_EQ(store.ReadDword("language"), 0u);
    EXPECT_EQ(store.ReadDword("big"), 0xFFFFFFFFu);
    EXPECT_EQ(store.ReadText("TemplateFilename"), QString("/home/u/テンプレート, 2.nuv"));
    EXPECT_EQ(store.ReadText("empty"), QString(""));
    EXPECT_FALSE(store.ReadText("language").has_value());
    EXPECT_FALSE(store.ReadDword("TemplateFilename").has_value());

    // Many texts written at once read back like single ones; a number among them is replaced by text.
    ASSERT_TRUE(store.WriteTexts({{"a", "1"}, {"language", "日本語"}, {"b", ""}}));
    EXPECT_EQ(SettingsStore("NUV_Pral").ReadText("a"), QString("1"));
    EXPECT_EQ(SettingsStore("NUV_Pral").ReadText("language"), QString("日本語"));
    EXPECT_FALSE(SettingsStore("NUV_Pral").ReadDword("language").has_value());
    EXPECT_EQ(SettingsStore("NUV_Pral").ReadText("b"), QString(""));

    // Another section of the same file does not see these values.
    EXPECT_FALSE(SettingsStore("Profile").ReadDword("language").has_value());
    EXPECT_TRUE(SettingsStore::FilePath().startsWith(m_dir.path()));
}

TEST_F(SettingsStoreTest, HandEditedValuesWithoutTypeReadAsMissing) {
    QDir().mkpath(m_dir.path() + "/Brelk");
    QFile file(SettingsStore::FilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[NUV_Pral]\nlanguage=1\nUseTemplate=dword:zz\nStartUpWait=dword:00000005\n");
    file.close();
    SettingsStore store("NUV_Pral");
    EXPECT_FALSE(store.ReadDword("language").has_value());
    EXPECT_FALSE(store.ReadDword("UseTemplate").has_value());
    EXPECT_EQ(store.ReadDword("StartUpWait"), 5u);
}

TEST_F(SettingsStoreTest, UnwritableFileIsReportedAsFailure) {
    QFile blocker(m_dir.path() + "/Brelk");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the directory should be
    blocker.close();
    SettingsStore store("NUV_Pral");
    EXPECT_FALSE(store.WriteDword("language", 1));
    EXPECT_FALSE(store.WriteText("TemplateFilename", "x"));
    EXPECT_FALSE(store.WriteTexts({{"a", "x"}, {"b", "y"}}));
}
