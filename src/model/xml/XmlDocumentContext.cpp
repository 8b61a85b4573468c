#include "model/xml/XmlDocumentContext.h"

#include "model/Base64.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

// A character of three bytes that every decoder gives as itself: not a surrogate, a byte-order mark or a
// non-character.
bool IsPlainBmpCharacter(unsigned int code) {
    if (code < 0xFDD0)
        return code >= 0x800 && (code < 0xD800 || code >= 0xE000);
    return code >= 0xFDF0 && code != 0xFEFF && code < 0xFFFE;
}

// Texts are decoded here when that is certain to give what QString::fromUtf8 gives; anything else (bad or
// overlong sequences, characters beyond the BMP and the rest above) is left to Qt and its replacement rules.
// Qt's decoder spends most of a document load on the Japanese texts and leaves every string with room for
// one UTF-16 unit per byte; here each string is counted first and decoded straight into its exact size.
QString FromUtf8(const char* text) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(text);
    // Each character of one to three bytes is one unit: the bytes that do not continue a character.
    const auto* const end = begin + std::strlen(text);
    qsizetype units = 0;
    for (const auto* p = begin; p != end; ++p)
        units += (*p & 0xC0u) != 0x80u;
    if (units == 0)
        return QString::fromUtf8(text, 0);
    // A character counted is written only after its bytes are seen whole, so no write goes beyond the units.
    QString decoded(units, Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(decoded.data());
    for (const auto* p = begin; p != end;) {
        const unsigned int c = *p;
        if (c < 0x80) {
            *out++ = static_cast<char16_t>(c);
            ++p;
            continue;
        }
        if (c >= 0xE0 && c < 0xF0 && end - p >= 3) {
            const unsigned int low1 = p[1] ^ 0x80u;
            const unsigned int low2 = p[2] ^ 0x80u;
            const unsigned int code = (c & 0x0Fu) << 12 | low1 << 6 | low2;
            if (((low1 | low2) & 0xC0u) == 0 && IsPlainBmpCharacter(code)) {
                *out++ = static_cast<char16_t>(code);
                p += 3;
                continue;
            }
        } else if (c >= 0xC2 && c < 0xE0 && end - p >= 2 && (p[1] & 0xC0u) == 0x80u) {
            *out++ = static_cast<char16_t>((c & 0x1Fu) << 6 | (p[1] & 0x3Fu));
            p += 2;
            continue;
        }
        return QString::fromUtf8(text, end - begin);
    }
    return decoded;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

pugi::xml_node XmlAppendChildElement(XmlDocumentContext&, pugi::xml_node parent, const char* name,
                                     const QString& text) {
    pugi::xml_node element = parent.append_child(name);
    // An empty text needs no node: the writer prints every element with an end tag all the same.
    if (!text.isEmpty()) {
        const QByteArray utf8 = text.toUtf8();
        element.append_child(pugi::node_pcdata).set_value(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    return element;
}

pugi::xml_attribute XmlSetAttribute(XmlDocumentContext&, pugi::xml_node element, const char* name, const QString& value,
                                    bool skipIfEmpty) {
    if (skipIfEmpty && value.isEmpty())
        return {};
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    const QByteArray utf8 = value.toUtf8();
    attribute.set_value(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    return attribute;
}

pugi::xml_attribute XmlSetIntAttribute(XmlDocumentContext&, pugi::xml_node element, const char* name, qint64 value,
                                       bool skipIfZero) {
    if (skipIfZero && value == 0)
        return {};
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    attribute.set_value(digits, static_cast<std::size_t>(result.ptr - digits));
    return attribute;
}

pugi::xml_attribute XmlSetFloatAttribute(XmlDocumentContext&, pugi::xml_node element, const char* name, double value,
                                         bool skipIfZero) {
    if (skipIfZero && value == 0.0)
        return {};
    // Locale-independent "%f": six decimals whatever the process locale says.
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        attribute = element.append_attribute(name);
    attribute.set_value(digits, static_cast<std::size_t>(result.ptr - digits));
    return attribute;
}

QString XmlEncodeBinary(XmlDocumentContext&, const char* bytes, std::size_t length) {
    return QString::fromLatin1(Base64Encode(bytes, length));
}

pugi::xml_node XmlFindElement(pugi::xml_node element, const char* name) {
    pugi::xml_node found;
    XmlForEachElement(element, name, [&](pugi::xml_node node) {
        found = node;
        return false;
    });
    return found;
}

std::vector<pugi::xml_node> XmlFindElements(pugi::xml_node element, const char* name) {
    std::vector<pugi::xml_node> found;
    XmlForEachElement(element, name, [&](pugi::xml_node node) {
        found.push_back(node);
        return true;
    });
    return found;
}

bool XmlHasOnlyLeafChildren(pugi::xml_node element, std::initializer_list<const char*> names) {
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element)
            continue;
        const char* name = child.name();
        if (std::none_of(names.begin(), names.end(),
                         [name](const char* allowed) { return XmlSameName(name, allowed); }))
            return false;
        for (pugi::xml_node inner = child.first_child(); inner; inner = inner.next_sibling()) {
            if (inner.type() == pugi::node_element)
                return false;
        }
    }
    return true;
}

QString XmlGetElementText(pugi::xml_node element) {
    const pugi::xml_node first = element.first_child();
    if (first.type() != pugi::node_pcdata && first.type() != pugi::node_cdata)
        return QString();
    return FromUtf8(first.value());
}

QString XmlGetChildText(pugi::xml_node element, const char* name, int index) {
    pugi::xml_node found;
    XmlForEachElement(element, name, [&](pugi::xml_node node) {
        if (index-- > 0)
            return true;
        found = node;
        return false;
    });
    return XmlGetElementText(found);
}

void XmlGetChildTextSet(pugi::xml_node element, const char* name, std::set<QString>& texts) {
    XmlForEachElement(element, name, [&](pugi::xml_node node) {
        texts.insert(XmlGetElementText(node));
        return true;
    });
}

QString XmlGetAttribute(pugi::xml_node element, const char* name) {
    return FromUtf8(element.attribute(name).value());
}

qint64 XmlGetIntAttribute(pugi::xml_node element, const char* name, qint64 defaultValue) {
    const char* text = element.attribute(name).value();
    return *text == '\0' ? defaultValue : XmlParseInt(text);
}

qint64 XmlParseInt(const char* text) {
    while (IsBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // Saturates like the runtime's conversion instead of wrapping.
    const qint64 limit = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const int digit = *text - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return negative ? -value : value;
}

double XmlGetFloatAttribute(pugi::xml_node element, const char* name, double defaultValue) {
    const char* text = element.attribute(name).value();
    if (*text == '\0')
        return defaultValue;
    while (IsBlank(*text))
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    double value = 0.0;
    std::from_chars(text, text + std::strlen(text), value);
    return negative ? -value : value;
}

QByteArray XmlDecodeBinary(const QString& text) {
    // Only the low byte of each character counts; the alphabet is ASCII.
    QByteArray lowBytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        lowBytes[i] = static_cast<char>(text[i].unicode() & 0xFF);
    return Base64Decode(lowBytes.constData(), static_cast<std::size_t>(lowBytes.size()));
}
