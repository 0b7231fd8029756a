// The location window's fields as data: what the objects show, how the
// fields are written back (units, arbitrated methods, terrace type), the
// order of the checks before a run, and where the project's files lie.

#include "dimensioning/EntradaLocacao.h"

#include "common/Exceptions.h"
#include "common/Locale.h"
#include "project/Projeto.h"

#include <gtest/gtest.h>

using namespace vastrel;
namespace fs = std::filesystem;

namespace {

const std::string kExemplo = std::string(VASTREL_SOURCE_DIR) + "/examples/locacao/locacao-hugo.vst";

TCamposLocacao Preenchidos()
{
    TCamposLocacao c;
    c.Tr = "10";
    c.K = "1773,932";
    c.A = "0,173";
    c.B = "24,999";
    c.C = "0,798";
    c.ZSm = "21,3";
    c.CoefUni = "1,2";
    c.VIB = "25";
    return c;
}

} // namespace

TEST(EntradaLocacao, ProjetoNosCamposENaVolta)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    p.Ler(kExemplo);
    const TCamposLocacao c = CamposLocacao(p);
    EXPECT_EQ(c.Metodo, kMetodoLombardiNeto);
    EXPECT_EQ(c.EditEsp, "");
    EXPECT_EQ(c.Tr, "10,0");
    EXPECT_EQ(c.K, "1773,932");
    EXPECT_EQ(c.Latitude, "22°42'29\"");
    EXPECT_EQ(c.Criterio, 2);
    EXPECT_EQ(c.ZSm, "21,3"); // 0.213 m/m shown in %
    EXPECT_EQ(c.CoefUni, "1,2");
    EXPECT_EQ(c.VIB, "25,0");

    TProjeto q;
    q.Ler(kExemplo);
    q.TerracosNivel.Sm.Valor = 0;
    q.Terreno.SetVIB(0);
    GravarCampos(c, q);
    EXPECT_DOUBLE_EQ(q.TerracosNivel.Sm.Valor, 0.213);
    EXPECT_DOUBLE_EQ(q.Terreno.VIB, 25);
    EXPECT_DOUBLE_EQ(q.TerracosNivel.CDu, 1.2);
    EXPECT_EQ(q.TerracosNivel.TipoCanal.Tipo, 1);
}

TEST(EntradaLocacao, MetodosArbitradosGuardamOValorDigitado)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    TCamposLocacao c = Preenchidos();
    c.Metodo = kMetodoEVArbitrado;
    c.EditEsp = "1,25";
    GravarCampos(c, p);
    EXPECT_EQ(p.TerracosNivel.Espacamento.Metodologia.IndMetodologia, kMetodoEVArbitrado);
    EXPECT_DOUBLE_EQ(p.TerracosNivel.Espacamento.EV, 1.25);
    EXPECT_EQ(CamposLocacao(p).EditEsp, "1,25");

    c.Metodo = kMetodoAlturaArbitrada;
    c.EditEsp = "0,6";
    GravarCampos(c, p);
    // The location keeps its own height, in m; the level system's Hr is
    // the dimensioning's result, in cm, and stays as it was.
    EXPECT_DOUBLE_EQ(p.Locacao.AlturaArbitrada, 0.6);
    EXPECT_DOUBLE_EQ(p.TerracosNivel.Hr, 0);
    EXPECT_EQ(CamposLocacao(p).EditEsp, "0,6");

    // An empty value fails like a text that is not a number, before the storm is written.
    c.EditEsp.clear();
    c.Tr = "25";
    EXPECT_THROW(GravarCampos(c, p), EConvertError);
    EXPECT_DOUBLE_EQ(p.Chuva().Tr, 10);
    // Other methods do not read it.
    c.Metodo = kMetodoParana;
    EXPECT_NO_THROW(GravarCampos(c, p));
}

TEST(EntradaLocacao, UnidadesTipoArbitradoECoordenadas)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    p.Unidades.SetIndiceDeclividade(0); // m/m
    p.Unidades.SetIndiceVIB(1);         // m/h
    TCamposLocacao c = Preenchidos();
    c.ZSm = "0,2";
    c.VIB = "0,03";
    c.CoefUni = "";
    c.Criterio = kCriterioArbitrado;
    c.TipoArbitrado = 3;
    c.Latitude = "  °  '  \"";
    c.Longitude = "47°37'03\"";
    GravarCampos(c, p);
    EXPECT_DOUBLE_EQ(p.TerracosNivel.Sm.Valor, 0.2);
    EXPECT_NEAR(p.Terreno.VIB, 30, 1e-9); // mm/h
    EXPECT_DOUBLE_EQ(p.TerracosNivel.CDu, 1);
    EXPECT_EQ(p.TerracosNivel.SelecaoTipoTerraco.MetTipoTerraco, 3);
    EXPECT_EQ(p.TerracosNivel.SelecaoTipoTerraco.TipoTerraco, "Vastrel do Tipo murundum");
    EXPECT_EQ(p.Nimbra.Latitude, "");
    EXPECT_EQ(p.Nimbra.Longitude, "47°37'03\"");

    c.ZSm = "abc";
    EXPECT_THROW(GravarCampos(c, p), EConvertError);
}

TEST(EntradaLocacao, ValidacaoParaNoPrimeiroCampoVazio)
{
    struct TCaso {
        std::string TCamposLocacao::*Campo;
        TCampoLocacao Esperado;
        const char* Mensagem;
    };
    const TCaso casos[] = {
        {&TCamposLocacao::Tr, TCampoLocacao::Tr, "Valor do periodo de retorno inconsistente."},
        {&TCamposLocacao::K, TCampoLocacao::K, "Valor do parâmetro \"K\" inconsistente."},
        {&TCamposLocacao::A, TCampoLocacao::A, "Valor do parâmetro \"a\" inconsistente."},
        {&TCamposLocacao::B, TCampoLocacao::B, "Valor do parâmetro \"b\" inconsistente."},
        {&TCamposLocacao::C, TCampoLocacao::C, "Valor do parâmetro \"c\" inconsistente."},
        {&TCamposLocacao::ZSm, TCampoLocacao::ZSm, "Valor da inclinação do murundum inconsistente."},
        {&TCamposLocacao::VIB, TCampoLocacao::VIB, "Valor da taxa de infiltração estável inconsistente."},
    };
    // Each field empty alone, and with every later field empty too.
    for (std::size_t i = 0; i < std::size(casos); ++i) {
        for (const bool seguintes : {false, true}) {
            TCamposLocacao c = Preenchidos();
            c.*casos[i].Campo = "";
            if (seguintes)
                for (std::size_t j = i + 1; j < std::size(casos); ++j)
                    c.*casos[j].Campo = "";
            const auto falha = ValidarCampos(c);
            ASSERT_TRUE(falha) << i;
            EXPECT_EQ(falha->Campo, casos[i].Esperado);
            EXPECT_EQ(falha->Mensagem, casos[i].Mensagem);
        }
    }
    // CDu may stay empty (it reads as 1); the typed EV or height counts only
    // for the arbitrated methods.
    TCamposLocacao c = Preenchidos();
    c.CoefUni.clear();
    c.EditEsp.clear();
    EXPECT_FALSE(ValidarCampos(c));
}

// A number out of its range is refused as an empty field is: a ridge face
// of slope 0 would give every terrace the bare 0.10 m, a return period or K
// of 0 no storm.
TEST(EntradaLocacao, ValoresForaDaFaixa)
{
    struct TCaso {
        std::string TCamposLocacao::*Campo;
        const char* Texto;
        int Metodo;
        TCampoLocacao Esperado;
        const char* Trecho;
    };
    const TCaso casos[] = {
        {&TCamposLocacao::Tr, "0", 1, TCampoLocacao::Tr, "periodo de retorno"},
        {&TCamposLocacao::Tr, "abc", 1, TCampoLocacao::Tr, "periodo de retorno"},
        {&TCamposLocacao::K, "-5", 1, TCampoLocacao::K, "\"K\""},
        {&TCamposLocacao::A, "-0,1", 1, TCampoLocacao::A, "\"a\""},
        {&TCamposLocacao::C, "0", 1, TCampoLocacao::C, "\"c\""},
        {&TCamposLocacao::ZSm, "0", 1, TCampoLocacao::ZSm, "inclinação do murundum"},
        {&TCamposLocacao::VIB, "-1", 1, TCampoLocacao::VIB, "infiltração estável"},
        {&TCamposLocacao::EditEsp, "0", kMetodoEVArbitrado, TCampoLocacao::EditEsp, "espaçamento vertical"},
        {&TCamposLocacao::EditEsp, "", kMetodoEVArbitrado, TCampoLocacao::EditEsp, "espaçamento vertical"},
        {&TCamposLocacao::EditEsp, "-0,4", kMetodoAlturaArbitrada, TCampoLocacao::EditEsp, "altura do terraço"},
    };
    ScopedDecimalSeparator virgula(',');
    for (const TCaso& k : casos) {
        SCOPED_TRACE(k.Texto);
        TCamposLocacao c = Preenchidos();
        c.Metodo = k.Metodo;
        c.*k.Campo = k.Texto;
        const auto falha = ValidarCampos(c);
        ASSERT_TRUE(falha);
        EXPECT_EQ(falha->Campo, k.Esperado);
        EXPECT_NE(falha->Mensagem.find(k.Trecho), std::string::npos) << falha->Mensagem;
    }
    // Zero is a valid a, b and VIB (no infiltration).
    TCamposLocacao c = Preenchidos();
    c.A = c.B = c.VIB = "0";
    EXPECT_FALSE(ValidarCampos(c));
}

TEST(EntradaLocacao, CaminhosDoProjeto)
{
    const fs::path pasta = fs::temp_directory_path() / "entrada-locacao-caminhos";
    fs::create_directories(pasta / "Imagens");
    const fs::path projeto = pasta / "projeto.vst";
    EXPECT_EQ(CaminhoDoProjeto(projeto, ""), fs::path());
    EXPECT_EQ(CaminhoDoProjeto(projeto, "elev.ras"), pasta / "elev.ras");
    EXPECT_EQ(CaminhoDoProjeto(projeto, "IMAGENS\\elev.ras"), pasta / "Imagens" / "elev.ras");
    EXPECT_EQ(CaminhoDoProjeto(projeto, "/dados/elev.ras"), fs::path("/dados/elev.ras"));
    fs::remove_all(pasta);
}
