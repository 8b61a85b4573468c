#pragma once

#include "model/xml/XmlDocumentContext.h"

#include <array>
#include <type_traits>

// One integer attribute of a settings element, declared once so that its writer and reader cannot drift
// apart: the name, whether 0 is left out, what a missing attribute reads, and the field. A narrow field
// keeps the low bits of what is read.
template <class Record> struct IntAttribute {
    const char* name;
    bool skipIfZero;
    qint64 defaultWhenMissing;
    qint64 (*get)(const Record&);
    void (*set)(Record&, qint64);
};

#define NUV_INT_ATTRIBUTE(Record, field, name, skipIfZero, defaultWhenMissing)                                         \
    IntAttribute<Record> {                                                                                             \
        name, skipIfZero, defaultWhenMissing, [](const Record& r) { return static_cast<qint64>(r.field); },            \
            [](Record& r, qint64 v) { r.field = static_cast<std::remove_cvref_t<decltype(r.field)>>(v); }              \
    }

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
        attribute.set(record, XmlGetIntAttribute(element, attribute.name, attribute.defaultWhenMissing));
        if (attribute.skipIfZero && attribute.get(record) == 0)
            attribute.set(record, attribute.defaultWhenMissing);
    }
}
