#include "model/xml/XmlStreamWriter.h"
#include "model/xml/XmlDocumentContext.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string Printed(pugi::xml_node element) {
    std::ostringstream out;
    element.print(out, "", pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags,
                  pugi::encoding_utf8);
    return out.str();
}

} // namespace

// Every ASCII character, Japanese text, a character beyond the BMP, a lone surrogate and a NUL in texts and
// values come out as the library prints the same element built as a tree.
TEST(XmlStreamWriter, WritesWhatTheLibraryPrintsForTheSameElements) {
    QString every;
    for (char16_t c = 1; c < 0x80; ++c)
        every += QChar(c);
    const QString texts[] = {every,
                             QStringLiteral("温度センサ 😀 <a href=\"x\">&amp;</a>"),
                             QStringLiteral("温度\t<é>&\"'\x01 ｶﾅ"),
                             QString(QChar(0xD800)) + QStringLiteral("x"),
                             QStringLiteral("before") + QChar(0) + QStringLiteral("after"),
                             QString()};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        XmlDocumentContext context;
        pugi::xml_node built = XmlAppendChildElement(context, context.document, "E", text);
        XmlSetAttribute(context, built, "A", text, false);
        XmlSetIntAttribute(context, built, "N", -42, false);
        XmlSetFloatAttribute(context, built, "F", 2.5, false);
        XmlAppendChildElement(context, built, "Empty");

        std::string written;
        XmlStreamWriter writer(written);
        writer.Start("E");
        writer.Attribute("A", text, false);
        writer.IntAttribute("N", -42, false);
        writer.FloatAttribute("F", 2.5, false);
        writer.Text(text);
        writer.Element("Empty", QString());
        writer.End("E");
        EXPECT_EQ(written, Printed(built));

        // Read back into a tree, the text prints the same again.
        pugi::xml_document reread;
        EXPECT_EQ(Printed(XmlAppendWritten(reread, written)), written);
    }
}
