#include "engine/CanalGradiente.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "engine/Precipitacao.h"

namespace vastrel {
namespace {

// Storm K = 1500, Tr = 10, a = 0.2, b = 10, c = 0.8; bare terrain (land use
// 0) with VIB = 10 mm/h, St = 0.08, nt = 0.1; spacing EH = 30 m; channel
// 300 m long, Sc = 0.005, nc = 0.03.
class CanalGradienteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        chuva.SetK(1500);
        chuva.SetTr(10);
        chuva.SetA(0.2);
        chuva.SetB(10);
        chuva.SetC(0.8);
        terreno.SetVIB(10);
        terreno.SetSt(0.08);
        terreno.nt.Valor = 0.1;
        sistema.Espacamento.SetEH(30);
        sistema.SetSc(0.005);
        sistema.nc.Valor = 0.03;
        sistema.SetComprimento(300);
        Trapezio(1, 1);
    }

    void Trapezio(double B, double Z)
    {
        sistema.TipoCanal.Tipo = 0;
        sistema.SetB(B);
        sistema.Z.Valor = Z;
        sistema.Sm.Valor = 0;
    }

    void Triangulo(double Sm)
    {
        sistema.TipoCanal.Tipo = 1;
        sistema.SetB(0);
        sistema.Z.Valor = 0;
        sistema.Sm.Valor = Sm;
    }

    // The hillslope hydrograph of the 30 m strip.
    std::unique_ptr<THidrograma> HidrogramaEncosta()
    {
        TEncostaCinematica encosta;
        encosta.Assign(terreno);
        encosta.SetComprimento(30);
        return encosta.CalculaHidrogramaEncosta(encosta.NumeroNos(), chuva);
    }

    // Manning discharge (m³/s) of a section of area A and perimeter P.
    double Manning(double A, double P) const
    {
        return A * std::pow(A / P, 2.0 / 3.0) * std::sqrt(sistema.Sc) / sistema.nc.Valor;
    }

    TPrecipitacaoExponencialNegativa chuva;
    TTerreno terreno;
    TTerracosGradiente sistema;
};

void EsperaErroDimensionamento(const std::function<void()>& f, const std::string& inicio = "Erro no dimensinamento dos canais")
{
    try {
        f();
        FAIL() << "expected EDimensionamento";
    } catch (const EDimensionamento& e) {
        EXPECT_EQ(std::string(e.what()).rfind(inicio, 0), 0u) << e.what();
    }
}

TEST(CanalGradienteGrade, StepsAndNodesFollowLengthAndInfiltrationRate)
{
    struct Caso {
        std::int32_t L;
        double vib;
        double dx;
        std::size_t nos;
        double dt;
    };
    for (const Caso c : {Caso{100, 10, 1, 100, 0.4}, Caso{1000, 10, 5, 200, 0.4}, Caso{1000, 80, 2.5, 400, 0.04},
                         Caso{300, 10, 3, 100, 0.4}, Caso{300, 10.5, 3, 100, 0.32}, Caso{300, 20, 3, 100, 0.32},
                         Caso{300, 30, 3, 100, 0.24}, Caso{300, 40, 3, 100, 0.16}, Caso{300, 50, 3, 100, 0.08},
                         Caso{300, 150, 0.6, 500, 0.02}, Caso{1500, 50, 5, 300, 0.08},
                         Caso{1500, 100, 2.5, 600, 0.04}, Caso{1500, 101, 1, 1500, 0.02},
                         Caso{1003, 10, 1003.0 / 201, 201, 0.4}}) {
        SCOPED_TRACE(testing::Message() << "L = " << c.L << ", VIB = " << c.vib);
        const TGradeCanal g = TCanalGradiente::GradeCanal(c.L, c.vib);
        EXPECT_DOUBLE_EQ(g.dx, c.dx);
        EXPECT_EQ(g.Nos, c.nos);
        EXPECT_DOUBLE_EQ(g.dt, c.dt);
    }
}

TEST_F(CanalGradienteTest, KinematicCoefficientsPerShape)
{
    // Worked trapezoid B = 1, Z = 1.
    auto k = sistema.CoeficientesCinematicos(0.08, 0.005, 0.03);
    EXPECT_NEAR(k.Alfa, 1.1802, 5e-4);
    EXPECT_NEAR(k.m, 1.3416, 5e-4);

    // A trapezoid without bottom is a triangle: P = 2·√(Z² + 1)/√Z·A^(1/2)
    // exactly, so the fit must give m = 4/3 and α = √Sc/(nc·a^(2/3)).
    Trapezio(0, 2);
    k = sistema.CoeficientesCinematicos(0.08, 0.005, 0.03);
    const double a = 2 * std::sqrt(5.0) / std::sqrt(2.0);
    EXPECT_NEAR(k.m, 4.0 / 3.0, 1e-12);
    EXPECT_NEAR(k.Alfa, std::sqrt(0.005) / 0.03 / std::pow(a, 2.0 / 3.0), 1e-12);

    Triangulo(0.5);
    k = sistema.CoeficientesCinematicos(0.08, 0.005, 0.03);
    EXPECT_NEAR(k.Alfa, 0.9450, 5e-4);
    EXPECT_DOUBLE_EQ(k.m, 4.0 / 3.0);
}

TEST_F(CanalGradienteTest, WorkedExampleTrapezoidal)
{
    sistema.Dimensionar(terreno, chuva);
    EXPECT_NEAR(sistema.Q, 476.3, 0.1);
    EXPECT_NEAR(sistema.H, 0.3722, 1e-4);

    // The depth carries the flow by Manning: A = y·(B + Z·y),
    // P = B + 2·y·√2.
    const double y = sistema.H;
    EXPECT_NEAR(Manning(y * (1 + y), 1 + 2 * y * std::sqrt(2.0)), sistema.Q / 1000, 1e-9);
}

TEST_F(CanalGradienteTest, WorkedExampleTriangular)
{
    Triangulo(0.5);
    sistema.Dimensionar(terreno, chuva);
    EXPECT_NEAR(sistema.Q, 457.7, 0.1);
    EXPECT_NEAR(sistema.H, 0.3074, 1e-4);

    // Triangle between the land (St = 0.08) and the ridge face (Sm = 0.5).
    const double y = sistema.H;
    const double area = y * y * (0.08 + 0.5) / (2 * 0.08 * 0.5);
    const double perimetro = y * (1 / std::sin(std::atan(0.08)) + 1 / std::sin(std::atan(0.5)));
    EXPECT_NEAR(Manning(area, perimetro), sistema.Q / 1000, 1e-9);
}

TEST_F(CanalGradienteTest, RoutedPeakGrowsWithLengthAndStaysBelowTheSteadyStateInflow)
{
    const auto h = HidrogramaEncosta();
    double picoLateral = 0;
    for (std::size_t i = 0; i < h->Quantidade(); ++i)
        picoLateral = std::max(picoLateral, h->Vazao(i));

    // No channel can deliver more than its whole length under the peak
    // lateral inflow; a longer one collects more.
    double anterior = 0;
    for (const std::int32_t L : {50, 300, 1000}) {
        SCOPED_TRACE(L);
        const double pico = sistema.CalculaHidrogramaCanal(L, *h, 10, 0.08, 0.005, 0.03);
        EXPECT_GT(pico, anterior);
        EXPECT_LE(pico, L * picoLateral);
        anterior = pico;
    }
}

TEST_F(CanalGradienteTest, SteadyLateralInflowReachesLengthTimesInflow)
{
    // 1 L/s per metre for an hour, far longer than the travel time along the
    // channel: the outflow of a 300 m channel settles at 300 L/s.
    THidrograma constante;
    constante.Adicionar(0, 0);
    constante.Adicionar(1, 0.5);
    constante.Adicionar(1, 60);
    constante.Adicionar(0, 61);
    for (const double vib : {10.0, 45.0, 150.0}) {
        SCOPED_TRACE(vib);
        EXPECT_NEAR(sistema.CalculaHidrogramaCanal(300, constante, vib, 0.08, 0.005, 0.03), 300.0, 3.0);
    }
}

TEST_F(CanalGradienteTest, PeakReachingTheOutletAfterTheInflowEndedIsStillFound)
{
    // A short strip drains within minutes while water is still travelling
    // down a long channel: the outlet peaks after the lateral inflow is over,
    // and the routing must keep stepping while the channel holds water.
    terreno.SetVIB(105);
    const double picoLongo = sistema.DimensionarCom(chuva, terreno, 10, 0.005, 0.03, 1050).Q;
    EXPECT_GT(picoLongo, 0);
    EXPECT_LT(picoLongo, sistema.DimensionarCom(chuva, terreno, 30, 0.005, 0.03, 1050).Q);
}

TEST_F(CanalGradienteTest, DimensionarComMatchesDimensionarAndStoresNothing)
{
    sistema.H = 0.123;
    sistema.Q = 45.6;
    const TResultadoGradiente r = sistema.DimensionarCom(chuva, terreno, 30, 0.005, 0.03, 300);
    EXPECT_NEAR(r.Q, 476.3, 0.1);
    EXPECT_NEAR(r.H, 0.3722, 1e-4);
    EXPECT_EQ(sistema.H, 0.123);
    EXPECT_EQ(sistema.Q, 45.6);

    // Failure leaves them as they were too.
    EXPECT_THROW(sistema.DimensionarCom(chuva, terreno, 30, 0, 0.03, 300), EDimensionamento);
    EXPECT_EQ(sistema.H, 0.123);
    EXPECT_EQ(sistema.Q, 45.6);

    // A longer channel carries more.
    EXPECT_GT(sistema.DimensionarCom(chuva, terreno, 30, 0.005, 0.03, 600).Q, r.Q);
}

TEST_F(CanalGradienteTest, NoRunoffGivesNoFlowAndAnEmptyHydrographFailsTheRouting)
{
    terreno.SetVIB(400);  // above the storm's initial intensity
    sistema.H = 1;
    sistema.Q = 5;
    sistema.Dimensionar(terreno, chuva);
    EXPECT_EQ(sistema.H, 0.0);
    EXPECT_EQ(sistema.Q, 0.0);
    const TResultadoGradiente r = sistema.DimensionarCom(chuva, terreno, 30, 0.005, 0.03, 300);
    EXPECT_EQ(r.Q, 0.0);
    EXPECT_EQ(r.H, 0.0);

    const THidrograma vazio;
    try {
        sistema.CalculaHidrogramaCanal(300, vazio, 10, 0.08, 0.005, 0.03);
        FAIL() << "expected the routing error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Ocorreu um erro em CalculaHidrogramaCanal.");
    }
}

TEST_F(CanalGradienteTest, InflowThatNeverReachesTheOutletEndsInTheRoutingError)
{
    // A single point, or only zero discharges: the outlet never flows, which
    // must end in the error instead of stepping forever.
    THidrograma umPonto;
    umPonto.Adicionar(2, 1);
    THidrograma zeros;
    for (int i = 0; i < 5; ++i)
        zeros.Adicionar(0, i);
    for (const THidrograma* h : {&umPonto, &zeros})
        EXPECT_THROW(sistema.CalculaHidrogramaCanal(300, *h, 10, 0.08, 0.005, 0.03), Exception);
}

TEST_F(CanalGradienteTest, ComputationErrorsEndAsEDimensionamento)
{
    struct Caso {
        const char* nome;
        std::function<void()> prepara;
    };
    const std::vector<Caso> casos = {
        {"B = 0 and Z = 0", [this] { sistema.Z.Valor = 0; sistema.SetB(0); }}, // no section at all
        {"Sc = 0", [this] { sistema.SetSc(0); }},
        {"nc = 0", [this] { sistema.nc.Valor = 0; }},
        {"Sc < 0", [this] { sistema.SetSc(-0.005); }},
        {"EH = 0", [this] { sistema.Espacamento.SetEH(0); }},
        {"nt = 0", [this] { terreno.nt.Valor = 0; }},
        {"L = 0", [this] { sistema.SetComprimento(0); }},
        {"Sm = 0", [this] { Triangulo(0); }},
        {"shape 2", [this] { sistema.TipoCanal.Tipo = 2; }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        SetUp();
        c.prepara();
        EsperaErroDimensionamento([&] { sistema.Dimensionar(terreno, chuva); });
    }
}

// A storm of another class than the IDF one.
class ChuvaGenerica : public TPrecipitacao {
public:
    void DesenharHietograma(std::vector<TPontoSerie>&) override {}
    double IntensidadeInstantanea(double) override { return 100; }
    double IntensidadeMedia(double) override { return 100; }
    double TempoDaIntensidade(double) override { return 60; }
    double TempoDaLamina(double) override { return 1; }
    double LaminaPrecipitada(double t) override { return 100 * t / 60; }
    double LaminaEntre(double t2, double t1) override { return 100 * (t2 - t1) / 60; }
};

TEST_F(CanalGradienteTest, OnlyTheIdfStormCanBeRouted)
{
    ChuvaGenerica generica;
    EsperaErroDimensionamento([&] { sistema.Dimensionar(terreno, generica); });
}

TEST_F(CanalGradienteTest, ChannelLengthBeyondTheRoutingLimitIsRefusedWithItsReason)
{
    // No wrap-around: 65 836 m is not routed as 300 m.
    for (const std::int32_t L : {65536 + 300, -5}) {
        SCOPED_TRACE(L);
        sistema.SetComprimento(L);
        EsperaErroDimensionamento([&] { sistema.DimensionarCom(chuva, terreno, 30, 0.005, 0.03, L); },
                                  "Erro no dimensinamento dos canais\nO comprimento do canal (" + std::to_string(L) +
                                      " m) está fora do intervalo admitido pelo cálculo, de 0 a 65535 m.");
        EXPECT_THROW(sistema.CalculaHidrogramaCanal(L, *HidrogramaEncosta(), 10, 0.08, 0.005, 0.03), Exception);
    }
    sistema.SetComprimento(65536 + 300);
    EsperaErroDimensionamento([&] { sistema.Dimensionar(terreno, chuva); },
                              "Erro no dimensinamento dos canais\nO comprimento do canal (65836 m)");
}

TEST_F(CanalGradienteTest, NormalDepthNewtonIsBoundedAndFailsIntoAnError)
{
    // A flow so large that the root lies near 1.25e13 m, where one unit in
    // the last place is about 2e-3 m: the steps can never fall below 1e-7 m.
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_THROW(sistema.ProfundidadeNormal(0, 0.08, 0.005, 0.03, 1, 1, 1e35), Exception);
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(1));
}

TEST_F(CanalGradienteTest, NormalDepthOfAWideTrapezoidApproachesTheWideChannelLaw)
{
    // B = 100 m, Z = 1, Q = 10 m³/s: nearly a wide rectangle, y ≈ (Q·nc/(B·√Sc))^(3/5).
    Trapezio(100, 1);
    const double y = sistema.ProfundidadeNormal(0, 0.08, 0.005, 0.03, 100, 1, 10);
    EXPECT_NEAR(Manning(y * (100 + y), 100 + 2 * y * std::sqrt(2.0)), 10.0, 1e-8);
    EXPECT_NEAR(y, std::pow(10 * 0.03 / (100 * std::sqrt(0.005)), 0.6), 0.01 * y);
}

TEST(CanalGradiente, SettersClampAndZerarRestoresTheGradedDefaults)
{
    TTerracosGradiente s;
    s.SetQ(-1);
    EXPECT_EQ(s.Q, 0.0);
    s.SetComprimento(-5);
    EXPECT_EQ(s.Comprimento, 0);
    s.SetSc(-0.01);
    EXPECT_EQ(s.Sc, -0.01);

    s.SetQ(3);
    s.SetComprimento(70);
    s.nc = TReal{0.02, 3};
    s.TipoCanal.Tipo = 1;
    s.CDu = 1.4;
    s.Espacamento.SetEH(20);
    s.Zerar();
    EXPECT_EQ(s.Q, 0.0);
    EXPECT_EQ(s.Sc, 0.0);
    EXPECT_EQ(s.Comprimento, 0);
    EXPECT_EQ(s.nc.Valor, 0.0);
    EXPECT_EQ(s.nc.Indice, 0);
    EXPECT_EQ(s.TipoCanal.Tipo, 0);
    EXPECT_EQ(s.CDu, 1.0);
    EXPECT_EQ(s.Sm.Indice, -1);
    EXPECT_EQ(s.Espacamento.EH, 0.0);
    EXPECT_EQ(TTerracosGradiente().TipoCanal.Tipo, 0);
}

// A fresh folder for project files, removed afterwards.
class CanalGradienteArquivoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        pasta = std::filesystem::temp_directory_path() / ("vastrel-canal-" + std::to_string(rd()));
        std::filesystem::create_directories(pasta);
        arquivo = pasta / "projeto.vst";
    }
    void TearDown() override { std::filesystem::remove_all(pasta); }

    std::string Texto() const
    {
        std::ifstream f(arquivo, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path pasta;
    std::filesystem::path arquivo;
};

TEST_F(CanalGradienteArquivoTest, RoundTripKeepsEveryFieldInSectionOrder)
{
    TTerracosGradiente s;
    s.SetB(1.5);
    s.Z = TReal{1.25, 2};
    s.Sm = TReal{0.5, -1};
    s.SetComprimento(450);
    s.SetSc(0.0035);
    s.SetQ(476.3);
    s.nc = TReal{0.025, 4};
    s.Espacamento.SetEH(31.5);
    s.Espacamento.SetEV(2.52);
    ASSERT_TRUE(s.Gravar(arquivo));

    TTerracosGradiente lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.B, 1.5);
    EXPECT_EQ(lido.Z.Valor, 1.25);
    EXPECT_EQ(lido.Z.Indice, 2);
    EXPECT_EQ(lido.Sm.Indice, -1);
    EXPECT_EQ(lido.TipoCanal.Tipo, 0);
    EXPECT_EQ(lido.Comprimento, 450);
    EXPECT_EQ(lido.Sc, 0.0035);
    EXPECT_EQ(lido.Q, 476.3);
    EXPECT_EQ(lido.nc.Valor, 0.025);
    EXPECT_EQ(lido.nc.Indice, 4);
    EXPECT_EQ(lido.Espacamento.EH, 31.5);
    EXPECT_EQ(lido.Espacamento.EV, 2.52);

    const std::string texto = Texto();
    const auto canal = texto.find("[Canal]");
    const auto gradiente = texto.find("[CanalGradiente]");
    const auto espacamento = texto.find("ESPA");
    ASSERT_NE(canal, std::string::npos);
    ASSERT_NE(gradiente, std::string::npos);
    ASSERT_NE(espacamento, std::string::npos);
    EXPECT_LT(canal, gradiente);
    EXPECT_LT(gradiente, espacamento);
    EXPECT_NE(texto.find("Versao=1\r\nComprimento=450\r\nSc="), std::string::npos);
}

TEST_F(CanalGradienteArquivoTest, ReadRulesOfTheGradedSection)
{
    TTerracosGradiente original;
    original.nc = TReal{0.03, 0};
    ASSERT_TRUE(original.Gravar(arquivo));

    struct Caso {
        const char* nome;
        std::function<void(TIniFile&)> altera;
        bool resultado;
    };
    const std::vector<Caso> casos = {
        {"as written", [](TIniFile&) {}, true},
        {"Indnc -1", [](TIniFile& i) { i.WriteInteger("CanalGradiente", "Indnc", -1); }, true},
        {"Indnc -2", [](TIniFile& i) { i.WriteInteger("CanalGradiente", "Indnc", -2); }, false},
        {"Indnc missing", [](TIniFile& i) { i.DeleteKey("CanalGradiente", "Indnc"); }, false},
        {"Indnc beyond a byte", [](TIniFile& i) { i.WriteInteger("CanalGradiente", "Indnc", 200); }, false},
        {"Versao 2", [](TIniFile& i) { i.WriteString("CanalGradiente", "Versao", "2"); }, false},
        {"Canal unreadable", [](TIniFile& i) { i.WriteString("Canal", "Versao", "0"); }, false},
        {"Comprimento beyond 32 bits",
         [](TIniFile& i) { i.WriteInteger("CanalGradiente", "Comprimento", 5000000000LL); }, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(original.Gravar(arquivo));
        ASSERT_TRUE(WithIniFile(arquivo, [&](TIniFile& ini) {
            c.altera(ini);
            return true;
        }));
        TTerracosGradiente lido;
        EXPECT_EQ(lido.Ler(arquivo), c.resultado);
    }

    // A negative length in the file is clamped like the setter does.
    ASSERT_TRUE(WithIniFile(arquivo, [](TIniFile& ini) {
        ini.WriteInteger("CanalGradiente", "Indnc", 0);
        ini.WriteInteger("CanalGradiente", "Comprimento", -20);
        return true;
    }));
    TTerracosGradiente lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.Comprimento, 0);
}

TEST_F(CanalGradienteArquivoTest, TerraceSystemReadFailsWithoutItsSpacingSection)
{
    // Only "Canal" and "CanalGradiente" in the file.
    TTerracosGradiente sistema;
    ASSERT_TRUE(WithIniFile(arquivo, [&](TIniFile& ini) { return sistema.TCanalGradiente::Gravar(ini); }));
    EXPECT_TRUE(WithIniFile(arquivo, [&](TIniFile& ini) { return sistema.TCanalGradiente::Ler(ini); }));
    EXPECT_FALSE(sistema.Ler(arquivo));
}

} // namespace
} // namespace vastrel
