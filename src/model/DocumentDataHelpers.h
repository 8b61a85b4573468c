#pragma once

#include "model/DocumentData.h"
#include "model/DocumentFile.h"

#include <QString>

#include <optional>

// Remembers a name the editor used: an entry with the same member name moves to the end, the oldest goes
// beyond CDocumentData::MaxRecentNames. Returns the new entry's index, -1 for an empty member name.
int AddRecentName(CDocumentData& data, const RecentName& entry);
int AddRecentNamePair(CDocumentData& data, const RecentNamePair& entry);

// The auxiliary verb whose text equals the text, or null (also for an empty text).
const AuxiliaryVerb* FindAuxiliaryVerb(const CDocumentData& data, const QString& text);
// A copy of the function attribute with that ID; an empty record for ID 0 or an unknown ID.
FunctionAttribute GetFunctionAttribute(const CDocumentData& data, int id);
// After the attribute table changed: each unit function takes its attribute's current symbol, or loses an
// attribute that no longer exists.
void RefreshFunctionAttributeSymbols(CDocumentData& data);

// If, Do and Transit State: the lines that name a member in slot 0 and its state in slot 2.
bool IsConditionOrAction(quint8 kind);

// Drops the stored version at the index; the later ones move up.
void RemoveVersionEntry(CDocumentData& data, int index);

// A path that may come in double quotes, without them.
QString Unquoted(const QString& path);
// Partial imports from another document file; the path may come in double quotes. Nothing when the file cannot
// be opened or is not a regular file, else how its read ended. inputOutputChanged tells the caller to lay out the
// open tabs again.
std::optional<LoadResult> ImportEnvironmentFromFile(CDocumentData& data, const QString& path,
                                                    bool* inputOutputChanged = nullptr);
std::optional<LoadResult> ImportMemberNamesFromFile(const QString& path, MemberDefinitionList& members);

// Every logic line whose member name (or, for if, Do and Transit State, state name) equals the name takes
// the font for that slot.
void ApplyNameFontToAllLines(CDocumentData& data, const QString& name, const FontSetting& font);
// After the indent width changed from divisor to multiplier: indents scale, the positions after them follow.
void ApplyIndentChangeToAllUnitFunctions(CDocumentData& data, int divisor, int multiplier);

// The document's version as shown: "%2d.%02d" of major and minor, empty when both are 0.
QString FormatVersionNumber(const CDocumentData& data);
// The same text also for version 0.0.
QString FormatVersionEntryNumber(const CDocumentData& data);
