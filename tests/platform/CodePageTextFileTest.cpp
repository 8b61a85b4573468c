#include "platform/CodePageTextFile.h"
#include "support/TemporaryWriteMoment.h"
#include "support/TestFiles.h"
#include "support/WholeSecondFileSystem.h"

#include <QDir>
#include <QStringDecoder>
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

// Only a CR right before a LF goes; a CR anywhere else is text.
TEST(CodePageTextFile, ReadingTurnsEachCrLfIntoALineFeedAndKeepsOtherCrs) {
    EXPECT_EQ(DecodeProcessCodePage("a\r\n\r\nb\rc\r\r\nd\n\re\r"), QStringLiteral("a\n\nb\rc\r\nd\n\re\r"));
    EXPECT_EQ(DecodeProcessCodePage("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(DecodeProcessCodePage("\r"), QStringLiteral("\r"));
}

// What many spreadsheets write: UTF-8 without the mark. It is read as UTF-8, never as the CP932 characters its bytes
// would also make; bytes that are not UTF-8 throughout are CP932.
TEST(CodePageTextFile, ValidUtf8WithoutTheMarkIsReadAsUtf8AndOnlyTheRestAsCp932) {
    EXPECT_EQ(DecodeProcessCodePage("Gr\xC3\xB6\xC3\x9F\x65\r\n"), QString::fromUtf8("Größe\n"));
    EXPECT_EQ(DecodeProcessCodePage("\xE3\x81\x82,\xF0\x9F\x98\x80"), QString::fromUtf8("あ,😀"));
    EXPECT_EQ(DecodeProcessCodePage("plain\r\n"), QStringLiteral("plain\n"));
    EXPECT_EQ(DecodeProcessCodePage(EncodeProcessCodePage(QString::fromUtf8("メンバー名,状態名\n"))),
              QString::fromUtf8("メンバー名,状態名\n"));
    // Overlong forms, surrogates, code points past U+10FFFF and cut sequences are no UTF-8: the half-width katakana
    // and kanji they make in CP932 are read.
    for (const char* notUtf8 : {"\xC0\xAF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xC3"}) {
        const QByteArray bytes(notUtf8);
        EXPECT_EQ(DecodeProcessCodePage(bytes), QStringDecoder("CP932").decode(bytes)) << bytes.toHex().constData();
    }
}

// A text CP932 cannot hold as it is comes back from a file in CP932 in the form the export wrote ("?" for each
// character CP932 lacks, the negation sign in its best fit) or in the one other programs write, with the minus sign,
// wave dash, double vertical line, cent, pound and negation signs in their nearest forms; each form once, none for a
// text CP932 holds.
TEST(CodePageTextFile, CodePageFormsAreTheExportsAndTheNearestForms) {
    EXPECT_EQ(CodePageForms(QString::fromUtf8("A−B 〜x ‖ ¢5 £3 ¬y\n")),
              QStringList({QString::fromUtf8("A?B ?x ? ?5 ?3 ￢y\n"), QString::fromUtf8("A－B ～x ∥ ￠5 ￡3 ￢y\n")}));
    EXPECT_EQ(CodePageForms(QString::fromUtf8("−ß")), QStringList({"??", QString::fromUtf8("－?")}));
    EXPECT_EQ(CodePageForms(QString::fromUtf8("Größe¬")), QStringList({QString::fromUtf8("Gr??e￢")}));
    for (const char* held : {"REQ-A\r\n", "あ－～∥￠￡￢", "?"})
        EXPECT_TRUE(CodePageForms(QString::fromUtf8(held)).isEmpty()) << held;
}

// A file the program reads back is written in CP932 as always when that gives every character back; else as a whole
// in UTF-8 after the mark, never with a "?".
TEST(CodePageTextFile, AFileReadBackFallsBackToUtf8WhenCp932WouldChangeIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("back.csv");
    const auto write = [&](const QStringList& pieces, bool& utf8) {
        CodePageTextFile out;
        EXPECT_TRUE(out.OpenForWriting(path, CodePageTextFile::Fallback::Utf8));
        for (const QString& piece : pieces)
            out.WriteString(piece);
        EXPECT_TRUE(out.Commit());
        EXPECT_EQ(out.ReplacedCharacters(), 0);
        utf8 = out.WroteUtf8();
        return ReadFileBytes(path);
    };
    bool utf8 = true;
    EXPECT_EQ(write({"\"メンバー名\",\n", "last"}, utf8), EncodeProcessCodePage("\"メンバー名\",\nlast"));
    EXPECT_FALSE(utf8);
    // A character CP932 lacks, the negation sign its best fit would turn into another, and half-width katakana
    // whose CP932 bytes would read as UTF-8.
    for (const QString& text :
         {QString::fromUtf8("\"Größe\",\n\"あ\",\n"), QString::fromUtf8("¬a\n"), QString::fromUtf8("ﾃｽ\n")}) {
        const QByteArray bytes = write({text.left(3), text.mid(3)}, utf8);
        EXPECT_TRUE(utf8);
        EXPECT_EQ(bytes, "\xEF\xBB\xBF" + QString(text).replace("\n", "\r\n").toUtf8());
        EXPECT_EQ(DecodeProcessCodePage(bytes), text);
    }
    EXPECT_EQ(ProcessCodePageForm(QString::fromUtf8("Größe¬\n")), QString::fromUtf8("Gr??e￢\n"));
}

// The file goes out as it is written, not held until the commit; one that turns out to need UTF-8 after some of it
// went out in CP932 (a character CP932 lacks, or a half-width katakana pair that reads as UTF-8, split between two
// writes) is written again whole. A surrogate pair split between writes, or where the text is cut into pieces, is
// one character.
TEST(CodePageTextFile, AFileReadBackGoesOutAsWrittenAndIsWrittenAgainInUtf8Whole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("long.csv");
    const QString line = "\"R1\"," + QString(1000, 'x') + '\n';
    const auto write = [&](const QStringList& ends, bool& utf8) {
        bool wentOut = false;
        const TemporaryWriteMoment moment([&] { wentOut = true; });
        CodePageTextFile out;
        EXPECT_TRUE(out.OpenForWriting(path, CodePageTextFile::Fallback::Utf8));
        for (int i = 0; i < 2000; ++i)
            out.WriteString(line);
        EXPECT_TRUE(wentOut);
        for (const QString& end : ends)
            out.WriteString(end);
        EXPECT_TRUE(out.Commit());
        utf8 = out.WroteUtf8();
        return ReadFileBytes(path);
    };
    const auto inUtf8 = [&](const QString& ends) {
        return "\xEF\xBB\xBF" + QString(line.repeated(2000) + ends).replace("\n", "\r\n").toUtf8();
    };
    bool utf8 = true;
    EXPECT_EQ(write({QString::fromUtf8("要求")}, utf8),
              EncodeProcessCodePage(line.repeated(2000) + QString::fromUtf8("要求")));
    EXPECT_FALSE(utf8);
    EXPECT_EQ(write({QString::fromUtf8("Größe\n")}, utf8), inUtf8(QString::fromUtf8("Größe\n")));
    EXPECT_TRUE(utf8);
    EXPECT_EQ(write({QString::fromUtf8("ﾃ"), QString::fromUtf8("ｽ")}, utf8), inUtf8(QString::fromUtf8("ﾃｽ")));
    EXPECT_TRUE(utf8);
    const QString pair = QString::fromUtf8("😀");
    const QString cut = QString(65535, 'a') + pair + 'b';
    EXPECT_EQ(write({"a" + pair.left(1), pair.mid(1) + '\n', cut, QString(pair[0])}, utf8),
              inUtf8("a" + pair + '\n' + cut + pair[0]));
}

// Written again in UTF-8, the file is still the one found when the export began: one that another program wrote
// meanwhile is left as that program left it.
TEST(CodePageTextFile, AFileWrittenAgainInUtf8LeavesAFileChangedMeanwhileAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath("theirs.csv");
    WriteFileBytes(path, "old");
    CodePageTextFile out;
    ASSERT_TRUE(out.OpenForWriting(path, CodePageTextFile::Fallback::Utf8));
    out.WriteString(QString::fromUtf8("Größe\n"));
    WriteFileBytes(path, "their content");
    EXPECT_FALSE(out.Commit());
    EXPECT_EQ(out.Refused(), FileReplacement::Refusal::Changed);
    EXPECT_EQ(ReadFileBytes(path), QByteArray("their content"));

    // Also where only the content tells: within the second the file was found in, on a file system of whole seconds,
    // another program writes into it and sets its modification time back.
    const WholeSecondFileSystem coarse(dir.filePath("coarse"));
    if (!coarse.Mounted())
        GTEST_SKIP() << "no file system of whole seconds can be mounted here";
    const QString coarsePath = dir.filePath("coarse/theirs.csv");
    WriteFileBytes(coarsePath, "old content");
    CodePageTextFile again;
    ASSERT_TRUE(again.OpenForWriting(coarsePath, CodePageTextFile::Fallback::Utf8));
    again.WriteString(QString::fromUtf8("Größe\n"));
    ASSERT_TRUE(WriteWithTimeSetBack(coarsePath, "THEIRS"));
    EXPECT_FALSE(again.Commit());
    EXPECT_EQ(again.Refused(), FileReplacement::Refusal::Changed);
    EXPECT_EQ(ReadFileBytes(coarsePath), QByteArray("THEIRSntent"));
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
