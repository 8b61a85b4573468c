#include "model/XmlTextEncoding.h"

#include "model/ParallelWork.h"

#include <QStringDecoder>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

#if defined(__x86_64__) || defined(__i386__)
// Sixteen bytes at a time, after the lookup method of Keiser and Lemire: three table lookups on the nibbles
// of each byte and the one before it flag every error of two bytes; the rest is a byte that must continue a
// three- or four-byte character and does not. Checks the whole blocks and says how far they reach.
__attribute__((target("ssse3"))) bool IsValidUtf8Blocks(const unsigned char* p, std::size_t size,
                                                        std::size_t& checked) {
    constexpr char kTooShort = 1 << 0, kTooLong = 1 << 1, kOverlong3 = 1 << 2, kTooLarge = 1 << 3, kSurrogate = 1 << 4,
                   kOverlong2 = 1 << 5, kTooLarge1000 = 1 << 6, kOverlong4 = 1 << 6;
    constexpr char kTwoConts = static_cast<char>(1 << 7);
    constexpr char kCarry = kTooShort | kTooLong | kTwoConts;
    const __m128i firstHigh =
        _mm_setr_epi8(kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTwoConts,
                      kTwoConts, kTwoConts, kTwoConts, kTooShort | kOverlong2, kTooShort,
                      kTooShort | kOverlong3 | kSurrogate, kTooShort | kTooLarge | kTooLarge1000 | kOverlong4);
    const __m128i firstLow = _mm_setr_epi8(
        kCarry | kOverlong3 | kOverlong2 | kOverlong4, kCarry | kOverlong2, kCarry, kCarry, kCarry | kTooLarge,
        kCarry | kTooLarge | kTooLarge1000, kCarry | kTooLarge | kTooLarge1000, kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000, kCarry | kTooLarge | kTooLarge1000, kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000, kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000 | kSurrogate, kCarry | kTooLarge | kTooLarge1000,
        kCarry | kTooLarge | kTooLarge1000);
    const __m128i secondHigh = _mm_setr_epi8(
        kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
        kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge1000 | kOverlong4,
        kTooLong | kOverlong2 | kTwoConts | kOverlong3 | kTooLarge,
        kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge,
        kTooLong | kOverlong2 | kTwoConts | kSurrogate | kTooLarge, kTooShort, kTooShort, kTooShort, kTooShort);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    // Bytes that still expect continuation bytes when they are among the last one, two or three of a block.
    const __m128i incompleteAbove =
        _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, static_cast<char>(0xEF),
                      static_cast<char>(0xDF), static_cast<char>(0xBF));
    __m128i previous = _mm_setzero_si128();
    __m128i error = _mm_setzero_si128();
    __m128i incomplete = _mm_setzero_si128();
    std::size_t at = 0;
    for (; at + 16 <= size; at += 16) {
        const __m128i input = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
        if (_mm_movemask_epi8(input) == 0) {
            error = _mm_or_si128(error, incomplete);
            previous = input;
            incomplete = _mm_setzero_si128();
            continue;
        }
        const __m128i prev1 = _mm_alignr_epi8(input, previous, 15);
        const __m128i cases =
            _mm_and_si128(_mm_and_si128(_mm_shuffle_epi8(firstHigh, _mm_and_si128(_mm_srli_epi16(prev1, 4), nibble)),
                                        _mm_shuffle_epi8(firstLow, _mm_and_si128(prev1, nibble))),
                          _mm_shuffle_epi8(secondHigh, _mm_and_si128(_mm_srli_epi16(input, 4), nibble)));
        const __m128i prev2 = _mm_alignr_epi8(input, previous, 14);
        const __m128i prev3 = _mm_alignr_epi8(input, previous, 13);
        const __m128i must23 = _mm_or_si128(_mm_subs_epu8(prev2, _mm_set1_epi8(0xE0 - 0x80)),
                                            _mm_subs_epu8(prev3, _mm_set1_epi8(static_cast<char>(0xF0 - 0x80))));
        const __m128i must23With80 = _mm_and_si128(must23, _mm_set1_epi8(static_cast<char>(0x80)));
        error = _mm_or_si128(error, _mm_xor_si128(must23With80, cases));
        incomplete = _mm_subs_epu8(input, incompleteAbove);
        previous = input;
    }
    checked = at;
    return _mm_movemask_epi8(_mm_cmpeq_epi8(error, _mm_setzero_si128())) == 0xFFFF;
}
#endif

bool IsValidUtf8Run(const unsigned char* p, const unsigned char* const end) {
    while (p != end) {
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080u) != 0)
                break;
            p += 8;
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

// False when the decoder is unknown or finds bytes that are not valid in its encoding.
bool DecodeToUtf8(QStringDecoder decoder, QByteArray& bytes) {
    if (!decoder.isValid())
        return false;
    const QString text = decoder(bytes);
    if (decoder.hasError() || !QStringView(text).isValidUtf16())
        return false;
    bytes = text.toUtf8();
    return true;
}

bool IsValidUtf8Slice(const unsigned char* const begin, std::size_t size) {
    std::size_t checked = 0;
#if defined(__x86_64__) || defined(__i386__)
    if (__builtin_cpu_supports("ssse3")) {
        if (!IsValidUtf8Blocks(begin, size, checked))
            return false;
        // A character cut by the end of the blocks is checked again from its first byte.
        for (std::size_t back = 1; back <= 3 && back <= checked; ++back) {
            if (begin[checked - back] >= 0xC0) {
                checked -= back;
                break;
            }
        }
    }
#endif
    return IsValidUtf8Run(begin + checked, begin + size);
}

} // namespace

bool IsValidUtf8(const char* bytes, std::size_t size) {
    const auto* const begin = reinterpret_cast<const unsigned char*>(bytes);
    // A large file is checked in slices side by side. Each slice starts on the first byte of a character,
    // so a character cut by a slice's end is one that the next byte breaks anyway.
    constexpr std::size_t kSlice = std::size_t{1} << 20;
    const std::size_t slices = (size + kSlice - 1) / kSlice;
    if (slices <= 1)
        return IsValidUtf8Slice(begin, size);
    const auto sliceStart = [&](std::size_t slice) {
        std::size_t at = std::min(size, slice * kSlice);
        for (int skipped = 0; at < size && skipped < 3 && (begin[at] & 0xC0u) == 0x80u; ++skipped)
            ++at;
        return at;
    };
    std::atomic<bool> valid{true};
    RunInParallel(slices, 4, [&](std::size_t slice) {
        const std::size_t start = sliceStart(slice);
        if (valid.load(std::memory_order_relaxed) && !IsValidUtf8Slice(begin + start, sliceStart(slice + 1) - start))
            valid.store(false, std::memory_order_relaxed);
    });
    return valid.load();
}

namespace {

// The value of the reference that starts after "&#" at p, or -1 when no complete reference starts there;
// values past the last character are held at one past it.
qint64 ReferencedValue(const char* p, const char* const end) {
    const bool hex = p < end && *p == 'x';
    if (hex)
        ++p;
    constexpr qint64 beyond = 0x110000;
    qint64 value = 0;
    int digits = 0;
    for (; p < end; ++p, ++digits) {
        const char c = *p;
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            break;
        value = std::min(value * (hex ? 16 : 10) + digit, beyond);
    }
    return p < end && *p == ';' && digits > 0 ? value : -1;
}

// Whether the text that precedes a reference ends inside a comment, CDATA section or processing instruction,
// where "&#" is plain text.
bool EndsInLiteralSection(std::string_view before) {
    struct Section {
        std::string_view open;
        std::string_view close;
    };
    static constexpr Section sections[] = {{"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    for (std::size_t p = before.find('<'); p != std::string_view::npos; p = before.find('<', p)) {
        const auto found = std::find_if(std::begin(sections), std::end(sections), [&](const Section& section) {
            return before.substr(p).starts_with(section.open);
        });
        if (found == std::end(sections)) {
            ++p;
            continue;
        }
        const std::size_t close = before.find(found->close, p + found->open.size());
        if (close == std::string_view::npos)
            return true;
        p = close + found->close.size();
    }
    return false;
}

} // namespace

bool IsXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

bool HasRefusedCharacterReference(const char* bytes, std::size_t size, bool (*refused)(char32_t)) {
    const char* const end = bytes + size;
    for (const char* p = bytes; p < end;) {
        p = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(end - p)));
        if (!p)
            return false;
        ++p;
        if (p == end || *p != '#')
            continue;
        const qint64 value = ReferencedValue(p + 1, end);
        // The rare refused reference alone pays for finding out whether it is markup at all.
        if (value >= 0 && refused(static_cast<char32_t>(value)) &&
            !EndsInLiteralSection(std::string_view(bytes, static_cast<std::size_t>(p - bytes))))
            return true;
    }
    return false;
}

std::size_t Utf8ByteOrderMarkLength(const char* bytes, std::size_t size) {
    return size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

bool DecodeXmlToUtf8(QByteArray& bytes) {
    // A cut-off last character is an error. Decoders are made in place: a moved one loses its errors.
    constexpr auto kWhole = QStringDecoder::Flag::Stateless;
    const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes, u'<');
    if (marked == QStringConverter::Utf16LE || marked == QStringConverter::Utf16BE)
        return bytes.size() % 2 == 0 && DecodeToUtf8(QStringDecoder(*marked, kWhole), bytes);
    if (marked && *marked != QStringConverter::Utf8)
        return false; // UTF-32 is no encoding of a map
    if (marked || bytes.isEmpty()) {
        bytes.remove(0, static_cast<qsizetype>(Utf8ByteOrderMarkLength(bytes.constData(), bytes.size())));
        return IsValidUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    const QByteArray declared = DeclaredEncoding(bytes);
    if (declared.isEmpty() || IsUtf8Name(declared))
        return IsValidUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return DecodeToUtf8(QStringDecoder(declared.constData(), kWhole), bytes);
}
