#pragma once

#include <QString>
#include <QtGlobal>

#include <pugixml.hpp>

#include <string>

// Writes elements straight to text, byte for byte as the XML library prints the same elements built as a
// tree without indentation or empty-element tags: attributes in the order given, texts and values escaped
// as it escapes them. The large parts of a document (its unit functions) are written so, without a tree.
// An element's attributes come before its texts and children.
class XmlStreamWriter {
public:
    explicit XmlStreamWriter(std::string& out) : m_out(out) {}

    void Start(const char* name);
    // Nothing when skipIfEmpty is set and the value is empty.
    void Attribute(const char* name, const QString& value, bool skipIfEmpty);
    void Attribute(const char* name, const char* value);
    // Decimal integer; nothing when skipIfZero is set and the value is 0.
    void IntAttribute(const char* name, qint64 value, bool skipIfZero);
    // Six decimals ("%f"); nothing when skipIfZero is set and the value is 0.0.
    void FloatAttribute(const char* name, double value, bool skipIfZero);
    void Text(const QString& text);
    void End(const char* name);
    // An element with its text (none for an empty one).
    void Element(const char* name, const QString& text);

private:
    // ` name="`: the value and its closing quote follow.
    void BeginAttribute(const char* name);
    void CloseStartTag();
    void WriteEscaped(const QString& text, bool attribute);

    std::string& m_out;
    bool m_startTagOpen = false;
};

// Appends the elements written as text to the parent, for the writers that build a tree.
pugi::xml_node XmlAppendWritten(pugi::xml_node parent, const std::string& xml);
