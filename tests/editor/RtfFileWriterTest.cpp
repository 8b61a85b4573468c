#include "editor/RtfFileWriter.h"
#include "model/DocumentData.h"
#include "platform/MessageBox.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

TEST(RtfFileWriterTest, EmptyTablesAreStillWritten) {
    CRtfFileWriter writer;
    writer.header = "\\rtf1";
    writer.body = "x";
    EXPECT_EQ(writer.Assemble(), QByteArray("{\\rtf1\n{\\fonttbl}\n{\\colortbl ;}\nx}"));
    writer.fonts = {"\\fnil A;", "\\fnil B;"};
    writer.colours = {"\\red1\\green2\\blue3"};
    EXPECT_EQ(
        writer.Assemble(),
        QByteArray("{\\rtf1\n{\\fonttbl{\\f0\\fnil A;}{\\f1\\fnil B;}}\n{\\colortbl ;\\red1\\green2\\blue3;}\nx}"));
}

TEST(RtfFileWriterTest, TextIsEscaped) {
    EXPECT_EQ(EscapeRtfText(QStringLiteral("a{b}\\c\r\nd\ne\tf\x01")),
              QByteArray("a\\{b\\}\\\\c\\par\nd\\par\ne\\tab f"));
    // Characters outside ASCII go as signed 16-bit numbers, a surrogate pair as its two halves.
    EXPECT_EQ(EscapeRtfText(QStringLiteral("機")), QByteArray("\\u27231?"));
    EXPECT_EQ(EscapeRtfText(QStringLiteral("😀")), QByteArray("\\u-10179?\\u-8704?"));
}

TEST(RtfFileWriterTest, ContentExportMatchesTheGoldenFile) {
    CDocumentData document;
    document.SetDefaults();
    document.fonts.ExplanationFont.faceName = QStringLiteral("ＭＳ 明朝");
    document.fonts.ExplanationFont.pointSize = 105;
    document.fonts.ExplanationFont.colour = 0x00336699;
    document.fonts.ExplanationFont.bold = 1;
    CUnitFunction& origin = *document.registry.origin;
    origin.name = QStringLiteral("炊飯器");
    origin.header.contentText = QStringLiteral("ご飯を炊く。\r\n{保温} する\\");
    CUnitFunction* child = document.registry.CreateFunction(QStringLiteral("Keep warm"), document.GetModelOptions());
    CUnitFunction::AppendChild(&origin, child);
    document.registry.RebuildAndNotify(document.indexRoot, document.GetModelOptions());

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("content.rtf"));
    ASSERT_TRUE(MakeFunctionContentRtf(document, {&origin, child}).WriteToFile(path));
    EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(QStringLiteral(NUV_TEST_DATA_DIR "/editor/content-export.rtf")));
}

TEST(RtfFileWriterTest, AFileThatCannotBeWrittenIsReportedOnce) {
    platform::ScriptedMessageSink sink;
    CRtfFileWriter writer;
    EXPECT_FALSE(writer.WriteToFile(QString()));
    EXPECT_TRUE(sink.Texts().isEmpty());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/content.rtf"));
    EXPECT_FALSE(writer.WriteToFile(path));
    EXPECT_EQ(sink.Texts(), QStringList(QStringLiteral("ファイル \"%1\" に書き込みできませんでした。\n%2")
                                            .arg(path, QString::fromLocal8Bit(std::strerror(ENOENT)))));
}

} // namespace
