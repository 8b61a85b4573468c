#pragma once

#include "model/FontSetting.h"

#include <QString>
#include <QtGlobal>

#include <type_traits>

// Fields of a settings record declared once each, so that the element's writer, its reader and the document
// dump walk the same declarations and cannot drift apart.

// How a stored number becomes its field: as it is, or as a switch that is on when the number is greater than
// 0 (PositiveSwitch) or whenever it is not 0 (NonZeroSwitch).
enum class IntRule { Value, PositiveSwitch, NonZeroSwitch };

// One integer attribute: the name, whether 0 is left out, what a missing attribute reads, and the field. A
// narrow field keeps the low bits of what is read.
template <class Record> struct IntAttribute {
    const char* name;
    bool skipIfZero;
    qint64 defaultWhenMissing;
    qint64 (*get)(const Record&);
    void (*set)(Record&, qint64);
    IntRule rule = IntRule::Value;
};

#define NUV_INT_ATTRIBUTE(Record, field, name, skipIfZero, defaultWhenMissing)                                         \
    IntAttribute<Record> {                                                                                             \
        name, skipIfZero, defaultWhenMissing, [](const Record& r) { return static_cast<qint64>(r.field); },            \
            [](Record& r, qint64 v) { r.field = static_cast<std::remove_cvref_t<decltype(r.field)>>(v); }              \
    }

// A switch, always written; `rule` says which stored numbers turn it on.
#define NUV_SWITCH_ATTRIBUTE(Record, field, name, rule, defaultWhenMissing)                                            \
    IntAttribute<Record> {                                                                                             \
        name, false, defaultWhenMissing, [](const Record& r) { return static_cast<qint64>(r.field); },                 \
            [](Record& r, qint64 v) { r.field = static_cast<std::remove_cvref_t<decltype(r.field)>>(v); }, rule        \
    }

// Where a text is stored: in a child element of that name, in the "FileName" element inside it, or in an
// attribute of that name (left out when empty).
enum class TextPlace { Element, FileNameElement, Attribute };

// When a text is read. A missing element reads as empty or keeps the field; the file names of a document
// are read only with the whole document, never by an environment import.
enum class TextRead { Always, WhenPresent, WholeDocument, WholeDocumentWhenPresent };

template <class Record> struct TextField {
    const char* name;
    QString Record::*field;
    TextPlace place;
    TextRead read;
    int maxLength; // what is read is cut to it; -1 for no limit
};

// A font, in a "FontTable" element keyed by the name.
template <class Record> struct FontField {
    const char* name;
    FontSetting Record::*field;
};
