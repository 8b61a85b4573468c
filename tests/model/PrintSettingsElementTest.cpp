#include "model/xml/PrintSettingsElement.h"
#include "EnvironmentXmlFixture.h"

#include <gtest/gtest.h>

#include <array>

TEST(PrintSettingsElement, EveryFieldButThePrintKindRoundTrips) {
    PrintSettings settings;
    settings.sections[PrintSettings::UnitFunctions] = {2, 75, 1, 1, 0, 0, 0x0808};
    settings.titleLines[PrintSettings::InputText1] = {"第一版", 3, 1};
    settings.titleFont.bold = 1;
    settings.otherTitleFont = FontSetting();
    settings.marginTop = 12;
    settings.headerKinds = {1, 2, 3};
    settings.headerFooterText1 = "社外秘";
    settings.printKind = 4;
    EnvironmentXml xml;
    WritePrintSettingsElement(xml.context, xml.environment, settings, 5);
    const std::string text = xml.Text();
    EXPECT_EQ(text.rfind("<Environment><PrintSettings PSPrintedObject=\"5\" PrintType=\"4\"><PSSingle "
                         "Name=\"Lexicograhical\" Scope=\"0\" Zoom=\"100\" Order=\"0\" Omission=\"0\" "
                         "NonEmbodiment=\"1\" NonWrited=\"1\" Object=\"19455\"></PSSingle>",
                         0),
              0u);
    EXPECT_EQ(text.find("OtherFont"), std::string::npos);

    PrintSettings read;
    read.printKind = 9;
    int printout = 0;
    ReadPrintSettingsElement(xml.Reparsed(), read, printout);
    EXPECT_EQ(printout, 5);
    EXPECT_EQ(read.printKind, 9);
    read.printKind = settings.printKind;
    EXPECT_EQ(read, settings);
}

TEST(PrintSettingsElement, MissingPartsKeepOrZeroTheirFields) {
    EnvironmentXml xml;
    PrintSettings settings;
    int printout = 3;
    ReadPrintSettingsElement(xml.Parse("<Environment/>"), settings, printout);
    EXPECT_EQ(printout, 3);
    EXPECT_EQ(settings, PrintSettings());

    ReadPrintSettingsElement(
        xml.Parse("<Environment><PrintSettings><PSSingle Name=\"Memo\" Zoom=\"50\"/><PSSingle Name=\"Single\"/>"
                  "<PSTitle><PSPoint Name=\"Str2\">" +
                  std::string(30, 't') + "</PSPoint></PSTitle><PSOther><Str1>" + std::string(20, 's') +
                  "</Str1><PSBlank Left=\"1\" Right=\"2\" Bottom=\"4\"/></PSOther></PrintSettings></Environment>"),
        settings, printout);
    EXPECT_EQ(printout, 2);
    EXPECT_EQ(settings.sections[PrintSettings::Notes].zoom, 50);
    EXPECT_EQ(settings.sections[PrintSettings::UnitFunctions].zoom, 0);
    EXPECT_EQ(settings.sections[PrintSettings::UnitFunctions].object, 0);
    EXPECT_EQ(settings.sections[PrintSettings::Results], (PrintSection{0, 100, 0, 0, 1, 1, 1}));
    EXPECT_EQ(settings.titleLines[PrintSettings::InputText2].text, QString(24, 't'));
    EXPECT_EQ(settings.titleLines[PrintSettings::InputText2].point, 0);
    EXPECT_EQ(settings.titleLines[PrintSettings::DocumentTitle], PrintTitleLine({"", 5, 1}));
    // Below a present "PSTitle" a missing font is the default font, not the 36 pt title font.
    EXPECT_EQ(settings.titleFont, FontSetting());
    EXPECT_EQ(settings.footerKinds, (PrintHeaderFooterKinds{0, 8, 0}));
    EXPECT_EQ(settings.headerFooterText1, QString(16, 's'));
    EXPECT_EQ(settings.marginTop, 0);
    EXPECT_EQ(settings.marginBottom, 4);

    ReadPrintSettingsElement(xml.Parse("<Environment><PrintSettings PSPrintedObject=\"77\"/></Environment>"), settings,
                             printout);
    EXPECT_EQ(printout, DefaultSelectedPrintout);
}

TEST(PrintSettingsElement, MarginsThatLeaveTooLittleToPrintOnAreCorrected) {
    // Left, right, top, bottom as stored, then as read.
    const struct {
        std::array<int, 4> stored;
        std::array<int, 4> read;
    } cases[] = {{{150, 150, 290, 290}, {5, 5, 5, 5}},
                 {{100, 100, 0, 100}, {5, 5, 0, 100}},
                 {{80, 80, 60, 100}, {80, 80, 60, 100}},
                 {{-20, 30, 101, 2}, {5, 30, 5, 2}},
                 {{100, 60, 2147483647, 0}, {100, 60, 5, 0}}};
    for (const auto& test : cases) {
        EnvironmentXml xml;
        PrintSettings settings;
        int printout = 0;
        ReadPrintSettingsElement(
            xml.Parse(QStringLiteral("<Environment><PrintSettings><PSOther><PSBlank Left=\"%1\" Right=\"%2\" "
                                     "Top=\"%3\" Bottom=\"%4\"/></PSOther></PrintSettings></Environment>")
                          .arg(test.stored[0])
                          .arg(test.stored[1])
                          .arg(test.stored[2])
                          .arg(test.stored[3])
                          .toStdString()),
            settings, printout);
        EXPECT_EQ(
            (std::array<int, 4>{settings.marginLeft, settings.marginRight, settings.marginTop, settings.marginBottom}),
            test.read)
            << test.stored[0] << ' ' << test.stored[1] << ' ' << test.stored[2] << ' ' << test.stored[3];
    }
}
