#include "engine/Canal.h"

#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "common/Locale.h"
#include "engine/Precipitacao.h"
#include "support/ChuvaFixa.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TChuvaFixa;
using vastrel::test::TempDir;

namespace {

const std::string kErroCanal = "Erro no dimensinamento de canal";

// A storm and a terrain whose runoff depth is exactly `les` mm: a constant
// intensity of `les` mm/h for 60 min on a cover without a curve number
// (Ia = 0) that infiltrates nothing.
struct Escoamento {
    TChuvaFixa chuva;
    TTerreno terreno;

    explicit Escoamento(double les, double St = 0.08)
    {
        chuva.Intensidade = les;
        chuva.TempoFinal = 60;
        terreno.Cobertura.UsoTerra.Indice = 1;
        terreno.Cobertura.CondicaoHidrologica.Indice = 2;
        terreno.SetSt(St);
    }
};

enum class Forma { Triangular, Trapezoidal, Retangular };

TTerracosNivel Canal(Forma forma)
{
    TTerracosNivel canal;
    switch (forma) {
    case Forma::Triangular:
        canal.Sm.Valor = 0.5;
        break;
    case Forma::Trapezoidal:
        canal.TipoCanal.Tipo = 0;
        canal.SetB(1);
        canal.Z.Valor = 2;
        break;
    case Forma::Retangular:
        canal.TipoCanal.Tipo = 0;
        canal.SetB(2);
        break;
    }
    return canal;
}

// The message of the EDimensionamento that `canal` raises for EH and LES.
std::string ErroDe(TTerracosNivel& canal, double EH, Escoamento& e)
{
    try {
        canal.DimensionarCom(EH, e.chuva, e.terreno);
    } catch (const EDimensionamento& erro) {
        return erro.what();
    }
    return "no EDimensionamento";
}

} // namespace

// ---------------------------------------------------------------------------
// Types and setters

TEST(CanalTest, SystemAndShapeNames)
{
    EXPECT_EQ(TTipoSistema::Nome(0), "Terraços em Nível (sem drenagem)");
    EXPECT_EQ(TTipoSistema::Nome(1), "Terraços com Gradiente (com drenagem)");
    EXPECT_EQ(TTipoSistema::Nome(2), "Drenagem de Superfície com Inundação Parcial");
    EXPECT_EQ(TTipoSistema::Nome(3), "Drenagem de Superfície sem Inundação Parcial");
    EXPECT_EQ(TTipoSistema::Nome(4), "");
    TTipoCanal tipo;
    EXPECT_EQ(tipo.Nome(), "Triangular");
    tipo.Tipo = 0;
    EXPECT_EQ(tipo.Nome(), "Trapezoidal");
}

TEST(CanalTest, NewAndResetChannelIsAnEmptyTriangle)
{
    TTerracosNivel canal;
    auto confere = [&canal] {
        EXPECT_EQ(canal.B + canal.H + canal.Hr, 0);
        EXPECT_EQ(canal.CDu, 1);
        EXPECT_EQ(canal.Sm.Valor, 0);
        EXPECT_EQ(canal.Sm.Indice, -1);
        EXPECT_EQ(canal.Z.Valor, 0);
        EXPECT_EQ(canal.Z.Indice, -1);
        EXPECT_EQ(canal.TipoCanal.Tipo, 1);
    };
    confere();
    canal = Canal(Forma::Trapezoidal);
    canal.Espacamento.SetEH(30);
    canal.SelecaoTipoTerraco.SetTipoArbitrado(3);
    canal.SetCDu(1.5);
    canal.Zerar();
    confere();
    EXPECT_EQ(canal.Espacamento.EH, 0);
    EXPECT_EQ(canal.SelecaoTipoTerraco.TipoArbitrado, 0);
}

TEST(CanalTest, SettersClamp)
{
    struct Caso {
        void (TCanal::*set)(double);
        double TCanal::*campo;
        double valor;
        double guardado;
    };
    const Caso casos[] = {
        {&TCanal::SetB, &TCanal::B, -1, 0},      {&TCanal::SetB, &TCanal::B, 0, 0},
        {&TCanal::SetB, &TCanal::B, 1.5, 1.5},   {&TCanal::SetH, &TCanal::H, -0.1, 0},
        {&TCanal::SetH, &TCanal::H, 0.3, 0.3},   {&TCanal::SetHr, &TCanal::Hr, 0, 0},
        {&TCanal::SetHr, &TCanal::Hr, -2, 0},    {&TCanal::SetHr, &TCanal::Hr, 45, 45},
        {&TCanal::SetCDu, &TCanal::CDu, 1, 1},   {&TCanal::SetCDu, &TCanal::CDu, 0.8, 1},
        {&TCanal::SetCDu, &TCanal::CDu, 1.2, 1.2},
    };
    for (const Caso& caso : casos) {
        TTerracosNivel canal;
        canal.*caso.campo = 7;
        (canal.*caso.set)(caso.valor);
        EXPECT_EQ(canal.*caso.campo, caso.guardado) << "value " << caso.valor;
    }
}

// ---------------------------------------------------------------------------
// Dimensioning

TEST(CanalTest, HeightThatStoresTheRunoffOfTheStrip)
{
    const std::pair<Forma, double> casos[] = {
        {Forma::Triangular, 0.406838},   // √0.08·√(30·0.04/0.58)
        {Forma::Trapezoidal, 0.563941},  // (√10.6 − 1)/4
        {Forma::Retangular, 0.6},        // 30·0.04/2
    };
    for (const auto& [forma, altura] : casos) {
        Escoamento e(40);
        TTerracosNivel canal = Canal(forma);
        EXPECT_NEAR(canal.DimensionarCom(30, e.chuva, e.terreno), altura, 1e-6);
        EXPECT_EQ(canal.H, 0);  // DimensionarCom stores nothing

        Escoamento seco(0);
        EXPECT_EQ(canal.DimensionarCom(30, seco.chuva, seco.terreno), 0);
    }
}

TEST(CanalTest, DimensionarStoresTheHeightForTheSpacingsEH)
{
    Escoamento e(40);
    TTerracosNivel canal = Canal(Forma::Triangular);
    canal.Espacamento.SetEH(30);
    canal.SetCDu(1.2);
    canal.Dimensionar(e.terreno, e.chuva);
    EXPECT_NEAR(canal.H, 0.406838, 1e-6);
    // The recommended height the windows derive from it, in m.
    EXPECT_NEAR(canal.H * std::sqrt(canal.CDu) + 0.10, 0.5457, 1e-4);
}

TEST(CanalTest, HeightFromAnIdfStormAndItsTerrain)
{
    TPrecipitacaoExponencialNegativa chuva;
    chuva.SetK(1500);
    chuva.SetTr(10);
    chuva.SetA(0.2);
    chuva.SetB(10);
    chuva.SetC(0.8);
    TTerreno terreno;
    terreno.Cobertura.UsoTerra.Indice = 1;
    terreno.Cobertura.Tratamento.Indice = 1;
    terreno.Cobertura.CondicaoHidrologica.Indice = 1;
    terreno.SetVIB(60);
    terreno.SetSt(0.08);
    TTerracosNivel canal = Canal(Forma::Triangular);
    // LES ≈ 28.95655 mm from independently found roots of j(t) = VIB and P(t) = Ia.
    const double esperada = std::sqrt(28.95655 / 500) * std::sqrt(30 * 0.08 * 0.5 / 0.58);
    EXPECT_NEAR(canal.DimensionarCom(30, chuva, terreno), esperada, 1e-6);
}

TEST(CanalTest, EveryFailureBecomesTheChannelDimensioningError)
{
    Escoamento e(40);
    // Rectangular channel without width: division by zero.
    TTerracosNivel sem_largura = Canal(Forma::Retangular);
    sem_largura.SetB(0);
    EXPECT_EQ(ErroDe(sem_largura, 30, e), kErroCanal);
    Escoamento seco(0);
    EXPECT_EQ(ErroDe(sem_largura, 30, seco), kErroCanal);

    // Land and ridge faces both flat: no triangle.
    TTerracosNivel plano = Canal(Forma::Triangular);
    plano.Sm.Valor = 0;
    Escoamento planicie(40, 0);
    EXPECT_EQ(ErroDe(plano, 30, planicie), kErroCanal);

    // A height that would not be finite.
    TTerracosNivel trapezoidal = Canal(Forma::Trapezoidal);
    EXPECT_EQ(ErroDe(trapezoidal, std::numeric_limits<double>::max(), e), kErroCanal);
    TTerracosNivel triangular = Canal(Forma::Triangular);
    EXPECT_EQ(ErroDe(triangular, std::numeric_limits<double>::infinity(), e), kErroCanal);
    EXPECT_EQ(ErroDe(triangular, std::nan(""), e), kErroCanal);

    // A negative runoff depth under the square root of the triangle.
    Escoamento negativo(40);
    negativo.terreno.SetVIB(50);
    EXPECT_EQ(ErroDe(triangular, 30, negativo), kErroCanal);

    // An error of the runoff computation itself.
    Escoamento infinito(std::numeric_limits<double>::infinity());
    EXPECT_EQ(ErroDe(triangular, 30, infinito), kErroCanal);

    // A shape the level system cannot size.
    TTerracosNivel estranho = Canal(Forma::Triangular);
    estranho.TipoCanal.Tipo = 2;
    EXPECT_EQ(ErroDe(estranho, 30, e), kErroCanal);

    // Dimensionar leaves H as it was.
    sem_largura.H = 0.25;
    EXPECT_THROW(sem_largura.Dimensionar(e.terreno, e.chuva), EDimensionamento);
    EXPECT_EQ(sem_largura.H, 0.25);
}

// ---------------------------------------------------------------------------
// Persistence

class CanalArquivoTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path arquivo = dir / "p.vst";

    // Rewrites one key of a file holding a saved level terrace system.
    void Altera(const std::string& secao, const std::string& chave, const std::string& valor)
    {
        TIniFile ini(arquivo);
        ini.WriteString(secao, chave, valor);
        ini.UpdateFile();
    }
    void Remove(const std::string& secao, const std::string& chave)
    {
        TIniFile ini(arquivo);
        ini.DeleteKey(secao, chave);
        ini.UpdateFile();
    }
    void GravarPadrao()
    {
        TTerracosNivel canal = Canal(Forma::Trapezoidal);
        canal.Z.Indice = 2;
        canal.Sm = TReal{0.5, -1};
        ASSERT_TRUE(canal.Gravar(arquivo));
    }
};

TEST_F(CanalArquivoTest, SystemTypeRoundTripAndRange)
{
    TTipoSistema tipo;
    tipo.Tipo = 1;
    ASSERT_TRUE(tipo.Gravar(arquivo));
    EXPECT_EQ(ReadBytes(arquivo), "[TipoSistema]\r\nVersao=1\r\nTipo=1\r\n");
    TTipoSistema lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.Tipo, 1);

    for (const char* valor : {"4", "-1"}) {
        Altera("TipoSistema", "Tipo", valor);
        EXPECT_FALSE(lido.Ler(arquivo)) << valor;
    }
    Altera("TipoSistema", "Tipo", "3");
    Altera("TipoSistema", "Versao", "2");
    EXPECT_FALSE(lido.Ler(arquivo));
}

TEST_F(CanalArquivoTest, LevelSystemRoundTripWritesChannelSpacingThenSystem)
{
    ScopedDecimalSeparator sep(',');
    TTerracosNivel canal = Canal(Forma::Trapezoidal);
    canal.SetH(0.56);
    canal.SetHr(71.8);
    canal.SetCDu(1.2);
    canal.Z.Indice = 3;
    canal.Sm = TReal{0.5, -1};
    canal.Espacamento.SetEH(30);
    canal.Espacamento.SetEV(2.4);
    canal.SelecaoTipoTerraco.MetTipoTerraco = 3;
    canal.SelecaoTipoTerraco.SetTipoArbitrado(2);
    ASSERT_TRUE(canal.Gravar(arquivo));

    const std::string texto = ReadBytes(arquivo);
    EXPECT_EQ(texto.rfind("[Canal]\r\nVersao=1\r\nH=0,56\r\nHr=71,8\r\nB=1\r\nCDu=1,2\r\n"
                          "IndZ=3\r\nValorZ=2\r\nIndSm=-1\r\nValorSm=0,5\r\nTipoCanal=0\r\n[ESPA\xC7" "AMENTO]",
                          0),
              0u);
    const auto nivel = texto.find("[TerracosNivel]\r\nVersao=1\r\nMetTipoTerraco=3\r\nTipoArbitrado=2\r\n");
    ASSERT_NE(nivel, std::string::npos);
    EXPECT_GT(nivel, texto.find("[ESPA\xC7" "AMENTO]"));

    TTerracosNivel lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.H, 0.56);
    EXPECT_EQ(lido.Hr, 71.8);
    EXPECT_EQ(lido.B, 1);
    EXPECT_EQ(lido.CDu, 1.2);
    EXPECT_EQ(lido.Z.Valor, 2);
    EXPECT_EQ(lido.Z.Indice, 3);
    EXPECT_EQ(lido.Sm.Valor, 0.5);
    EXPECT_EQ(lido.Sm.Indice, -1);
    EXPECT_EQ(lido.TipoCanal.Tipo, 0);
    EXPECT_EQ(lido.Espacamento.EH, 30);
    EXPECT_EQ(lido.Espacamento.EV, 2.4);
    EXPECT_EQ(lido.SelecaoTipoTerraco.MetTipoTerraco, 3);
    EXPECT_EQ(lido.SelecaoTipoTerraco.TipoArbitrado, 2);
    EXPECT_EQ(lido.SelecaoTipoTerraco.TipoTerraco, canal.SelecaoTipoTerraco.TipoTerraco);
}

TEST_F(CanalArquivoTest, ChannelReadRules)
{
    GravarPadrao();
    TTerracosNivel lido;
    ASSERT_TRUE(lido.Ler(arquivo));  // "IndSm" = −1 reads

    Remove("Canal", "CDu");
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.CDu, 1);

    struct Caso {
        const char* chave;
        const char* valor;
    };
    const Caso falhas[] = {
        {"Versao", "2"}, {"IndSm", "-2"}, {"IndZ", "-3"}, {"TipoCanal", "2"}, {"TipoCanal", "-1"},
    };
    for (const Caso& caso : falhas) {
        GravarPadrao();
        Altera("Canal", caso.chave, caso.valor);
        EXPECT_FALSE(lido.Ler(arquivo)) << caso.chave << " = " << caso.valor;
    }
    for (const char* chave : {"IndSm", "IndZ", "TipoCanal"}) {
        GravarPadrao();
        Remove("Canal", chave);
        EXPECT_FALSE(lido.Ler(arquivo)) << "missing " << chave;
    }
}

TEST_F(CanalArquivoTest, LevelSystemReadRules)
{
    struct Caso {
        const char* chave;
        const char* valor;
        bool leu;
    };
    const Caso casos[] = {
        {"Versao", "0", false},         {"MetTipoTerraco", "4", false},
        {"MetTipoTerraco", "-2", false}, {"MetTipoTerraco", "-1", true},
        {"TipoArbitrado", "-3", false},  {"TipoArbitrado", "-2", true},
        {"TipoArbitrado", "9", true},
    };
    for (const Caso& caso : casos) {
        GravarPadrao();
        Altera("TerracosNivel", caso.chave, caso.valor);
        TTerracosNivel lido;
        EXPECT_EQ(lido.Ler(arquivo), caso.leu) << caso.chave << " = " << caso.valor;
        EXPECT_EQ(lido.TipoCanal.Tipo, 0) << "the channel is read first";
    }
}

TEST_F(CanalArquivoTest, MissingTerraceTypeSourceSurvivesASaveAndARead)
{
    GravarPadrao();
    Remove("TerracosNivel", "MetTipoTerraco");
    TTerracosNivel lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    lido.SelecaoTipoTerraco.SetTipoArbitrado(4);
    ASSERT_TRUE(lido.Gravar(arquivo));
    TTerracosNivel denovo;
    ASSERT_TRUE(denovo.Ler(arquivo));
    EXPECT_EQ(denovo.SelecaoTipoTerraco.MetTipoTerraco, lido.SelecaoTipoTerraco.MetTipoTerraco);
    EXPECT_EQ(denovo.SelecaoTipoTerraco.TipoArbitrado, 4);
}
