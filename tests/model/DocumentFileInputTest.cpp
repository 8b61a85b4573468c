#include "model/DocumentData.h"
#include "model/DocumentFile.h"
#include "model/OutlineNumber.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/MessageBox.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <set>

namespace {

const QString kDataDir = QStringLiteral(NUV_TEST_DATA_DIR "/docfile/");

// The result of loading the bytes from a file-like device and from a pipe, which must agree.
LoadResult Load(CDocumentData& data, const QByteArray& bytes) {
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    const LoadResult result = LoadDocumentXml(file, data, 0);
    // Small texts only: the pipe holds them without a reader.
    if (bytes.size() < 4096) {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        EXPECT_EQ(write(ends[1], bytes.constData(), static_cast<std::size_t>(bytes.size())), bytes.size());
        close(ends[1]);
        QFile pipeFile;
        EXPECT_TRUE(pipeFile.open(ends[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
        EXPECT_TRUE(pipeFile.isSequential());
        CDocumentData again;
        EXPECT_EQ(LoadDocumentXml(pipeFile, again, 0), result);
    }
    return result;
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QByteArray Document(const QByteArray& content) {
    return R"(<?xml version="1.0" encoding="UTF-8"?><NUV Version="0.4.0"><Document>)" + content +
           "<Functions/></Document></NUV>";
}

class DocumentFileInput : public ::testing::Test {
protected:
    platform::ScriptedMessageSink m_messages;
};

} // namespace

TEST_F(DocumentFileInput, BytesThatAreNotUtf8MakeTheFileMalformed) {
    CDocumentData data;
    EXPECT_EQ(Load(data, ReadBytes(kDataDir + "invalid-utf8.nuv")), LoadResult::MalformedXml);
    const QByteArray broken[] = {
        "\xFF",             // never in UTF-8
        "\xC0\xAF",         // overlong "/"
        "\xED\xA0\x80",     // a surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xE3\x81",         // cut short
        "\x82",             // a stray continuation byte
    };
    for (const QByteArray& bytes : broken) {
        EXPECT_EQ(Load(data, Document("<Comment>a" + bytes + "b</Comment>")), LoadResult::MalformedXml)
            << bytes.toHex().toStdString();
    }
    // Characters of every length load.
    EXPECT_EQ(Load(data, Document("<MemoText>\xC3\xA9\xE7\x82\x8A\xF0\x9F\x8D\x9A</MemoText>")), LoadResult::Loaded);
}

TEST_F(DocumentFileInput, AFileOfOnlyAByteOrderMarkIsEmpty) {
    CDocumentData data;
    EXPECT_EQ(Load(data, ReadBytes(kDataDir + "bom-only.nuv")), LoadResult::EmptyFile);
    EXPECT_EQ(Load(data, "\xEF\xBB\xBF "), LoadResult::MalformedXml);
    EXPECT_EQ(Load(data, "\xEF\xBB\xBF" + Document("<Comment>c</Comment>")), LoadResult::Loaded);
}

// Every reader looks names up at any depth below its element, but a record nested in another of its kind
// holds its own content: reading each of many nested records must not walk the same subtree again for each.
// Each file is read in well under a second.
constexpr int kDepth = 100000;

QByteArray Nested(const QByteArray& open, const QByteArray& bottom, const QByteArray& close) {
    return open.repeated(kDepth) + bottom + close.repeated(kDepth);
}

TEST_F(DocumentFileInput, NestedSettingsReadTheirOwnWords) {
    CDocumentData data;
    ASSERT_EQ(Load(data, Document("<Environment><QuantifierSettings>" +
                                  Nested("<QuantifierSetting><Quantifier>q</Quantifier><Opposite>o</Opposite>", "",
                                         "</QuantifierSetting>") +
                                  "</QuantifierSettings></Environment>")),
              LoadResult::Loaded);
    ASSERT_EQ(data.quantifiers.entries.size(), std::size_t{kDepth});
    EXPECT_EQ(data.quantifiers.entries.front().quantifier, "q");
}

// Only the deepest setting has words: the others have none of their own and are left out.
TEST_F(DocumentFileInput, NestedSettingsWithoutWordsOfTheirOwnAreLeftOut) {
    CDocumentData data;
    ASSERT_EQ(Load(data, Document("<Environment><QuantifierSettings>" +
                                  Nested("<QuantifierSetting>", "<Quantifier>q</Quantifier><Opposite>o</Opposite>",
                                         "</QuantifierSetting>") +
                                  "</QuantifierSettings></Environment>")),
              LoadResult::Loaded);
    EXPECT_EQ(data.quantifiers.entries.size(), 1u);
}

TEST_F(DocumentFileInput, NestedMembersAndUnitFunctionsReadTheirOwnContent) {
    CDocumentData data;
    ASSERT_EQ(Load(data, Document("<MemberNameRegister>" +
                                  Nested("<MemberName><Name>m</Name><StateName><Name>s</Name></StateName>", "",
                                         "</MemberName>") +
                                  "</MemberNameRegister>")),
              LoadResult::Loaded);
    ASSERT_EQ(data.memberDefinitions.size(), std::size_t{kDepth});
    EXPECT_EQ(data.memberDefinitions.front().states.size(), 1u);

    // Each claims more lines than the file holds; the deepest has a large header the others must not read.
    QByteArray functions = R"(<NUV Version="0.4.0"><Document><Functions/><FunctionHolder Root="1">)";
    for (int id = 1; id <= kDepth; ++id)
        functions += R"(<Function Line="99999999" InternalID=")" + QByteArray::number(id) + R"("><Line ConstNo="1"/>)";
    functions += "<Header><FunctionContents2>" + QByteArray("<p/>").repeated(kDepth) + "</FunctionContents2></Header>";
    functions += QByteArray("</Function>").repeated(kDepth) + "</FunctionHolder></Document></NUV>";
    ASSERT_EQ(Load(data, functions), LoadResult::Loaded);
    ASSERT_EQ(data.registry.Count(), kDepth);
    for (quint32 id : {1u, 50000u, static_cast<quint32>(kDepth)}) {
        const CUnitFunction* function = data.registry.FindByInternalID(id);
        ASSERT_NE(function, nullptr);
        EXPECT_EQ(function->logicLines.size(), 1u) << id;
    }
}

// A document inside another is part of its content, not a version of its own; saved again, it is written once.
TEST_F(DocumentFileInput, NestedDocumentsAreOneDocument) {
    const QByteArray documents = "<NUV Version=\"0.4.0\">" +
                                 Nested("<Document Version=\"1\">", "<Comment>deepest</Comment>", "</Document>") +
                                 "</NUV>";
    CDocumentData data;
    ASSERT_EQ(Load(data, documents), LoadResult::Loaded);
    EXPECT_EQ(data.versionHistory.size(), 1u);
    EXPECT_EQ(data.documentHeader.Comment, "deepest");
    QTemporaryDir directory;
    ASSERT_TRUE(SaveDocumentXml(data, directory.filePath("saved.nuv")));
    EXPECT_LT(QFileInfo(directory.filePath("saved.nuv")).size(), 2 * documents.size());
}

// The parser takes a NUL for the end of the text: nothing may hide behind one, and no reference may make one.
TEST_F(DocumentFileInput, NulBytesAndReferencesToNulMakeTheFileMalformed) {
    CDocumentData data;
    const QByteArray document = Document("<Comment>c</Comment>");
    EXPECT_EQ(Load(data, document + QByteArray("\0<garbage>", 10)), LoadResult::MalformedXml);
    EXPECT_EQ(Load(data, document + QByteArray("\0", 1)), LoadResult::MalformedXml);
    EXPECT_EQ(Load(data, Document("<Comment>a&#x0;b</Comment>")), LoadResult::MalformedXml);
    EXPECT_EQ(Load(data, Document(R"(<View FunctionDescriptor="1&#00;2"/>)")), LoadResult::MalformedXml);
    EXPECT_EQ(Load(data, Document("<Comment>a&#x100000000;b</Comment>")), LoadResult::MalformedXml);

    // Other control characters by reference are what the writer makes of them; in a comment "&#0;" is text.
    ASSERT_EQ(Load(data, Document("<!-- &#0; --><Comment>a&#1;b&#x1F;</Comment>")), LoadResult::Loaded);
    EXPECT_EQ(data.documentHeader.Comment, QString("a\x01"
                                                   "b\x1F"));
}

// Each later unit function with an InternalID taken already, and each with InternalID 0, is kept under a fresh
// one; references by the ID stay with the first.
TEST_F(DocumentFileInput, UnitFunctionsSharingAnInternalIdAreAllKept) {
    CDocumentData data;
    ASSERT_EQ(Load(data, Document(R"(<Functions><FunctionHolder Root="5">)"
                                  R"(<Function InternalID="5" Line="1"><Name>A</Name><Child Descriptor="7"/>)"
                                  R"(<Line ConstNo="0" InternalID="7"/></Function>)"
                                  R"(<Function InternalID="7"><Name>B</Name></Function>)"
                                  R"(<Function InternalID="5" Line="2"><Name>C</Name><Child Descriptor="5"/>)"
                                  R"(<Line ConstNo="10"/><Line ConstNo="10"/></Function>)"
                                  R"(<Function><Name>D</Name></Function>)"
                                  R"(<Function InternalID="0"><Name>E</Name></Function>)"
                                  R"(</FunctionHolder></Functions>)")),
              LoadResult::Loaded);
    const CUnitFunctionRegistry& registry = data.registry;
    ASSERT_EQ(registry.Count(), 5);
    const CUnitFunction* a = registry.FindByName("A");
    const CUnitFunction* c = registry.FindByName("C");
    const CUnitFunction* e = registry.FindByName("E");
    ASSERT_TRUE(a && c && e && registry.FindByName("D"));
    EXPECT_EQ(a->InternalID, 5u);
    EXPECT_EQ(registry.origin, a);
    ASSERT_EQ(a->children.size(), 1u);
    EXPECT_EQ(a->children[0]->name, "B");
    ASSERT_EQ(a->logicLines.size(), 1u);
    EXPECT_EQ(a->logicLines[0]->calledInternalID, 7u);
    EXPECT_NE(c->InternalID, 5u);
    EXPECT_EQ(c->logicLines.size(), 2u);
    EXPECT_EQ(c->children, std::vector<CUnitFunction*>{registry.origin});
    // 0 names no unit function: both get an InternalID of their own.
    EXPECT_NE(registry.FindByName("D")->InternalID, 0u);
    EXPECT_NE(e->InternalID, 0u);
    EXPECT_NE(registry.FindByName("D")->InternalID, e->InternalID);
}

// A unit function is read the same whether its parts sit where the writer puts them or deeper, wrapped in
// elements the reader does not know; of two where one is read, the first counts.
TEST_F(DocumentFileInput, UnitFunctionPartsAreFoundAtAnyDepth) {
    const auto load = [](const QByteArray& header, const QByteArray& line, const QByteArray& name) {
        auto data = std::make_unique<CDocumentData>();
        const QByteArray bytes = R"(<NUV Version="0.4.0"><Document><Functions/><FunctionHolder Root="1">)"
                                 R"(<Function Line="2" InternalID="1"><Header FunctionHeight="80">)" +
                                 header + "</Header>" + line + R"(<Line ConstNo="10"/>)" + name +
                                 "<Explanation><Line>e</Line></Explanation><CodeSymbol>k</CodeSymbol></Function>"
                                 "</FunctionHolder></Document></NUV>";
        EXPECT_EQ(Load(*data, bytes), LoadResult::Loaded);
        return data;
    };
    const QByteArray header = "<FunctionContents>c</FunctionContents><Request>r1</Request><Requirement>r2</Requirement>"
                              "<UniqueLabel>u</UniqueLabel>";
    const QByteArray line = R"(<Line ConstNo="4" DataNum="1"><InputStr>s</InputStr><Memo>m</Memo><URL>a</URL></Line>)";
    const auto plain = load(header, line, "<Name>n</Name>");
    const CUnitFunction* expected = plain->registry.FindByInternalID(1);
    ASSERT_NE(expected, nullptr);
    ASSERT_EQ(expected->logicLines.size(), 2u);
    EXPECT_EQ(expected->logicLines[0]->textSlots[0].text, QStringLiteral("s"));
    EXPECT_EQ(expected->logicLines[0]->Memo(), QStringLiteral("m"));
    EXPECT_EQ(expected->logicLines[0]->Urls()[0], QStringLiteral("a"));
    EXPECT_EQ(expected->header.ownRequirements, (std::set<QString>{QStringLiteral("r1"), QStringLiteral("r2")}));

    const struct {
        QByteArray header;
        QByteArray line;
        QByteArray name;
    } variants[] = {
        {"<G><FunctionContents>c</FunctionContents></G><G><Request>r1</Request></G><Requirement>r2</Requirement>"
         "<UniqueLabel>u</UniqueLabel><UniqueLabel>v</UniqueLabel>",
         line, "<Name>n</Name>"},
        {header,
         R"(<Line ConstNo="4" DataNum="1"><X><InputStr>s</InputStr></X><Memo>m</Memo><Memo>z</Memo><Y><URL>a</URL></Y></Line>)",
         "<Name>n</Name>"},
        {header, line, "<W><Name>n</Name></W><Name>o</Name>"},
    };
    for (const auto& variant : variants) {
        SCOPED_TRACE(variant.header.toStdString() + variant.line.toStdString() + variant.name.toStdString());
        const auto data = load(variant.header, variant.line, variant.name);
        const CUnitFunction* function = data->registry.FindByInternalID(1);
        ASSERT_NE(function, nullptr);
        EXPECT_EQ(function->name, expected->name);
        EXPECT_EQ(function->codeSymbol, expected->codeSymbol);
        EXPECT_EQ(function->header.contentText, expected->header.contentText);
        EXPECT_EQ(function->header.uniqueLabel, expected->header.uniqueLabel);
        EXPECT_EQ(function->header.ownRequirements, expected->header.ownRequirements);
        EXPECT_EQ(function->header.FunctionHeight, 80);
        ASSERT_EQ(function->logicLines.size(), expected->logicLines.size());
        for (std::size_t i = 0; i < expected->logicLines.size(); ++i)
            EXPECT_TRUE(*function->logicLines[i] == *expected->logicLines[i]) << i;
    }
}

namespace {

// A table of contents `levels` deep: unit function i + 1 the only child of unit function i.
QByteArray ChainDocument(int levels) {
    QByteArray functions;
    for (int id = 1; id <= levels + 1; ++id) {
        functions +=
            "<Function InternalID=\"" + QByteArray::number(id) + "\"><Name>F" + QByteArray::number(id) + "</Name>";
        if (id <= levels)
            functions += "<Child Descriptor=\"" + QByteArray::number(id + 1) + "\"/>";
        functions += "</Function>";
    }
    return Document("<FunctionHolder Root=\"1\">" + functions + "</FunctionHolder>");
}

} // namespace

// Every place shows its whole number, so a table of contents nested without bound would make every program that
// shows or writes it run out of memory: a document nested deeper than the bound is refused as a whole; shared unit
// functions and cycles do not count as depth of their own.
TEST_F(DocumentFileInput, TableOfContentsNestedDeeperThanTheBoundIsRefused) {
    CDocumentData data;
    EXPECT_EQ(Load(data, ChainDocument(kMaxOutlineDepth)), LoadResult::Loaded);
    EXPECT_EQ(data.registry.Count(), kMaxOutlineDepth + 1);
    EXPECT_EQ(Load(data, ChainDocument(kMaxOutlineDepth + 1)), LoadResult::TooDeep);

    // Each unit function shown twice under its parent, the last one below itself: 2^n places, n + 1 levels.
    QByteArray shared = "<FunctionHolder Root=\"1\">";
    for (int id = 1; id <= 40; ++id)
        shared += "<Function InternalID=\"" + QByteArray::number(id) + "\"><Name>F</Name><Child Descriptor=\"" +
                  QByteArray::number(id < 40 ? id + 1 : 40) + "\"/><Child Descriptor=\"" +
                  QByteArray::number(id < 40 ? id + 1 : 1) + "\"/></Function>";
    EXPECT_EQ(Load(data, Document(shared + "</FunctionHolder>")), LoadResult::Loaded);
    EXPECT_FALSE(data.registry.IsTableOfContentsDeeperThan(39));
    EXPECT_TRUE(data.registry.IsTableOfContentsDeeperThan(38));
}
