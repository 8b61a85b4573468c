#include "model/DocumentDataHelpers.h"

#include "model/DocumentFile.h"
#include "platform/UserFile.h"

#include <QFile>

#include <algorithm>

namespace {

template <class Entry> int AddRecent(std::vector<Entry>& list, const Entry& entry) {
    if (entry.memberName.isEmpty())
        return -1;
    auto same =
        std::find_if(list.begin(), list.end(), [&](const Entry& e) { return e.memberName == entry.memberName; });
    if (same != list.end())
        list.erase(same);
    if (list.size() >= static_cast<size_t>(CDocumentData::MaxRecentNames))
        list.erase(list.begin());
    list.push_back(entry);
    return static_cast<int>(list.size()) - 1;
}

} // namespace

QString Unquoted(const QString& path) {
    QString result = path;
    if (result.startsWith('"'))
        result.remove(0, 1);
    if (result.endsWith('"'))
        result.chop(1);
    return result;
}

bool IsConditionOrAction(quint8 kind) {
    return kind == SyntaxIf || kind == SyntaxDo || kind == SyntaxTransitState;
}

int AddRecentName(CDocumentData& data, const RecentName& entry) {
    return AddRecent(data.RecentNames, entry);
}

int AddRecentNamePair(CDocumentData& data, const RecentNamePair& entry) {
    return AddRecent(data.RecentNamePairs, entry);
}

const AuxiliaryVerb* FindAuxiliaryVerb(const CDocumentData& data, const QString& text) {
    if (text.isEmpty())
        return nullptr;
    auto found = std::find_if(data.AuxiliaryVerbs.begin(), data.AuxiliaryVerbs.end(),
                              [&](const AuxiliaryVerb& verb) { return verb.verb == text; });
    return found == data.AuxiliaryVerbs.end() ? nullptr : &*found;
}

FunctionAttribute GetFunctionAttribute(const CDocumentData& data, int id) {
    if (id == 0)
        return {};
    auto found = std::find_if(data.FunctionAttributes.begin(), data.FunctionAttributes.end(),
                              [&](const FunctionAttribute& attribute) { return attribute.id == id; });
    return found == data.FunctionAttributes.end() ? FunctionAttribute() : *found;
}

void RefreshFunctionAttributeSymbols(CDocumentData& data) {
    for (auto& [id, function] : data.registry.Functions()) {
        CUnitFunctionHeader& header = function.header;
        auto found = std::find_if(data.FunctionAttributes.begin(), data.FunctionAttributes.end(),
                                  [&](const FunctionAttribute& attribute) { return attribute.id == header.TypeNo; });
        if (found != data.FunctionAttributes.end()) {
            header.Type = found->symbol.left(20);
        } else {
            header.TypeNo = 0;
            header.Type.clear();
        }
    }
}

void RemoveVersionEntry(CDocumentData& data, int index) {
    if (index >= 0 && index < static_cast<int>(data.versionHistory.size()))
        data.versionHistory.erase(data.versionHistory.begin() + index);
}

std::optional<LoadResult> ImportEnvironmentFromFile(CDocumentData& data, const QString& path,
                                                    bool* inputOutputChanged) {
    QFile file;
    if (!platform::OpenRegularFileForReading(file, Unquoted(path)))
        return std::nullopt;
    const int input = data.headerIOSettings.Input;
    const int output = data.headerIOSettings.Output;
    const LoadResult result = ImportEnvironmentFromDocument(file, data);
    if (result == LoadResult::Loaded && inputOutputChanged)
        *inputOutputChanged = input != data.headerIOSettings.Input || output != data.headerIOSettings.Output;
    return result;
}

std::optional<LoadResult> ImportMemberNamesFromFile(const QString& path, MemberDefinitionList& members) {
    QFile file;
    if (!platform::OpenRegularFileForReading(file, Unquoted(path)))
        return std::nullopt;
    return ReadMemberNamesFromDocument(file, members);
}

void ApplyNameFontToAllLines(CDocumentData& data, const QString& name, const FontSetting& font) {
    for (auto& [id, function] : data.registry.Functions()) {
        for (const auto& line : function.logicLines) {
            if (!line)
                continue;
            if (IsConditionOrAction(line->lineKind)) {
                if (line->textSlots[0].text == name)
                    line->textSlots[0].SetFont(font);
                if (line->textSlots[2].text == name)
                    line->textSlots[2].SetFont(font);
            } else if (line->lineKind == SyntaxSwitch || line->lineKind == SyntaxCase) {
                if (line->textSlots[0].text == name)
                    line->textSlots[0].SetFont(font);
            }
        }
    }
}

void ApplyIndentChangeToAllUnitFunctions(CDocumentData& data, int divisor, int multiplier) {
    // A divisor of 0 would divide by zero; there is nothing to scale from.
    if (divisor == 0)
        return;
    for (auto& [id, function] : data.registry.Functions()) {
        for (const auto& line : function.logicLines) {
            if (!line)
                continue;
            const quint16 top = static_cast<quint16>(line->Top / divisor * multiplier);
            const quint16 shift = static_cast<quint16>(top - line->Top);
            line->Top = top;
            line->Next = static_cast<quint16>(line->Next / divisor * multiplier);
            line->Home = static_cast<quint16>(line->Home + shift);
            line->Home2 = static_cast<quint16>(line->Home2 + shift);
            line->End = static_cast<quint16>(line->End + shift);
        }
    }
}

QString FormatVersionNumber(const CDocumentData& data) {
    const DocumentHeader& header = data.documentHeader;
    if (header.Major == 0 && header.Minor == 0)
        return {};
    return FormatVersionEntryNumber(data);
}

QString FormatVersionEntryNumber(const CDocumentData& data) {
    return QString::asprintf("%2d.%02d", data.documentHeader.Major, data.documentHeader.Minor);
}
