#pragma once
// Reliefs for the layout tests: the example watershed, real DEMs imported as
// the import tool does, the same resampled or with holes and flats, and
// synthetic fields; each with its slope map as the slope tool makes it. And
// the example project's storm, terrain and terrace systems.

#include "core/location/Relevos.h"
#include "engine/Espacamento.h"
#include "gis/Declividade.h"
#include "gis/Gdal.h"
#include "gis/MemoryRaster.h"
#include "location/TracadoNivel.h"
#include "project/Projeto.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

namespace vastrel::test::locacao {

namespace fs = std::filesystem;

inline const std::filesystem::path kFontes = fs::path(VASTREL_SOURCE_DIR);

// A relief and its slope map, as the slope tool makes it.
struct TRelevo {
    std::string Nome;
    TMatrixSingle Elev, Decl;
    double Lado = 1; // cell side, m
};

// The slope map goes into `pasta`.
inline TRelevo Carregar(const std::string& nome, const fs::path& ras, const fs::path& pasta)
{
    TRelevo r;
    r.Nome = nome;
    EXPECT_TRUE(r.Elev.Carregar(ras));
    gis::TMemoryRaster m;
    m.CarregarRaster(ras);
    const fs::path decl = pasta / (ras.stem().string() + "-declividade.ras");
    gis::MapaDeclividade(m, gis::EspacamentoGrade(m, 1.0), "declividade", {}).GravarRaster(decl);
    EXPECT_TRUE(r.Decl.Carregar(decl));
    r.Lado = r.Elev.ResX;
    return r;
}

inline TRelevo Sintetico(const std::string& nome, const TempDir& d, int linhas, int colunas, double lado,
                  const test::FuncaoRelevo& f)
{
    GravarRas(d / (nome + ".ras"), Relevo<TMatrixSingle>(linhas, colunas, f, static_cast<float>(lado)));
    return Carregar(nome, d / (nome + ".ras"), d.Path());
}

// A GIS raster (ASCII grid, GeoTIFF) imported as the import tool does.
inline TRelevo Importado(const std::string& nome, const TempDir& d, const fs::path& origem)
{
    gis::ImportarRasterGdal(origem, d / (nome + ".ras"), nome, {});
    return Carregar(nome, d / (nome + ".ras"), d.Path());
}

// The relief resampled by `fator` (bilinear between cell centres; a cell
// next to no data has none).
inline TRelevo Reamostrado(const TRelevo& o, double fator, const TempDir& d)
{
    const int linhas = static_cast<int>(std::lround(o.Elev.Linhas() * fator));
    const int colunas = static_cast<int>(std::lround(o.Elev.Colunas() * fator));
    const auto f = [&](int l, int c) {
        const double y = (l - 0.5) / fator + 0.5, x = (c - 0.5) / fator + 0.5;
        const int l0 = static_cast<int>(std::floor(y)), c0 = static_cast<int>(std::floor(x));
        const double ty = y - l0, tx = x - c0;
        const double v00 = o.Elev.GetValor(l0, c0), v01 = o.Elev.GetValor(l0, c0 + 1),
                     v10 = o.Elev.GetValor(l0 + 1, c0), v11 = o.Elev.GetValor(l0 + 1, c0 + 1);
        if (v00 == 0 || v01 == 0 || v10 == 0 || v11 == 0)
            return 0.0;
        return (1 - ty) * ((1 - tx) * v00 + tx * v01) + ty * ((1 - tx) * v10 + tx * v11);
    };
    const std::string nome = o.Nome + " reamostrado x" + std::to_string(fator).substr(0, 3);
    TMatrixSingle m = Relevo<TMatrixSingle>(linhas, colunas, f, static_cast<float>(o.Lado / fator));
    m.XMin = o.Elev.XMin;
    m.YMin = o.Elev.YMin;
    const fs::path p = d / ("r" + std::to_string(linhas) + "x" + std::to_string(colunas) + ".ras");
    GravarRas(p, m);
    TRelevo r = Carregar(nome, p, d.Path());
    r.Nome = nome;
    return r;
}

// The relief with what real DEMs carry: holes without data inside the
// field (a pond, a building, a gap in a survey) and flat spots (a road, a
// yard levelled by the interpolation).
inline TRelevo ComBuracosEPlanos(const TRelevo& o, const TempDir& d)
{
    TMatrixSingle m = o.Elev;
    const int L = m.Linhas(), C = m.Colunas();
    for (int l = 1; l <= L; ++l)
        for (int c = 1; c <= C; ++c) {
            if (m.GetValor(l, c) == 0)
                continue;
            const double a = std::hypot(l - L * 0.45, c - C * 0.35), b = std::hypot(l - L * 0.6, c - C * 0.7);
            if (a < 6 || (l > L / 3 && l < L / 3 + 3 && c > C / 2 && c < C / 2 + 25))
                m.SetValor(l, c, 0); // a round hole and a strip without data
            else if (b < 9)
                m.SetValor(l, c, o.Elev.GetValor(static_cast<int>(L * 0.6), static_cast<int>(C * 0.7))); // a flat
        }
    GravarRas(d / "buracos.ras", m);
    TRelevo r = Carregar("bacia do exemplo com buracos e planos", d / "buracos.ras", d.Path());
    return r;
}

// The example project's storm, terrain and level terrace system (Lombardi
// Neto spacing), or the same with an arbitrated EV.
struct TProjetoExemplo {
    TProjeto Projeto;
    explicit TProjetoExemplo(double evArbitrado = 0)
    {
        Projeto.Ler(kFontes / "examples/locacao/locacao-hugo.vst");
        if (evArbitrado > 0) {
            Projeto.TerracosNivel.Espacamento.Metodologia.IndMetodologia = kMetodoEVArbitrado;
            Projeto.TerracosNivel.Espacamento.SetEV(evArbitrado);
        }
    }
    FuncaoEspacamento Espacamento()
    {
        auto esp = std::make_shared<TEspacamento>(Projeto.TerracosNivel.Espacamento);
        const double sm = Projeto.TerracosNivel.Sm.Valor, cdu = Projeto.TerracosNivel.CDu;
        return [esp, sm, cdu](double s) {
            esp->CalculaPorMetodo(s / 100, 0, sm, cdu, 0);
            return TEspacamentoFaixa{esp->EV, esp->EH};
        };
    }
};

} // namespace vastrel::test::locacao
