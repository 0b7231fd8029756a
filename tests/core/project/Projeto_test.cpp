#include "project/Projeto.h"

#include "common/Cp1252.h"
#include "common/IniFile.h"
#include "common/Locale.h"
#include "rainfall/Estados.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>

using namespace vastrel;
using vastrel::test::ReadBytes;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;

namespace {

const std::filesystem::path kExemplos = std::filesystem::path(VASTREL_SOURCE_DIR) / "examples";

// A graded project with every kind of value a file holds.
void PreencherGradiente(TProjeto& p)
{
    p.IDProjeto.Nome = "Fazenda São João";
    p.IDProjeto.Tecnico = "Eng. Agr. Conceição";
    p.IDProjeto.Data = "01/02/2026";
    p.TipoSistema.Tipo = 1;
    p.Nimbra.Latitude = "22°42'29\"";
    p.Nimbra.Longitude = "47°37'03\"";
    p.Nimbra.StrCidade = "Piracicaba";
    p.Nimbra.IndEstado = 24;
    p.Nimbra.StrEstado = "São Paulo";
    p.Chuva().SetTr(10);
    p.Chuva().SetK(1773.932);
    p.Chuva().SetA(0.173);
    p.Chuva().SetB(24.999);
    p.Chuva().SetC(0.798);
    p.Terreno.SetVIB(12.5);
    p.Terreno.SetSt(0.0725);
    p.Terreno.nt = {0.1, 8};
    p.Terreno.Cobertura.UsoTerra.Indice = 4;
    p.Terreno.Cobertura.Tratamento.Indice = 2;
    p.Terreno.Cobertura.CondicaoHidrologica.Indice = 3;
    TTerracosGradiente& g = p.TerracosGradiente;
    g.SetB(1.25);
    g.Z = {1.5, 4};
    g.SetCDu(1.44);
    g.SetSc(0.004);
    g.SetComprimento(320);
    g.nc = {0.027, 4};
    g.Espacamento.SetEH(23.5);
    g.Espacamento.SetEV(1.70375);
    g.Espacamento.Metodologia.IndMetodologia = 3;
    p.Unidades.SetIndiceDeclividade(1);
    p.Unidades.SetIndiceVIB(2);
    p.Modulo = kModuloDimensionamento;
}

std::vector<std::string> Secoes(const std::string& bytes)
{
    std::vector<std::string> nomes;
    const std::string texto = Cp1252ToUtf8(bytes);
    const std::regex re("\\[([^\\]]+)\\]");
    for (auto it = std::sregex_iterator(texto.begin(), texto.end(), re); it != std::sregex_iterator(); ++it)
        nomes.push_back((*it)[1]);
    return nomes;
}

class ProjetoTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path arquivo = dir / "projeto.vst";
    ScopedDecimalSeparator virgula{','};
};

TEST_F(ProjetoTest, AProjectWrittenAndReadBackIsIdentical)
{
    TProjeto p;
    PreencherGradiente(p);
    p.Gravar(arquivo);
    const std::string primeiro = ReadBytes(arquivo);

    TProjeto q;
    q.Ler(arquivo);
    EXPECT_EQ(q.IDProjeto.Nome, "Fazenda São João");
    EXPECT_EQ(q.IDProjeto.Data, "01/02/2026");
    EXPECT_EQ(q.Nimbra.Latitude, "22°42'29\"");
    EXPECT_EQ(q.Nimbra.IndEstado, 24);
    EXPECT_DOUBLE_EQ(q.Chuva().K, 1773.932);
    EXPECT_DOUBLE_EQ(q.Chuva().KTra, p.Chuva().KTra);
    EXPECT_DOUBLE_EQ(q.Terreno.St, 0.0725);
    EXPECT_EQ(q.Terreno.nt.Indice, 8);
    EXPECT_EQ(q.Terreno.Cobertura.UsoTerra.Indice, 4);
    EXPECT_EQ(q.TerracosGradiente.Comprimento, 320);
    EXPECT_DOUBLE_EQ(q.TerracosGradiente.Z.Valor, 1.5);
    EXPECT_DOUBLE_EQ(q.TerracosGradiente.CDu, 1.44);
    EXPECT_DOUBLE_EQ(q.TerracosGradiente.Espacamento.EV, 1.70375);
    EXPECT_EQ(q.Unidades.UnidDeclividade, "%");
    EXPECT_EQ(q.Unidades.KDeclividade, 100);
    EXPECT_EQ(q.Unidades.UnidVIB, "m/dia");
    EXPECT_DOUBLE_EQ(q.Unidades.KVIB, 0.024);
    EXPECT_EQ(q.Modulo, "Dimensionamento");

    const std::filesystem::path segundo = dir / "segundo.vst";
    q.Gravar(segundo);
    EXPECT_EQ(ReadBytes(segundo), primeiro);
    EXPECT_NE(primeiro.find("K=1773,932\r\n"), std::string::npos);
    EXPECT_NE(primeiro.find("Nome=Fazenda S\xE3o Jo\xE3o\r\n"), std::string::npos);
}

TEST_F(ProjetoTest, ANewFileHoldsTheSectionsInTheirFixedOrder)
{
    TProjeto nivel;
    nivel.Modulo = kModuloLocacao;
    nivel.Gravar(arquivo);
    EXPECT_EQ(Secoes(ReadBytes(arquivo)),
              (std::vector<std::string>{"IDENTIFICACAO", "TipoSistema", "NIMBRA", "PRECIPITACAO",
                                        "PREC_EXPONENCIAL_NEGATIVA", "Cobertura", "Terreno", "Canal",
                                        "ESPAÇAMENTO", "TerracosNivel", "LOCACAONIVEL", "VASTREL3"}));
    const std::filesystem::path grad = dir / "g.vst";
    TProjeto g;
    PreencherGradiente(g);
    g.Gravar(grad);
    EXPECT_EQ(Secoes(ReadBytes(grad)),
              (std::vector<std::string>{"IDENTIFICACAO", "TipoSistema", "NIMBRA", "PRECIPITACAO",
                                        "PREC_EXPONENCIAL_NEGATIVA", "Cobertura", "Terreno", "Canal",
                                        "CanalGradiente", "ESPAÇAMENTO", "VASTREL3"}));
    // The place keys of "NIMBRA" follow its version inside its own section.
    const std::string texto = Cp1252ToUtf8(ReadBytes(grad));
    EXPECT_LT(texto.find("StrEstado=São Paulo"), texto.find("[PRECIPITACAO]"));
}

TEST_F(ProjetoTest, AHandEditedWindows1252FileWithDecimalCommasReads)
{
    TProjeto p;
    p.Ler(kExemplos / "nivel-triangular-piracicaba.vst");
    EXPECT_EQ(p.IDProjeto.Nome, "Sítio Boa Vista - talhão 3");
    EXPECT_EQ(p.Nimbra.StrEstado, "São Paulo");
    EXPECT_DOUBLE_EQ(p.Chuva().K, 1773.932);
    EXPECT_DOUBLE_EQ(p.Chuva().c, 0.798);
    EXPECT_DOUBLE_EQ(p.Terreno.St, 0.06);
    EXPECT_DOUBLE_EQ(p.TerracosNivel.Sm.Valor, 0.213);
    EXPECT_DOUBLE_EQ(p.TerracosNivel.CDu, 1.2);
    EXPECT_EQ(p.TerracosNivel.Espacamento.Cultura.Cultura, "Milho");
    EXPECT_EQ(p.Unidades.UnidDeclividade, "%");
    // The same file read with a point as the locale's separator.
    ScopedDecimalSeparator ponto('.');
    TProjeto q;
    q.Ler(kExemplos / "nivel-triangular-piracicaba.vst");
    EXPECT_DOUBLE_EQ(q.Chuva().K, 1773.932);
}

TEST_F(ProjetoTest, UnreadableFilesAreRefusedAndTheProjectIsClosed)
{
    const std::string valido = ReadBytes(kExemplos / "nivel-triangular-piracicaba.vst");
    const auto trocar = [&](const std::string& de, const std::string& para) {
        std::string s = valido;
        const auto pos = s.find(de);
        EXPECT_NE(pos, std::string::npos) << de;
        return s.replace(pos, de.size(), para);
    };
    const struct {
        const char* nome;
        std::string conteudo;
    } casos[] = {
        {"versao 2.0", trocar("[VASTREL3]\r\nVersao=3.0", "[VASTREL3]\r\nVersao=2.0")},
        {"sem cabecalho", trocar("[VASTREL3]", "[OUTRA]")},
        {"sem NIMBRA", trocar("[NIMBRA]", "[NIMBRAX]")},
        {"identificacao 1.0", trocar("[IDENTIFICACAO]\r\nVersao=1", "[IDENTIFICACAO]\r\nVersao=1.0")},
        {"tipo fora da faixa", trocar("Tipo=0", "Tipo=9")},
        {"indnt negativo", trocar("Indnt=0", "Indnt=-1")},
        {"cortado", valido.substr(0, valido.size() / 2)},
        {"binario", std::string("\x00\x01\xFF\xFE garbage", sizeof("\x00\x01\xFF\xFE garbage") - 1)},
        {"vazio", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        WriteBytes(arquivo, c.conteudo);
        TProjeto p;
        PreencherGradiente(p);
        try {
            p.Ler(arquivo);
            ADD_FAILURE() << "lido";
        } catch (const EArquivoProjeto& e) {
            EXPECT_EQ(std::string(e.what()), "Não foi possível abrir o arquivo " + arquivo.string() + ".");
            EXPECT_FALSE(e.Motivo.empty());
        }
        // Closed: every object back at its reset values.
        EXPECT_EQ(p.TipoSistema.Tipo, 0);
        EXPECT_EQ(p.IDProjeto.Nome, "");
        EXPECT_EQ(p.Chuva().K, 0);
        EXPECT_EQ(p.TerracosGradiente.Comprimento, 0);
    }
    TProjeto p;
    EXPECT_THROW(p.Ler(dir / "nao-existe.vst"), EArquivoProjeto);
    EXPECT_THROW(p.Ler(dir.Path()), EArquivoProjeto);
}

TEST_F(ProjetoTest, MissingTerraceSectionsOpenWithTheSystemAtItsDefaults)
{
    std::string s = ReadBytes(kExemplos / "nivel-triangular-piracicaba.vst");
    for (const char* secao : {"[Canal]", "[TerracosNivel]"})
        s.replace(s.find(secao), std::strlen(secao), "[Removida]");
    WriteBytes(arquivo, s);
    TProjeto p;
    p.Ler(arquivo);
    EXPECT_EQ(p.TerracosNivel.TipoCanal.Tipo, 1);
    EXPECT_EQ(p.TerracosNivel.CDu, 1);
    EXPECT_EQ(p.TerracosNivel.Sm.Indice, -1);
}

// A damaged terrace section leaves the system at its reset values, not half
// read: a spacing section that switches to the Paraná method and then lacks
// a key would otherwise keep the method with the soil name and X of the
// previous list, and the save would write that mixture.
TEST_F(ProjetoTest, ADamagedTerraceSectionLeavesTheSystemAtItsResetValues)
{
    std::string s = ReadBytes(kExemplos / "nivel-triangular-piracicaba.vst");
    s.replace(s.find("IndMetodologia=1"), 16, "IndMetodologia=2");
    s.erase(s.find("IndErosao=0\r\n"), 13);
    WriteBytes(arquivo, s);
    TProjeto p;
    p.Ler(arquivo);
    TTerracosNivel novo;
    novo.Zerar();
    const TEspacamento& e = p.TerracosNivel.Espacamento;
    EXPECT_EQ(e.Metodologia.IndMetodologia, novo.Espacamento.Metodologia.IndMetodologia);
    EXPECT_EQ(e.EH, novo.Espacamento.EH);
    EXPECT_EQ(e.Solo.TipoSolo, novo.Espacamento.Solo.TipoSolo);
    EXPECT_EQ(e.Solo.IndiceSolo, novo.Espacamento.Solo.IndiceSolo);
    EXPECT_EQ(p.TerracosNivel.CDu, novo.CDu);

    // Saved and reopened, it saves the same file.
    p.Gravar(dir / "primeira.vst");
    TProjeto q;
    q.Ler(dir / "primeira.vst");
    q.Gravar(dir / "segunda.vst");
    EXPECT_EQ(ReadBytes(dir / "segunda.vst"), ReadBytes(dir / "primeira.vst"));
}

TEST_F(ProjetoTest, SavingALevelProjectOverAGradedOneKeepsTheOldSections)
{
    TProjeto g;
    PreencherGradiente(g);
    g.Modulo = kModuloLocacao;
    g.Locacao.fnImgElev = "bacia.ras";
    g.Gravar(arquivo);

    TProjeto n;
    n.Ler(arquivo);
    EXPECT_EQ(n.Locacao.fnImgElev, "bacia.ras");
    n.TipoSistema.Tipo = 0;
    n.Modulo = kModuloDimensionamento;
    n.Gravar(arquivo);
    const std::vector<std::string> secoes = Secoes(ReadBytes(arquivo));
    EXPECT_NE(std::find(secoes.begin(), secoes.end(), "CanalGradiente"), secoes.end());
    EXPECT_NE(std::find(secoes.begin(), secoes.end(), "LOCACAONIVEL"), secoes.end());
    EXPECT_NE(std::find(secoes.begin(), secoes.end(), "TerracosNivel"), secoes.end());

    // Read back, the location keys are ignored unless the module asks for them.
    TProjeto r;
    r.Ler(arquivo);
    EXPECT_EQ(r.Locacao.fnImgElev, "");
    EXPECT_EQ(r.TipoSistema.Tipo, 0);
}

TEST_F(ProjetoTest, OldStormKeysAreMovedIntoTheirOwnSectionsOnRead)
{
    std::string s = ReadBytes(kExemplos / "nivel-triangular-piracicaba.vst");
    const auto inicio = s.find("[PRECIPITACAO]");
    const auto fim = s.find("[Cobertura]");
    s.erase(inicio, fim - inicio);
    s.insert(s.find("StrCidade="), "Tr=25\r\nK=1000,5\r\nA=0,2\r\nB=10\r\nC=0,8\r\nDuracao=0\r\nPrecipitacaoTotal=0\r\n");
    WriteBytes(arquivo, s);
    TProjeto p;
    p.Ler(arquivo);
    EXPECT_DOUBLE_EQ(p.Chuva().Tr, 25);
    EXPECT_DOUBLE_EQ(p.Chuva().K, 1000.5);
    TIniFile ini(arquivo);
    EXPECT_FALSE(ini.ValueExists("NIMBRA", "K"));
    EXPECT_EQ(ini.ReadString("PREC_EXPONENCIAL_NEGATIVA", "K", ""), "1000,5");
    EXPECT_EQ(ini.ReadString("PRECIPITACAO", "Versao", ""), "2");
}

TEST_F(ProjetoTest, AFailedSaveRaisesTheMessageAndWritesNothing)
{
    TProjeto p;
    const std::filesystem::path destino = dir / "sem-pasta" / "p.vst";
    try {
        p.Gravar(destino);
        FAIL();
    } catch (const EArquivoProjeto& e) {
        EXPECT_EQ(std::string(e.what()), "Não foi possível gravar o arquivo " + destino.string() + ".");
    }
    EXPECT_FALSE(std::filesystem::exists(destino));
}

TEST_F(ProjetoTest, TheResetGivesTheDefaultStateAndKeepsUnitsAndModule)
{
    TProjeto p;
    PreencherGradiente(p);
    p.Unidades.IndEstadoPadrao = 24;
    p.Zerar();
    EXPECT_EQ(p.Nimbra.IndEstado, 24);
    EXPECT_EQ(p.Nimbra.IndEstacao, 0);
    EXPECT_EQ(p.TipoSistema.Tipo, 0);
    EXPECT_EQ(p.IDProjeto.Data, TIDProjeto::DataDeHoje());
    EXPECT_EQ(p.Unidades.UnidDeclividade, "%");
    EXPECT_EQ(p.Modulo, "Dimensionamento");
}

TEST(IDProjetoTest, VersionRuleAndEmptyKeys)
{
    TempDir dir;
    const auto arquivo = dir / "id.vst";
    WriteBytes(arquivo, "[IDENTIFICACAO]\r\nVersao=1\r\n");
    TIDProjeto id;
    id.Nome = "antes";
    EXPECT_TRUE(id.Ler(arquivo));
    EXPECT_EQ(id.Nome, "");
    EXPECT_EQ(id.Data, "");
    WriteBytes(arquivo, "[IDENTIFICACAO]\r\nVersao=1.0\r\nNome=X\r\n");
    id.Nome = "antes";
    EXPECT_FALSE(id.Ler(arquivo));
    EXPECT_EQ(id.Nome, "antes");
    EXPECT_TRUE(std::regex_match(TIDProjeto::DataDeHoje(), std::regex("\\d\\d/\\d\\d/\\d{4}")));
}

TEST(Nimbra21Test, PositionsMissingFromTheFileAreNone)
{
    TempDir dir;
    const auto arquivo = dir / "n.vst";
    WriteBytes(arquivo, "[NIMBRA]\r\nVersao=1\r\nStrCidade=Viçosa\r\nIndEstado=99999\r\n");
    TNimbra21 n;
    EXPECT_EQ(n.IndEstacao, 0); // after a reset the first station is preselected
    EXPECT_TRUE(n.Ler(arquivo));
    EXPECT_EQ(n.IndEstacao, -1);
    EXPECT_EQ(n.IndLocalidade, -1);
    EXPECT_EQ(n.IndEstado, -1);
    EXPECT_EQ(n.StrCidade, "Viçosa");
    WriteBytes(arquivo, "[NIMBRA]\r\nVersao=2\r\n");
    EXPECT_FALSE(n.Ler(arquivo));
}

TEST(EstadoTest, IndexRange)
{
    TEstado e;
    e.SetIndice(24);
    EXPECT_EQ(e.Nome(), "São Paulo");
    try {
        e.SetIndice(27);
        FAIL();
    } catch (const ENumeroEstado& ex) {
        EXPECT_STREQ(ex.what(), " Não existe estado com índice igual a 27");
    }
    EXPECT_EQ(e.Indice, 24);
}

} // namespace

namespace {

TEST(UnidadesTest, KeysDefaultsAndConversion)
{
    TempDir dir;
    const auto arquivo = dir / "u.ini";
    WriteBytes(arquivo, "[PRINCIPAL]\r\nUDecli=%\r\nKDecli=0\r\nUVIB=m/dia\r\nKVIB=abc\r\n");
    TUnidades u;
    u.LerChaves(TIniFile(arquivo), "PRINCIPAL");
    // A multiplier that does not match its unit takes the unit's own.
    EXPECT_EQ(u.KDeclividade, 100);
    EXPECT_DOUBLE_EQ(u.KVIB, 0.024);
    WriteBytes(arquivo, "[PRINCIPAL]\r\nUDecli=graus\r\nKDecli=100\r\n");
    TUnidades porMultiplicador;
    porMultiplicador.LerChaves(TIniFile(arquivo), "PRINCIPAL");
    EXPECT_EQ(porMultiplicador.UnidDeclividade, "%");
    EXPECT_DOUBLE_EQ(u.MostrarDeclividade(0.05), 5.0);
    EXPECT_DOUBLE_EQ(u.GuardarDeclividade(5.0), 0.05);

    TUnidades padrao;
    padrao.LerChaves(TIniFile(dir / "nao-existe.ini"), "PRINCIPAL");
    EXPECT_EQ(padrao.UnidDeclividade, "m/m");
    EXPECT_EQ(padrao.KDeclividade, 1);
    EXPECT_EQ(padrao.UnidVIB, "mm/h");
    padrao.SetIndiceVIB(2);
    EXPECT_NEAR(padrao.MostrarVIB(10), 0.24, 1e-12);
    padrao.SetIndiceVIB(1);
    EXPECT_NEAR(padrao.MostrarVIB(10), 0.01, 1e-12);
    EXPECT_NEAR(padrao.GuardarVIB(0.01), 10, 1e-9);
}

} // namespace

namespace {

// An example file with some texts replaced, as bytes.
std::string Trocado(const std::string& exemplo, const std::vector<std::pair<std::string, std::string>>& trocas)
{
    std::string s = ReadBytes(kExemplos / exemplo);
    for (const auto& [de, para] : trocas) {
        const auto pos = s.find(de);
        EXPECT_NE(pos, std::string::npos) << de;
        if (pos != std::string::npos)
            s.replace(pos, de.size(), para);
    }
    return s;
}

} // namespace

TEST_F(ProjetoTest, ABadIndexInATerraceSectionIsAMessageAndTheRestReads)
{
    WriteBytes(arquivo, Trocado("gradiente-trapezoidal-vicosa.vst", {{"IndSolo=0", "IndSolo=5"}}));
    TProjeto p;
    ASSERT_NO_THROW(p.Ler(arquivo));
    ASSERT_EQ(p.AvisosLeitura.size(), 1u);
    EXPECT_NE(p.AvisosLeitura[0].find("Erro. Valor inválido do índice do solo."), std::string::npos);
    // The system stays at its reset values; the header after it reads.
    EXPECT_EQ(p.TerracosGradiente.Comprimento, 0);
    EXPECT_EQ(p.EspacamentoAtual().Solo.IndSolo, 0);
    EXPECT_EQ(p.Unidades.UnidDeclividade, "%");
    EXPECT_EQ(p.Modulo, kModuloDimensionamento);
    // An index the reader refuses without raising is said too.
    WriteBytes(arquivo, Trocado("gradiente-trapezoidal-vicosa.vst", {{"IndMetodologia=1", "IndMetodologia=9"}}));
    p.Ler(arquivo);
    EXPECT_EQ(p.AvisosLeitura.size(), 1u);
    // A channel over the dimensioning's limit reads, with the limit said.
    WriteBytes(arquivo, Trocado("gradiente-trapezoidal-vicosa.vst", {{"Comprimento=300", "Comprimento=2000"}}));
    p.Ler(arquivo);
    EXPECT_EQ(p.TerracosGradiente.Comprimento, 2000);
    ASSERT_EQ(p.AvisosLeitura.size(), 1u);
    EXPECT_NE(p.AvisosLeitura[0].find("1500"), std::string::npos);
}

TEST_F(ProjetoTest, EarlierLocationFilesReadInOneUnitPerField)
{
    // A location run of an earlier version left the mean slope in percent
    // in St and the arbitrated height in m in the level system's Hr.
    WriteBytes(arquivo, Trocado("locacao/locacao-hugo.vst",
                                {{"St=0,06", "St=22,7"}, {"IndMetodologia=1", "IndMetodologia=4"}, {"Hr=0", "Hr=0,6"}}));
    TProjeto p;
    p.Ler(arquivo);
    EXPECT_DOUBLE_EQ(p.Terreno.St, 0.227);
    EXPECT_DOUBLE_EQ(p.Locacao.DeclividadeMedia, 22.7);
    EXPECT_DOUBLE_EQ(p.Locacao.AlturaArbitrada, 0.6);
    EXPECT_DOUBLE_EQ(p.TerracosNivel.Hr, 0); // no dimensioning: no recommended height
    EXPECT_EQ(p.AvisosLeitura.size(), 1u);
    // Saved and read again, nothing is converted twice.
    p.Gravar(arquivo);
    TProjeto q;
    q.Ler(arquivo);
    EXPECT_DOUBLE_EQ(q.Terreno.St, 0.227);
    EXPECT_DOUBLE_EQ(q.Locacao.DeclividadeMedia, 22.7);
    EXPECT_DOUBLE_EQ(q.Locacao.AlturaArbitrada, 0.6);
    EXPECT_TRUE(q.AvisosLeitura.empty());
    // A slope above 1 m/m written by this version is the user's and stays.
    q.Terreno.SetSt(1.5);
    q.Gravar(arquivo);
    q.Ler(arquivo);
    EXPECT_DOUBLE_EQ(q.Terreno.St, 1.5);
    // Slopes up to 1 in earlier files are m/m.
    TProjeto r;
    r.Ler(kExemplos / "locacao" / "locacao-hugo.vst");
    EXPECT_DOUBLE_EQ(r.Terreno.St, 0.06);
    EXPECT_TRUE(r.AvisosLeitura.empty());
}

TEST_F(ProjetoTest, ResultsAreSavedOnlyWithTheInputsTheyBelongTo)
{
    TProjeto p;
    p.Ler(kExemplos / "gradiente-trapezoidal-vicosa.vst");
    p.TerracosGradiente.H = 0.2;
    p.TerracosGradiente.Hr = 32;
    p.TerracosGradiente.Q = 230;
    p.MarcarResultados();
    p.Gravar(arquivo);
    TProjeto q;
    q.Ler(arquivo);
    EXPECT_DOUBLE_EQ(q.TerracosGradiente.Q, 230);
    // An input changed after the calculation: the results no longer hold.
    q.Terreno.SetVIB(30);
    q.Gravar(arquivo);
    EXPECT_EQ(q.TerracosGradiente.Q, 0);
    TProjeto r;
    r.Ler(arquivo);
    EXPECT_EQ(r.TerracosGradiente.Q, 0);
    EXPECT_EQ(r.TerracosGradiente.H, 0);
    EXPECT_EQ(r.TerracosGradiente.Hr, 0);
    EXPECT_DOUBLE_EQ(r.Terreno.VIB, 30);
}
