#include "dimensioning/EntradaDimensionamento.h"
#include "dimensioning/FaixasValidade.h"
#include "dimensioning/Simulacao.h"

#include "common/Locale.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vastrel;

namespace {

// The graded design used throughout: storm K = 1500, Tr = 10, a = 0.2,
// b = 10, c = 0.8; bare soil, VIB 10 mm/h, St 0.08, nt 0.1; EH 30 m;
// trapezoidal channel B = 1 m, Z = 1, Sc 0.005, nc 0.03, 300 m long.
void ProjetoGradiente(TProjeto& p, int tipoCanal)
{
    p.Zerar();
    p.TipoSistema.Tipo = 1;
    p.Chuva().SetTr(10);
    p.Chuva().SetK(1500);
    p.Chuva().SetA(0.2);
    p.Chuva().SetB(10);
    p.Chuva().SetC(0.8);
    p.Terreno.SetVIB(10);
    p.Terreno.SetSt(0.08);
    p.Terreno.nt.Valor = 0.1;
    TTerracosGradiente& g = p.TerracosGradiente;
    g.TipoCanal.Tipo = static_cast<std::uint8_t>(tipoCanal);
    if (tipoCanal == 0) {
        g.SetB(1);
        g.Z.Valor = 1;
    } else {
        g.Sm.Valor = 0.5;
    }
    g.SetSc(0.005);
    g.nc.Valor = 0.03;
    g.SetComprimento(300);
    g.Espacamento.Metodologia.IndMetodologia = 3;
    g.Espacamento.SetEH(30);
    g.Espacamento.SetEV(30 * 0.08);
}

// Fill, Read, then the calculation, as the window's "Calcular" does.
TResultadoDimensionamento CalcularComoAJanela(TProjeto& p)
{
    const TCamposDimensionamento c = PreencherCampos(p);
    LerCampos(c, p);
    EXPECT_FALSE(ValidarCampos(c).has_value());
    return Dimensionar(p);
}

TEST(DimensionamentoTest, GradedWorkedExampleThroughTheEntryPage)
{
    TProjeto p;
    ProjetoGradiente(p, 0);
    const TResultadoDimensionamento r = CalcularComoAJanela(p);
    EXPECT_TRUE(r.Gradiente);
    EXPECT_NEAR(r.Q, 476, 1.0);
    EXPECT_NEAR(r.H, 0.372, 0.001);
    EXPECT_NEAR(r.EV, 2.4, 1e-12);
    EXPECT_DOUBLE_EQ(r.Hr, r.H * 100 + 10);

    ProjetoGradiente(p, 1);
    const TResultadoDimensionamento t = CalcularComoAJanela(p);
    EXPECT_NEAR(t.Q, 458, 1.0);
    EXPECT_NEAR(t.H, 0.307, 0.001);
}

TEST(DimensionamentoTest, LevelTriangularHeightStoresTheRunoffOfTheStrip)
{
    TProjeto p;
    ProjetoGradiente(p, 1);
    p.TipoSistema.Tipo = 0;
    TTerracosNivel& n = p.TerracosNivel;
    n.TipoCanal.Tipo = 1;
    n.Sm.Valor = 0.5;
    n.SetCDu(1.2);
    n.Espacamento.Metodologia.IndMetodologia = 3;
    n.Espacamento.SetEH(30);
    n.Espacamento.SetEV(2.4);
    const TResultadoDimensionamento r = CalcularComoAJanela(p);
    EXPECT_FALSE(r.Gradiente);
    ASSERT_GT(r.LES, 0);
    // The triangle between the land (St) and the ridge face (Sm) holds the
    // runoff volume EH × LES of one metre of terrace.
    const double area = r.H * r.H * (1 / 0.08 + 1 / 0.5) / 2;
    EXPECT_NEAR(area, 30 * r.LES / 1000, 1e-9);
    EXPECT_NEAR(r.Hr, std::sqrt(1.2) * r.H * 100 + 10, 1e-9);
}

TEST(DimensionamentoTest, FieldsShowDisplayUnitsAndReadBackStoredUnits)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    ProjetoGradiente(p, 1);
    p.Terreno.SetSt(0.05);
    p.Unidades.SetIndiceDeclividade(1); // %
    p.Unidades.SetIndiceVIB(2);         // m/dia
    TCamposDimensionamento c = PreencherCampos(p);
    EXPECT_EQ(c.DecliTer, "5,0");
    EXPECT_EQ(c.BSt, "5,0"); // the triangular channel's St is the terrain slope
    EXPECT_EQ(c.ZSm, "50,0");
    EXPECT_EQ(c.VIB, "0,24");
    EXPECT_EQ(c.Sc, "0,5");
    EXPECT_EQ(c.Comp, "300,0");
    EXPECT_EQ(c.EH, "30,0");
    EXPECT_EQ(c.Tr, "10,0");

    c.DecliTer = "4";
    c.VIB = "0,48";
    c.Comp = "300,5"; // to the nearest metre, halves to even
    c.EH = "25";
    LerCampos(c, p);
    EXPECT_DOUBLE_EQ(p.Terreno.St, 0.04);
    EXPECT_DOUBLE_EQ(p.Terreno.VIB, 20);
    EXPECT_EQ(p.TerracosGradiente.Comprimento, 300);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.Espacamento.EV, 1.0);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.Sm.Valor, 0.5);

    c.Canal = 0; // trapezoidal: B and Z from the fields
    c.BSt = "1,5";
    c.ZSm = "2";
    LerCampos(c, p);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.B, 1.5);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.Z.Valor, 2);

    c.K = "1,2,3";
    EXPECT_THROW(LerCampos(c, p), EConvertError);
}

TEST(DimensionamentoTest, EmptyValuesShowEmptyFieldsAndLevelTrapezoidUsesShortFormat)
{
    ScopedDecimalSeparator ponto('.');
    TProjeto p;
    p.TerracosNivel.TipoCanal.Tipo = 0;
    p.TerracosNivel.SetB(1.23456);
    const TCamposDimensionamento c = PreencherCampos(p);
    EXPECT_EQ(c.Tr, "");
    EXPECT_EQ(c.EH, "");
    EXPECT_EQ(c.ZSm, "0.0"); // a rectangular channel: its Z of 0 is a value
    EXPECT_EQ(c.BSt, "1.235");
    EXPECT_EQ(c.Sc, ""); // graded-only fields stay empty in a level project
}

TEST(DimensionamentoTest, ValidationStopsAtTheFirstEmptyFieldInTheWindowsOrder)
{
    TProjeto p;
    ProjetoGradiente(p, 0);
    const TCamposDimensionamento cheio = PreencherCampos(p);
    using M = std::string TCamposDimensionamento::*;
    const struct {
        M campo;
        TCampo id;
        const char* mensagem;
    } casos[] = {
        {&TCamposDimensionamento::Tr, TCampo::Tr, "Valor do periodo de retorno inconsistente."},
        {&TCamposDimensionamento::K, TCampo::K, "Valor do parâmetro \"K\" inconsistente."},
        {&TCamposDimensionamento::A, TCampo::A, "Valor do parâmetro \"a\" inconsistente."},
        {&TCamposDimensionamento::B, TCampo::B, "Valor do parâmetro \"b\" inconsistente."},
        {&TCamposDimensionamento::C, TCampo::C, "Valor do parâmetro \"c\" inconsistente."},
        {&TCamposDimensionamento::ZSm, TCampo::ZSm, "Valor da inclinação da parede do canal inconsistente."},
        {&TCamposDimensionamento::BSt, TCampo::BSt, "Valor da base do canal inconsistente."},
        {&TCamposDimensionamento::RugTer, TCampo::RugTer, "Valor da rugosidade do terreno inconsistente."},
        {&TCamposDimensionamento::Sc, TCampo::Sc, "Valor da declividade do canal inconsistente."},
        {&TCamposDimensionamento::Comp, TCampo::Comp, "Valor do comprimento do canal inconsistente."},
        {&TCamposDimensionamento::RugCan, TCampo::RugCan, "Valor da rugosidade do canal inconsistente."},
        {&TCamposDimensionamento::DecliTer, TCampo::DecliTer, "Valor da declividade do terreno inconsistente."},
        {&TCamposDimensionamento::EV, TCampo::EV, "Valor do espaçamento vertical inconsistente."},
        {&TCamposDimensionamento::EH, TCampo::EH, "Valor do espaçamento horizontal inconsistente."},
        {&TCamposDimensionamento::VIB, TCampo::VIB, "Valor da taxa de infiltração estável inconsistente."},
    };
    // Emptying a field and every one after it reports that field.
    for (std::size_t i = 0; i < std::size(casos); ++i) {
        TCamposDimensionamento c = cheio;
        for (std::size_t j = i; j < std::size(casos); ++j)
            c.*casos[j].campo = "";
        const auto falha = ValidarCampos(c);
        ASSERT_TRUE(falha.has_value()) << casos[i].mensagem;
        EXPECT_EQ(falha->Campo, casos[i].id);
        EXPECT_EQ(falha->Mensagem, casos[i].mensagem);
    }
    // Triangular channels name the ridge face and the land slope.
    TCamposDimensionamento t = cheio;
    t.Canal = 1;
    t.ZSm = t.BSt = "";
    EXPECT_EQ(ValidarCampos(t)->Mensagem, "Valor da inclinação do murundum inconsistente.");
    t.ZSm = "0,5";
    EXPECT_EQ(ValidarCampos(t)->Mensagem, "Valor da declividade do terreno inconsistente.");
    // A level project skips the graded-only fields.
    TCamposDimensionamento n = cheio;
    n.Sistema = 0;
    n.RugTer = n.Sc = n.Comp = n.RugCan = "";
    EXPECT_FALSE(ValidarCampos(n).has_value());
}

TEST(DimensionamentoTest, RecommendedHeight)
{
    EXPECT_DOUBLE_EQ(AlturaRecomendada(0.25, 1.44), 40.0);
    EXPECT_DOUBLE_EQ(AlturaRecomendada(0, 1), 10.0);
}

TEST(DimensionamentoTest, NoRunoffGivesTheDesignWithoutFlowAndANote)
{
    TProjeto p;
    ProjetoGradiente(p, 0);
    p.Terreno.SetVIB(5000);
    const TCalculoDimensionamento c = Calcular(p);
    ASSERT_TRUE(c.Calculado()) << c.ErroMotor;
    EXPECT_TRUE(c.Resultado->SemEscoamento);
    EXPECT_EQ(c.Resultado->Q, 0);
    EXPECT_EQ(c.Resultado->H, 0);
    EXPECT_DOUBLE_EQ(c.Resultado->Hr, 10);
    ASSERT_EQ(c.Avisos.size(), 1u);
    EXPECT_NE(c.Avisos[0].find("não produz escoamento"), std::string::npos);
    // Level terraces: LES = 0 gives H = 0 and the same note.
    p.TipoSistema.Tipo = 0;
    p.TerracosNivel.Sm.Valor = 0.5;
    p.TerracosNivel.Espacamento.SetEH(30);
    p.TerracosNivel.Espacamento.SetEV(30 * 0.08);
    const TCalculoDimensionamento n = Calcular(p);
    ASSERT_TRUE(n.Calculado());
    EXPECT_EQ(n.Resultado->LES, 0);
    EXPECT_EQ(n.Avisos.size(), 1u);
}

TEST(SimulacaoTest, PointsWithoutRunoffPlotAsZero)
{
    // Viçosa with a weaker, more frequent storm: the faster soils take it all.
    TProjeto p;
    p.Ler(std::filesystem::path(VASTREL_SOURCE_DIR) / "examples" / "gradiente-trapezoidal-vicosa.vst");
    p.Chuva().SetK(1200);
    p.Chuva().SetTr(2);
    ASSERT_TRUE(Calcular(p).Calculado());
    const TGraficoSimulacao g = Simular(p, *ProcurarGrafico(true, "Q x VIB"), 1.1);
    ASSERT_EQ(g.Pontos.size(), 21u);
    EXPECT_GT(g.Pontos.front().y, 0);
    EXPECT_EQ(g.Pontos.back().y, 0);
    EXPECT_EQ(g.Pontos.back().H, 0);
}

// ---------------------------------------------------------------------------
// "Calcular" of a project.

TEST(CalculoTest, StoresHrWithItsCDuAndAplicarCDuKeepsThemTogether)
{
    TProjeto p;
    ProjetoGradiente(p, 0);
    p.TerracosGradiente.SetCDu(1.21);
    const TCalculoDimensionamento c = Calcular(p);
    ASSERT_TRUE(c.Calculado());
    TTerracosGradiente& g = p.TerracosGradiente;
    EXPECT_DOUBLE_EQ(g.Hr, AlturaRecomendada(g.H, 1.21));
    EXPECT_DOUBLE_EQ(g.Q, c.Resultado->Q);
    AplicarCDu(p, 1.44);
    EXPECT_DOUBLE_EQ(g.CDu, 1.44);
    EXPECT_DOUBLE_EQ(g.Hr, AlturaRecomendada(g.H, 1.44));
    AplicarCDu(p, 0.5); // stored as 1, and the height with it
    EXPECT_DOUBLE_EQ(g.Hr, AlturaRecomendada(g.H, 1));
    EXPECT_TRUE(p.ResultadosValidos());
}

TEST(CalculoTest, EngineFailureKeepsItsMessageAndClearsTheResults)
{
    TProjeto p;
    ProjetoGradiente(p, 0);
    ASSERT_TRUE(Calcular(p).Calculado());
    ASSERT_GT(p.TerracosGradiente.Q, 0);
    TCamposDimensionamento campos = PreencherCampos(p);
    campos.RugCan = "0"; // Manning with no roughness
    const TCalculoDimensionamento c = Calcular(campos, p);
    EXPECT_FALSE(c.Calculado());
    EXPECT_EQ(c.ErroMotor, "Erro no dimensinamento dos canais");
    // No stale or half-computed result is left to be saved.
    EXPECT_EQ(p.TerracosGradiente.Q, 0);
    EXPECT_EQ(p.TerracosGradiente.H, 0);
    EXPECT_EQ(p.TerracosGradiente.Hr, 0);
}

TEST(CalculoTest, ChannelLengthLimitIsCheckedOnCalculate)
{
    TProjeto p;
    ProjetoGradiente(p, 0);
    for (const auto& [comprimento, aceito] : {std::pair{1500, true}, {1501, false}}) {
        p.TerracosGradiente.SetComprimento(comprimento);
        const TCalculoDimensionamento c = Calcular(p);
        EXPECT_EQ(c.Calculado(), aceito) << comprimento;
        if (!aceito) {
            ASSERT_TRUE(c.Falha.has_value());
            EXPECT_EQ(c.Falha->Campo, TCampo::Comp);
            EXPECT_EQ(c.Falha->Mensagem, " O comprimento máximo permitido para o canal é de 1500 metros. ");
            EXPECT_EQ(p.TerracosGradiente.Q, 0);
        }
    }
}

TEST(CalculoTest, ValuesOutsideThePublishedRangesWarnAndStillCompute)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    ProjetoGradiente(p, 0);
    ASSERT_TRUE(Calcular(p).Avisos.empty());
    p.Chuva().SetTr(100000);
    p.TerracosGradiente.SetSc(0.9);
    p.Unidades.SetIndiceDeclividade(1); // %
    const TCalculoDimensionamento c = Calcular(p);
    EXPECT_TRUE(c.Calculado());
    ASSERT_EQ(c.Avisos.size(), 2u);
    EXPECT_EQ(c.Avisos[0].rfind("O período de retorno (100000 anos) está fora da faixa de validade, de 2 a 100 anos.", 0), 0u)
        << c.Avisos[0];
    EXPECT_EQ(c.Avisos[1].rfind("A declividade do canal (90 %) está fora da faixa de validade, de 0,1 a 1 %.", 0), 0u)
        << c.Avisos[1];
    // Every range names its source; each bound is itself inside.
    for (const TFaixaValidade& f : FaixasValidade()) {
        EXPECT_FALSE(f.Fonte.empty());
        EXPECT_FALSE(AvisoFaixa(f.Grandeza, f.Minimo, p.Unidades).has_value());
        EXPECT_FALSE(AvisoFaixa(f.Grandeza, f.Maximo, p.Unidades).has_value());
        EXPECT_TRUE(AvisoFaixa(f.Grandeza, f.Maximo * 1.01 + 0.001, p.Unidades).has_value());
    }
}

TEST(CalculoTest, ZeroWidthOrSideSlopeIsAValueAndEachShapeKeepsItsOwn)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    ProjetoGradiente(p, 0);
    // A V channel (B = 0) and a rectangular one (Z = 0) show their zero.
    p.TerracosGradiente.SetB(0);
    p.TerracosGradiente.Z.Valor = 2;
    TCamposDimensionamento c = PreencherCampos(p);
    EXPECT_EQ(c.BSt, "0,0");
    EXPECT_EQ(c.ZSm, "2,0");
    const TCalculoDimensionamento v = Calcular(c, p);
    EXPECT_TRUE(v.Calculado()) << v.ErroLeitura << v.ErroMotor << (v.Falha ? v.Falha->Mensagem : "");
    p.TerracosGradiente.SetB(2);
    p.TerracosGradiente.Z.Valor = 0;
    c = PreencherCampos(p);
    EXPECT_EQ(c.BSt, "2,0");
    EXPECT_EQ(c.ZSm, "0,0");
    const TCalculoDimensionamento ret = Calcular(c, p);
    ASSERT_TRUE(ret.Calculado()) << ret.ErroMotor;
    // The rectangular section's depth carries the flow by Manning's law.
    const double H = ret.Resultado->H, A = 2 * H, P = 2 + 2 * H;
    EXPECT_NEAR(ret.Resultado->Q / 1000 * 0.03 / std::sqrt(0.005), A * std::pow(A / P, 2.0 / 3.0), 1e-6);
    // Neither given: nothing to show.
    p.TerracosGradiente.SetB(0);
    EXPECT_EQ(PreencherCampos(p).BSt, "");
    // Reading a triangular channel keeps the trapezoid's B and Z, and back.
    p.TerracosGradiente.SetB(1.5);
    p.TerracosGradiente.Z.Valor = 0.5;
    p.TerracosGradiente.Sm.Valor = 0.3;
    c = PreencherCampos(p);
    c.Canal = 1;
    c.ZSm = "0,4";
    LerCampos(c, p);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.B, 1.5);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.Z.Valor, 0.5);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.Sm.Valor, 0.4);
    c.Canal = 0;
    c.BSt = "1";
    c.ZSm = "1";
    LerCampos(c, p);
    EXPECT_DOUBLE_EQ(p.TerracosGradiente.Sm.Valor, 0.4);
}

TEST(CalculoTest, TheLocationsMethodIsShownAndReadBackAsItIs)
{
    TProjeto p;
    p.TerracosNivel.Espacamento.Metodologia.IndMetodologia = kMetodoAlturaArbitrada;
    TCamposDimensionamento c = PreencherCampos(p);
    EXPECT_EQ(c.Metodo, kMetodoAlturaArbitrada);
    LerCampos(c, p);
    EXPECT_EQ(p.TerracosNivel.Espacamento.Metodologia.IndMetodologia, kMetodoAlturaArbitrada);
    c.Metodo = -1; // none chosen in the list: the stored one stays
    LerCampos(c, p);
    EXPECT_EQ(p.TerracosNivel.Espacamento.Metodologia.IndMetodologia, kMetodoAlturaArbitrada);
}

TEST(SimulacaoTest, InputValuesAreRepeatedSums)
{
    const auto nc = ValoresEntrada(TEntradaSimulada::nc);
    ASSERT_EQ(nc.size(), 21u);
    EXPECT_DOUBLE_EQ(nc[0], 0.001);
    EXPECT_DOUBLE_EQ(nc[1], 0.005);
    EXPECT_NEAR(nc[2], 0.010, 1e-15);
    EXPECT_NEAR(nc[20], 0.100, 1e-15);
    const auto sc = ValoresEntrada(TEntradaSimulada::Sc);
    double soma = 0.0005;
    for (int i = 0; i < 20; ++i)
        soma += 0.0005;
    EXPECT_EQ(sc[20], soma); // the sum, bit for bit, not 21 × 0.0005
    EXPECT_DOUBLE_EQ(ValoresEntrada(TEntradaSimulada::Comprimento)[20], 1050);
    EXPECT_DOUBLE_EQ(ValoresEntrada(TEntradaSimulada::EH)[20], 210);
    EXPECT_NEAR(ValoresEntrada(TEntradaSimulada::nt)[20], 0.35, 1e-12);
    EXPECT_NEAR(ValoresEntrada(TEntradaSimulada::St)[20], 0.41, 1e-12);
    EXPECT_DOUBLE_EQ(ValoresEntrada(TEntradaSimulada::VIB)[20], 105);
}

TEST(SimulacaoTest, ChartListsAndNames)
{
    ASSERT_EQ(GraficosGradiente().size(), 21u);
    EXPECT_EQ(GraficosGradiente()[0].Nome, "Q x Comp");
    EXPECT_EQ(GraficosGradiente()[13].Nome, "H x VIB");
    EXPECT_EQ(GraficosGradiente()[20].Nome, "Hr x VIB");
    ASSERT_EQ(GraficosNivel().size(), 5u);
    EXPECT_EQ(GraficosNivel()[4].Nome, "LES x VIB");
    EXPECT_NE(ProcurarGrafico(true, "Q x nt"), nullptr);
    EXPECT_EQ(ProcurarGrafico(false, "Q x nt"), nullptr);
}

TEST(SimulacaoTest, GradedChartsPlotScaledInputsAndPutTheTerrainBack)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    ProjetoGradiente(p, 0);
    CalcularComoAJanela(p);
    const double st = p.Terreno.St;

    const TGraficoSimulacao nc = Simular(p, *ProcurarGrafico(true, "Q x nc"), 1);
    ASSERT_EQ(nc.Pontos.size(), 21u);
    EXPECT_NEAR(nc.Pontos[0].x, 1, 1e-9);
    EXPECT_NEAR(nc.Pontos[20].x, 100, 1e-9);
    EXPECT_EQ(nc.TituloEixoX, "Rugosidade do canal (10E-3)");
    EXPECT_EQ(nc.TituloEixoY, "Vazão (L/s)");
    EXPECT_EQ(nc.Pontos[1].TextoEntrada, "5,0");

    const TGraficoSimulacao nt = Simular(p, *ProcurarGrafico(true, "Q x nt"), 1);
    EXPECT_NEAR(nt.Pontos[0].x, 3.5, 1e-9);
    EXPECT_NEAR(nt.Pontos[20].x, 35, 1e-9);

    const TGraficoSimulacao sc = Simular(p, *ProcurarGrafico(true, "H x Sc"), 1);
    EXPECT_NEAR(sc.Pontos[0].x, 5, 1e-9);
    EXPECT_NEAR(sc.Pontos[20].x, 105, 1e-9);
    EXPECT_EQ(sc.TituloEixoX, "Delcividade do canal (10E-2 %)");
    // The chart at the stored channel slope (0.005, the 10th value)
    // reproduces the design.
    EXPECT_NEAR(sc.Pontos[9].y, p.TerracosGradiente.H * 100, 1e-9);

    Simular(p, *ProcurarGrafico(true, "Q x St"), 1);
    EXPECT_EQ(p.Terreno.St, st);

    // Recommended height plotted with the stored CDu; the row with the
    // simulation page's CDu.
    p.TerracosGradiente.SetCDu(1.44);
    const TGraficoSimulacao hr = Simular(p, *ProcurarGrafico(true, "Hr x EH"), 2.25);
    const TPontoSimulacao& q = hr.Pontos[2]; // EH = 30 m, the design
    EXPECT_NEAR(q.y, 1.2 * q.H * 100 + 10, 1e-9);
    EXPECT_NEAR(q.HrLinha, 1.5 * q.H * 100 + 10, 1e-9);
    EXPECT_NEAR(q.H, p.TerracosGradiente.H, 1e-12);
    EXPECT_EQ(hr.RotuloAltura, "Altura teórica:");
}

TEST(SimulacaoTest, LevelChartsAndTheInfiltrationUnit)
{
    TProjeto p;
    ProjetoGradiente(p, 1);
    p.TipoSistema.Tipo = 0;
    p.TerracosNivel.Sm.Valor = 0.5;
    p.TerracosNivel.Espacamento.SetEH(30);
    p.TerracosNivel.Espacamento.SetEV(2.4);
    p.Unidades.SetIndiceVIB(2); // m/dia
    CalcularComoAJanela(p);
    const double vib = p.Terreno.VIB;

    const TGraficoSimulacao les = Simular(p, *ProcurarGrafico(false, "LES x VIB"), 1);
    EXPECT_EQ(les.TituloEixoX, "Tie (m/dia)");
    EXPECT_EQ(les.RotuloAltura, "LES:");
    EXPECT_NEAR(les.Pontos[0].x, 5 * 0.024, 1e-12);
    EXPECT_EQ(p.Terreno.VIB, vib);
    // More infiltration, less runoff.
    for (std::size_t i = 1; i < les.Pontos.size(); ++i)
        EXPECT_LE(les.Pontos[i].y, les.Pontos[i - 1].y);

    const TGraficoSimulacao eh = Simular(p, *ProcurarGrafico(false, "H x EH"), 1);
    EXPECT_EQ(eh.RotuloEntrada, "Espaçamento");
    for (std::size_t i = 1; i < eh.Pontos.size(); ++i)
        EXPECT_GT(eh.Pontos[i].y, eh.Pontos[i - 1].y);
    EXPECT_EQ(Simular(p, *ProcurarGrafico(false, "Hr x EH"), 1).RotuloEntrada, "Espaçamento:");
}

} // namespace

TEST(CalculoTest, TheLocationWarnsOnTheFieldsItShares)
{
    ScopedDecimalSeparator ponto('.');
    TProjeto p;
    p.Chuva().SetTr(10);
    p.TerracosNivel.Sm.Valor = 0.213;
    EXPECT_TRUE(AvisosLocacao(p).empty());
    p.Chuva().SetTr(100000);
    p.TerracosNivel.Sm.Valor = 0.9;
    const std::vector<std::string> avisos = AvisosLocacao(p);
    ASSERT_EQ(avisos.size(), 2u);
    EXPECT_NE(avisos[1].find("(Sm) (0.9 m/m)"), std::string::npos) << avisos[1];
    EXPECT_EQ(TextoAvisos(avisos), avisos[0] + "\n" + avisos[1]);
}
