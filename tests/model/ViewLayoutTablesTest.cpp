#include "model/ViewLayoutTables.h"
#include "EnvironmentXmlFixture.h"
#include "model/xml/ViewLayoutElements.h"

#include <gtest/gtest.h>

TEST(ViewLayoutTables, TitlesAreCutToTheirFieldsAndAMissingChildEmptiesItsTitle) {
    EnvironmentXml xml;
    CTitleTable read{"ID", "機能名", "機能", "記号", "子工数", "工数", "合計"};
    ReadTitleTable(xml.Parse("<Environment><TitleTable><FuncTitle>" + std::string(25, 'f') +
                             "</FuncTitle></TitleTable></Environment>"),
                   read);
    EXPECT_EQ(read.FuncTitle, QString(20, 'f'));
    EXPECT_TRUE(read.IDTitle.isEmpty());
    ReadTitleTable(xml.Parse("<Environment/>"), read);
    EXPECT_EQ(read.FuncTitle, QString(20, 'f'));
}

TEST(ViewLayoutTables, IndexViewSettingsOmitZerosAndReadTheirOwnDefaults) {
    EnvironmentXml defaults;
    WriteIndexViewTable(defaults.context, defaults.environment, HierarchicalIndexSettings());
    WriteOutputView(defaults.context, defaults.environment, FontSetting());
    // The reset's fonts are 10 pt, so they differ from the default font and are written.
    const std::string text = defaults.Text();
    EXPECT_NE(text.find("<FontTable Name=\"LexFont\""), std::string::npos);
    EXPECT_NE(text.find("<OutputView></OutputView>"), std::string::npos);

    HierarchicalIndexSettings settings;
    settings.LexIsDispReuseID = 0;
    settings.HieBoxSizeX = 0;
    settings.LexFont = FontSetting();
    settings.HieFont = FontSetting();
    settings.HieIDFont = FontSetting();
    settings.HieIDFont.bold = 1;
    settings.HierZoomWindowAdj = 1;
    EnvironmentXml xml;
    WriteIndexViewTable(xml.context, xml.environment, settings);
    EXPECT_EQ(xml.Text().rfind("<Environment><IndexViewTable LexIsDispReuseID=\"0\" "
                               "LexIsDispShortenIdFirstPunctuation=\"0\" HieBoxSizeY=\"50\" ",
                               0),
              0u);
    HierarchicalIndexSettings read;
    ReadIndexViewTable(xml.Reparsed(), read);
    EXPECT_EQ(read, settings);

    ReadIndexViewTable(xml.Parse("<Environment><IndexViewTable LexIsDispShortenIdFirstPunctuation=\"7\" "
                                 "HieColorReuse=\"260\"/></Environment>"),
                       read);
    EXPECT_EQ(read.LexIsDispReuseID, 1);
    EXPECT_EQ(read.LexIsDispShortenIdFirstPunctuation, 1);
    EXPECT_EQ(read.HieColorReuse, 4);
    EXPECT_EQ(read.HieBoxSizeY, 0);
    EXPECT_EQ(read.LexFont, FontSetting());
    ReadIndexViewTable(xml.Parse("<Environment><IndexViewTable LexIsDispShortenIdFirstPunctuation=\"-3\"/>"
                                 "</Environment>"),
                       read);
    EXPECT_EQ(read.LexIsDispShortenIdFirstPunctuation, 0);
}

TEST(ViewLayoutTables, IndexViewInfoOutputViewAndHeaderLayout) {
    EnvironmentXml xml;
    WriteIndexViewInfo(xml.context, xml.environment, IndexViewInfo());
    FontSetting outputFont;
    outputFont.italic = 1;
    WriteOutputView(xml.context, xml.environment, outputFont);
    HeaderIOSettings header;
    header.InputWidth = 0;
    header.FunctionHeight = 0;
    header.Input = 1;
    WriteHeaderIOSettings(xml.context, xml.environment, header);
    EXPECT_NE(xml.Text().find("<IndexViewInfo></IndexViewInfo>"), std::string::npos);
    EXPECT_NE(xml.Text().find("<HeaderIOSettings Input=\"1\" ColorNo2=\"9\" Color2=\"16711680\" "
                              "HorizontalSizeShared=\"1\" VerticalSizeShared=\"1\" FunctionHeight=\"0\" "
                              "FunctionWidth=\"350\" OutputWidth=\"250\">"),
              std::string::npos);
    pugi::xml_node environment = xml.Reparsed();
    IndexViewInfo info{1, 2, 3, 4, 5, 6, 7};
    ReadIndexViewInfo(environment.child("IndexViewInfo"), info);
    EXPECT_EQ(info, IndexViewInfo());
    FontSetting readFont;
    ReadOutputView(environment, readFont);
    EXPECT_EQ(readFont, outputFont);
    HeaderIOSettings readHeader;
    ReadHeaderIOSettings(environment, readHeader);
    EXPECT_EQ(readHeader.InputWidth, 100);
    EXPECT_EQ(readHeader.FunctionHeight, 0);
    header.InputWidth = 100;
    EXPECT_EQ(readHeader, header);

    EnvironmentXml positions;
    IndexViewInfo moved{-10, 20, 4000000000u, 3, 17, 0, -1};
    WriteIndexViewInfo(positions.context, positions.environment, moved);
    ReadIndexViewInfo(positions.Reparsed().child("IndexViewInfo"), info);
    EXPECT_EQ(info, moved);
    ReadHeaderIOSettings(xml.Parse("<Environment><HeaderIOSettings/></Environment>"), readHeader);
    EXPECT_EQ(readHeader.FunctionHeight, 100);
    EXPECT_EQ(readHeader.FunctionWidth, 200);
    EXPECT_EQ(readHeader.VerticalSizeShared, 0);
}
