// Graded-terrace layouts checked by what any correct layout satisfies, on a
// plane, a cone, a rolling field and real reliefs:
//
// - every point of a terrace lies on the ground, and its bed falls towards
//   the outlet at the channel grade;
// - no terrace is longer than the longest channel, and no two cross;
// - a terrace ends at its outlet and, upstream, at the edge of the land or
//   where the terrace draining the other way begins;
// - every cell with data drains into exactly one terrace or into the
//   remainder, and the strips and the remainder add up to the watershed.

#include "location/TracadoGradiente.h"

#include "core/location/RelevosLocacao.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace vastrel;
using namespace vastrel::test::locacao;
using vastrel::test::TempDir;

namespace {

FuncaoEspacamento EspacamentoGradiente(TProjeto& p, double evArbitrado)
{
    auto esp = std::make_shared<TEspacamento>(p.TerracosGradiente.Espacamento);
    if (evArbitrado > 0) {
        esp->Metodologia.IndMetodologia = kMetodoEVArbitrado;
        esp->SetEV(evArbitrado);
    }
    return [esp](double s) {
        esp->CalculaPorMetodo(s / 100, 0, 0, 1, 0);
        return TEspacamentoFaixa{esp->EV, esp->EH};
    };
}

TTracadoGradiente Tracar(const TRelevo& r, double ev, double sc, double lmax)
{
    TProjetoExemplo p;
    TOpcoesGradiente op;
    op.Nivel.Espacamento = EspacamentoGradiente(p.Projeto, ev);
    op.Nivel.AreaCelula = r.Lado * r.Lado;
    op.Nivel.GuardarFaixas = true;
    op.Sc = sc;
    op.ComprimentoMaximo = lmax;
    op.DX = op.DY = r.Lado;
    return TracarTerracosGradiente(r.Elev, r.Decl, op);
}

// Bilinear ground at image coordinates, as the layout reads it.
double Chao(const TMatrixSingle& e, double x, double y)
{
    const int c0 = std::min(static_cast<int>(std::floor(x)), e.Colunas() - 1);
    const int l0 = std::min(static_cast<int>(std::floor(y)), e.Linhas() - 1);
    const double fx = x - c0, fy = y - l0;
    return (e.GetValor(l0, c0) * (1 - fx) + e.GetValor(l0, c0 + 1) * fx) * (1 - fy) +
           (e.GetValor(l0 + 1, c0) * (1 - fx) + e.GetValor(l0 + 1, c0 + 1) * fx) * fy;
}

bool PertoDaBorda(const TMatrixSingle& e, const TPonto& p)
{
    const int l0 = static_cast<int>(std::floor(p.Y)), c0 = static_cast<int>(std::floor(p.X));
    for (int l = l0 - 1; l <= l0 + 2; ++l)
        for (int c = c0 - 1; c <= c0 + 2; ++c)
            if (!e.Dentro(l, c) || e.GetValor(l, c) == 0)
                return true;
    return false;
}

void ConferirInvariantes(const TRelevo& r, const TTracadoGradiente& t, double sc, double lmax)
{
    SCOPED_TRACE(r.Nome);
    const TMatrixSingle& e = r.Elev;
    ASSERT_FALSE(t.Terracos.empty());
    EXPECT_EQ(t.Cruzamentos, 0);
    std::vector<std::pair<std::int32_t, std::int32_t>> cruzam;
    ContarCruzamentos(t.Terracos, &cruzam);
    for (const auto& [a, b] : cruzam)
        ADD_FAILURE() << "cruzam-se " << a + 1 << " (linha " << t.Terracos[a].LinhaNivel << ", " << t.Terracos[a].Comprimento << " m) e " << b + 1 << " (linha " << t.Terracos[b].LinhaNivel << ", " << t.Terracos[b].Comprimento << " m)";
    for (const TTerracoGradiente& tt : t.Terracos) {
        SCOPED_TRACE("terraço " + std::to_string(tt.Linha.Numero));
        const std::vector<TPonto> p(tt.Linha.begin(), tt.Linha.end());
        ASSERT_GE(p.size(), 2u);
        EXPECT_LE(tt.Comprimento, lmax * 1.001);
        // On the ground, the bed falling at the grade.
        double comprimento = 0;
        for (std::size_t i = 0; i < p.size(); ++i) {
            EXPECT_NEAR(Chao(e, p[i].X, p[i].Y), p[i].Z, 0.02 + sc * r.Lado) << i;
            if (i > 0) {
                const double d = std::hypot(p[i].X - p[i - 1].X, p[i].Y - p[i - 1].Y) * r.Lado;
                comprimento += d;
                EXPECT_LE(p[i].Z, p[i - 1].Z + 1e-4);
            }
        }
        EXPECT_NEAR(comprimento, tt.Comprimento, 1e-3 * comprimento + 1e-3);
        const double queda = Chao(e, p.front().X, p.front().Y) - Chao(e, p.back().X, p.back().Y);
        EXPECT_NEAR(queda / comprimento, sc, 0.1 * sc + 0.02 / comprimento)
            << "montante " << p.front().Z << " chão " << Chao(e, p.front().X, p.front().Y) << ", saída " << p.back().Z
            << " chão " << Chao(e, p.back().X, p.back().Y) << ", " << p.size() << " pontos, " << comprimento << " m";
        EXPECT_NEAR(p.back().Z, tt.CotaSaida, 1e-3);
        // Ends: the outlet, and upstream the edge or the other terrace's end.
        const TSaidaGradiente& s = t.Saidas.at(static_cast<std::size_t>(tt.Saida));
        EXPECT_NEAR(p.back().X, s.Ponto.X, 1e-3);
        EXPECT_NEAR(p.back().Y, s.Ponto.Y, 1e-3);
        bool encontra = PertoDaBorda(e, p.front());
        for (const TTerracoGradiente& o : t.Terracos)
            encontra = encontra || (&o != &tt && std::hypot(o.Linha.Item(1).X - p.front().X,
                                                            o.Linha.Item(1).Y - p.front().Y) < 1e-3);
        double dist = 99;
        for (int l = static_cast<int>(p.front().Y) - 10; l <= static_cast<int>(p.front().Y) + 10; ++l)
            for (int c = static_cast<int>(p.front().X) - 10; c <= static_cast<int>(p.front().X) + 10; ++c)
                if (!e.Dentro(l, c) || e.GetValor(l, c) == 0)
                    dist = std::min(dist, std::hypot(c - static_cast<double>(p.front().X), l - static_cast<double>(p.front().Y)));
        double par = 99;
        for (const TTerracoGradiente& o : t.Terracos)
            if (&o != &tt)
                par = std::min(par, static_cast<double>(std::hypot(o.Linha.Item(1).X - p.front().X, o.Linha.Item(1).Y - p.front().Y)));
        EXPECT_TRUE(encontra) << "termina dentro do campo em (" << p.front().X << ", " << p.front().Y << ") borda a " << dist << " par a " << par << " comp " << tt.Comprimento;
    }
    // Strips.
    std::vector<std::int64_t> celulas(t.Terracos.size() + 1, 0);
    std::int64_t dados = 0;
    for (std::size_t i = 0; i < t.Faixa.size(); ++i) {
        if (e.Celulas()[i] == 0) {
            EXPECT_EQ(t.Faixa[i], -1);
            continue;
        }
        ++dados;
        ASSERT_GE(t.Faixa[i], 0);
        ++celulas[static_cast<std::size_t>(t.Faixa[i])];
    }
    EXPECT_EQ(dados, t.CelulasBacia);
    EXPECT_EQ(celulas[0], t.CelulasRestantes);
    // A terrace drains some land, or meets one that does at its upstream
    // end (the two make one line).
    for (std::size_t k = 0; k < t.Terracos.size(); ++k) {
        const TTerracoGradiente& tt = t.Terracos[k];
        EXPECT_EQ(tt.Celulas, celulas[k + 1]);
        bool parceiro = false;
        for (const TTerracoGradiente& o : t.Terracos)
            parceiro = parceiro || (&o != &tt && o.Celulas > 0 &&
                                    std::hypot(o.Linha.Item(1).X - tt.Linha.Item(1).X,
                                               o.Linha.Item(1).Y - tt.Linha.Item(1).Y) < 1e-3);
        EXPECT_TRUE(tt.Celulas > 0 || parceiro) << "terraço " << tt.Linha.Numero << " não drena área alguma";
    }
}

// Real reliefs at their native resolution, one with holes and flats, with
// the spacing of the method and an arbitrated EV of 1 m (more, shorter
// terraces); the mountain SRTM only with the method.
TEST(TracadoGradiente, InvariantesEmRelevosReais)
{
    TempDir d;
    std::vector<TRelevo> relevos;
    relevos.push_back(Carregar("bacia do exemplo 2,5 m", kFontes / "examples/locacao/elevacao-hugo.ras", d.Path()));
    relevos.push_back(Importado("Hugo 10 m", d, kFontes / "tests/dados/landlab/landlab_hugo_site_10m.asc"));
    relevos.push_back(Importado("West Bijou 3 m", d, kFontes / "tests/dados/landlab/landlab_west_bijou_gully_3m.asc"));
    relevos.push_back(ComBuracosEPlanos(relevos.front(), d));
    relevos.push_back(Carregar("Big Tujunga SRTM 30 m", kFontes / "examples/relevo/elevacao-big-tujunga.ras", d.Path()));
    for (const TRelevo& r : relevos)
        for (const double ev : {0.0, 1.0}) {
            if (ev > 0 && r.Nome.starts_with("Big Tujunga"))
                continue;
            SCOPED_TRACE(ev > 0 ? "EV arbitrado de 1 m" : "Lombardi Neto");
            const TTracadoGradiente t = Tracar(r, ev, 0.005, 500);
            ConferirInvariantes(r, t, 0.005, 500);
            // Little land is left without a terrace.
            EXPECT_LT(static_cast<double>(t.CelulasRestantes), 0.05 * static_cast<double>(t.CelulasBacia));
        }
}

} // namespace
