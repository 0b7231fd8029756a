#pragma once
// Raster files built and read byte by byte, independently of the classes
// under test, for the tests of the raster tools.

#include "support/TempDir.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel::test::gis {

inline void Poe32(std::string& b, std::size_t pos, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[pos + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xff);
}

inline std::uint32_t Le32(const std::string& b, std::size_t pos)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[pos + static_cast<std::size_t>(i)]);
    return v;
}

inline float LeF(const std::string& b, std::size_t pos) { return std::bit_cast<float>(Le32(b, pos)); }
inline void PoeF(std::string& b, std::size_t pos, float v) { Poe32(b, pos, std::bit_cast<std::uint32_t>(v)); }

inline std::string Slot(const std::string& texto)
{
    std::string s(255, ' ');
    s[0] = static_cast<char>(texto.size());
    s.replace(1, texto.size(), texto);
    return s;
}

struct TRasTeste {
    char tipo = 'R';
    std::int32_t colunas = 0, linhas = 0;
    float xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    std::string unidade = "M";
    std::string titulo = "teste";
    std::vector<float> celulas; // converted to the cell type on writing
};

// The bytes of a ".ras" file laid out by hand: version, type, title slot,
// columns, rows, bounds, unit slot, min/max, cells.
inline std::string BytesRas(const TRasTeste& r)
{
    const std::size_t w = r.tipo == 'R' ? 4 : r.tipo == 'I' ? 2 : 1;
    std::string b(536 + 2 * w, '\0');
    b[0] = 1;
    b[1] = r.tipo;
    b.replace(2, 255, Slot(r.titulo));
    Poe32(b, 257, static_cast<std::uint32_t>(r.colunas));
    Poe32(b, 261, static_cast<std::uint32_t>(r.linhas));
    PoeF(b, 265, r.xmin);
    PoeF(b, 269, r.xmax);
    PoeF(b, 273, r.ymin);
    PoeF(b, 277, r.ymax);
    b.replace(281, 255, Slot(r.unidade));
    for (float v : r.celulas) {
        if (w == 4) {
            std::string c(4, '\0');
            PoeF(c, 0, v);
            b += c;
        } else if (w == 2) {
            const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
            b += static_cast<char>(u & 0xff);
            b += static_cast<char>(u >> 8);
        } else {
            b += static_cast<char>(static_cast<std::uint8_t>(v));
        }
    }
    return b;
}

inline void GravarRas(const std::filesystem::path& p, const TRasTeste& r) { WriteBytes(p, BytesRas(r)); }

// The cells of a real ".ras" file, read from byte 544.
inline std::vector<float> CelulasReais(const std::filesystem::path& p)
{
    const std::string b = ReadBytes(p);
    std::vector<float> v;
    for (std::size_t pos = 544; pos + 4 <= b.size(); pos += 4)
        v.push_back(LeF(b, pos));
    return v;
}

// A plane z = z0 + gx·column + gy·row on a grid of the given size.
inline TRasTeste Plano(std::int32_t colunas, std::int32_t linhas, float celula, float z0, float gx, float gy)
{
    TRasTeste r;
    r.colunas = colunas;
    r.linhas = linhas;
    r.xmax = celula * static_cast<float>(colunas);
    r.ymax = celula * static_cast<float>(linhas);
    for (std::int32_t l = 0; l < linhas; ++l)
        for (std::int32_t c = 0; c < colunas; ++c)
            r.celulas.push_back(z0 + gx * static_cast<float>(c) + gy * static_cast<float>(l));
    return r;
}

} // namespace vastrel::test::gis
