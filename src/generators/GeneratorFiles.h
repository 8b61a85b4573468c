#pragma once

#include "model/FileUtilities.h"
#include "platform/CodePageTextFile.h"

#include <QString>

#include <functional>

// What the generators share around the files they write.

// The name a CSV generator writes to: the name with ".csv" appended unless it ends in ".csv" or ".CSV".
QString CsvOutputName(const QString& fileName);

// The checks of a generator dialog's OK before it writes `outputName` from the typed `fileName`: a name must
// be given, and an existing file is overwritten only when the user says so. False after the message, with
// nothing stored.
bool ConfirmOutputFile(const QString& fileName, const QString& outputName);

// Writes the tables to the CSV file in the process code page (CP932, CR LF) through a temporary file beside it.
// A failure is reported with the write-failure message and leaves a file that was there as it was. `replaced`, when
// given, takes the number of characters CP932 cannot hold, written as "?".
bool WriteCsvTables(const QString& path, const std::vector<CsvTable>& tables, qsizetype* replaced = nullptr);

// How a write of a CSV file ended.
struct CsvFileWrite {
    bool written = false;
    QString failure;        // when not written: the reason the write-failure message gives
    qsizetype replaced = 0; // characters CP932 cannot hold, written as "?"
    bool inUtf8 = false;    // written in UTF-8 instead (CodePageTextFile::Fallback::Utf8)
};
// Writes the file through `write` without a word, so that it may run on a worker: as WriteCsvTables, what `write`
// throws leaves the file as it was. `fallback` decides what becomes of what CP932 cannot hold.
CsvFileWrite WriteCodePageFileUnsaid(
    const QString& path, const std::function<void(platform::CodePageTextFile&)>& write,
    platform::CodePageTextFile::Fallback fallback = platform::CodePageTextFile::Fallback::QuestionMark);
// A failed write said with the write-failure message; true when the file was written.
bool SayCsvFileFailure(const QString& path, const CsvFileWrite& write);
// The same for lines that hold their own line ends.
bool WriteCsvLines(const QString& path, const QStringList& lines, qsizetype* replaced = nullptr);
// And without a word, with the choice of what CP932 cannot hold.
CsvFileWrite WriteCsvLinesUnsaid(const QString& path, const QStringList& lines,
                                 platform::CodePageTextFile::Fallback fallback);
