#pragma once

#include "model/MemberDefinition.h"

#include <QString>

#include <cstdint>
#include <map>

class CUnitFunctionRegistry;
struct FuzzwordSettings;

// How often each member and state name occurs in the logic lines of the whole document, for the member and
// state names list. Maps order names by UTF-16 code units.
class CMemberUsage {
public:
    // Most lines one list may have.
    static constexpr uint32_t MaxLines = 10000;

    struct StateUsage {
        QString member;
        QString state;
        uint32_t count = 0;
    };
    struct MemberUsage {
        QString name;
        uint32_t count = 0;
        std::map<QString, StateUsage> states;
    };

    std::map<QString, MemberUsage> members;
    uint32_t lineCount = 0; // CSV lines produced so far by both formatters

    void CountMember(const QString& member);
    void CountState(const QString& member, const QString& state);
};

// Thrown when a list would pass MaxLines lines; carries the line count reached.
struct CSizeOverExceptionForExport {
    uint32_t count;
};

// Counts over every unit function in registry order: if, Do and Transit State count the member of slot 1 and
// its state of slot 3; switch counts its member and opens it for the case lines up to the endsw.
CMemberUsage CollectMemberAndStateUsage(const CUnitFunctionRegistry& registry);

// One CSV line per member name (empty name left out): name, empty state column, count, registered, obscure.
QString FormatMemberUsageCsvLines(CMemberUsage& usage, const MemberDefinitionList& registered,
                                  const FuzzwordSettings& fuzzwords);
// One CSV line per state name of each member (empty state names left out): member, state, count, registered
// with that member, obscure.
QString FormatMemberUsageCsvLines2(CMemberUsage& usage, const MemberDefinitionList& registered,
                                   const FuzzwordSettings& fuzzwords);

// Writes the member and state names list: the header line, the member lines, the state lines, in the process
// code page. A list that would pass MaxLines lines writes nothing and reports the line count reached.
struct MemberUsageExportResult {
    enum Status { Written, WriteFailed, TooManyLines } status;
    uint32_t lineCount;
    qsizetype replacedCharacters = 0; // written as "?": CP932 cannot hold them
    QString failure{};                // why it was not written
};
MemberUsageExportResult ExportMemberUsageCsv(const QString& path, const CUnitFunctionRegistry& registry,
                                             const MemberDefinitionList& registered, const FuzzwordSettings& fuzzwords);
// What the user is told about a list that is too long.
QString FormatMemberUsageSizeOverMessage(uint32_t lineCount);
