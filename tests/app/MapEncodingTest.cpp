#include "TobrelProcess.h"

#include "model/DocumentData.h"
#include "model/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include <gtest/gtest.h>

namespace {

const QString kMapRefused = QStringLiteral("Mapファイルの変換に失敗しました。\nファイルを確認してください。\n");

// Name and content text of the converted document's origin.
std::pair<QString, QString> ReadOrigin(const QString& path) {
    QFile file(path);
    CDocumentData data;
    if (!file.open(QIODevice::ReadOnly) || LoadDocumentXml(file, data, 0) != LoadResult::Loaded ||
        !data.registry.origin)
        return {"(no document)", {}};
    return {data.registry.origin->name, data.registry.origin->header.contentText};
}

QByteArray Map(const QByteArray& declaration, const QByteArray& name, const QByteArray& note) {
    return declaration + "<map><node TEXT=\"" + name + "\"><richcontent TYPE=\"NOTE\"><html><body><p>" + note +
           "</p></body></html></richcontent></node></map>";
}

QByteArray Declaring(const QByteArray& encoding) {
    return "<?xml version=\"1.0\" encoding=\"" + encoding + "\"?>\n";
}

} // namespace

TEST(MapEncoding, EveryEncodingGivesTheNamesOnce) {
    TobrelSandbox sandbox;
    const QString name = QStringLiteral("Café €");
    const QString note = QStringLiteral("Crème");
    const QByteArray utf8 = Map("", name.toUtf8(), note.toUtf8());
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QStringEncoder sjis("Shift_JIS");
    const std::vector<std::tuple<QString, QByteArray, QString>> maps = {
        {"latin1.mm", Map(Declaring("ISO-8859-1"), "Caf\xE9", "Cr\xE8me"), "Café"},
        {"latin1-name.mm", Map(Declaring("latin1"), "Caf\xE9", "Cr\xE8me"), "Café"},
        {"cp1252.mm", Map(Declaring("windows-1252"), "Caf\xE9 \x80", "Cr\xE8me"), name},
        {"sjis.mm", Map(Declaring("Shift_JIS"), sjis.encode(u"炊飯器"), "Cr\x83\x81"), "炊飯器"},
        {"utf8.mm", utf8, name},
        {"utf8-declared.mm", Map(Declaring("UTF-8"), name.toUtf8(), note.toUtf8()), name},
        {"utf8-bom.mm", "\xEF\xBB\xBF" + Map(Declaring("ISO-8859-1"), name.toUtf8(), note.toUtf8()), name},
        {"utf16.mm", utf16.encode(QString::fromUtf8(Map(Declaring("UTF-16"), name.toUtf8(), note.toUtf8()))), name},
    };
    for (const auto& [file, bytes, expected] : maps) {
        sandbox.WriteFile(file, bytes);
        const TobrelSandbox::Result result = sandbox.Run({file});
        EXPECT_EQ(result.exitCode, 0) << file.toStdString() << result.standardError.toStdString();
        QString document = file;
        document.replace(".mm", ".nuv");
        const auto [origin, content] = ReadOrigin(sandbox.WorkPath(document));
        EXPECT_EQ(origin, expected) << file.toStdString();
        // Shift_JIS has no è: its note is the katakana メ.
        EXPECT_EQ(content, file == "sjis.mm" ? QStringLiteral("Crメ") : note) << file.toStdString();
    }
}

TEST(MapEncoding, BytesNotValidInTheMapsEncodingRefuseIt) {
    TobrelSandbox sandbox;
    const std::vector<std::pair<QString, QByteArray>> maps = {
        {"stray.mm", Map("", "Caf\xFF", "note")},
        {"overlong.mm", Map(Declaring("UTF-8"), "a\xC0\xAF", "note")},
        {"cut.mm", Map("", "a", "note") + "\xE3\x81"},
        {"bom-then-latin1.mm", "\xEF\xBB\xBF" + Map("", "Caf\xE9", "note")},
        {"sjis.mm", Map(Declaring("Shift_JIS"), "\x81\x20", "note")},
        {"ascii.mm", Map(Declaring("US-ASCII"), "Caf\xE9", "note")},
        {"unknown.mm", Map(Declaring("x-no-such-encoding"), "Cafe", "note")},
        {"odd-utf16.mm", QByteArray("\xFF\xFE<\0m\0a\0p\0/\0>\0", 14) + "\0"},
    };
    for (const auto& [file, bytes] : maps) {
        sandbox.WriteFile(file, bytes);
        const TobrelSandbox::Result result = sandbox.Run({file});
        EXPECT_EQ(result.exitCode, 1) << file.toStdString();
        EXPECT_EQ(result.standardError, kMapRefused) << file.toStdString();
    }
    EXPECT_TRUE(QDir(sandbox.WorkPath("")).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST(MapEncoding, CharactersXmlDoesNotAllowRefuseTheMapWithoutWritingAnything) {
    TobrelSandbox sandbox;
    const std::vector<std::pair<QString, QByteArray>> maps = {
        {"nul-reference.mm", Map("", "Door&#x0;Lock", "note")},
        {"nul-decimal.mm", Map("", "Door", "a&#0000;b")},
        {"control.mm", Map("", "Door&#1;", "note")},
        {"wrapping.mm", Map("", "Door&#x100000000;", "note")},
        {"beyond.mm", Map("", "Door&#x110000;", "note")},
        {"surrogate.mm", Map("", "Door&#xD800;", "note")},
        {"nul-byte.mm", Map("", "Door", "note") + QByteArray("\0<map/>", 7)},
    };
    for (const auto& [file, bytes] : maps) {
        sandbox.WriteFile(file, bytes);
        const TobrelSandbox::Result result = sandbox.Run({file});
        EXPECT_EQ(result.exitCode, 1) << file.toStdString();
        EXPECT_EQ(result.standardError, kMapRefused) << file.toStdString();
    }
    EXPECT_TRUE(QDir(sandbox.WorkPath("")).entryList({"*.nuv*"}, QDir::Files | QDir::Hidden).isEmpty());

    // A tab by reference is a character like any other, and inside a comment or CDATA "&#0;" is only text
    // (the conversion takes no CDATA into a note).
    sandbox.WriteFile("allowed.mm", "<!-- &#0; --><map><node TEXT=\"a&#9;b\"><richcontent TYPE=\"NOTE\"><html><body>"
                                    "<p><![CDATA[&#0;]]></p></body></html></richcontent></node></map>");
    EXPECT_EQ(sandbox.Run({"allowed.mm"}).exitCode, 0);
    EXPECT_EQ(ReadOrigin(sandbox.WorkPath("allowed.nuv")), std::make_pair(QString("a\tb"), QString()));
}
