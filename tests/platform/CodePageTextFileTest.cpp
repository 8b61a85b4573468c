#include "platform/CodePageTextFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace platform;

TEST(CodePageTextFile, WritesCp932WithCrLfAndReadsTheLinesBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("list.csv");
    CodePageTextFile out;
    ASSERT_TRUE(out.OpenForWriting(path));
    out.WriteString("\"メンバー名\",\n");
    out.WriteString("¬∀x\n\nlast");
    ASSERT_TRUE(out.Commit());

    EXPECT_EQ(ReadFileBytes(path), QByteArray::fromHex("2283818393836f815b96bc22") + ",\r\n" +
                                       QByteArray::fromHex("81ca81cd") + "x\r\n\r\nlast");

    CodePageTextFile in;
    ASSERT_TRUE(in.OpenForReading(path, 1 << 20));
    QStringList lines;
    QStringView line;
    while (in.ReadString(line))
        lines << line.toString();
    EXPECT_EQ(lines, (QStringList{"\"メンバー名\",", "￢∀x", "", "last"}));
}

TEST(CodePageTextFile, UnmappableCharactersBecomeQuestionMarksAndAreCounted) {
    qsizetype replaced = 0;
    EXPECT_EQ(EncodeProcessCodePage(QString::fromUtf8("a😀b€"), &replaced), QByteArray("a?b?"));
    EXPECT_EQ(replaced, 2);
    EXPECT_EQ(EncodeProcessCodePage(QString::fromUtf8("あ"), &replaced), QByteArray("\x82\xA0"));
    EXPECT_EQ(replaced, 2);
}

TEST(CodePageTextFile, TextThatBeginsWithTheUtf8MarkIsReadAsUtf8) {
    EXPECT_EQ(DecodeProcessCodePage("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F\x65\r\n"), QString::fromUtf8("Größe\n"));
    EXPECT_EQ(DecodeProcessCodePage("\x82\xA0\r\n"), QString::fromUtf8("あ\n"));
}

TEST(CodePageTextFile, AFailedExportLeavesThePreviousFileAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.csv");
    WriteFileBytes(path, "old");
    CodePageTextFile out;
    ASSERT_TRUE(out.OpenForWriting(path));
    out.WriteString("new");
    out.Close();
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old"));

    CodePageTextFile nowhere;
    EXPECT_FALSE(nowhere.OpenForWriting(dir.filePath("missing/dir/x.csv")));
    nowhere.WriteString("x");
    EXPECT_FALSE(nowhere.Commit());
    EXPECT_FALSE(nowhere.OpenForReading(dir.filePath("absent.csv"), 1 << 20));
}
