#pragma once

#include "model/FieldTable.h"
#include "model/xml/FontTableElement.h"
#include "model/xml/XmlDocumentContext.h"

#include <array>

// The writers and readers of declared fields (model/FieldTable.h) on one element.

template <class Record, size_t N>
void WriteIntAttributes(XmlDocumentContext& context, pugi::xml_node element,
                        const std::array<IntAttribute<Record>, N>& attributes, const Record& record) {
    for (const IntAttribute<Record>& attribute : attributes)
        XmlSetIntAttribute(context, element, attribute.name, attribute.get(record), attribute.skipIfZero);
}

// A value that the field holds as 0 is one the writer leaves out, which reads back as the default: it takes
// the default at once, so that the file does not change from one save to the next.
template <class Record, size_t N>
void ReadIntAttributes(pugi::xml_node element, const std::array<IntAttribute<Record>, N>& attributes, Record& record) {
    for (const IntAttribute<Record>& attribute : attributes) {
        const qint64 value = XmlGetIntAttribute(element, attribute.name, attribute.defaultWhenMissing);
        switch (attribute.rule) {
        case IntRule::Value:
            attribute.set(record, value);
            break;
        case IntRule::PositiveSwitch:
            attribute.set(record, value > 0);
            break;
        case IntRule::NonZeroSwitch:
            attribute.set(record, value != 0);
            break;
        }
        if (attribute.skipIfZero && attribute.get(record) == 0)
            attribute.set(record, attribute.defaultWhenMissing);
    }
}

template <class Record, size_t N>
void WriteTextFields(XmlDocumentContext& context, pugi::xml_node element,
                     const std::array<TextField<Record>, N>& fields, const Record& record) {
    for (const TextField<Record>& field : fields) {
        switch (field.place) {
        case TextPlace::Element:
            XmlAppendChildElement(context, element, field.name, record.*field.field);
            break;
        case TextPlace::FileNameElement:
            XmlAppendChildElement(context, XmlAppendChildElement(context, element, field.name), "FileName",
                                  record.*field.field);
            break;
        case TextPlace::Attribute:
            XmlSetAttribute(context, element, field.name, record.*field.field, true);
            break;
        }
    }
}

// `wholeDocument` is false while the environment of another document is imported.
template <class Record, size_t N>
void ReadTextFields(pugi::xml_node element, const std::array<TextField<Record>, N>& fields, Record& record,
                    bool wholeDocument = true) {
    for (const TextField<Record>& field : fields) {
        const bool onlyWhole =
            field.read == TextRead::WholeDocument || field.read == TextRead::WholeDocumentWhenPresent;
        if (onlyWhole && !wholeDocument)
            continue;
        const bool onlyPresent =
            field.read == TextRead::WhenPresent || field.read == TextRead::WholeDocumentWhenPresent;
        if (field.place == TextPlace::Attribute) {
            if (!onlyPresent || element.attribute(field.name))
                record.*field.field = XmlGetAttribute(element, field.name).left(field.maxLength);
            continue;
        }
        const pugi::xml_node found = XmlFindElement(element, field.name);
        if (!found && onlyPresent)
            continue;
        const QString text =
            field.place == TextPlace::FileNameElement ? XmlGetChildText(found, "FileName") : XmlGetElementText(found);
        record.*field.field = text.left(field.maxLength);
    }
}

template <class Record, size_t N>
void WriteFontFields(XmlDocumentContext& context, pugi::xml_node element, const std::array<FontField<Record>, N>& fonts,
                     const Record& record) {
    for (const FontField<Record>& font : fonts)
        WriteFontTable(context, element, font.name, record.*font.field);
}

template <class Record, size_t N>
void ReadFontFields(pugi::xml_node element, const std::array<FontField<Record>, N>& fonts, Record& record) {
    for (const FontField<Record>& font : fonts)
        ReadFontTable(element, font.name, record.*font.field);
}
