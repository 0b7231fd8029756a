#pragma once
// Small reliefs for the location tests: images built in memory from a
// function of (row, column), and the same written as raster files.

#include "gis/MemoryRaster.h"
#include "location/Pixel.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

namespace vastrel::test {

using FuncaoRelevo = std::function<double(int lin, int col)>;

// A matrix of lin × col cells from f, cells of `lado` map units, ValorMin and
// ValorMax the extremes of the non-zero cells.
template <class M = TMatrixSingle>
M Relevo(int linhas, int colunas, const FuncaoRelevo& f, float lado = 1, const std::string& unidade = "m")
{
    M m;
    m.SetColunas(colunas);
    m.SetLinhas(linhas);
    m.SetUnidade(unidade);
    m.ResX = m.ResY = lado;
    bool primeiro = true;
    for (int l = 1; l <= linhas; ++l)
        for (int c = 1; c <= colunas; ++c) {
            const auto v = static_cast<float>(f(l, c));
            m.SetValor(l, c, v);
            if (v == 0)
                continue;
            if (primeiro || v > m.ValorMax)
                m.ValorMax = v;
            if (primeiro || v < m.ValorMin)
                m.ValorMin = v;
            primeiro = false;
        }
    return m;
}

// The matrix as a raster file of type "R", XMin = YMin = 0.
inline void GravarRas(const std::filesystem::path& caminho, const TMatrixSingle& m)
{
    gis::TMemoryRaster r;
    r.DefinirTipo('R');
    r.Colunas = m.Colunas();
    r.Linhas = m.Linhas();
    r.XMin = m.XMin;
    r.YMin = m.YMin;
    r.XMax = m.XMin + m.ResX * static_cast<float>(m.Colunas());
    r.YMax = m.YMin + m.ResY * static_cast<float>(m.Linhas());
    r.Unidade = m.GetUnidade();
    r.ValorMin = m.ValorMin;
    r.ValorMax = m.ValorMax;
    r.Titulo = "relevo de teste";
    r.AlocarCelulas();
    for (int l = 1; l <= m.Linhas(); ++l)
        for (int c = 1; c <= m.Colunas(); ++c)
            r.GravarCelulaReal(static_cast<std::int64_t>(l - 1) * m.Colunas() + (c - 1), m.GetValor(l, c));
    r.GravarRaster(caminho);
}

// Slope (%) of each cell of an elevation matrix: the steepest drop to one of
// its eight neighbours with data over the distance between the centres, as
// the slope map computes it; 0 outside the watershed.
inline TMatrixSingle DeclividadeDe(const TMatrixSingle& e)
{
    TMatrixSingle d;
    d.SetColunas(e.Colunas());
    d.SetLinhas(e.Linhas());
    d.SetUnidade(e.GetUnidade());
    d.ResX = e.ResX;
    d.ResY = e.ResY;
    const double fator = (e.GetUnidade() == "KM" || e.GetUnidade() == "km") ? 1000.0 : 1.0;
    const double dx = e.ResX * fator, dy = e.ResY * fator;
    bool primeiro = true;
    for (int l = 1; l <= e.Linhas(); ++l)
        for (int c = 1; c <= e.Colunas(); ++c) {
            const double z = e.GetValor(l, c);
            if (z == 0)
                continue;
            double s = 0;
            for (int dl = -1; dl <= 1; ++dl)
                for (int dc = -1; dc <= 1; ++dc) {
                    const double w = e.GetValor(l + dl, c + dc);
                    if ((dl == 0 && dc == 0) || w == 0)
                        continue;
                    s = std::max(s, std::fabs(w - z) / std::hypot(dc * dx, dl * dy));
                }
            const auto v = static_cast<float>(100 * s);
            d.SetValor(l, c, v);
            if (primeiro || v > d.ValorMax)
                d.ValorMax = v;
            if (primeiro || v < d.ValorMin)
                d.ValorMin = v;
            primeiro = false;
        }
    return d;
}

} // namespace vastrel::test
