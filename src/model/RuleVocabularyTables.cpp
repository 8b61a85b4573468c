#include "model/RuleVocabularyTables.h"

#include "texts/MessageContext.h"
#include "texts/TextHelpers.h"

namespace {

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

void SetDefaultLineMarkSettings(LineMarkTable& table, int language) {
    CMessageContext context;
    context.m_language = language;
    for (int k = 0; k < LineMarkTable::GroupCount; ++k)
        table.groupNames[k] = GetVeskGroupName(context, k);
    for (int j = 0; j < LineMarkTable::AttributeCount; ++j) {
        LineMarkTable::Attribute& attribute = table.attributes[j];
        attribute.name = GetVeskAttributeText(context, j);
        attribute.colorNo = attributeDefaults[j].colorNo;
        attribute.shape = attributeDefaults[j].shape;
        attribute.groupNo = attributeDefaults[j].groupNo;
    }
}

bool IsObscureWord(const FuzzwordSettings& fuzzwords, const QString& text) {
    return fuzzwords.words.contains(text, Qt::CaseSensitive);
}
