#include "model/MemberUsage.h"

#include "model/CsvUtilities.h"
#include "model/ExportMessages.h"
#include "model/RuleVocabularyTables.h"
#include "model/UnitFunctionRegistry.h"
#include "platform/CodePageTextFile.h"
#include "texts/StringTable.h"

#include <vector>

namespace {

QString Mark(bool set) {
    return QuoteCsvField(set ? QStringLiteral("x") : QStringLiteral(" "));
}

void AppendLine(CMemberUsage& usage, QString& text, const QString& line) {
    if (++usage.lineCount > CMemberUsage::MaxLines)
        throw CSizeOverExceptionForExport{usage.lineCount};
    text += line;
}

} // namespace

void CMemberUsage::CountMember(const QString& member) {
    MemberUsage& entry = members[member];
    entry.name = member;
    ++entry.count;
}

void CMemberUsage::CountState(const QString& member, const QString& state) {
    StateUsage& entry = members[member].states[state];
    entry.member = member;
    entry.state = state;
    ++entry.count;
}

CMemberUsage CollectMemberAndStateUsage(const CUnitFunctionRegistry& registry) {
    CMemberUsage usage;
    for (const auto& [id, function] : registry.Functions()) {
        std::vector<QString> openSwitches;
        for (const auto& line : function.logicLines) {
            if (!line)
                continue;
            const QString& first = line->textSlots[0].text;
            switch (line->lineKind) {
            case SyntaxIf:
            case SyntaxDo:
            case SyntaxTransitState:
                usage.CountMember(first);
                usage.CountState(first, line->textSlots[2].text);
                break;
            case SyntaxSwitch:
                usage.CountMember(first);
                openSwitches.push_back(first);
                break;
            case SyntaxCase:
                if (!openSwitches.empty())
                    usage.CountState(openSwitches.back(), first);
                break;
            case SyntaxEndsw:
                if (!openSwitches.empty())
                    openSwitches.pop_back();
                break;
            default:
                break;
            }
        }
    }
    return usage;
}

QString FormatMemberUsageCsvLines(CMemberUsage& usage, const MemberDefinitionList& registered,
                                  const FuzzwordSettings& fuzzwords) {
    QString text;
    for (const auto& [name, member] : usage.members) {
        if (name.isEmpty())
            continue;
        AppendLine(usage, text,
                   QuoteCsvField(name) + QStringLiteral(" ,") + QuoteCsvField(QString::number(member.count)) +
                       Mark(FindRegisteredMember(registered, name) != nullptr) + Mark(IsObscureWord(fuzzwords, name)) +
                       '\n');
    }
    return text;
}

QString FormatMemberUsageCsvLines2(CMemberUsage& usage, const MemberDefinitionList& registered,
                                   const FuzzwordSettings& fuzzwords) {
    QString text;
    for (const auto& [name, member] : usage.members) {
        for (const auto& [stateName, state] : member.states) {
            if (stateName.isEmpty())
                continue;
            AppendLine(usage, text,
                       QuoteCsvField(name) + QuoteCsvField(stateName) + QuoteCsvField(QString::number(state.count)) +
                           Mark(FindRegisteredMemberState(registered, name, stateName) != nullptr) +
                           Mark(IsObscureWord(fuzzwords, stateName)) + '\n');
        }
    }
    return text;
}

MemberUsageExportResult ExportMemberUsageCsv(const QString& path, const CUnitFunctionRegistry& registry,
                                             const MemberDefinitionList& registered,
                                             const FuzzwordSettings& fuzzwords) {
    CMemberUsage usage = CollectMemberAndStateUsage(registry);
    QString text = LoadString(StringId::MemberUsageCsvHeader);
    try {
        text += FormatMemberUsageCsvLines(usage, registered, fuzzwords);
        text += FormatMemberUsageCsvLines2(usage, registered, fuzzwords);
    } catch (const CSizeOverExceptionForExport& sizeOver) {
        return {MemberUsageExportResult::TooManyLines, sizeOver.count};
    }
    platform::CodePageTextFile file;
    if (file.OpenForWriting(path))
        file.WriteString(text);
    if (!file.Commit())
        return {MemberUsageExportResult::WriteFailed, usage.lineCount, 0, ReplacementFailureText(file, path)};
    return {MemberUsageExportResult::Written, usage.lineCount, file.ReplacedCharacters()};
}

QString FormatMemberUsageSizeOverMessage(uint32_t lineCount) {
    return LoadString(StringId::MemberUsageSizeOver).arg(lineCount);
}
