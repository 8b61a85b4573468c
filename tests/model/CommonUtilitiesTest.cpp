#include "model/CsvUtilities.h"
#include "model/FileUtilities.h"
#include "model/WordSimilarity.h"
#include "platform/CodePageTextFile.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CsvUtilities, EveryFieldIsQuotedAndFollowedByAComma) {
    EXPECT_EQ(QuoteCsvField("abc"), "\"abc\",");
    EXPECT_EQ(QuoteCsvField(""), "\"\",");
    EXPECT_EQ(QuoteCsvField("\""), "\"\"\"\",");
    EXPECT_EQ(QuoteCsvField("a,b\nc"), "\"a,b\nc\",");
}

TEST(CsvUtilities, SplittingHonoursQuotesAndDropsAnEmptyTail) {
    auto split = [](const QString& line) {
        QStringList fields{"kept"};
        SplitCsvLine(fields, line);
        fields.removeFirst();
        // Passing over the fields finds as many.
        CsvFieldCursor cursor(line);
        qsizetype skipped = 0;
        while (cursor.Skip())
            ++skipped;
        EXPECT_EQ(skipped, fields.size()) << line.toStdString();
        return fields;
    };
    EXPECT_EQ(split(""), QStringList());
    EXPECT_EQ(split(","), QStringList{""});
    EXPECT_EQ(split("\"a\"\"b\""), QStringList{"a\"b"});
    EXPECT_EQ(split("a,b,"), (QStringList{"a", "b"}));
    EXPECT_EQ(split(",x"), (QStringList{"", "x"}));
    EXPECT_EQ(split("\"p,q\",r,"), (QStringList{"p,q", "r"}));
    // A last field made of quotes is a field, empty or not (a spreadsheet that quotes every field ends its lines so).
    EXPECT_EQ(split("\"\""), QStringList{""});
    EXPECT_EQ(split("\"R2\",\"c\",\"\""), (QStringList{"R2", "c", ""}));
    EXPECT_EQ(split("\"\"\"\""), QStringList{"\""});
    EXPECT_EQ(split("a,\"\"\"\"\"\""), (QStringList{"a", "\"\""}));
    EXPECT_EQ(split("a,\""), (QStringList{"a", ""}));
    // A quote in a field that does not begin with one is text, doubled or not, and a comma after it ends the field.
    EXPECT_EQ(split("TV,32\" screen,100,"), (QStringList{"TV", "32\" screen", "100"}));
    EXPECT_EQ(split("5\" x 3\" panel,a\"\"b,\"c\""), (QStringList{"5\" x 3\" panel", "a\"\"b", "c"}));
    // What QuoteCsvField writes splits back to the original texts.
    QString line = QuoteCsvField("say \"hi\", then go") + QuoteCsvField("") + QuoteCsvField("x");
    EXPECT_EQ(split(line), (QStringList{"say \"hi\", then go", "", "x"}));
}

// Most cells of a traceability file are empty, quoted or not: an empty field takes no memory of its own.
TEST(CsvUtilities, AnEmptyFieldTakesNoMemory) {
    CsvFieldCursor cursor(u",\"\",\"a\"\"b\",\"\"x,\"\"");
    QStringList fields;
    for (QString field; cursor.Next(field);) {
        fields << field;
        if (field.isEmpty()) {
            EXPECT_EQ(field.capacity(), 0) << fields.size();
        }
    }
    EXPECT_EQ(fields, (QStringList{"", "", "a\"b", "x", ""}));
}

// Records end at line ends outside quotes, wherever the quotes are doubled; each record's first line is numbered as
// the file's lines are. A quote still open at the end of the file ends its record with the file; a misplaced quote
// ends its record with its line, which is named, and the records after it start on the next line.
TEST(CsvUtilities, RecordsHoldQuotedLineBreaksAndEndAtAQuoteThatGoesWrong) {
    const auto read = [](const QByteArray& bytes) {
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath("r.csv"), bytes);
        platform::CodePageTextFile file;
        EXPECT_TRUE(file.OpenForReading(dir.filePath("r.csv"), 1 << 20));
        CsvRecordReader reader(file);
        QStringList records;
        for (QStringView record; reader.Next(record);) {
            QString fault;
            if (reader.Fault() == CsvRecordReader::QuoteFault::Unclosed)
                fault = QStringLiteral("!");
            else if (reader.Fault() == CsvRecordReader::QuoteFault::Misplaced)
                fault = QStringLiteral("?%1").arg(reader.FaultLine());
            records << QStringLiteral("%1%2:").arg(reader.Line()).arg(fault) + record.toString();
        }
        return records;
    };
    EXPECT_EQ(read("a,\"b\r\nc\",\r\n\"\"\"a\nb\"\"\",\r\n\r\nd\r\n"),
              (QStringList{"1:a,\"b\nc\",", "3:\"\"\"a\nb\"\"\",", "5:", "6:d"}));
    EXPECT_EQ(read("a\r\n\"b,\"\"\r\nc\r\n"), (QStringList{"1:a", "2!:\"b,\"\"\nc"}));
    EXPECT_EQ(read(""), QStringList());
    // A closing quote followed by text: the quotes of the rest of the line no longer pair up.
    EXPECT_EQ(read(",C1,C2\r\n\"r2,\"3\",\"4\",\r\nR3,a\r\n"),
              (QStringList{"1:,C1,C2", "2?2:\"r2,\"3\",\"4\",", "3:R3,a"}));
    // The same on the second line of a quoted field. A quote inside a field that does not begin with one is text: it
    // opens no quoted part, so the line end after it ends the record.
    EXPECT_EQ(read("\"a\nb\" c,\r\nx,5\" d\r\n\"e\"\r\nTV,32\" screen,\"f\r\ng\",\r\n"),
              (QStringList{"1?2:\"a\nb\" c,", "3:x,5\" d", "4:\"e\"", "5:TV,32\" screen,\"f\ng\","}));
}

TEST(CsvUtilities, CsvExtensionIsAddedUnlessOneOfTheTwoSpellingsIsThere) {
    for (auto [name, expected] : {std::pair{"csv", "csv.csv"},
                                  {"x.CSV", "x.CSV"},
                                  {"x.csv", "x.csv"},
                                  {"x.Csv", "x.Csv.csv"},
                                  {".csv", ".csv"},
                                  {"", ".csv"}}) {
        QString fileName = name;
        AppendCsvExtension(fileName);
        EXPECT_EQ(fileName, expected) << name;
    }
}

TEST(FileUtilities, ProposedNamesFollowTheDocumentOrTheCurrentFolder) {
    EXPECT_EQ(MakeFileNameWithExtension("/w/Door.nuv", "csv", "決定表"), "/w/Door 決定表.csv");
    EXPECT_EQ(MakeFileNameWithExtension("/w/Door.NUV", "csv", "決定表"), "/w/Door.NUV 決定表.csv");
    EXPECT_EQ(MakeFileNameWithExtension("/w/Door.csv.nuv", "csv", "a"), "/w/Door a.csv");
    EXPECT_EQ(MakeFileNameWithExtension("/w/Door.nuv", "", "a"), "/w/Door a");
    EXPECT_EQ(MakeFileNameWithExtension("/w/Door.nuv", "csv", ""), "/w/Door.csv");
    EXPECT_EQ(MakeFileNameWithExtension("/w/Door.nuv", "", ""), "/w/Door");
    const QString folder = QDir::currentPath() + QDir::separator();
    EXPECT_EQ(MakeFileNameWithExtension("", "csv", "決定表"), folder + "決定表.csv");
    EXPECT_EQ(MakeFileNameWithExtension("", "", "決定表"), folder + "決定表");
    EXPECT_EQ(MakeFileNameWithExtension("", "csv", ""), folder);
}

TEST(FileUtilities, SanitisingReplacesReservedAndControlCharactersOnly) {
    EXPECT_EQ(SanitizeFileName("..a:b"), "a_b");
    EXPECT_EQ(SanitizeFileName("a/b\\c*d?e\"f<g>h|i\tj"), "a_b_c_d_e_f_g_h_i_j");
    EXPECT_EQ(SanitizeFileName("Door 2000 v1.0"), "Door 2000 v1.0");
    EXPECT_EQ(SanitizeFileName("..."), "");
    EXPECT_EQ(SanitizeFileName(QString(300, 'x')).size(), MaxFileNameLength);
}

TEST(FileUtilities, ListTablesAndLinesGoThroughTheCodePageFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tables.csv");
    platform::CodePageTextFile out;
    ASSERT_TRUE(out.OpenForWriting(path));
    WriteListItemsToFile({{{"a", "b"}, {"c"}}, {{"d\""}}}, out);
    WriteLinesToFile(out, {"x", "y\n"});
    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(ReadFileBytes(path), QByteArray("\"a\",\"b\",\r\n\"c\",\r\n\r\n\"d\"\"\",\r\n\r\nxy\r\n"));
}

TEST(WordSimilarity, CountsInsertionsAndDeletionsOnly) {
    EXPECT_EQ(WordSimilarityPercent("abc", "abd"), 66);
    EXPECT_EQ(WordSimilarityPercent("abc", "abc"), 100);
    EXPECT_EQ(WordSimilarityPercent("abc", ""), 0);
    EXPECT_EQ(WordSimilarityPercent("", ""), 0);
    EXPECT_EQ(WordSimilarityPercent("abc", "xyz"), 0);
    EXPECT_EQ(WordSimilarityPercent("ab", "abcd"), 66); // distance 2 of 6
    EXPECT_EQ(WordSimilarityPercent("abcd", "ab"), 66); // symmetric
    EXPECT_EQ(WordSimilarityPercent("ドア開", "ドア閉"), 66);
    // Names of any length, far beyond 128 characters together.
    const QString longName = QString(500, 'a');
    EXPECT_EQ(WordSimilarityPercent(longName, longName + "b"), 99);
    EXPECT_EQ(WordSimilarityPercent(longName, QString(400, 'b')), 0);
}
