#include "EnvironmentXmlFixture.h"
#include "model/xml/FieldTableElements.h"

#include <gtest/gtest.h>

namespace {

struct Sample {
    int number = 0;
    std::uint8_t positive = 0;
    std::uint8_t nonZero = 0;
    QString always;
    QString whenPresent;
    QString whole;
    QString fileName;
    QString title;
    FontSetting font;
};

const std::array<IntAttribute<Sample>, 3> kInts{{
    NUV_INT_ATTRIBUTE(Sample, number, "Number", true, 7),
    NUV_SWITCH_ATTRIBUTE(Sample, positive, "Positive", IntRule::PositiveSwitch, 1),
    NUV_SWITCH_ATTRIBUTE(Sample, nonZero, "NonZero", IntRule::NonZeroSwitch, 0),
}};

const std::array<TextField<Sample>, 5> kTexts{{
    {"Always", &Sample::always, TextPlace::Element, TextRead::Always, 3},
    {"WhenPresent", &Sample::whenPresent, TextPlace::Element, TextRead::WhenPresent, -1},
    {"Whole", &Sample::whole, TextPlace::Element, TextRead::WholeDocument, -1},
    {"Holder", &Sample::fileName, TextPlace::FileNameElement, TextRead::WholeDocumentWhenPresent, -1},
    {"Title", &Sample::title, TextPlace::Attribute, TextRead::WholeDocument, 4},
}};

const std::array<FontField<Sample>, 1> kFonts{{{"Face", &Sample::font}}};

} // namespace

TEST(FieldTableElements, EachFieldIsWrittenInItsPlaceAndReadBack) {
    Sample written;
    written.number = 0; // left out, reads back as the default
    written.positive = 1;
    written.nonZero = 1;
    written.always = "abc";
    written.whenPresent = "kept";
    written.whole = "whole";
    written.fileName = "a.csv";
    written.title = "";
    written.font.faceName = "Mono";
    written.font.pointSize = 120;
    EnvironmentXml xml;
    WriteIntAttributes(xml.context, xml.environment, kInts, written);
    WriteTextFields(xml.context, xml.environment, kTexts, written);
    WriteFontFields(xml.context, xml.environment, kFonts, written);
    const std::string text = xml.Text();
    EXPECT_EQ(text.find("Number="), std::string::npos) << text;
    EXPECT_EQ(text.find("Title="), std::string::npos) << "an empty text attribute is left out: " << text;
    EXPECT_NE(text.find("<Holder><FileName>a.csv</FileName></Holder>"), std::string::npos) << text;

    Sample read;
    ReadIntAttributes(xml.Reparsed(), kInts, read);
    ReadTextFields(xml.Reparsed(), kTexts, read);
    ReadFontFields(xml.Reparsed(), kFonts, read);
    EXPECT_EQ(read.number, 7);
    EXPECT_EQ(read.positive, 1);
    EXPECT_EQ(read.nonZero, 1);
    EXPECT_EQ(read.always, "abc");
    EXPECT_EQ(read.whenPresent, "kept");
    EXPECT_EQ(read.whole, "whole");
    EXPECT_EQ(read.fileName, "a.csv");
    EXPECT_EQ(read.font, written.font);
}

TEST(FieldTableElements, ReadRulesForSwitchesMissingTextsAndImports) {
    EnvironmentXml xml;
    const pugi::xml_node element = xml.Parse("<Environment Positive=\"-1\" NonZero=\"-1\" Title=\"long title\">"
                                             "<Always>abcdef</Always><Whole>theirs</Whole>"
                                             "<Holder><FileName>theirs.csv</FileName></Holder></Environment>");
    Sample read;
    read.whenPresent = "mine";
    read.whole = "mine";
    read.fileName = "mine.csv";
    read.title = "mine";
    ReadIntAttributes(element, kInts, read);
    EXPECT_EQ(read.positive, 0) << "a negative number turns a positive switch off";
    EXPECT_EQ(read.nonZero, 1) << "and a non-zero switch on";

    // An import of another document's environment keeps this document's names.
    ReadTextFields(element, kTexts, read, false);
    EXPECT_EQ(read.always, "abc") << "cut to the field's length";
    EXPECT_EQ(read.whenPresent, "mine");
    EXPECT_EQ(read.whole, "mine");
    EXPECT_EQ(read.fileName, "mine.csv");
    EXPECT_EQ(read.title, "mine");

    ReadTextFields(element, kTexts, read, true);
    EXPECT_EQ(read.whenPresent, "mine") << "a missing element keeps a when-present field";
    EXPECT_EQ(read.whole, "theirs");
    EXPECT_EQ(read.fileName, "theirs.csv");
    EXPECT_EQ(read.title, "long");

    ReadTextFields(xml.Parse("<Environment/>"), kTexts, read, true);
    EXPECT_EQ(read.always, "") << "a missing element reads an always-read field as empty";
    EXPECT_EQ(read.title, "");
    EXPECT_EQ(read.fileName, "theirs.csv");
}
