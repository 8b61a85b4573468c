#include "model/XmlTextEncoding.h"

#include <QString>

#include <gtest/gtest.h>

// Texts are checked sixteen bytes at a time: a character cut by a block's edge is still whole, and a broken
// one there is still found, also in the bytes after the last block.
TEST(XmlTextEncoding, CharactersAcrossBlocksAreCheckedWhole) {
    const QByteArray unit = QStringLiteral("炊飯器のa").toUtf8(); // 13 bytes: the blocks cut characters
    const QByteArray text = unit.repeated(50);
    ASSERT_TRUE(IsValidUtf8(text.constData(), static_cast<std::size_t>(text.size())));
    for (qsizetype at = 0; at < text.size(); ++at) {
        QByteArray broken = text;
        const auto byte = static_cast<unsigned char>(text[at]);
        // A continuation byte where none may stand, or none where one must.
        broken[at] = byte >= 0x80 && byte < 0xC0 ? 'a' : '\x80';
        ASSERT_FALSE(IsValidUtf8(broken.constData(), static_cast<std::size_t>(broken.size()))) << at;
        // Cut short at any length: valid exactly where a character ends.
        const bool whole = at + 1 == text.size() || static_cast<unsigned char>(text[at + 1]) < 0x80 ||
                           static_cast<unsigned char>(text[at + 1]) >= 0xC0;
        ASSERT_EQ(IsValidUtf8(text.constData(), static_cast<std::size_t>(at + 1)), whole) << at;
    }
    for (const char* wrong :
         {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF", "\xFF"}) {
        for (const qsizetype at : {qsizetype{0}, qsizetype{14}, qsizetype{30}, text.size()}) {
            QByteArray broken = text;
            broken.insert(at, wrong);
            EXPECT_FALSE(IsValidUtf8(broken.constData(), static_cast<std::size_t>(broken.size()))) << at;
        }
    }
    const QByteArray largest = QByteArray("\xF4\x8F\xBF\xBF\xEF\xBF\xBF\xED\x9F\xBF").repeated(5);
    EXPECT_TRUE(IsValidUtf8(largest.constData(), static_cast<std::size_t>(largest.size())));
}

TEST(XmlTextEncoding, MapsBecomeUtf8WithoutAByteOrderMark) {
    QByteArray bytes = "\xEF\xBB\xBF<map/>";
    ASSERT_TRUE(DecodeXmlToUtf8(bytes));
    EXPECT_EQ(bytes, "<map/>");
    bytes = QByteArray("<\0m\0a\0p\0/\0>\0", 12); // UTF-16 without a mark
    ASSERT_TRUE(DecodeXmlToUtf8(bytes));
    EXPECT_EQ(bytes, "<map/>");
    bytes = "<?xml version='1.0' encoding = 'Shift_JIS'?><map>\x83\x81</map>";
    ASSERT_TRUE(DecodeXmlToUtf8(bytes));
    EXPECT_EQ(QString::fromUtf8(bytes), QStringLiteral("<?xml version='1.0' encoding = 'Shift_JIS'?><map>メ</map>"));
    bytes = "<?xml version='1.0' encoding='Shift_JIS'?><map>\x83</map>"; // a lead byte without its trail
    EXPECT_FALSE(DecodeXmlToUtf8(bytes));
}

// Large texts are checked in slices side by side: characters cut by a slice's edge are still whole, and a
// broken one there is still found.
TEST(XmlTextEncoding, LargeTextsAreCheckedAcrossTheirSlices) {
    const QByteArray unit = QStringLiteral("炊飯器のa").toUtf8();
    const QByteArray text = unit.repeated((3 << 20) / unit.size());
    ASSERT_TRUE(IsValidUtf8(text.constData(), static_cast<std::size_t>(text.size())));
    for (const qsizetype slice : {qsizetype{1} << 20, qsizetype{2} << 20}) {
        for (qsizetype at = slice - 4; at < slice + 4; ++at) {
            QByteArray broken = text;
            const auto byte = static_cast<unsigned char>(text[at]);
            broken[at] = byte >= 0x80 && byte < 0xC0 ? 'a' : '\x80';
            EXPECT_FALSE(IsValidUtf8(broken.constData(), static_cast<std::size_t>(broken.size()))) << at;
        }
    }
}
