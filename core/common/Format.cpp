#include "common/Format.h"

#include "common/Exceptions.h"
#include "common/Locale.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace vastrel {

namespace {

std::string_view Trim(std::string_view s)
{
    const auto notBlank = [](char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; };
    std::size_t b = 0;
    while (b < s.size() && !notBlank(s[b]))
        ++b;
    std::size_t e = s.size();
    while (e > b && !notBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Splits a mask into its ";"-separated sections, ignoring ";" inside quotes.
std::vector<std::string> SplitSections(std::string_view mask)
{
    std::vector<std::string> sections(1);
    char quote = 0;
    for (char ch : mask) {
        if (quote) {
            if (ch == quote)
                quote = 0;
        } else if (ch == '"' || ch == '\'') {
            quote = ch;
        } else if (ch == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += ch;
    }
    return sections;
}

// The layout of one mask section.
struct Layout {
    std::string prefix;  // literal text before the number
    std::string suffix;  // literal text after the number
    int minInt = 0;      // integer digits always shown ('0' placeholders)
    int decimals = 0;    // digits after the decimal separator at most
    int minDecimals = 0; // digits after the separator always shown
    bool thousands = false;
    bool hasPlaceholder = false;
};

Layout ParseLayout(std::string_view section)
{
    Layout l;
    bool afterPoint = false;
    bool seenZeroBeforePoint = false;
    bool inNumber = false;   // a placeholder or the point was seen
    std::string pendingLiteral; // literal text since the last placeholder
    char quote = 0;
    for (char ch : section) {
        if (quote) {
            if (ch == quote)
                quote = 0;
            else
                pendingLiteral += ch;
            continue;
        }
        if (ch == '"' || ch == '\'') {
            quote = ch;
            continue;
        }
        const bool placeholder = ch == '0' || ch == '#';
        if (placeholder || (ch == '.' && !afterPoint) || (ch == ',' && !afterPoint && inNumber)) {
            if (!inNumber)
                l.prefix = pendingLiteral;
            pendingLiteral.clear();
            inNumber = true;
            if (ch == '.') {
                afterPoint = true;
            } else if (ch == ',') {
                l.thousands = true;
            } else if (afterPoint) {
                ++l.decimals;
                if (ch == '0')
                    l.minDecimals = l.decimals;
                l.hasPlaceholder = true;
            } else {
                if (ch == '0')
                    seenZeroBeforePoint = true;
                if (seenZeroBeforePoint)
                    ++l.minInt;
                l.hasPlaceholder = true;
            }
            continue;
        }
        pendingLiteral += ch;
    }
    if (inNumber)
        l.suffix = pendingLiteral;
    else
        l.prefix = pendingLiteral;
    return l;
}

// Decimal digits of |value| rounded half away from zero to `decimals`
// places, as integer and fraction strings.
void RoundedDigits(double value, int decimals, std::string& intPart, std::string& fracPart)
{
    // Print the exact binary value with spare digits, then round by hand so
    // that exact halves go away from zero. std::to_chars ignores the C
    // library's locale, so the point below is always a point.
    const int spare = 25;
    std::vector<char> buf(400);
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                           std::chars_format::fixed, decimals + spare);
    while (r.ec != std::errc()) {
        buf.resize(buf.size() * 2);
        r = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                          std::chars_format::fixed, decimals + spare);
    }
    const auto n = r.ptr - buf.data();
    std::string s(buf.data(), static_cast<std::size_t>(n));
    const std::size_t point = s.find('.');
    std::string digits = s.substr(0, point) + s.substr(point + 1);
    const std::size_t intLen = point;
    const std::size_t keep = intLen + static_cast<std::size_t>(decimals);
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0) {
            --i;
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                break;
            }
        }
        if (digits.empty())
            digits = "1";
    }
    const std::size_t newIntLen = digits.size() - static_cast<std::size_t>(decimals);
    intPart = digits.substr(0, newIntLen);
    fracPart = digits.substr(newIntLen);
    // Drop leading zeros of the integer part; "0" stays as the empty string.
    const std::size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
}

std::string GroupThousands(const std::string& digits)
{
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ThousandSeparator();
        out += digits[i];
    }
    return out;
}

std::string FormatSection(const Layout& l, double absValue, bool negative)
{
    if (!l.hasPlaceholder)
        return l.prefix + l.suffix;
    std::string intPart, fracPart;
    RoundedDigits(absValue, l.decimals, intPart, fracPart);
    while (static_cast<int>(fracPart.size()) > l.minDecimals && fracPart.back() == '0')
        fracPart.pop_back();
    while (static_cast<int>(intPart.size()) < l.minInt)
        intPart.insert(intPart.begin(), '0');
    if (l.thousands)
        intPart = GroupThousands(intPart);
    const bool zero = intPart.find_first_not_of("0") == std::string::npos &&
                      fracPart.find_first_not_of('0') == std::string::npos;
    std::string number = intPart;
    if (!fracPart.empty()) {
        number += DecimalSeparator();
        number += fracPart;
    }
    return l.prefix + (negative && !zero ? "-" : "") + number + l.suffix;
}

} // namespace

std::string FormatFloat(std::string_view mask, double value)
{
    if (!std::isfinite(value))
        throw EMathError("Operação de ponto flutuante inválida.");
    const std::vector<std::string> sections = SplitSections(mask);
    if (value < 0 && sections.size() >= 2 && !sections[1].empty())
        return FormatSection(ParseLayout(sections[1]), -value, false);
    if (value == 0 && sections.size() >= 3 && !sections[2].empty())
        return FormatSection(ParseLayout(sections[2]), 0.0, false);
    return FormatSection(ParseLayout(sections[0]), std::fabs(value), value < 0);
}

std::string FormatGeneral(double value, int digits)
{
    if (!std::isfinite(value))
        throw EMathError("Operação de ponto flutuante inválida.");
    if (value == 0)
        return "0";
    digits = std::clamp(digits, 1, 17);
    // `digits` significant digits, then the shorter of fixed and scientific
    // form by the general-format rule. std::to_chars ignores the C library's
    // locale, so the text below always has a point before the mantissa.
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                 std::chars_format::scientific, digits - 1);
    const std::string s(buf, r.ptr);
    const std::size_t e = s.find('e');
    int exponent = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    std::string mantissa = s.substr(0, 1) + (e > 2 ? s.substr(2, e - 2) : std::string());
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    std::string out = value < 0 ? "-" : "";
    if (exponent >= digits || exponent < -5) {
        out += mantissa[0];
        if (mantissa.size() > 1) {
            out += DecimalSeparator();
            out += mantissa.substr(1);
        }
        return out + 'E' + std::to_string(exponent);
    }
    if (exponent < 0) {
        out += '0';
        out += DecimalSeparator();
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0');
        return out + mantissa;
    }
    const auto intLen = static_cast<std::size_t>(exponent) + 1;
    if (mantissa.size() <= intLen)
        return out + mantissa + std::string(intLen - mantissa.size(), '0');
    return out + mantissa.substr(0, intLen) + DecimalSeparator() + mantissa.substr(intLen);
}

std::string FloatToStr(double value) { return FormatGeneral(value, 15); }

std::string FloatToJson(double value)
{
    if (!std::isfinite(value))
        throw EMathError("Operação de ponto flutuante inválida.");
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::optional<double> ParseFloat(std::string_view text)
{
    std::string s(Trim(text));
    if (s.empty())
        return std::nullopt;
    if (s[0] == '+') {
        s.erase(0, 1);
        if (s.empty() || s[0] == '-' || s[0] == '+')
            return std::nullopt;
    }
    std::size_t separators = 0;
    for (char& ch : s) {
        if (ch == ',' || ch == '.') {
            ch = '.';
            ++separators;
        } else if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '-' || ch == '+' ||
                     ch == 'e' || ch == 'E')) {
            return std::nullopt; // rules out "inf", "nan" and hexadecimal forms
        }
    }
    if (separators > 1)
        return std::nullopt;
    double v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long long> ParseInt(std::string_view text)
{
    std::string s(Trim(text));
    if (!s.empty() && s[0] == '+')
        s.erase(0, 1);
    if (s.empty() || s[0] == '+')
        return std::nullopt;
    long long v = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        return std::nullopt;
    return v;
}

double StrToFloat(std::string_view text)
{
    if (auto v = ParseFloat(text))
        return *v;
    throw EConvertError("'" + std::string(text) + "' não é um número válido.");
}

} // namespace vastrel
