#include "search/LineMarkSearch.h"

#include "model/DocumentData.h"
#include "model/UnitFunction.h"
#include "texts/MessageContext.h"
#include "texts/StringTable.h"

namespace {

QString JoinedMarkNames(const LineMarkTable& table, quint32 bits) {
    QStringList names;
    for (int k = 0; k < LineMarkTable::AttributeCount; ++k)
        if (bits & (1u << k))
            names << table.attributes[k].name;
    return names.join(LoadString(StringId::LineMarkNameSeparator));
}

} // namespace

CResultPaneReport VeskSearchLineMarks(const CDocumentData& data, quint16 modeAndParameter) {
    const quint8 mode = modeAndParameter & 0xff;
    const quint8 parameter = modeAndParameter >> 8;
    const LineMarkTable& table = data.lineMarkTable;
    CResultPaneReport report;
    quint32 mask = 0;
    QString attributeName;
    if (mode == AllLineMarks) {
        report.AddLine(LoadString(StringId::LineMarkSearchAll));
        mask = ~0u;
    } else if (mode == GroupLineMarks) {
        if (parameter > 0 && parameter <= LineMarkTable::GroupCount)
            report.AddLine(LoadString(StringId::LineMarkSearchGroup).arg(table.groupNames[parameter - 1]));
        else
            report.AddLine(LoadString(StringId::LineMarkSearchNoGroup));
        for (int k = 0; k < LineMarkTable::AttributeCount; ++k)
            if (table.attributes[k].groupNo == parameter)
                mask |= 1u << k;
    } else {
        // The bit of the attribute index taken modulo 32; only 15 attributes have names.
        const int attribute = parameter % 32;
        attributeName = attribute < LineMarkTable::AttributeCount ? table.attributes[attribute].name : QString();
        report.AddLine(LoadString(StringId::LineMarkSearchAttribute).arg(attributeName));
        mask = 1u << attribute;
    }
    const bool distinguish = data.GetModelOptions().DistinguishPrimaryOutlineNumber;
    int hits = 0;
    int functions = 0;
    for (const auto& [id, function] : data.registry.Functions()) {
        ++functions;
        for (size_t index = 0; index < function.logicLines.size(); ++index) {
            const CLogicLine* line = function.logicLines[index].get();
            if (!line || (line->mark & mask) == 0)
                continue;
            ++hits;
            const QString names = mode == AttributeLineMarks ? attributeName : JoinedMarkNames(table, line->mark);
            report.AddLine(
                LoadString(StringId::LineMarkSearchLine)
                    .arg(function.GetOutlineNumberText(distinguish), QString::number(index + 1), names, line->Memo()),
                &function, static_cast<qint32>(index));
        }
    }
    report.AddLine(LoadString(StringId::LineMarkSearchSummary).arg(hits).arg(functions));
    return report;
}

QStringList CLineMarkSettingsEdit::GroupEntries() const {
    QStringList entries;
    for (int g = 0; g < LineMarkTable::GroupCount; ++g)
        entries << LoadString(StringId::LineMarkListEntry).arg(QString::number(g + 1), m_copy.groupNames[g]);
    return entries;
}

QString CLineMarkSettingsEdit::ChangeGroup(int index, const QString& name) {
    m_copy.groupNames.at(index) = name.left(MaxNameLength);
    return LoadString(StringId::LineMarkChangedGroupEntry).arg(QString::number(index + 1), m_copy.groupNames[index]);
}

bool CLineMarkSettingsEdit::ChangeAttribute(int index, const QString& name, int colorNo, int shape, int groupNo) {
    const QString stored = name.left(MaxNameLength);
    for (int k = 0; k < LineMarkTable::AttributeCount; ++k)
        if (k != index && m_copy.attributes[k].name == stored)
            return false;
    LineMarkTable::Attribute& attribute = m_copy.attributes.at(index);
    attribute.name = stored;
    attribute.colorNo = static_cast<uint8_t>(colorNo);
    attribute.shape = static_cast<uint8_t>(shape);
    attribute.groupNo = static_cast<uint8_t>(groupNo);
    return true;
}

LineMarkTable::Attribute CLineMarkSettingsEdit::DefaultAttribute(const CMessageContext& context, int index) {
    LineMarkTable defaults;
    SetDefaultLineMarkSettings(defaults, context.m_language);
    LineMarkTable::Attribute attribute = defaults.attributes.at(index);
    attribute.name = GetVeskAttributeText(context, index);
    return attribute;
}

bool CLineMarkSettingsEdit::WriteBack(LineMarkTable& table) const {
    const bool changed = table != m_copy;
    table = m_copy;
    return changed;
}
