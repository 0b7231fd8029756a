#include "rainfall/Colacao.h"

#include "common/Cp1252.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vastrel {

namespace {

// Primary weights: blank < punctuation and symbols < digits < letters.
constexpr std::uint16_t kBranco = 1;
constexpr std::uint16_t kSimbolo = 0x100; // + byte value
constexpr std::uint16_t kDigito = 0x300;  // + digit
constexpr std::uint16_t kLetra = 0x400;   // + letter index a = 0 .. z = 25

// Secondary weights: the diacritic.
enum Acento : std::uint8_t { kSem, kAgudo, kGrave, kCircunflexo, kTil, kTrema, kAnel, kCedilha, kOutro };

// Tertiary weights: the case.
enum Caixa : std::uint8_t { kMinuscula, kMaiuscula, kOrdinal };

struct Elemento {
    std::uint16_t primario;
    std::uint8_t secundario;
    std::uint8_t terciario;
};

void Letra(std::vector<Elemento>& out, char base, Acento acento, Caixa caixa)
{
    out.push_back({static_cast<std::uint16_t>(kLetra + (base - 'a')), acento, caixa});
}

// Accented Latin-1 letters 0xC0..0xFF: base letter and diacritic, upper and
// lower case sharing the row (lower case = upper case + 0x20).
struct LetraAcentuada {
    char base;
    Acento acento;
};
constexpr LetraAcentuada kLatin1[32] = {
    {'a', kGrave}, {'a', kAgudo}, {'a', kCircunflexo}, {'a', kTil},   // À Á Â Ã
    {'a', kTrema}, {'a', kAnel},  {'\0', kSem},        {'c', kCedilha}, // Ä Å Æ Ç
    {'e', kGrave}, {'e', kAgudo}, {'e', kCircunflexo}, {'e', kTrema}, // È É Ê Ë
    {'i', kGrave}, {'i', kAgudo}, {'i', kCircunflexo}, {'i', kTrema}, // Ì Í Î Ï
    {'d', kOutro}, {'n', kTil},   {'o', kGrave},       {'o', kAgudo}, // Ð Ñ Ò Ó
    {'o', kCircunflexo}, {'o', kTil}, {'o', kTrema},   {'\0', kSem},  // Ô Õ Ö ×
    {'o', kOutro}, {'u', kGrave}, {'u', kAgudo},       {'u', kCircunflexo}, // Ø Ù Ú Û
    {'u', kTrema}, {'y', kAgudo}, {'\0', kSem},        {'\0', kSem},  // Ü Ý Þ ß
};

// The collation elements of one Windows-1252 byte.
void Elementos(unsigned char b, std::vector<Elemento>& out)
{
    if (b >= 'a' && b <= 'z')
        return Letra(out, static_cast<char>(b), kSem, kMinuscula);
    if (b >= 'A' && b <= 'Z')
        return Letra(out, static_cast<char>(b - 'A' + 'a'), kSem, kMaiuscula);
    if (b >= '0' && b <= '9') {
        out.push_back({static_cast<std::uint16_t>(kDigito + (b - '0')), kSem, kMinuscula});
        return;
    }
    if (b == ' ' || b == 0xA0) {
        out.push_back({kBranco, kSem, kMinuscula});
        return;
    }
    switch (b) {
    case 0x8A: return Letra(out, 's', kOutro, kMaiuscula); // Š
    case 0x9A: return Letra(out, 's', kOutro, kMinuscula); // š
    case 0x8E: return Letra(out, 'z', kOutro, kMaiuscula); // Ž
    case 0x9E: return Letra(out, 'z', kOutro, kMinuscula); // ž
    case 0x9F: return Letra(out, 'y', kTrema, kMaiuscula); // Ÿ
    case 0xFF: return Letra(out, 'y', kTrema, kMinuscula); // ÿ
    case 0x83: return Letra(out, 'f', kOutro, kMinuscula); // ƒ
    case 0xAA: return Letra(out, 'a', kSem, kOrdinal);     // ª
    case 0xBA: return Letra(out, 'o', kSem, kOrdinal);     // º
    case 0x8C: // Œ
    case 0x9C: // œ
        Letra(out, 'o', kOutro, b == 0x8C ? kMaiuscula : kMinuscula);
        return Letra(out, 'e', kOutro, b == 0x8C ? kMaiuscula : kMinuscula);
    case 0xC6: // Æ
    case 0xE6: // æ
        Letra(out, 'a', kOutro, b == 0xC6 ? kMaiuscula : kMinuscula);
        return Letra(out, 'e', kOutro, b == 0xC6 ? kMaiuscula : kMinuscula);
    case 0xDE: // Þ
    case 0xFE: // þ
        Letra(out, 't', kOutro, b == 0xDE ? kMaiuscula : kMinuscula);
        return Letra(out, 'h', kOutro, b == 0xDE ? kMaiuscula : kMinuscula);
    case 0xDF: // ß
        Letra(out, 's', kOutro, kMinuscula);
        return Letra(out, 's', kOutro, kMinuscula);
    default:
        break;
    }
    if (b >= 0xC0) {
        const LetraAcentuada& l = kLatin1[(b - 0xC0) & 0x1F];
        if (l.base != '\0')
            return Letra(out, l.base, l.acento, b >= 0xE0 ? kMinuscula : kMaiuscula);
    }
    out.push_back({static_cast<std::uint16_t>(kSimbolo + b), kSem, kMinuscula});
}

std::vector<Elemento> ChaveDe(std::string_view utf8)
{
    std::vector<Elemento> out;
    for (char c : Utf8ToCp1252(utf8))
        Elementos(static_cast<unsigned char>(c), out);
    return out;
}

template <typename Campo>
int CompararNivel(const std::vector<Elemento>& a, const std::vector<Elemento>& b, Campo campo)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const int pa = campo(a[i]);
        const int pb = campo(b[i]);
        if (pa != pb)
            return pa < pb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

} // namespace

int CompararNomes(std::string_view a, std::string_view b)
{
    const std::vector<Elemento> ka = ChaveDe(a);
    const std::vector<Elemento> kb = ChaveDe(b);
    if (int r = CompararNivel(ka, kb, [](const Elemento& e) { return int{e.primario}; }))
        return r;
    if (int r = CompararNivel(ka, kb, [](const Elemento& e) { return int{e.secundario}; }))
        return r;
    if (int r = CompararNivel(ka, kb, [](const Elemento& e) { return int{e.terciario}; }))
        return r;
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

} // namespace vastrel
