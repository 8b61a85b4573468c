#include "model/xml/SettingsTableElements.h"

#include "model/SettingsFields.h"
#include "model/xml/FieldTableElements.h"

#include <algorithm>

namespace {

// The "Data" records of a counted table: "Num" bounded by the records present.
std::vector<pugi::xml_node> ReadCountedRecords(pugi::xml_node table) {
    std::vector<pugi::xml_node> records = XmlFindElements(table, "Data");
    const qint64 count = XmlGetIntAttribute(table, "Num", 0);
    records.resize(static_cast<std::size_t>(std::clamp<qint64>(count, 0, static_cast<qint64>(records.size()))));
    return records;
}

pugi::xml_node AppendCountedTable(XmlDocumentContext& context, pugi::xml_node environment, const char* name,
                                  std::size_t count) {
    pugi::xml_node table = XmlAppendChildElement(context, environment, name);
    XmlSetIntAttribute(context, table, "Num", static_cast<qint64>(count), false);
    return table;
}

} // namespace

void WriteSyntaxSymbolTable(XmlDocumentContext& context, pugi::xml_node environment,
                            const std::vector<SyntaxSymbol>& symbols) {
    pugi::xml_node table = AppendCountedTable(context, environment, "Construction", symbols.size());
    for (const SyntaxSymbol& symbol : symbols) {
        pugi::xml_node data = XmlAppendChildElement(context, table, "Data", symbol.keyword);
        XmlSetIntAttribute(context, data, "ID", symbol.ID, false);
        // Always written: a missing font reads back blue and bold.
        WriteFontTable(context, data, "Font", symbol.font, false);
        XmlSetIntAttribute(context, data, "Column", symbol.Column, false);
        XmlSetIntAttribute(context, data, "Indent", symbol.Indent, false);
        XmlSetAttribute(context, data, "Simple", symbol.Simple, true);
    }
}

void ReadSyntaxSymbolTable(pugi::xml_node environment, std::vector<SyntaxSymbol>& symbols,
                           const FontSetting& columnFont) {
    const pugi::xml_node table = XmlFindElement(environment, "Construction");
    if (!table)
        return;
    const std::vector<pugi::xml_node> records = ReadCountedRecords(table);
    symbols.assign(records.size(), SyntaxSymbol());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SyntaxSymbol& symbol = symbols[i];
        const pugi::xml_node data = records[i];
        symbol.ID = static_cast<quint8>(XmlGetIntAttribute(data, "ID", 0));
        // A symbol stored without a font (older writers left a default font out) is shown blue and bold.
        if (!ReadFontTable(data, "Font", symbol.font) && symbol.font == FontSetting()) {
            symbol.font.SetStandardColour(9);
            symbol.font.bold = 1;
        }
        symbol.Column = static_cast<quint8>(XmlGetIntAttribute(data, "Column", 0));
        symbol.Indent = static_cast<quint8>(XmlGetIntAttribute(data, "Indent", 0));
        symbol.Simple = XmlGetAttribute(data, "Simple").left(SyntaxSymbol::MaxSimpleLength);
        symbol.keyword = XmlGetElementText(data).left(SyntaxSymbol::MaxKeywordLength);
    }
    // The editor and the matcher index the table by statement kind, so every kind needs its record.
    for (int kind = static_cast<int>(symbols.size()); kind < SyntaxSymbol::KindCount; ++kind)
        symbols.push_back(SyntaxSymbol::GetDefault(kind, columnFont));
}

void WriteFunctionAttributeTable(XmlDocumentContext& context, pugi::xml_node environment,
                                 const std::vector<FunctionAttribute>& attributes) {
    pugi::xml_node table = AppendCountedTable(context, environment, "TypeTable", attributes.size());
    for (const FunctionAttribute& attribute : attributes) {
        pugi::xml_node data = XmlAppendChildElement(context, table, "Data", attribute.symbol);
        XmlAppendChildElement(context, data, "Details", attribute.details);
        XmlSetIntAttribute(context, data, "ID", attribute.id, false);
    }
}

void ReadFunctionAttributeTable(pugi::xml_node environment, std::vector<FunctionAttribute>& attributes) {
    const pugi::xml_node table = XmlFindElement(environment, "TypeTable");
    if (!table)
        return;
    const std::vector<pugi::xml_node> records = ReadCountedRecords(table);
    attributes.assign(records.size(), FunctionAttribute());
    for (std::size_t i = 0; i < records.size(); ++i) {
        attributes[i].id = static_cast<quint8>(XmlGetIntAttribute(records[i], "ID", 0));
        attributes[i].symbol = XmlGetElementText(records[i]).left(FunctionAttribute::MaxSymbolLength);
        attributes[i].details = XmlGetChildText(records[i], "Details").left(FunctionAttribute::MaxDetailsLength);
    }
}

void WriteAuxiliaryVerbTable(XmlDocumentContext& context, pugi::xml_node environment,
                             const std::vector<AuxiliaryVerb>& verbs) {
    pugi::xml_node table = AppendCountedTable(context, environment, "AuVerbTable", verbs.size());
    for (const AuxiliaryVerb& verb : verbs) {
        pugi::xml_node data = XmlAppendChildElement(context, table, "Data", verb.verb);
        XmlSetIntAttribute(context, data, "ID", verb.id, false);
        XmlSetIntAttribute(context, data, "Flg", verb.flag, false);
    }
}

void ReadAuxiliaryVerbTable(pugi::xml_node environment, std::vector<AuxiliaryVerb>& verbs) {
    const pugi::xml_node table = XmlFindElement(environment, "AuVerbTable");
    if (!table)
        return;
    const std::vector<pugi::xml_node> records = ReadCountedRecords(table);
    verbs.assign(records.size(), AuxiliaryVerb());
    for (std::size_t i = 0; i < records.size(); ++i) {
        verbs[i].id = static_cast<quint8>(XmlGetIntAttribute(records[i], "ID", 0));
        verbs[i].flag = static_cast<quint8>(XmlGetIntAttribute(records[i], "Flg", 0));
        verbs[i].verb = XmlGetElementText(records[i]).left(AuxiliaryVerb::MaxVerbLength);
    }
}

void WriteLogicAreaSettings(XmlDocumentContext& context, pugi::xml_node environment,
                            const LogicAreaSettings& settings) {
    WriteIntAttributes(context, XmlAppendChildElement(context, environment, "FAreaTable"), kLogicAreaFields, settings);
}

void ReadLogicAreaSettings(pugi::xml_node environment, LogicAreaSettings& settings) {
    if (const pugi::xml_node element = XmlFindElement(environment, "FAreaTable"))
        ReadIntAttributes(element, kLogicAreaFields, settings);
}
