#include "model/Base64.h"
#include "model/xml/XmlDocumentContext.h"

#include <gtest/gtest.h>

#include <limits>
#include <new>
#include <sstream>

namespace {

std::string Serialise(const pugi::xml_document& document) {
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags);
    return out.str();
}

QByteArray Bytes(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(i * 7 + 3));
    return bytes;
}

} // namespace

TEST(XmlElementAccess, IntegerAttributesKeepTheirValuesAndSkipZeroOnlyWhenAsked) {
    XmlDocumentContext context;
    pugi::xml_node element = XmlAppendChildElement(context, context.document, "E");
    XmlSetIntAttribute(context, element, "U16", 65535, true);
    XmlSetIntAttribute(context, element, "Minus", -1, true);
    XmlSetIntAttribute(context, element, "Colour", 4294967295u, true);
    XmlSetIntAttribute(context, element, "Skipped", 0, true);
    XmlSetIntAttribute(context, element, "Zero", 0, false);
    XmlSetAttribute(context, element, "Empty", QString(), true);
    XmlSetAttribute(context, element, "Blank", QString(), false);
    EXPECT_EQ(Serialise(context.document), R"(<E U16="65535" Minus="-1" Colour="4294967295" Zero="0" Blank=""></E>)");

    EXPECT_EQ(XmlGetIntAttribute(element, "U16", 0), 65535);
    EXPECT_EQ(static_cast<qint32>(XmlGetIntAttribute(element, "Minus", 0)), -1);
    EXPECT_EQ(static_cast<quint32>(XmlGetIntAttribute(element, "Colour", 0)), 4294967295u);
    EXPECT_EQ(XmlGetIntAttribute(element, "Skipped", 7), 7);
    EXPECT_EQ(XmlGetIntAttribute(element, "Blank", 7), 7);
    EXPECT_EQ(XmlGetIntAttribute(element, "Zero", 7), 0);

    element.append_attribute("A") = "7.9";
    element.append_attribute("B") = "12abc";
    element.append_attribute("C") = "abc";
    element.append_attribute("D") = " -42";
    element.append_attribute("F") = "99999999999999999999999";
    EXPECT_EQ(XmlGetIntAttribute(element, "A", 0), 7);
    EXPECT_EQ(XmlGetIntAttribute(element, "B", 0), 12);
    EXPECT_EQ(XmlGetIntAttribute(element, "C", 5), 0);
    EXPECT_EQ(XmlGetIntAttribute(element, "D", 0), -42);
    EXPECT_EQ(XmlGetIntAttribute(element, "F", 0), std::numeric_limits<qint64>::max());
}

TEST(XmlElementAccess, FloatAttributesUseSixDecimals) {
    XmlDocumentContext context;
    pugi::xml_node element = XmlAppendChildElement(context, context.document, "E");
    XmlSetFloatAttribute(context, element, "Half", 7.5, true);
    XmlSetFloatAttribute(context, element, "Skipped", 0.0, true);
    XmlSetFloatAttribute(context, element, "Zero", 0.0, false);
    XmlSetFloatAttribute(context, element, "Negative", -0.25, true);
    EXPECT_EQ(Serialise(context.document), R"(<E Half="7.500000" Zero="0.000000" Negative="-0.250000"></E>)");
    EXPECT_DOUBLE_EQ(XmlGetFloatAttribute(element, "Half", 1.0), 7.5);
    EXPECT_DOUBLE_EQ(XmlGetFloatAttribute(element, "Skipped", 8.0), 8.0);
    EXPECT_DOUBLE_EQ(XmlGetFloatAttribute(element, "Negative", 1.0), -0.25);
    element.append_attribute("Text") = "x";
    EXPECT_DOUBLE_EQ(XmlGetFloatAttribute(element, "Text", 1.0), 0.0);
}

TEST(XmlElementAccess, LookupFindsDescendantsAtAnyDepthInDocumentOrder) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<R><A><B><N>deep</N></B></A><N>second</N><N><X/>tail</N><M>m</M></R>"));
    const pugi::xml_node root = document.child("R");
    EXPECT_EQ(XmlGetChildText(root, "N"), "deep");
    EXPECT_EQ(XmlGetChildText(root, "N", 1), "second");
    EXPECT_EQ(XmlGetChildText(root, "N", 2), ""); // first child is an element
    EXPECT_EQ(XmlGetChildText(root, "N", 3), "");
    EXPECT_EQ(XmlGetChildText(root, "Missing"), "");
    EXPECT_EQ(XmlFindElements(root, "N").size(), 3u);
    EXPECT_FALSE(XmlFindElement(root.child("M"), "N"));
    EXPECT_EQ(XmlGetAttribute(root, "none"), "");

    std::set<QString> texts{"keep"};
    XmlGetChildTextSet(root, "N", texts);
    EXPECT_EQ(texts, (std::set<QString>{"", "deep", "keep", "second"}));
}

TEST(XmlElementAccess, TextsWithControlCharactersAndBlanksSurviveSerialisation) {
    const QString text = QString::fromUtf8("a\r\nb\tc") + QChar(1) + QChar(0x1F) + QString::fromUtf8("&<>\"日本");
    XmlDocumentContext context;
    pugi::xml_node root = XmlAppendChildElement(context, context.document, "R");
    pugi::xml_node element = XmlAppendChildElement(context, root, "T", text);
    XmlSetAttribute(context, element, "A", text, true);
    XmlAppendChildElement(context, root, "Blank", " ");

    pugi::xml_document reread;
    ASSERT_TRUE(reread.load_string(Serialise(context.document).c_str(), kXmlParseOptions));
    EXPECT_EQ(XmlGetChildText(reread, "T"), text);
    EXPECT_EQ(XmlGetAttribute(reread.child("R").child("T"), "A"), text);
    EXPECT_EQ(XmlGetChildText(reread, "Blank"), " ");
}

TEST(Base64, LinesOfSeventySixCharactersJoinedByCrLf) {
    EXPECT_EQ(Base64Encode("ab", 2), "YWI=");
    EXPECT_EQ(Base64Encode("a\0b\0c\0", 6), "YQBiAGMA");
    const QByteArray line57 = Base64Encode(Bytes(57).constData(), 57);
    EXPECT_EQ(line57.size(), 78);
    EXPECT_TRUE(line57.endsWith("\r\n"));
    const QByteArray line58 = Base64Encode(Bytes(58).constData(), 58);
    EXPECT_EQ(line58.size(), 82);
    EXPECT_EQ(line58.mid(76, 2), "\r\n");
    EXPECT_TRUE(line58.endsWith("=="));
    const QByteArray line60 = Base64Encode(Bytes(60).constData(), 60);
    EXPECT_EQ(line60.size(), 82);
    EXPECT_FALSE(line60.endsWith("\r\n"));
    EXPECT_EQ(Base64Encode(nullptr, 0), "");
    EXPECT_EQ(Base64EncodedLength(57), 80u);
    // A memo of 2^29 UTF-16 units is encoded like any other; only what no text can hold fails, and loudly.
    EXPECT_EQ(Base64EncodedLength(std::size_t{1} << 30), 1469330920u);
    const std::size_t beyond = std::numeric_limits<std::size_t>::max() / 2;
    EXPECT_FALSE(Base64EncodedLength(beyond));
    EXPECT_THROW(Base64Encode(nullptr, beyond), std::bad_alloc);
}

TEST(Base64, DecodingSkipsBreaksBlanksAndPadding) {
    for (int count : {0, 1, 2, 3, 56, 57, 58, 200}) {
        const QByteArray bytes = Bytes(count);
        QByteArray text = Base64Encode(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        EXPECT_EQ(Base64Decode(text.constData(), static_cast<std::size_t>(text.size())), bytes) << count;
        text.replace("=", "");
        text.insert(text.size() / 2, " \n\t");
        EXPECT_EQ(Base64Decode(text.constData(), static_cast<std::size_t>(text.size())), bytes) << count;
    }
    EXPECT_EQ(Base64Decode("YWJj\0YWI=", 9), "abc");
    EXPECT_EQ(XmlDecodeBinary("YQBi\r\nAGMA"), QByteArray("a\0b\0c\0", 6));
    EXPECT_EQ(XmlDecodeBinary(""), QByteArray());
}
