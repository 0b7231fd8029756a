// Level-terrace layouts checked by what any correct layout satisfies, on
// synthetic fields (a plane, a cone, a rolling field with a knob and a
// hollow) and on real reliefs at their native resolution and resampled: the
// example watershed (2.5 m), the Landlab Hugo site (10 m), the West Bijou
// lidar gully (3 m) and the SRTM of the Big Tujunga (30 m).
//
// - an open line ends next to a cell without data or the raster's edge; a
//   closed line closes;
// - every cell with data drains into exactly one terrace or into the
//   remainder, and the strips and the remainder add up to the watershed;
// - every terrace drains something, and its slope is its own strip's;
// - a line's strip lies between its level and the level EV above it;
// - each height follows from the terrace's own strip.

#include "location/LocacaoNivel.h"
#include "location/TracadoNivel.h"

#include "core/location/Relevos.h"
#include "core/location/RelevosLocacao.h"
#include "engine/Canal.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"
#include "gis/Declividade.h"
#include "gis/Gdal.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"
#include "project/Projeto.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <numbers>

using namespace vastrel;
using vastrel::test::GravarRas;
using vastrel::test::Relevo;
using vastrel::test::TempDir;

namespace {

namespace fs = std::filesystem;
using namespace vastrel::test::locacao;

TTracadoNivel Tracar(const TRelevo& r, TProjetoExemplo& p)
{
    TOpcoesTracado op;
    op.Espacamento = p.Espacamento();
    op.AreaCelula = r.Lado * r.Lado;
    op.GuardarFaixas = true;
    return TracarTerracosNivel(r.Elev, r.Decl, op);
}

// Whether cell (l, c) (from 1) is outside the raster or without data.
bool SemDado(const TMatrixSingle& e, int l, int c) { return !e.Dentro(l, c) || e.GetValor(l, c) == 0; }

// The invariants of any layout.
void ConferirInvariantes(const TRelevo& r, const TTracadoNivel& t)
{
    SCOPED_TRACE(r.Nome);
    const TMatrixSingle& e = r.Elev;
    ASSERT_FALSE(t.Terracos.empty());
    // Lines: closed ones close, open ones end at the watershed's edge.
    for (const TTerracoTracado& tt : t.Terracos) {
        SCOPED_TRACE("terraço " + std::to_string(tt.Linha.Numero));
        ASSERT_GE(tt.Linha.Quantidade(), 2);
        const TPonto& a = tt.Linha.Item(1);
        const TPonto& b = tt.Linha.Item(tt.Linha.Quantidade());
        if (tt.Forma != TFormaTerraco::Aberto) {
            EXPECT_EQ(a.X, b.X);
            EXPECT_EQ(a.Y, b.Y);
            continue;
        }
        for (const TPonto& p : {a, b}) {
            bool borda = false;
            const int l0 = static_cast<int>(std::floor(p.Y)), c0 = static_cast<int>(std::floor(p.X));
            for (int l = l0 - 1; l <= l0 + 2; ++l)
                for (int c = c0 - 1; c <= c0 + 2; ++c)
                    borda = borda || SemDado(e, l, c);
            EXPECT_TRUE(borda) << "linha termina dentro do campo em (" << p.X << ", " << p.Y << ")";
        }
        for (const TPonto& p : tt.Linha)
            EXPECT_FLOAT_EQ(p.Z, static_cast<float>(tt.Cota));
    }
    // Areas: every cell with data in one strip or in the remainder.
    std::vector<std::int64_t> celulas(t.Terracos.size() + 1, 0);
    std::vector<double> somaDecl(t.Terracos.size() + 1, 0);
    std::vector<float> minimo(t.Terracos.size() + 1, 1e30f), maximo(t.Terracos.size() + 1, -1e30f);
    std::int64_t dados = 0;
    for (int l = 1; l <= e.Linhas(); ++l)
        for (int c = 1; c <= e.Colunas(); ++c) {
            const std::int32_t f = t.Faixa[static_cast<std::size_t>(e.Indice(l, c))];
            if (e.GetValor(l, c) == 0) {
                EXPECT_EQ(f, -1);
                continue;
            }
            ++dados;
            ASSERT_GE(f, 0);
            ASSERT_LE(f, static_cast<std::int32_t>(t.Terracos.size()));
            ++celulas[static_cast<std::size_t>(f)];
            somaDecl[static_cast<std::size_t>(f)] += r.Decl.GetValor(l, c);
            minimo[static_cast<std::size_t>(f)] = std::min(minimo[static_cast<std::size_t>(f)], e.GetValor(l, c));
            maximo[static_cast<std::size_t>(f)] = std::max(maximo[static_cast<std::size_t>(f)], e.GetValor(l, c));
        }
    EXPECT_EQ(dados, t.CelulasBacia);
    EXPECT_EQ(celulas[0], t.CelulasRestantes);
    std::int64_t soma = t.CelulasRestantes;
    for (std::size_t k = 0; k < t.Terracos.size(); ++k) {
        const TTerracoTracado& tt = t.Terracos[k];
        SCOPED_TRACE("terraço " + std::to_string(tt.Linha.Numero));
        EXPECT_EQ(tt.Linha.Numero, static_cast<std::int32_t>(k + 1));
        if (k > 0) {
            EXPECT_GE(t.Terracos[k - 1].Cota, tt.Cota); // numbered from the top down
        }
        EXPECT_GT(tt.Celulas, 0);
        EXPECT_EQ(tt.Celulas, celulas[k + 1]);
        soma += tt.Celulas;
        EXPECT_NEAR(tt.DeclividadeFaixa, somaDecl[k + 1] / static_cast<double>(celulas[k + 1]), 1e-9);
        EXPECT_GT(tt.EV, 0);
    }
    EXPECT_EQ(soma, t.CelulasBacia);

    // Heights: the strip of a line lies above its level and below the line
    // EV above it, a cell's rise aside; land left without a line of its own
    // for rising less than a spacing (a low knob, the low end of a summit
    // plateau) may stand up to one more spacing higher.
    double evMax = 0;
    for (const TTerracoTracado& tt : t.Terracos)
        evMax = std::max(evMax, tt.EV);
    for (std::size_t k = 0; k < t.Terracos.size(); ++k) {
        const TTerracoTracado& tt = t.Terracos[k];
        SCOPED_TRACE("terraço " + std::to_string(tt.Linha.Numero));
        std::int64_t abaixo = 0, acima = 0, total = 0;
        const double subida = 1.5 * r.Lado * (tt.DeclividadeFaixa / 100) + 0.05;
        for (int l = 1; l <= e.Linhas(); ++l)
            for (int c = 1; c <= e.Colunas(); ++c)
                if (t.Faixa[static_cast<std::size_t>(e.Indice(l, c))] == static_cast<std::int32_t>(k + 1)) {
                    ++total;
                    const double z = e.GetValor(l, c);
                    abaixo += z < tt.Cota - subida ? 1 : 0;
                    acima += z > tt.Cota + tt.EV + evMax + subida ? 1 : 0;
                }
        EXPECT_LE(static_cast<double>(abaixo), 0.02 * static_cast<double>(total) + 2)
            << abaixo << " de " << total << " células abaixo da cota " << tt.Cota;
        EXPECT_LE(static_cast<double>(acima), 0.02 * static_cast<double>(total) + 2)
            << acima << " de " << total << " células acima de " << tt.Cota + tt.EV + evMax;
    }
}

TEST(TracadoNivel, InvariantesEmRelevosReais)
{
    TempDir d;
    std::vector<TRelevo> relevos;
    relevos.push_back(Carregar("bacia do exemplo 2,5 m", kFontes / "examples/locacao/elevacao-hugo.ras", d.Path()));
    relevos.push_back(Reamostrado(relevos.back(), 0.5, d));
    relevos.push_back(Importado("Hugo 10 m", d, kFontes / "tests/dados/landlab/landlab_hugo_site_10m.asc"));
    relevos.push_back(Reamostrado(relevos.back(), 4, d));
    relevos.push_back(Importado("West Bijou 3 m", d, kFontes / "tests/dados/landlab/landlab_west_bijou_gully_3m.asc"));
    relevos.push_back(Reamostrado(relevos.back(), 2, d));
    relevos.push_back(Carregar("Big Tujunga SRTM 30 m", kFontes / "examples/relevo/elevacao-big-tujunga.ras", d.Path()));
    relevos.push_back(Reamostrado(relevos.back(), 2, d));
    relevos.push_back(ComBuracosEPlanos(relevos.front(), d));
    for (const TRelevo& r : relevos) {
        for (const double ev : {0.0, 1.0, 5.0}) {
            TProjetoExemplo p(ev);
            SCOPED_TRACE(ev > 0 ? "EV arbitrado " + std::to_string(ev) : std::string("Lombardi Neto"));
            const TTracadoNivel t = Tracar(r, p);
            ConferirInvariantes(r, t);
            // Below the lowest terraces lies at most a strip or so: no land
            // is given up on the way down.
            EXPECT_LT(static_cast<double>(t.CelulasRestantes), 0.25 * static_cast<double>(t.CelulasBacia))
                << t.CelulasRestantes << " de " << t.CelulasBacia << " células sem terraço";
        }
    }
}

// A plane falling 2 % to the south: straight lines from edge to edge, one
// EV apart, each draining the strip above it.
TEST(TracadoNivel, PlanoLinhasRetasUmEVAbaixoDaOutra)
{
    TempDir d;
    const TRelevo r = Sintetico("plano", d, 200, 60, 2, [](int l, int) { return 100 - 0.04 * l; });
    for (const double ev : {0.0, 0.5}) {
        TProjetoExemplo p(ev);
        const TTracadoNivel t = Tracar(r, p);
        ConferirInvariantes(r, t);
        ASSERT_GE(t.Terracos.size(), 3u);
        for (std::size_t k = 0; k < t.Terracos.size(); ++k) {
            const TTerracoTracado& tt = t.Terracos[k];
            EXPECT_EQ(tt.Forma, TFormaTerraco::Aberto);
            for (const TPonto& pt : tt.Linha)
                EXPECT_NEAR(pt.Y, (100 - tt.Cota) / 0.04, 1e-3); // the row of its level
            EXPECT_NEAR(tt.DeclividadeFaixa, 2, 0.01);
            if (k > 0) {
                EXPECT_NEAR(t.Terracos[k - 1].Cota - tt.Cota, tt.EV, 1e-4);
            }
            if (ev > 0) {
                EXPECT_NEAR(tt.EV, ev, 1e-4);
            }
        }
        // The first line lies EV below the top row.
        EXPECT_NEAR(r.Elev.GetValor(1, 1) - t.Terracos[0].Cota, t.Terracos[0].EV, 1e-4);
    }
}

// A cone: closed rings from the summit down, each EV below the one above.
TEST(TracadoNivel, ConeAneisFechados)
{
    TempDir d;
    const TRelevo r = Sintetico("cone", d, 121, 121, 1, [](int l, int c) {
        const double raio = std::hypot(l - 61, c - 61);
        return raio > 60 ? 0.0 : 130 - 0.15 * raio;
    });
    TProjetoExemplo p(1.0);
    const TTracadoNivel t = Tracar(r, p);
    ConferirInvariantes(r, t);
    ASSERT_GE(t.Terracos.size(), 7u);
    for (std::size_t k = 0; k < t.Terracos.size(); ++k) {
        const TTerracoTracado& tt = t.Terracos[k];
        EXPECT_EQ(tt.Forma, TFormaTerraco::Morro);
        EXPECT_NEAR(tt.Cota, 130 - static_cast<double>(k + 1), 1e-4);
        // A ring of the radius of its level.
        const double raio = (130 - tt.Cota) / 0.15;
        for (const TPonto& pt : tt.Linha)
            EXPECT_NEAR(std::hypot(pt.X - 61, pt.Y - 61), raio, 0.3);
    }
}

// A rolling field falling east with a knob 4 m high and a hollow 4 m deep:
// each gets closed terraces of its own; a bump 0.3 m high gets none.
TEST(TracadoNivel, MorroEDepressaoTemTerracosProprios)
{
    TempDir d;
    const auto campo = [](double bump) {
        return [bump](int l, int c) {
            const double morro = 4 * std::exp(-(std::pow(l - 40, 2) + std::pow(c - 50, 2)) / 150.0);
            const double baixada = -4 * std::exp(-(std::pow(l - 40, 2) + std::pow(c - 120, 2)) / 150.0);
            const double calombo = bump * std::exp(-(std::pow(l - 20, 2) + std::pow(c - 85, 2)) / 8.0);
            return 150 - 0.05 * c + morro + baixada + calombo;
        };
    };
    const TRelevo r = Sintetico("ondulado", d, 80, 170, 1, campo(0.3));
    TProjetoExemplo p(1.0);
    const TTracadoNivel t = Tracar(r, p);
    ConferirInvariantes(r, t);
    int morros = 0, depressoes = 0;
    for (const TTerracoTracado& tt : t.Terracos) {
        if (tt.Forma == TFormaTerraco::Aberto)
            continue;
        // Closed lines ring the knob or the hollow, not the bump.
        double x = 0;
        for (const TPonto& pt : tt.Linha)
            x += pt.X;
        x /= tt.Linha.Quantidade();
        if (tt.Forma == TFormaTerraco::Morro) {
            ++morros;
            EXPECT_NEAR(x, 50, 8);
        } else {
            ++depressoes;
            EXPECT_NEAR(x, 120, 8);
        }
    }
    EXPECT_GE(morros, 2);
    EXPECT_GE(depressoes, 2);
}

// The spacing would give strips thinner than a cell: the layout still
// holds its invariants, and the runner says so beforehand.
TEST(TracadoNivel, FaixasMaisEstreitasQueACelula)
{
    TempDir d;
    const TRelevo r = Sintetico("ingreme", d, 60, 40, 10, [](int l, int) { return 300 - 4.0 * l; }); // 40 %
    TProjetoExemplo p(0.5); // EH 1.25 m on 10 m cells
    const TTracadoNivel t = Tracar(r, p);
    ConferirInvariantes(r, t);
    // Each level drops more than EV from one row to the next, and still
    // every row but the last gets its line: no land is given up below.
    EXPECT_GE(t.Terracos.size(), 59u);
    EXPECT_LE(t.CelulasRestantes, 2 * 40);
}

TEST(TracadoNivel, ParadaGuardaOsTerracosJaLocados)
{
    TempDir d;
    const TRelevo r = Carregar("bacia do exemplo", kFontes / "examples/locacao/elevacao-hugo.ras", d.Path());
    TProjetoExemplo p(1.0);
    std::atomic<bool> parar{false};
    TOpcoesTracado op;
    op.Espacamento = p.Espacamento();
    op.AreaCelula = r.Lado * r.Lado;
    op.GuardarFaixas = true;
    op.Parar = &parar;
    op.Progresso = [&](double, std::int32_t n) {
        if (n >= 5)
            parar = true;
    };
    const TTracadoNivel t = TracarTerracosNivel(r.Elev, r.Decl, op);
    EXPECT_TRUE(t.Interrompido);
    EXPECT_GE(t.Terracos.size(), 5u);
    TProjetoExemplo q(1.0);
    EXPECT_LT(t.Terracos.size(), Tracar(r, q).Terracos.size());
    // What was placed still drains its own strips.
    std::int64_t soma = t.CelulasRestantes;
    for (const TTerracoTracado& tt : t.Terracos)
        soma += tt.Celulas;
    EXPECT_EQ(soma, t.CelulasBacia);
}

// ---------------------------------------------------------------------------
// The runner: files, heights, summary, refusals.

struct TRodada {
    TempDir Pasta;
    TProjetoExemplo Exemplo;
    explicit TRodada(double ev = 0) : Exemplo(ev) {}
    TEntradaLocacaoNivel Entrada(const fs::path& elev, const fs::path& decl, const std::string& saida = "t.vet")
    {
        TProjeto& p = Exemplo.Projeto;
        return {elev, decl, Pasta / saida, p.Chuva(), p.Terreno, p.TerracosNivel, p.Locacao.AlturaArbitrada};
    }
};

TEST(LocarNivel, AlturasDaPropriaFaixaEAreasQueFecham)
{
    TRodada x;
    const fs::path pasta = kFontes / "examples/locacao";
    const TResultadoLocacao r = LocarNivel(x.Entrada(pasta / "elevacao-hugo.ras", pasta / "declividade-hugo.ras"));
    const TProjeto& p = x.Exemplo.Projeto;
    TTerreno terreno = p.Terreno;
    const double les = terreno.CalculaLES(x.Exemplo.Projeto.Chuva());
    EXPECT_DOUBLE_EQ(r.LES, les);
    ASSERT_GT(r.Tabela.Quantidade(), 10);
    double areas = 0;
    for (const TRegTerr& t : r.Tabela) {
        SCOPED_TRACE(t.Numero);
        // h = √(LES/500)·√(Sm·St·w/(St + Sm)), height √CDu·h + 0.1 m, with the
        // strip's own width w (area over length) and slope St.
        const double w = t.AreaInfluencia / t.Comprimento, st = t.DeclividadeMedia / 100, sm = p.TerracosNivel.Sm.Valor;
        const double h = std::sqrt(les / 500) * std::sqrt(sm * st * w / (st + sm));
        EXPECT_NEAR(t.Altura, std::sqrt(p.TerracosNivel.CDu) * h + 0.1, 1e-9);
        EXPECT_GT(t.AreaInfluencia, 0);
        areas += t.AreaInfluencia;
    }
    const TQualidadeLocacao& q = r.Qualidade;
    EXPECT_NEAR(areas / 10000, q.AreaDrenada, 1e-9);
    EXPECT_NEAR(q.AreaDrenada + q.AreaRestante, q.AreaBacia, 0.005 * q.AreaBacia);
    EXPECT_GT(q.PercentualDrenado(), 90);
    EXPECT_LE(q.EspacamentoMin, q.EspacamentoMediano);
    EXPECT_LE(q.EspacamentoMediano, q.EspacamentoMax);
    EXPECT_DOUBLE_EQ(q.LadoCelula, 2.5);
    // The files: the table as returned, the vector's lines numbered alike.
    TBDT lida;
    ASSERT_TRUE(lida.Carregar(x.Pasta / "t.bdt"));
    ASSERT_EQ(lida.Quantidade(), r.Tabela.Quantidade());
    TVET v;
    ASSERT_TRUE(v.CarregarVetor(x.Pasta / "t.vet"));
    for (const TRegTerr& t : lida) {
        const auto linha = v.ObterLinha(t.Numero);
        ASSERT_TRUE(linha);
        EXPECT_NEAR(linha->Comprimento(), t.Comprimento, 1e-3 * t.Comprimento);
    }
    // The project's objects are left as they were.
    EXPECT_DOUBLE_EQ(p.TerracosNivel.Espacamento.EV, TProjetoExemplo().Projeto.TerracosNivel.Espacamento.EV);
}

// The watershed's area counts every cell with data, flat ones too: a field
// built in level benches reads its slope 0 on every bench.
TEST(LocarNivel, AreaDaBaciaContaAsCelulasPlanas)
{
    TRodada x(0.5);
    TempDir& d = x.Pasta;
    const auto degraus = [](int l, int) { return 200 - std::floor(l / 10.0); }; // 1 m steps every 10 rows
    const TMatrixSingle e = Relevo<TMatrixSingle>(100, 50, degraus, 2);
    GravarRas(d / "e.ras", e);
    GravarRas(d / "s.ras", test::DeclividadeDe(e));
    const TResultadoLocacao r = LocarNivel(x.Entrada(d / "e.ras", d / "s.ras"));
    EXPECT_NEAR(r.Qualidade.AreaBacia, 100 * 50 * 4 / 10000.0, 1e-9);
    EXPECT_NEAR(r.Qualidade.AreaDrenada + r.Qualidade.AreaRestante, r.Qualidade.AreaBacia, 1e-9);
}

// A header whose maximum matches no cell does not keep the run from the
// summit.
TEST(LocarNivel, CabecalhoComMaximoErrado)
{
    TRodada x(1.0);
    TempDir& d = x.Pasta;
    TMatrixSingle e = Relevo<TMatrixSingle>(60, 30, [](int l, int) { return 100 - 0.2 * l; }, 1);
    e.ValorMax += 7; // no cell is there
    GravarRas(d / "e.ras", e);
    GravarRas(d / "s.ras", test::DeclividadeDe(e));
    const TResultadoLocacao r = LocarNivel(x.Entrada(d / "e.ras", d / "s.ras"));
    EXPECT_GE(r.Tabela.Quantidade(), 10);
}

TEST(LocarNivel, AvisosDaResolucaoEDaChuva)
{
    TRodada x(0.2);
    const fs::path pasta = kFontes / "examples/locacao";
    const TEntradaLocacaoNivel e = x.Entrada(pasta / "elevacao-hugo.ras", pasta / "declividade-hugo.ras");
    const TPrevisaoLocacao prev = PreverLocacaoNivel(e);
    EXPECT_DOUBLE_EQ(prev.LadoCelula, 2.5);
    EXPECT_NEAR(prev.EH, 0.2 / (prev.DeclividadeMedia / 100), 1e-9);
    EXPECT_NE(prev.AvisoResolucao.find("mais estreita que três células"), std::string::npos);
    EXPECT_NE(prev.AvisoResolucao.find("Reamostre o MDE"), std::string::npos);
    // The example's own spacing spans many cells: no warning.
    TRodada y;
    EXPECT_TRUE(PreverLocacaoNivel(y.Entrada(pasta / "elevacao-hugo.ras", pasta / "declividade-hugo.ras"))
                    .Avisos.empty());
    // A soil that takes the whole storm: heights of 0.10 m, said.
    TRodada z;
    z.Exemplo.Projeto.Terreno.SetVIB(10000);
    const TResultadoLocacao r = LocarNivel(z.Entrada(pasta / "elevacao-hugo.ras", pasta / "declividade-hugo.ras"));
    EXPECT_DOUBLE_EQ(r.LES, 0);
    for (const TRegTerr& t : r.Tabela)
        EXPECT_DOUBLE_EQ(t.Altura, 0.1);
    ASSERT_FALSE(r.Avisos.empty());
    EXPECT_NE(r.Avisos.back().find("LES = 0"), std::string::npos);
}

// Rasters that look wrong are said before the run: a slope raster in m/m
// instead of %, and cells of a raster in degrees read as metres.
TEST(LocarNivel, ImagensSuspeitas)
{
    TRodada x(1.0);
    TempDir& d = x.Pasta;
    const TMatrixSingle e = Relevo<TMatrixSingle>(60, 40, [](int l, int c) { return 300 - 0.08 * l + 0.01 * c; }, 2);
    TMatrixSingle s = test::DeclividadeDe(e);
    GravarRas(d / "e.ras", e);
    GravarRas(d / "s.ras", s);
    EXPECT_TRUE(PreverLocacaoNivel(x.Entrada(d / "e.ras", d / "s.ras")).Avisos.empty());
    for (int l = 1; l <= s.Linhas(); ++l)
        for (int c = 1; c <= s.Colunas(); ++c)
            s.SetValor(l, c, s.GetValor(l, c) / 100); // m/m
    GravarRas(d / "mm.ras", s);
    const TPrevisaoLocacao p = PreverLocacaoNivel(x.Entrada(d / "e.ras", d / "mm.ras"));
    ASSERT_FALSE(p.Avisos.empty());
    EXPECT_NE(p.Avisos.front().find("não corresponde à da imagem de elevação"), std::string::npos) << p.Avisos.front();
    TMatrixSingle graus = Relevo<TMatrixSingle>(60, 40, [](int l, int) { return 300 - 0.01 * l; }, 0.0003f);
    GravarRas(d / "g.ras", graus);
    GravarRas(d / "gs.ras", test::DeclividadeDe(graus));
    const TPrevisaoLocacao q = PreverLocacaoNivel(x.Entrada(d / "g.ras", d / "gs.ras"));
    ASSERT_FALSE(q.Avisos.empty());
    EXPECT_NE(q.Avisos.front().find("fora do comum para um MDE"), std::string::npos) << q.Avisos.front();
}

TEST(LocarNivel, RecusasNaoGravamNada)
{
    TRodada x(1.0);
    TempDir& d = x.Pasta;
    const TMatrixSingle cone = Relevo<TMatrixSingle>(61, 61, [](int l, int c) {
        const double r = std::hypot(l - 31, c - 31);
        return r > 30 ? 0.0 : 110 - 0.2 * r;
    });
    GravarRas(d / "elev.ras", cone);
    GravarRas(d / "decl.ras", test::DeclividadeDe(cone));
    GravarRas(d / "pequena.ras", Relevo<TMatrixSingle>(10, 10, [](int, int) { return 1.0; }));
    GravarRas(d / "vazia.ras", Relevo<TMatrixSingle>(61, 61, [](int, int) { return 0.0; }));
    // A low mound: 0.5 m of relief under an EV of 1 m.
    const TMatrixSingle baixo = Relevo<TMatrixSingle>(20, 20, [](int l, int) { return 10 + 0.025 * l; });
    GravarRas(d / "baixo.ras", baixo);
    GravarRas(d / "baixo-decl.ras", test::DeclividadeDe(baixo));
    gis::TMemoryRaster inteira;
    inteira.DefinirTipo('I');
    inteira.Colunas = inteira.Linhas = 2;
    inteira.XMax = inteira.YMax = 2;
    inteira.Unidade = "m";
    inteira.AlocarCelulas();
    inteira.GravarRaster(d / "inteira.ras");
    struct TCaso {
        fs::path Elev, Decl;
        std::string Saida, Trecho;
    };
    const TCaso casos[] = {
        {d / "inteira.ras", d / "decl.ras", "s.vet", "não é do tipo real"},
        {d / "elev.ras", d / "inteira.ras", "s.vet", "não é do tipo real"},
        {d / "elev.ras", d / "pequena.ras", "s.vet", "mesmo número de linhas e colunas"},
        {d / "vazia.ras", d / "vazia.ras", "s.vet", "não tem células com dados"},
        {d / "elev.ras", d / "decl.ras", "", "arquivo de saída"},
        {d / "baixo.ras", d / "baixo-decl.ras", "s.vet", "Nenhum terraço foi locado"},
    };
    for (const TCaso& c : casos) {
        SCOPED_TRACE(c.Trecho);
        TEntradaLocacaoNivel e = x.Entrada(c.Elev, c.Decl, c.Saida);
        if (c.Saida.empty())
            e.VetSaida.clear();
        try {
            LocarNivel(e);
            ADD_FAILURE() << "aceito";
        } catch (const Exception& ex) {
            EXPECT_NE(std::string(ex.what()).find(c.Trecho), std::string::npos) << ex.what();
        }
        EXPECT_FALSE(fs::exists(d / "s.vet"));
        EXPECT_FALSE(fs::exists(d / "s.bdt"));
    }
}

// The vector carries the elevation raster's coordinate system, so that it
// exports to longitude and latitude with no further option.
TEST(LocarNivel, SistemaDeCoordenadasAoLadoDoVetor)
{
    TRodada x(5.0);
    TempDir& d = x.Pasta;
    gis::ImportarRasterGdal(kFontes / "examples/gdal/encosta-big-tujunga.tif", d / "e.ras", "encosta", {});
    gis::CalcularMapaDeclividade(d / "e.ras", d / "s.ras", "declividade", {});
    const TResultadoLocacao r = LocarNivel(x.Entrada(d / "e.ras", d / "s.ras"));
    ASSERT_GT(r.Tabela.Quantidade(), 0);
    const std::string wkt = gis::LerSistemaCoordenadas(d / "t.vet");
    EXPECT_FALSE(wkt.empty());
    EXPECT_EQ(wkt, gis::LerSistemaCoordenadas(d / "e.ras"));
    gis::ExportarVetorGdal(d / "t.vet", d / "t.kml", {});
    EXPECT_TRUE(fs::exists(d / "t.kml"));
}

TEST(LocacaoNivel, SecaoDoProjeto)
{
    TempDir d;
    TLocacaoNivel a;
    a.fnImgElev = "C:\\Bacias\\Elevação.ras";
    a.fnImgDecli = "decl.ras";
    a.fnVetSaida = "terraços.vet";
    a.AlturaArbitrada = 0.6;
    a.DeclividadeMedia = 12.5;
    a.Gravar(d / "p.vst");
    TLocacaoNivel b;
    b.Ler(d / "p.vst");
    EXPECT_DOUBLE_EQ(b.AlturaArbitrada, 0.6);
    EXPECT_DOUBLE_EQ(b.DeclividadeMedia, 12.5);
    EXPECT_EQ(b.fnImgElev, a.fnImgElev);
    EXPECT_EQ(b.fnImgDecli, "decl.ras");
    EXPECT_EQ(b.fnVetSaida, a.fnVetSaida);
    b.Zerar();
    EXPECT_TRUE(b.fnImgElev.empty());
    EXPECT_DOUBLE_EQ(b.AlturaArbitrada, 0);
}

} // namespace
