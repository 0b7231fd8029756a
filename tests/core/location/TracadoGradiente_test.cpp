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

#include "location/LocacaoGradiente.h"
#include "location/TracadoGradiente.h"

#include "dimensioning/EntradaDimensionamento.h"
#include "engine/Precipitacao.h"
#include "gis/BDT.h"

#include "core/location/RelevosLocacao.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <atomic>
#include <functional>
#include <map>
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

// A point's position to a thousandth of a cell.
std::pair<long long, long long> Chave(const TPonto& p)
{
    return {std::llround(p.X * 1000.0), std::llround(p.Y * 1000.0)};
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
    // The upstream ends, by position: two terraces that meet share one.
    std::multimap<std::pair<long long, long long>, std::size_t> montantes;
    for (std::size_t k = 0; k < t.Terracos.size(); ++k)
        montantes.emplace(Chave(t.Terracos[k].Linha.Item(1)), k);
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
        const bool encontra = PertoDaBorda(e, p.front()) || montantes.count(Chave(p.front())) > 1;
        EXPECT_TRUE(encontra) << "termina dentro do campo em (" << p.front().X << ", " << p.front().Y << ")";
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
        const auto [ini, fim] = montantes.equal_range(Chave(tt.Linha.Item(1)));
        for (auto it = ini; it != fim; ++it)
            parceiro = parceiro || (it->second != k && t.Terracos[it->second].Celulas > 0);
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

// A plane falling 2 % to the south, 120 m wide: each level line splits in
// the middle into two straight terraces draining to the side edges, their
// beds exactly at the grade.
TEST(TracadoGradiente, PlanoLinhasRetasNoGradiente)
{
    TempDir d;
    const TRelevo r = Sintetico("plano", d, 200, 60, 2, [](int l, int) { return 100 - 0.04 * l; });
    const TTracadoGradiente t = Tracar(r, 0.5, 0.005, 300);
    ConferirInvariantes(r, t, 0.005, 300);
    ASSERT_GE(t.Terracos.size(), 10u);
    for (const TTerracoGradiente& tt : t.Terracos) {
        SCOPED_TRACE("terraço " + std::to_string(tt.Linha.Numero));
        const std::vector<TPonto> p(tt.Linha.begin(), tt.Linha.end());
        const TPonto& a = p.front();
        const TPonto& b = p.back();
        // Straight: every point on the chord.
        for (const TPonto& pt : p) {
            const double cruz = (b.X - a.X) * (pt.Y - a.Y) - (b.Y - a.Y) * (pt.X - a.X);
            EXPECT_LT(std::fabs(cruz) / std::hypot(b.X - a.X, b.Y - a.Y), 0.01);
        }
        EXPECT_NEAR((tt.CotaMontante - tt.CotaSaida) / tt.Comprimento, 0.005, 1e-4);
        EXPECT_TRUE(t.Saidas[static_cast<std::size_t>(tt.Saida)].Borda);
        EXPECT_NEAR(tt.Comprimento, 59, 2); // half the width, on the rise
        EXPECT_NEAR(tt.DeclividadeFaixa, 2, 0.01);
    }
}

// A cone: closed rings, each drained from the points where its strip's
// water gathers, and terraces that meet at their upstream ends.
TEST(TracadoGradiente, ConeAneisComSaidas)
{
    TempDir d;
    const TRelevo r = Sintetico("cone", d, 121, 121, 1, [](int l, int c) {
        const double raio = std::hypot(l - 61, c - 61);
        return raio > 60 ? 0.0 : 130 - 0.15 * raio;
    });
    const TTracadoGradiente t = Tracar(r, 1.0, 0.005, 150);
    ConferirInvariantes(r, t, 0.005, 150);
    for (const TTerracoGradiente& tt : t.Terracos) {
        EXPECT_EQ(tt.Forma, TFormaTerraco::Morro);
        // On the cone the bed's elevation sets the radius.
        for (const TPonto& pt : tt.Linha)
            EXPECT_NEAR(std::hypot(pt.X - 61, pt.Y - 61), (130 - pt.Z) / 0.15, 0.3);
    }
}

// A rolling field with a knob and a hollow: the invariants hold, the
// knob's and the hollow's terraces are closed lines of their own.
TEST(TracadoGradiente, CampoOnduladoComMorroEDepressao)
{
    TempDir d;
    const TRelevo r = Sintetico("ondulado", d, 80, 170, 1, [](int l, int c) {
        const double morro = 4 * std::exp(-(std::pow(l - 40, 2) + std::pow(c - 50, 2)) / 150.0);
        const double baixada = -4 * std::exp(-(std::pow(l - 40, 2) + std::pow(c - 120, 2)) / 150.0);
        return 150 - 0.05 * c + morro + baixada;
    });
    const TTracadoGradiente t = Tracar(r, 1.0, 0.005, 200);
    ConferirInvariantes(r, t, 0.005, 200);
    bool morro = false, depressao = false;
    for (const TTerracoGradiente& tt : t.Terracos) {
        morro = morro || tt.Forma == TFormaTerraco::Morro;
        depressao = depressao || tt.Forma == TFormaTerraco::Depressao;
    }
    EXPECT_TRUE(morro);
    EXPECT_TRUE(depressao);
}

// The example watershed with its graded project.
struct TRodadaGradiente {
    TProjeto Projeto;
    TempDir Pasta;
    TRodadaGradiente() { Projeto.Ler(kFontes / "examples/locacao/locacao-hugo-gradiente.vst"); }
    TEntradaLocacaoGradiente Entrada()
    {
        const fs::path ex = kFontes / "examples/locacao";
        return {ex / "elevacao-hugo.ras", ex / "declividade-hugo.ras", Pasta / "g.vet", Projeto.Chuva(),
                Projeto.Terreno, Projeto.TerracosGradiente};
    }
};

// Each channel is the one the dimensioning gives for a project with that
// terrace's strip (its width as EH, its slope, its length); the outlets add
// up their terraces' discharges and the waterways those upstream.
TEST(LocarGradiente, CanaisDaPropriaFaixaESaidas)
{
    TRodadaGradiente x;
    const TResultadoLocacao r = LocarGradiente(x.Entrada());
    ASSERT_TRUE(r.Gradiente);
    const TTabelaGradiente& tab = r.TabelaGradiente;
    ASSERT_GT(tab.Terracos.size(), 20u);
    double areas = 0;
    for (std::size_t k = 0; k < tab.Terracos.size(); k += 7) {
        const TRegTerrGradiente& t = tab.Terracos[k];
        SCOPED_TRACE(t.Numero);
        TProjeto p;
        p.Ler(kFontes / "examples/locacao/locacao-hugo-gradiente.vst");
        p.Terreno.SetSt(t.DeclividadeMedia / 100);
        p.TerracosGradiente.Espacamento.Metodologia.IndMetodologia = kMetodoEVArbitrado;
        p.TerracosGradiente.Espacamento.SetEH(t.EH);
        p.TerracosGradiente.SetComprimento(static_cast<std::int32_t>(std::lround(t.Comprimento)));
        const TResultadoDimensionamento d = Dimensionar(p);
        EXPECT_NEAR(t.Q, d.Q, 1e-9 * (1 + d.Q));
        EXPECT_NEAR(t.H, d.H, 1e-12);
        EXPECT_NEAR(t.Hr, d.Hr / 100, 1e-12);
        EXPECT_NEAR(t.Gradiente, 0.005, 1e-4);
    }
    for (const TRegTerrGradiente& t : tab.Terracos)
        areas += t.AreaInfluencia;
    const TQualidadeLocacao& q = r.Qualidade;
    EXPECT_NEAR(areas / 10000, q.AreaDrenada, 1e-9);
    EXPECT_NEAR(q.AreaDrenada + q.AreaRestante, q.AreaBacia, 0.005 * q.AreaBacia);
    // Outlets: own discharge, and the waterway's at least that.
    double total = 0;
    for (const TRegSaida& s : tab.Saidas) {
        double proprio = 0;
        for (const TRegTerrGradiente& t : tab.Terracos)
            proprio += t.Saida == s.Numero ? t.Q : 0.0;
        EXPECT_NEAR(s.Q, proprio, 1e-9 * (1 + proprio));
        EXPECT_GE(s.QCanal, s.Q);
        total += s.Q;
    }
    double qTerracos = 0;
    for (const TRegTerrGradiente& t : tab.Terracos)
        qTerracos += t.Q;
    EXPECT_NEAR(total, qTerracos, 1e-6 * qTerracos);
    // The lowest waterway outlet of the main valley carries most of the
    // discharge of the outlets above it.
    const auto maior = std::max_element(tab.Saidas.begin(), tab.Saidas.end(),
                                        [](const TRegSaida& a, const TRegSaida& b) { return a.QCanal < b.QCanal; });
    EXPECT_FALSE(maior->Borda);
    EXPECT_GT(maior->QCanal, 3 * maior->Q);

    // The files: the table as returned; the level reader refuses it; the
    // vector's lines carry the bed as Z, numbered as the table.
    TTabelaGradiente lida;
    ASSERT_TRUE(lida.Carregar(x.Pasta / "g.bdt"));
    ASSERT_EQ(lida.Terracos.size(), tab.Terracos.size());
    ASSERT_EQ(lida.Saidas.size(), tab.Saidas.size());
    EXPECT_EQ(lida.Terracos.back().Q, tab.Terracos.back().Q);
    EXPECT_EQ(lida.Saidas.back().QCanal, tab.Saidas.back().QCanal);
    TBDT nivel;
    EXPECT_FALSE(nivel.Carregar(x.Pasta / "g.bdt"));
    TVET v;
    ASSERT_TRUE(v.CarregarVetor(x.Pasta / "g.vet"));
    for (const TRegTerrGradiente& t : lida.Terracos) {
        const auto linha = v.ObterLinha(t.Numero);
        ASSERT_TRUE(linha);
        EXPECT_NEAR(linha->Comprimento(), t.Comprimento, 1e-3 * t.Comprimento);
        EXPECT_NEAR(linha->Item(1).Z, t.CotaMontante, 1e-3);
        EXPECT_NEAR(linha->Item(linha->Quantidade()).Z, t.CotaSaida, 1e-3);
    }
    EXPECT_TRUE(fs::exists(x.Pasta / "g.prj") || !fs::exists(kFontes / "examples/locacao/elevacao-hugo.prj"));
}

// A table cut short or of another version is refused, and a level table
// is not read as a graded one.
TEST(LocarGradiente, TabelaTruncadaOuDeOutraVersao)
{
    TempDir d;
    TTabelaGradiente t;
    t.Terracos.push_back({});
    t.Saidas.push_back({});
    t.Salvar(d / "t.bdt");
    TTabelaGradiente lida;
    ASSERT_TRUE(lida.Carregar(d / "t.bdt"));
    const auto bytes = fs::file_size(d / "t.bdt");
    fs::resize_file(d / "t.bdt", bytes - 1);
    EXPECT_FALSE(lida.Carregar(d / "t.bdt"));
    EXPECT_TRUE(lida.Terracos.empty());
    TBDT nivel;
    nivel.Adicionar({});
    nivel.Salvar(d / "n.bdt");
    EXPECT_FALSE(lida.Carregar(d / "n.bdt"));
    EXPECT_EQ(TTabelaGradiente::VersaoDoArquivo(d / "n.bdt"), 1);
    EXPECT_EQ(TTabelaGradiente::VersaoDoArquivo(d / "x.bdt"), 0);
}

// Inputs a graded layout cannot take are refused before anything is written.
TEST(LocarGradiente, RecusasNaoGravamNada)
{
    struct TCaso {
        const char* Nome;
        std::function<void(TProjeto&)> Mudar;
    };
    const TCaso casos[] = {
        {"gradiente zero", [](TProjeto& p) { p.TerracosGradiente.SetSc(0); }},
        {"rugosidade zero", [](TProjeto& p) { p.TerracosGradiente.nc.Valor = 0; }},
        {"canal sem comprimento", [](TProjeto& p) { p.TerracosGradiente.SetComprimento(0); }},
        {"altura arbitrada",
         [](TProjeto& p) { p.TerracosGradiente.Espacamento.Metodologia.IndMetodologia = kMetodoAlturaArbitrada; }},
    };
    for (const TCaso& c : casos) {
        SCOPED_TRACE(c.Nome);
        TRodadaGradiente x;
        c.Mudar(x.Projeto);
        EXPECT_THROW(LocarGradiente(x.Entrada()), Exception);
        EXPECT_FALSE(fs::exists(x.Pasta / "g.vet"));
        EXPECT_FALSE(fs::exists(x.Pasta / "g.bdt"));
    }
}

// Stopped while the terraces are placed: what was placed is written.
TEST(LocarGradiente, ParadaGuardaOQueFoiLocado)
{
    TRodadaGradiente x;
    std::atomic<bool> parar{false};
    gis::TProgressoGis p;
    p.Parar = &parar;
    p.Progresso = [&](double f, const std::string&) {
        if (f > 0.3)
            parar = true;
    };
    TResultadoLocacao r;
    try {
        r = LocarGradiente(x.Entrada(), p);
    } catch (const Exception& e) {
        // Stopped before any terrace: nothing placed, nothing written.
        EXPECT_FALSE(fs::exists(x.Pasta / "g.vet")) << e.what();
        return;
    }
    EXPECT_TRUE(r.Interrompida);
    EXPECT_TRUE(fs::exists(x.Pasta / "g.vet"));
    EXPECT_LT(r.TabelaGradiente.Terracos.size(), LocarGradiente(x.Entrada()).TabelaGradiente.Terracos.size());
}

} // namespace
