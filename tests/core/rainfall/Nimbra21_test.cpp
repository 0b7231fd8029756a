#include "rainfall/Nimbra21.h"

#include "common/IniFile.h"
#include "common/Locale.h"
#include "common/Pastas.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace vastrel;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

// A consultation window that records what it is given and answers as told.
struct RegistroJanela {
    int criadas = 0;
    int destruidas = 0;
    int helpContext = -1;
    bool preparada = false;
    TPreparoConsulta preparo;
};

class JanelaDeTeste : public TJanelaConsulta {
public:
    JanelaDeTeste(RegistroJanela& registro, bool confirmar, TRetornoConsulta retorno)
        : registro_(registro), confirmar_(confirmar), retorno_(std::move(retorno)) { ++registro_.criadas; }
    ~JanelaDeTeste() override { ++registro_.destruidas; }
    void Preparar(const TPreparoConsulta& p) override
    {
        registro_.preparada = true;
        registro_.preparo = p;
    }
    bool Executar() override { return confirmar_; }
    TRetornoConsulta Retorno() const override { return retorno_; }

private:
    RegistroJanela& registro_;
    bool confirmar_;
    TRetornoConsulta retorno_;
};

TRetornoConsulta Escolha()
{
    TRetornoConsulta r;
    r.IndEstado = 12;
    r.TextoK = "1476,521";
    r.TextoA = "0.183";
    r.TextoB = "17,621";
    r.TextoC = "0,842";
    r.Fonte = "Interpolação";
    r.Latitude = "19°55'00\"";
    r.Longitude = "43°56'00\"";
    r.IndEstacao = -1;
    r.IndLocalidade = -1;
    r.Cidade = "Não definida";
    r.FonteCompleta = "Interpolação das chuvas de 2 estações";
    return r;
}

// A program folder with the shared data folder beside it.
class ConsultarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir_ / "bin");
        std::filesystem::create_directories(dir_ / "Arquivos Comuns");
        WriteBytes(dir_ / "Arquivos Comuns" / "Estados_Nimbra21.bin", "x");
        WriteBytes(dir_ / "Arquivos Comuns" / "Localidades_Nimbra21.bin", "x");
        DefinirPastaPrograma(dir_ / "bin");
        n_.Precipitacao.SetTr(10);
        n_.Precipitacao.SetK(1000);
        n_.Precipitacao.SetA(0.15);
        n_.IndEstado = 12;
        n_.StrEstado = "Minas Gerais";
        n_.HelpContext = 7;
        n_.Latitude = "20°00'00\"";
        n_.Longitude = "  °  '  \"";
        n_.StrCidade = "Antes";
        Janela(true, Escolha());
    }
    void TearDown() override { DefinirPastaPrograma({}); }

    void Janela(bool confirmar, TRetornoConsulta retorno)
    {
        n_.CriarJanelaConsulta = [this, confirmar, retorno](int help) {
            registro_.helpContext = help;
            return std::make_unique<JanelaDeTeste>(registro_, confirmar, retorno);
        };
    }

    std::string Mensagem()
    {
        try {
            n_.Consultar();
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }

    // Nothing of the component changed since SetUp.
    void ConferirIntacto()
    {
        EXPECT_EQ(n_.Precipitacao.K, 1000);
        EXPECT_EQ(n_.Precipitacao.a, 0.15);
        EXPECT_EQ(n_.Precipitacao.b, 0);
        EXPECT_EQ(n_.StrCidade, "Antes");
        EXPECT_EQ(n_.Latitude, "20°00'00\"");
        EXPECT_EQ(n_.StrEstado, "Minas Gerais");
        EXPECT_EQ(n_.IndEstacao, 0);
        EXPECT_EQ(n_.Autoria, "");
    }

    TempDir dir_;
    TNimbra21 n_;
    RegistroJanela registro_;
};

TEST_F(ConsultarTest, PresetsHandedToTheWindowAndValuesTakenBack)
{
    ScopedDecimalSeparator virgula(',');
    ASSERT_TRUE(n_.Consultar());
    EXPECT_EQ(registro_.helpContext, 7);
    ASSERT_TRUE(registro_.preparada);
    const TPreparoConsulta& p = registro_.preparo;
    EXPECT_EQ(p.Estado.Indice, 12);
    EXPECT_EQ(p.IndEstacao, 0);
    EXPECT_EQ(p.IndLocalidade, 0);
    EXPECT_EQ(p.Registro.K, 1000);
    EXPECT_EQ(p.Registro.A, 0.15);
    EXPECT_EQ(p.Registro.B, 0);
    EXPECT_EQ(p.TextoK, "1000,000");
    EXPECT_EQ(p.TextoA, "0,1500");
    EXPECT_EQ(p.TextoB, "0,000");
    EXPECT_EQ(p.TextoC, "0,0000");
    EXPECT_EQ(p.Latitude, "20°00'00\"");
    EXPECT_EQ(p.Longitude, ""); // the blank mask is no coordinate
    EXPECT_EQ(registro_.destruidas, 1);

    // The parameter fields are read with either separator.
    EXPECT_EQ(n_.Precipitacao.K, 1476.521);
    EXPECT_EQ(n_.Precipitacao.a, 0.183);
    EXPECT_EQ(n_.Precipitacao.b, 17.621);
    EXPECT_EQ(n_.Precipitacao.c, 0.842);
    EXPECT_EQ(n_.Precipitacao.Tr, 10); // never changed by the database
    EXPECT_EQ(n_.IndEstado, 12);
    EXPECT_EQ(n_.StrEstado, "Minas Gerais");
    EXPECT_EQ(n_.Autoria, "Interpolação");
    EXPECT_EQ(n_.Latitude, "19°55'00\"");
    EXPECT_EQ(n_.Longitude, "43°56'00\"");
    EXPECT_EQ(n_.IndEstacao, -1);
    EXPECT_EQ(n_.IndLocalidade, -1);
    EXPECT_EQ(n_.StrCidade, "Não definida");
    EXPECT_EQ(n_.FonteEquacao, "Interpolação das chuvas de 2 estações");
}

TEST_F(ConsultarTest, CancelChangesNothing)
{
    Janela(false, Escolha());
    EXPECT_FALSE(n_.Consultar());
    EXPECT_EQ(registro_.destruidas, 1);
    ConferirIntacto();
}

TEST_F(ConsultarTest, UnacceptableValuesFromTheWindowChangeNothing)
{
    // An empty field (typed coordinates outside the state), a negative
    // parameter, a state outside the table: all refused before any change.
    TRetornoConsulta vazio = Escolha();
    vazio.TextoC = "";
    TRetornoConsulta negativo = Escolha();
    negativo.TextoB = "-1";
    TRetornoConsulta estado = Escolha();
    estado.IndEstado = 27;
    for (const TRetornoConsulta& r : {vazio, negativo, estado}) {
        Janela(true, r);
        EXPECT_NE(Mensagem(), "");
        ConferirIntacto();
    }
    EXPECT_EQ(registro_.criadas, registro_.destruidas);
}

TEST_F(ConsultarTest, MissingDatabaseOrStateStopsBeforeTheWindow)
{
    n_.IndEstado = -1;
    EXPECT_EQ(Mensagem(), "É necessário entrar com um índice para o estado");
    EXPECT_EQ(registro_.criadas, 1);
    EXPECT_EQ(registro_.destruidas, 1);
    EXPECT_FALSE(registro_.preparada);

    n_.IndEstado = 12;
    std::filesystem::remove(dir_ / "Arquivos Comuns" / "Localidades_Nimbra21.bin");
    EXPECT_EQ(Mensagem(), "Erro. Não foi possível localizar o banco de dados contendo as localidades.");
    std::filesystem::remove(dir_ / "Arquivos Comuns" / "Estados_Nimbra21.bin");
    EXPECT_EQ(Mensagem(), "Erro. Não foi possível localizar o banco de dados contendo os estados.");
    std::filesystem::remove_all(dir_ / "Arquivos Comuns");
    EXPECT_EQ(Mensagem(), "Erro. Não foi possível localizar a pasta contendo o banco de dados.");
    EXPECT_EQ(registro_.criadas, 1);
    ConferirIntacto();
}

TEST(Nimbra21Test, SectionWrittenInOrderAndReadBack)
{
    TempDir dir;
    const auto arquivo = dir / "p.vst";
    TNimbra21 n;
    n.Latitude = "19°55'00\"";
    n.Longitude = "43°56'00\"";
    n.IndEstacao = 3;
    n.IndLocalidade = -1;
    n.StrCidade = "Belo Horizonte";
    n.IndEstado = 12;
    n.StrEstado = "Minas Gerais";
    n.Autoria = "não gravada";
    n.Precipitacao.SetK(1234.5);
    n.FonteEquacao = "Compilação GRIDF-BR (Gomes Jr. et al. 2025); INMET 83842; 1961-1990";
    ASSERT_TRUE(n.Gravar(arquivo));

    // The keys of "NIMBRA" in their order; the storm's own sections follow.
    const std::string texto = TIniFile(arquivo).Text();
    std::size_t anterior = texto.find("[NIMBRA]");
    for (const char* chave : {"Versao=1", "Latitude=", "Longitude=", "IndEstacao=3", "IndLocalidade=-1",
                              "StrCidade=", "IndEstado=12", "StrEstado=", "FonteEquacao=", "[PRECIPITACAO]"}) {
        const std::size_t pos = texto.find(chave);
        EXPECT_LT(anterior, pos) << chave;
        anterior = pos;
    }
    EXPECT_EQ(texto.find("Autoria"), std::string::npos);

    TNimbra21 lido;
    ASSERT_TRUE(lido.Ler(arquivo));
    EXPECT_EQ(lido.Latitude, n.Latitude);
    EXPECT_EQ(lido.IndEstacao, 3);
    EXPECT_EQ(lido.IndLocalidade, -1);
    EXPECT_EQ(lido.StrCidade, "Belo Horizonte");
    EXPECT_EQ(lido.IndEstado, 12);
    EXPECT_EQ(lido.Precipitacao.K, 1234.5);
    EXPECT_EQ(lido.Autoria, "");
    EXPECT_EQ(lido.FonteEquacao, n.FonteEquacao);

    // A project written before the source was kept still reads, without it.
    TIniFile antigo(arquivo);
    antigo.DeleteKey("NIMBRA", "FonteEquacao");
    antigo.UpdateFile();
    TNimbra21 velho;
    ASSERT_TRUE(velho.Ler(arquivo));
    EXPECT_EQ(velho.StrCidade, "Belo Horizonte");
    EXPECT_EQ(velho.FonteEquacao, "");
}

} // namespace
