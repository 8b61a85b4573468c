#include "model/xml/XmlStreamWriter.h"

#include "model/xml/XmlDocumentContext.h"

#include <charconv>
#include <cstring>

namespace {

// What the library writes for a byte of a text or attribute value: nothing special (0), or its escape.
// Control characters become two-digit character references; tab, line feed and carriage return stay in
// texts but not in attribute values; '>' is escaped in texts only, '"' in values only.
const char* Escape(unsigned char c, bool attribute) {
    static const char* const kControl[32] = {"&#00;", "&#01;", "&#02;", "&#03;", "&#04;", "&#05;", "&#06;", "&#07;",
                                             "&#08;", "&#09;", "&#10;", "&#11;", "&#12;", "&#13;", "&#14;", "&#15;",
                                             "&#16;", "&#17;", "&#18;", "&#19;", "&#20;", "&#21;", "&#22;", "&#23;",
                                             "&#24;", "&#25;", "&#26;", "&#27;", "&#28;", "&#29;", "&#30;", "&#31;"};
    if (c < 32)
        return !attribute && (c == '\t' || c == '\n' || c == '\r') ? nullptr : kControl[c];
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return attribute ? nullptr : "&gt;";
    case '"':
        return attribute ? "&quot;" : nullptr;
    default:
        return nullptr;
    }
}

void AppendEscaped(std::string& out, const char* bytes, std::size_t size, bool attribute) {
    const char* run = bytes;
    for (const char* p = bytes; p != bytes + size; ++p) {
        const char* escaped = Escape(static_cast<unsigned char>(*p), attribute);
        if (!escaped)
            continue;
        out.append(run, static_cast<std::size_t>(p - run));
        out.append(escaped);
        run = p + 1;
    }
    out.append(run, static_cast<std::size_t>(bytes + size - run));
}

} // namespace

void XmlStreamWriter::Start(const char* name) {
    CloseStartTag();
    m_out += '<';
    m_out += name;
    m_startTagOpen = true;
}

void XmlStreamWriter::Attribute(const char* name, const QString& value, bool skipIfEmpty) {
    if (skipIfEmpty && value.isEmpty())
        return;
    BeginAttribute(name);
    WriteEscaped(value, true);
    m_out += '"';
}

void XmlStreamWriter::Attribute(const char* name, const char* value) {
    BeginAttribute(name);
    AppendEscaped(m_out, value, std::strlen(value), true);
    m_out += '"';
}

void XmlStreamWriter::IntAttribute(const char* name, qint64 value, bool skipIfZero) {
    if (skipIfZero && value == 0)
        return;
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    BeginAttribute(name);
    m_out.append(digits, static_cast<std::size_t>(result.ptr - digits));
    m_out += '"';
}

void XmlStreamWriter::FloatAttribute(const char* name, double value, bool skipIfZero) {
    if (skipIfZero && value == 0.0)
        return;
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    BeginAttribute(name);
    m_out.append(digits, static_cast<std::size_t>(result.ptr - digits));
    m_out += '"';
}

void XmlStreamWriter::Text(const QString& text) {
    CloseStartTag();
    WriteEscaped(text, false);
}

void XmlStreamWriter::End(const char* name) {
    CloseStartTag();
    m_out += "</";
    m_out += name;
    m_out += '>';
}

void XmlStreamWriter::Element(const char* name, const QString& text) {
    Start(name);
    Text(text);
    End(name);
}

void XmlStreamWriter::BeginAttribute(const char* name) {
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
}

void XmlStreamWriter::CloseStartTag() {
    if (m_startTagOpen) {
        m_out += '>';
        m_startTagOpen = false;
    }
}

// Texts are encoded as QString::toUtf8 encodes them: characters of the BMP here, anything with a surrogate
// by Qt. The library keeps texts as C strings: a text ends at its first NUL.
void XmlStreamWriter::WriteEscaped(const QString& text, bool attribute) {
    const ushort* const units = text.utf16();
    const qsizetype size = text.size();
    const std::size_t start = m_out.size();
    m_out.resize(start + static_cast<std::size_t>(size) * 3);
    char* out = m_out.data() + start;
    for (qsizetype i = 0; i < size; ++i) {
        const unsigned int c = units[i];
        if (c < 0x80) {
            if (c == 0)
                break;
            if (const char* escaped = Escape(static_cast<unsigned char>(c), attribute)) {
                // An escape is longer than the room a character has: make room for it.
                const std::size_t used = static_cast<std::size_t>(out - m_out.data());
                const std::size_t length = std::strlen(escaped);
                m_out.resize(m_out.size() + length);
                out = m_out.data() + used;
                std::memcpy(out, escaped, length);
                out += length;
            } else {
                *out++ = static_cast<char>(c);
            }
        } else if (c < 0x800) {
            *out++ = static_cast<char>(0xC0 | (c >> 6));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c >= 0xE000) {
            *out++ = static_cast<char>(0xE0 | (c >> 12));
            *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out++ = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            m_out.resize(start);
            const QByteArray utf8 = text.toUtf8();
            AppendEscaped(m_out, utf8.constData(), std::strlen(utf8.constData()), attribute);
            return;
        }
    }
    m_out.resize(static_cast<std::size_t>(out - m_out.data()));
}

pugi::xml_node XmlAppendWritten(pugi::xml_node parent, const std::string& xml) {
    parent.append_buffer(xml.data(), xml.size(), kXmlParseOptions | pugi::parse_fragment, pugi::encoding_utf8);
    return parent.last_child();
}
