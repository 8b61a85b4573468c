#include "model/xml/FontTableElement.h"
#include "model/xml/XmlDocumentContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The element's text as read, against Qt's own decoding of the same bytes.
void ExpectDecodedAsQtDoes(const std::string& bytes) {
    pugi::xml_document document;
    pugi::xml_node element = document.append_child("E");
    element.append_child(pugi::node_pcdata).set_value(bytes.c_str());
    element.append_attribute("A").set_value(bytes.c_str());
    const QString expected = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString text = XmlGetElementText(element);
    EXPECT_EQ(text, expected) << bytes;
    EXPECT_EQ(text.isNull(), expected.isNull()) << bytes;
    EXPECT_EQ(XmlGetAttribute(element, "A"), expected) << bytes;
}

} // namespace

TEST(XmlTextDecoding, EveryTextReadsAsQtDecodesIt) {
    const std::vector<std::string> texts = {
        "plain ASCII",
        "\x01\x1f control",
        "温度センサ0",
        "caf\xc3\xa9 \xc2\x80\xdf\xbf",           // two-byte forms at both ends
        "\xe0\xa0\x80 \xed\x9f\xbf \xee\x80\x80", // U+0800, U+D7FF, U+E000
        "\xef\xbc\x81\xef\xbd\xb1\xef\xbf\xbd",   // fullwidth "!", halfwidth katakana, U+FFFD
        "\xef\xbb\xbf"
        "after a byte-order mark", // dropped by Qt at the start
        "before \xef\xbb\xbf inside",
        "\xef\xb7\x90 \xef\xbf\xbe \xef\xbf\xbf", // non-characters
        "\xed\xa0\x80 lone surrogate",
        "\xc0\xaf \xe0\x80\xaf overlong",
        "\xf0\x9f\x98\x80 beyond the BMP",
        "\xf4\x90\x80\x80 beyond Unicode",
        "truncated \xe3\x81",
        "truncated \xc3",
        "\x80 stray continuation",
        "\xff\xfe bytes that never occur",
        std::string(3000, 'x') + "長い", // longer than any buffer on the stack
    };
    for (const std::string& text : texts)
        ExpectDecodedAsQtDoes(text);
}

TEST(XmlTextDecoding, EmptyAndMissingTextsKeepTheirNullness) {
    pugi::xml_document document;
    pugi::xml_node empty = document.append_child("E");
    EXPECT_TRUE(XmlGetElementText(empty).isNull()); // no text node at all
    empty.append_attribute("A").set_value("");
    EXPECT_EQ(XmlGetAttribute(empty, "A").isNull(), QString::fromUtf8("", 0).isNull());
    EXPECT_EQ(XmlGetAttribute(empty, "Missing").isNull(), QString::fromUtf8("", 0).isNull());
}

TEST(XmlTextDecoding, FontFacesReadAsWrittenAndEqualOnesShareTheirText) {
    pugi::xml_document document;
    std::string xml = "<R>";
    for (int i = 0; i < 12; ++i)
        xml += "<S><FontTable Name=\"Font\" Size=\"90\">Face" + std::to_string(i % 6) + "ゴシック</FontTable></S>";
    xml += "<S><FontTable Name=\"Font\"></FontTable></S></R>";
    ASSERT_TRUE(document.load_string(xml.c_str(), kXmlParseOptions));
    std::vector<FontSetting> fonts;
    for (pugi::xml_node slot : document.first_child().children()) {
        fonts.emplace_back();
        ASSERT_TRUE(ReadFontTable(slot, "Font", fonts.back()));
    }
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(fonts[i].faceName, QStringLiteral("Face%1ゴシック").arg(i % 6));
    EXPECT_TRUE(fonts[12].faceName.isEmpty());
    // The last few faces are remembered: a repeat right after shares the string read before.
    FontSetting again;
    ASSERT_TRUE(ReadFontTable(document.first_child().first_child(), "Font", again));
    FontSetting twice;
    ASSERT_TRUE(ReadFontTable(document.first_child().first_child(), "Font", twice));
    EXPECT_TRUE(again.faceName.isSharedWith(twice.faceName));
}
