#include "common/Cp1252.h"

#include <array>
#include <cstdint>

namespace vastrel {

namespace {

// Code points of bytes 0x80..0x9F. The five bytes Windows-1252 leaves
// undefined map to the C1 control of the same value, as Windows does, so
// that any byte string survives a round trip.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b)
{
    if (b >= 0x80 && b <= 0x9F)
        return kHigh[b - 0x80];
    return b;
}

int CodePointToByte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; advances i. Returns -1 for a malformed
// sequence (i then moves past its first byte).
long DecodeUtf8(std::string_view s, std::size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int len = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        ++i;
        return -1;
    }
    if (i + static_cast<std::size_t>(len) > s.size()) {
        ++i;
        return -1;
    }
    for (int k = 1; k < len; ++k) {
        const auto bk = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((bk & 0xC0) != 0x80) {
            ++i;
            return -1;
        }
        cp = (cp << 6) | (bk & 0x3F);
    }
    // Reject overlong forms and surrogates.
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return -1;
    }
    i += static_cast<std::size_t>(len);
    return static_cast<long>(cp);
}

} // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes)
        AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(ch)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char first = utf8[i];
        const long cp = DecodeUtf8(utf8, i);
        if (cp < 0) {
            out += first;
            continue;
        }
        const int b = CodePointToByte(static_cast<char32_t>(cp));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool EncodableInCp1252(std::string_view utf8)
{
    std::size_t i = 0;
    while (i < utf8.size()) {
        const long cp = DecodeUtf8(utf8, i);
        if (cp < 0 || CodePointToByte(static_cast<char32_t>(cp)) < 0)
            return false;
    }
    return true;
}

std::string RepairUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t start = i;
        const long cp = DecodeUtf8(bytes, i);
        if (cp < 0)
            AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(bytes[start])));
        else
            out.append(bytes.substr(start, i - start));
    }
    return out;
}

bool LooksLikeUtf8(std::string_view bytes)
{
    bool nonAscii = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const long cp = DecodeUtf8(bytes, i);
        if (cp < 0)
            return false;
        if (cp >= 0x80)
            nonAscii = true;
    }
    return nonAscii;
}

std::string FoldCase(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        long cp = DecodeUtf8(utf8, i);
        if (cp < 0) {
            out.append(utf8.substr(start, i - start));
            continue;
        }
        if (cp >= 'a' && cp <= 'z')
            cp -= 0x20;
        else if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) // Latin-1 lower-case letters
            cp -= 0x20;
        AppendUtf8(out, static_cast<char32_t>(cp));
    }
    return out;
}

} // namespace vastrel
