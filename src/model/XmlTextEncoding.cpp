#include "model/XmlTextEncoding.h"

#include "model/ParallelWork.h"

#include <QStringDecoder>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

bool IsValidUtf8Run(const unsigned char* p, const unsigned char* const end) {
    while (p != end) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080u) != 0)
                break;
            p += 8;
        }
        // Runs of three-byte characters (the Japanese texts) are checked a word at a time.
        while (end - p >= 4) {
            std::uint32_t word;
            std::memcpy(&word, p, 4);
            word = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                   static_cast<std::uint32_t>(p[2]) << 16;
            if ((word & 0xC0C0F0u) != 0x8080E0u)
                break;
            const std::uint32_t code = (word & 0x0Fu) << 12 | (word & 0x3F00u) >> 2 | (word & 0x3F0000u) >> 16;
            if (code < 0x800 || (code >= 0xD800 && code < 0xE000))
                return false;
            p += 3;
        }
        if (p == end)
            break;
        const unsigned int lead = *p;
        const std::ptrdiff_t left = end - p;
        if (lead < 0x80) {
            ++p;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            if (left < 2 || (p[1] & 0xC0u) != 0x80u)
                return false;
            p += 2;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            if (left < 3 || (p[1] & 0xC0u) != 0x80u || (p[2] & 0xC0u) != 0x80u)
                return false;
            if ((lead == 0xE0 && p[1] < 0xA0) || (lead == 0xED && p[1] >= 0xA0))
                return false;
            p += 3;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            if (left < 4 || (p[1] & 0xC0u) != 0x80u || (p[2] & 0xC0u) != 0x80u || (p[3] & 0xC0u) != 0x80u)
                return false;
            if ((lead == 0xF0 && p[1] < 0x90) || (lead == 0xF4 && p[1] >= 0x90))
                return false;
            p += 4;
        } else {
            return false;
        }
    }
    return true;
}

// The encoding named by the declaration at the start of the bytes, empty when there is none.
QByteArray DeclaredEncoding(const QByteArray& bytes) {
    if (!bytes.startsWith("<?xml"))
        return {};
    const qsizetype end = bytes.indexOf("?>");
    const QByteArray declaration = bytes.left(end < 0 ? 0 : end);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return {};
    at += 8;
    const auto skipBlanks = [&] {
        while (at < declaration.size() && QChar::isSpace(static_cast<uchar>(declaration[at])))
            ++at;
    };
    skipBlanks();
    if (at >= declaration.size() || declaration[at] != '=')
        return {};
    ++at;
    skipBlanks();
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return {};
    const qsizetype close = declaration.indexOf(declaration[at], at + 1);
    return close < 0 ? QByteArray() : declaration.mid(at + 1, close - at - 1);
}

bool IsUtf8Name(const QByteArray& name) {
    const QByteArray lower = name.toLower();
    return lower == "utf-8" || lower == "utf8";
}

} // namespace

bool IsValidUtf8(const char* bytes, std::size_t size) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes);
    // A large file is checked in slices side by side; each slice starts on the first byte of a character, so
    // that a sequence cut by a slice's end is one that the next byte breaks anyway.
    constexpr std::size_t kSlice = std::size_t{64} << 10;
    const std::size_t slices = (size + kSlice - 1) / kSlice;
    if (slices <= 1)
        return IsValidUtf8Run(begin, begin + size);
    const auto sliceStart = [&](std::size_t slice) {
        std::size_t at = std::min(size, slice * kSlice);
        for (int skipped = 0; at < size && skipped < 4 && (begin[at] & 0xC0u) == 0x80u; ++skipped)
            ++at;
        return at;
    };
    std::atomic<bool> valid{true};
    RunInParallel(slices, 32, [&](std::size_t slice) {
        if (valid.load(std::memory_order_relaxed) &&
            !IsValidUtf8Run(begin + sliceStart(slice), begin + sliceStart(slice + 1)))
            valid.store(false, std::memory_order_relaxed);
    });
    return valid.load();
}

std::size_t Utf8ByteOrderMarkLength(const char* bytes, std::size_t size) {
    return size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

bool DecodeXmlToUtf8(QByteArray& bytes) {
    constexpr auto kWhole = QStringDecoder::Flag::Stateless; // a cut-off last character is an error
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes, u'<');
    QStringDecoder decoder;
    if (marked == QStringConverter::Utf16LE || marked == QStringConverter::Utf16BE) {
        if (bytes.size() % 2 != 0)
            return false;
        decoder = QStringDecoder(*marked, kWhole);
    } else if (marked && *marked != QStringConverter::Utf8) {
        return false; // UTF-32 is no encoding of a map
    } else if (marked || bytes.isEmpty()) {
        bytes.remove(0, static_cast<qsizetype>(Utf8ByteOrderMarkLength(bytes.constData(), bytes.size())));
        return IsValidUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } else {
        const QByteArray declared = DeclaredEncoding(bytes);
        if (declared.isEmpty() || IsUtf8Name(declared))
            return IsValidUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        decoder = QStringDecoder(declared.constData(), kWhole);
        if (!decoder.isValid())
            return false;
    }
    const QString text = decoder(bytes);
    if (decoder.hasError() || !QStringView(text).isValidUtf16())
        return false;
    bytes = text.toUtf8();
    return true;
}
