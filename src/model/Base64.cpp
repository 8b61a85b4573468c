#include "model/Base64.h"

#include <array>
#include <limits>
#include <new>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kGroupsPerLine = 19; // 76 characters

constexpr std::array<signed char, 256> MakeDecodeTable() {
    std::array<signed char, 256> table{};
    for (auto& value : table)
        value = -1;
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
    return table;
}

constexpr std::array<signed char, 256> kDecode = MakeDecodeTable();

} // namespace

std::optional<std::size_t> Base64EncodedLength(std::size_t n) {
    if (n > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max()) / 4)
        return std::nullopt;
    std::size_t length = 4 * n / 3 + n % 3;
    const std::size_t lines = length / 76;
    const std::size_t rest = length % 76;
    if (rest != 0 && rest % 4 != 0)
        length += 4 - rest % 4;
    return length + 2 * (lines + 1);
}

QByteArray Base64Encode(const char* data, std::size_t length) {
    // Bytes that no text could hold fail as running out of memory does: an empty text would lose them.
    if (!Base64EncodedLength(length))
        throw std::bad_alloc();
    QByteArray text;
    text.reserve(static_cast<qsizetype>(*Base64EncodedLength(length)));
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    const std::size_t groups = length / 3;
    for (std::size_t group = 0; group < groups; ++group) {
        const unsigned value = bytes[3 * group] << 16 | bytes[3 * group + 1] << 8 | bytes[3 * group + 2];
        text.append(kAlphabet[value >> 18 & 63]);
        text.append(kAlphabet[value >> 12 & 63]);
        text.append(kAlphabet[value >> 6 & 63]);
        text.append(kAlphabet[value & 63]);
        if ((group + 1) % kGroupsPerLine == 0)
            text.append("\r\n");
    }
    // Every full line ends with CR LF except a short last one: a multiple of 19 groups keeps its final break.
    const std::size_t rest = length % 3;
    if (rest != 0) {
        unsigned value = bytes[3 * groups] << 16;
        if (rest == 2)
            value |= bytes[3 * groups + 1] << 8;
        text.append(kAlphabet[value >> 18 & 63]);
        text.append(kAlphabet[value >> 12 & 63]);
        text.append(rest == 2 ? kAlphabet[value >> 6 & 63] : '=');
        text.append('=');
    }
    return text;
}

QByteArray Base64Decode(const char* text, std::size_t length) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(length / 4 * 3 + 3));
    unsigned value = 0;
    int count = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == 0 && count == 0)
            break;
        const int sextet = kDecode[c];
        if (sextet < 0)
            continue;
        value = value << 6 | static_cast<unsigned>(sextet);
        if (++count == 4) {
            bytes.append(static_cast<char>(value >> 16));
            bytes.append(static_cast<char>(value >> 8));
            bytes.append(static_cast<char>(value));
            value = 0;
            count = 0;
        }
    }
    if (count >= 2) {
        value <<= 6 * (4 - count);
        bytes.append(static_cast<char>(value >> 16));
        if (count == 3)
            bytes.append(static_cast<char>(value >> 8));
    }
    return bytes;
}
