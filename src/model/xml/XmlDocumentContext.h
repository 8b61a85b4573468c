#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <new>
#include <set>
#include <vector>

class CDocumentData;
class FunctionChunkRead;

// The state of one load or save of a document file: the DOM document, the document-data record the
// element readers and writers work on, and the flags that tell a whole-document read from an environment
// import and the current format from the older export.
class XmlDocumentContext {
public:
    explicit XmlDocumentContext(CDocumentData* data = nullptr) : documentData(data) {}
    XmlDocumentContext(const XmlDocumentContext&) = delete;
    XmlDocumentContext& operator=(const XmlDocumentContext&) = delete;

    // 0 only while the environment of another document is imported: then the readers keep this document's
    // file names and title.
    std::uint8_t wholeDocument = 1;
    // Set by the older-format export.
    std::uint8_t olderFormat = 0;
    // Running number of the unit functions in the older-format export; not reset between its two sections.
    std::uint32_t olderFormatCounter = 0;
    // Set by a save that prints the current format's unit functions one at a time instead of holding them
    // all in the DOM: the registry's writer then leaves its container without "Function" elements and
    // notes the container here.
    std::uint8_t deferFunctionElements = 0;
    pugi::xml_node deferredFunctionContainer;
    // Set by a load that parses the unit functions apart from the rest (see FindFunctionChunks): their read,
    // under way, for the first "Document" read. Refused is set when they could not be read so.
    FunctionChunkRead* functionRead = nullptr;
    std::uint8_t functionChunksRefused = 0;
    pugi::xml_document document;
    CDocumentData* documentData;
};

// Parse options of every document file: whitespace-only element text is data (a particle of one blank,
// also in front of a font element), and CR inside texts and attributes is kept as written.
constexpr unsigned int kXmlParseOptions =
    (pugi::parse_default | pugi::parse_ws_pcdata) & ~(pugi::parse_eol | pugi::parse_wconv_attribute);

// Whether a parse succeeded. One that ran out of memory tells nothing of the text: it throws std::bad_alloc, as running
// out of memory does anywhere else, instead of passing for a malformed file.
inline bool XmlParsed(const pugi::xml_parse_result& result) {
    if (result.status == pugi::status_out_of_memory)
        throw std::bad_alloc();
    return static_cast<bool>(result);
}

// Writers. Each appended element carries its text (containers an empty one).
pugi::xml_node XmlAppendChildElement(XmlDocumentContext& context, pugi::xml_node parent, const char* name,
                                     const QString& text = QString());
// Returns the attribute, or an empty one when skipIfEmpty is set and the value is empty.
pugi::xml_attribute XmlSetAttribute(XmlDocumentContext& context, pugi::xml_node element, const char* name,
                                    const QString& value, bool skipIfEmpty);
// Decimal integer; nothing when skipIfZero is set and the value is 0. Callers widen unsigned fields with
// zeros and signed ones with their sign.
pugi::xml_attribute XmlSetIntAttribute(XmlDocumentContext& context, pugi::xml_node element, const char* name,
                                       qint64 value, bool skipIfZero);
// Six decimals ("%f"); nothing when skipIfZero is set and the value is 0.0.
pugi::xml_attribute XmlSetFloatAttribute(XmlDocumentContext& context, pugi::xml_node element, const char* name,
                                         double value, bool skipIfZero);
// Base64 text of the bytes in lines of 76 characters.
QString XmlEncodeBinary(XmlDocumentContext& context, const char* bytes, std::size_t length);

// Equality of two names: they are short, so comparing them in place beats a call to strcmp.
inline bool XmlSameName(const char* a, const char* b) {
    while (*a == *b && *a != '\0') {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Lookup by name: every element of that name at any depth below the element, in document order, except
// below elements of the element's own name: a record nested in another of its kind holds its own content.
// So lookups below each of many nested records walk each part of the file once, not once for each record
// above it. The visitor returns false to stop.
template <class Visitor> void XmlForEachElement(pugi::xml_node element, const char* name, Visitor visit) {
    const char* const own = element.name();
    pugi::xml_node node = element.first_child();
    while (node) {
        // Texts have empty names and no children: the most frequent nodes cost one call.
        pugi::xml_node next;
        const char* found = node.name();
        if (*found != '\0' && node.type() == pugi::node_element) {
            if (XmlSameName(found, name) && !visit(node))
                return;
            if (!XmlSameName(found, own))
                next = node.first_child();
        }
        while (!next) {
            next = node.next_sibling();
            if (next)
                break;
            node = node.parent();
            if (node == element)
                return;
        }
        node = next;
    }
}

// True when every element below `element` is a child of it with one of the names and holds no element itself
// (with no names: when it holds no element).
bool XmlHasOnlyLeafChildren(pugi::xml_node element, std::initializer_list<const char*> names);

pugi::xml_node XmlFindElement(pugi::xml_node element, const char* name);
std::vector<pugi::xml_node> XmlFindElements(pugi::xml_node element, const char* name);

// Getters: a missing element or attribute gives the default, never an error.
QString XmlGetElementText(pugi::xml_node element);
QString XmlGetChildText(pugi::xml_node element, const char* name, int index = 0);
void XmlGetChildTextSet(pugi::xml_node element, const char* name, std::set<QString>& texts);
QString XmlGetAttribute(pugi::xml_node element, const char* name);
// Leading decimal number of a text after blanks and a sign (12abc gives 12, 7.9 gives 7, abc gives 0).
qint64 XmlParseInt(const char* text);
// Leading decimal number of the attribute's text; the default when missing or empty.
// The full 64-bit value is returned so that 32-bit unsigned fields such as colours keep their value.
qint64 XmlGetIntAttribute(pugi::xml_node element, const char* name, qint64 defaultValue);
double XmlGetFloatAttribute(pugi::xml_node element, const char* name, double defaultValue);
// Bytes of a Base64 text (characters outside the alphabet are skipped).
QByteArray XmlDecodeBinary(const QString& text);
