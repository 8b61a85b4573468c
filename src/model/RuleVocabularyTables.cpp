#include "model/RuleVocabularyTables.h"

#include "texts/StringTable.h"

#include <utility>

namespace {

const LineMarkNameSource* lineMarkNames = nullptr;

struct AttributeDefaults {
    uint8_t colorNo, shape, groupNo;
};

constexpr std::array<AttributeDefaults, LineMarkTable::AttributeCount> attributeDefaults{{
    {9, 0, 0},
    {12, 1, 0},
    {13, 2, 0},
    {10, 3, 0},
    {11, 4, 0},
    {14, 0, 0},
    {8, 1, 0},
    {0, 0, 1},
    {0, 0, 1},
    {0, 0, 1},
    {0, 0, 1},
    {0, 0, 1},
    {0, 0, 1},
    {2, 0, 4},
    {12, 3, 4},
}};

} // namespace

LineMarkNameSourceInstaller::LineMarkNameSourceInstaller(const LineMarkNameSource& source)
    : HookInstaller(lineMarkNames, source) {}

void SetDefaultLineMarkSettings(LineMarkTable& table) {
    for (int k = 0; k < LineMarkTable::GroupCount; ++k) {
        // The last group holds the marks the program sets itself.
        const QString fallback = k == LineMarkTable::GroupCount - 1 ? LoadString(StringId::LineMarkGroupAutomatic)
                                                                    : LoadString(StringId::LineMarkGroupN).arg(k + 1);
        table.groupNames[k] = lineMarkNames ? lineMarkNames->GroupName(k) : fallback;
    }
    for (int j = 0; j < LineMarkTable::AttributeCount; ++j) {
        LineMarkTable::Attribute& attribute = table.attributes[j];
        attribute.name =
            lineMarkNames ? lineMarkNames->AttributeName(j) : LoadString(StringId::LineMarkAttributeN).arg(j + 1);
        attribute.colorNo = attributeDefaults[j].colorNo;
        attribute.shape = attributeDefaults[j].shape;
        attribute.groupNo = attributeDefaults[j].groupNo;
    }
}

bool IsObscureWord(const FuzzwordSettings& fuzzwords, const QString& text) {
    return fuzzwords.words.contains(text, Qt::CaseSensitive);
}
