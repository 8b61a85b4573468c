#include "model/SentenceSettings.h"
#include "EnvironmentXmlFixture.h"
#include "model/QuantifierSettings.h"
#include "model/xml/SentenceSettingsElement.h"

#include <gtest/gtest.h>

TEST(SentenceSettings, LanguageDefaultsFillEveryWord) {
    NaturalSentenceWords japanese;
    SetJapaneseSentenceWords(japanese);
    EXPECT_EQ(japanese.BeginConditionalSequence, "もし");
    EXPECT_EQ(japanese.TotalNegationPostfix, "それら以外");
    EXPECT_TRUE(japanese.PositivePostfix.isEmpty());
    NaturalSentenceWords english;
    english.SignUseState = 0;
    english.NestUse = 1;
    SetEnglishSentenceWords(english);
    EXPECT_EQ(english.NegativeInfix, " is not ");
    EXPECT_EQ(english.BeginComment, "(Note: ");
    EXPECT_EQ(english.SignUseState, 1);
    EXPECT_EQ(english.NestUse, 0);

    SentenceParticles particles;
    GetSentenceParticles(1, particles);
    EXPECT_EQ(particles, (SentenceParticles{"が", "が", "を", "せよ", 1}));
    particles.language = 7;
    GetSentenceParticles(0, particles);
    EXPECT_EQ(particles, (SentenceParticles{" is ", " is ", " ", "", 7}));
    GetSentenceParticles(2, particles);
    EXPECT_EQ(particles, (SentenceParticles{"", "", "", "", 7}));
}

TEST(SentenceSettings, NaturalSentenceWordsRoundTripAndMissingPartsReadTheirDefaults) {
    EnvironmentXml xml;
    NaturalSentenceWords words;
    SetEnglishSentenceWords(words);
    words.language = 0;
    words.ImperativeInfix = " ";
    WriteNaturalSentenceConfiguration(xml.context, xml.environment, words);
    const std::string text = xml.Text();
    EXPECT_EQ(text.rfind("<Environment><NaturalSentenceConfiguration ElswFlag=\"0\" NestUse=\"0\" QuartUse=\"0\" "
                         "SignUseFunction=\"1\" SignUseMember=\"1\" SignUseState=\"1\" Language=\"0\">"
                         "<BeginComment>(Note: </BeginComment>",
                         0),
              0u);
    NaturalSentenceWords partial = words;
    ReadNaturalSentenceConfiguration(xml.Parse("<Environment><NaturalSentenceConfiguration SignUseFunction=\"x\">"
                                               "<BeginLoop>" +
                                               std::string(70, 'w') +
                                               "</BeginLoop></NaturalSentenceConfiguration></Environment>"),
                                     partial, 1);
    EXPECT_EQ(partial.BeginLoop.size(), 64);
    EXPECT_TRUE(partial.ExitLoop.isEmpty());
    EXPECT_EQ(partial.SignUseMember, 1);
    EXPECT_EQ(partial.SignUseFunction, 0);
    EXPECT_EQ(partial.language, 1);
    NaturalSentenceWords kept = words;
    ReadNaturalSentenceConfiguration(xml.Parse("<Environment/>"), kept, 1);
    EXPECT_EQ(kept, words);
}

TEST(SentenceSettings, QuantifiersRoundTripAndAnEmptiedListStaysEmpty) {
    EnvironmentXml xml;
    CQuantifierSettings quantifiers;
    quantifiers.entries = {{"∀", "∃", 0, 0}, {"some ", "every ", 1, 1}};
    WriteQuantifierSettings(xml.context, xml.environment, quantifiers);
    EXPECT_EQ(xml.Text(), "<Environment><QuantifierSettings Num=\"2\"><QuantifierSetting><Quantifier>∀</Quantifier>"
                          "<Opposite>∃</Opposite></QuantifierSetting><QuantifierSetting Type=\"1\" Infix=\"1\">"
                          "<Quantifier>some </Quantifier><Opposite>every </Opposite></QuantifierSetting>"
                          "</QuantifierSettings></Environment>");
    CQuantifierSettings read;
    ReadQuantifierSettings(xml.Reparsed(), read);
    EXPECT_EQ(read, quantifiers);

    EnvironmentXml emptied;
    CQuantifierSettings none;
    none.entries.clear();
    WriteQuantifierSettings(emptied.context, emptied.environment, none);
    ReadQuantifierSettings(emptied.Reparsed(), read);
    EXPECT_TRUE(read.entries.empty());
    ReadQuantifierSettings(xml.Parse("<Environment/>"), read);
    EXPECT_EQ(read, CQuantifierSettings());

    ReadQuantifierSettings(xml.Parse("<Environment><Other><QuantifierSetting Type=\"-1\"><Quantifier>a</Quantifier>"
                                     "<Opposite>b</Opposite></QuantifierSetting></Other>"
                                     "<QuantifierSetting Type=\"2\"><Quantifier>c</Quantifier><Opposite>d</Opposite>"
                                     "</QuantifierSetting><QuantifierSetting><Quantifier>e</Quantifier>"
                                     "</QuantifierSetting></Environment>"),
                           read);
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0], (QuantifierEntry{"a", "b", -1, 0}));
}

TEST(SentenceSettings, ParticlesAreStoredWholeAndDefaultToTheDocumentLanguage) {
    EnvironmentXml xml;
    SentenceParticles particles{" is ", " equals ", " ", "", 0};
    WriteParticleSettings(xml.context, xml.environment, particles);
    EXPECT_EQ(xml.Text(), "<Environment><ParticleSettings Language=\"0\"><If> is </If><Switch> equals </Switch>"
                          "<DoInfix> </DoInfix><DoSuffix></DoSuffix></ParticleSettings></Environment>");
    SentenceParticles read;
    ReadParticleSettings(xml.Parse("<Environment><ParticleSettings Language=\"0\"><If>が</If><Switch>は</Switch>"
                                   "<DoInfix>を</DoInfix></ParticleSettings></Environment>"),
                         read, 1);
    EXPECT_EQ(read, (SentenceParticles{"が", "は", "を", "", 0}));
    ReadParticleSettings(xml.Parse("<Environment/>"), read, 1);
    EXPECT_EQ(read, (SentenceParticles{"が", "が", "を", "せよ", 1}));
}
