// The location report: its inputs and results, the terrace table read back
// from the ".bdt" with its total length, and the table's failures.

#include "reports/RelatorioLocacao.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "gis/ErrosGis.h"
#include "gis/BDT.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace vastrel;
namespace fs = std::filesystem;

namespace {

const std::string kExemplos = std::string(VASTREL_SOURCE_DIR) + "/examples/";

bool Tem(const std::string& html, const std::string& trecho) { return html.find(trecho) != std::string::npos; }

std::size_t Contar(const std::string& html, const std::string& trecho)
{
    std::size_t n = 0;
    for (auto i = html.find(trecho); i != std::string::npos; i = html.find(trecho, i + 1))
        ++n;
    return n;
}

// The example project as a finished run left it, with its own terrace table.
class RelatorioLocacaoTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        pasta = fs::temp_directory_path() / ("relatorio-locacao-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(pasta);
        p.Ler(kExemplos + "locacao/locacao-hugo.vst");
        r.ImgElev = pasta / "elevacao.ras";
        r.ImgDecli = pasta / "declividade.ras";
        r.VetSaida = pasta / "terracos.vet";
        r.Qualidade.AreaBacia = 12.3456;
        r.Qualidade.AreaDrenada = 11.5;
        r.Qualidade.AreaRestante = 0.8456;
        r.Qualidade.Terracos = 3;
        r.Qualidade.Morros = 1;
        r.Qualidade.EspacamentoMin = 12.25;
        r.Qualidade.EspacamentoMediano = 30;
        r.Qualidade.EspacamentoMax = 41.5;
        r.Qualidade.LadoCelula = 2.5;
        r.Avisos = {"Uma <faixa> estreita."};
        r.DeclividadeMedia = 6.126; // mean slope of the watershed, %
        r.LES = p.Terreno.CalculaLES(p.Chuva());
        r.SelecaoTipoTerraco.MetTipoTerraco = 2;
        r.SelecaoTipoTerraco.Seleciona(6.126);
        o.DataEmissao = "01/02/2027";
        o.PastaPrograma = "/prog";
    }
    void TearDown() override { fs::remove_all(pasta); }

    void GravarTabela(const std::vector<TRegTerr>& registros)
    {
        TBDT t;
        for (const TRegTerr& reg : registros)
            t.Adicionar(reg);
        t.Salvar(pasta / "terracos.bdt");
    }

    fs::path pasta;
    TProjeto p;
    TResultadoLocacao r;
    TOpcoesRelatorio o;
};

} // namespace

TEST_F(RelatorioLocacaoTeste, TresTerracosNumeradosComTotalDosComprimentos)
{
    ScopedDecimalSeparator virgula(',');
    GravarTabela({{1, 1690.5, 5.25, 120.5, 1500.25, 1.8, 0.3251},
                  {2, 1688.75, 4.5, 200.126, 2500, 1.75, 0.41},
                  {3, 1687, 4, 99.004, 800.5, 1.7, 0.5}});
    const std::string h = RelatorioLocacao(p, r, o);

    EXPECT_TRUE(Tem(h, "<TITLE>Locação de Sistemas de Terraceamento em Nível</TITLE>"));
    EXPECT_TRUE(Tem(h, "<FONT SIZE=3><B>Locação de Sistemas de Terraceamento em Nível</B></FONT></FONT></CENTER>"));
    EXPECT_TRUE(Tem(h, "<TR  ALIGN=CENTER VALIGN=CENTER><TD><B>Vastrel</B></TD><TD><B>Cota</B></TD>"));
    EXPECT_TRUE(Tem(h, "<TD><B>Altura do terraço(m)</B></TD></TR>"));
    EXPECT_EQ(Contar(h, "<TR ALIGN=CENTER VALIGN=CENTER>"), 3u);
    EXPECT_TRUE(Tem(h, "<TR ALIGN=CENTER VALIGN=CENTER><TD>1</TD><TD>1690,500</TD><TD>1,80</TD><TD>5,25</TD>"
                       "<TD>120,5</TD><TD>1500,25</TD><TD>0,325</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<TD>2</TD><TD>1688,750</TD><TD>1,75</TD><TD>4,5</TD><TD>200,13</TD><TD>2500,0</TD><TD>0,41</TD>"));
    EXPECT_TRUE(Tem(h, "<TD>3</TD><TD>1687,000</TD><TD>1,70</TD><TD>4,0</TD><TD>99,0</TD><TD>800,5</TD><TD>0,5</TD>"));
    // 120.5 + 200.126 + 99.004 = 419.63 m
    EXPECT_TRUE(Tem(h, "<TR><TD colspan=7><B>Comprimento total de terraços: </B>419,63 m</TD></TR></TABLE></CENTER>"));
    EXPECT_EQ(h.substr(h.size() - 25), "</UL><P><P></BODY></HTML>");
}

// The quality summary closes the report, with every warning, escaped.
TEST_F(RelatorioLocacaoTeste, ResumoDaQualidade)
{
    ScopedDecimalSeparator virgula(',');
    GravarTabela({});
    const std::string h = RelatorioLocacao(p, r, o);
    EXPECT_TRUE(Tem(h, "QUALIDADE DA LOCAÇÃO"));
    EXPECT_TRUE(Tem(h, "<LI>Área da bacia: 12,35 ha</LI>"));
    EXPECT_TRUE(Tem(h, "<LI>Área drenada pelos terraços: 11,50 ha (93,2 %)</LI>"));
    EXPECT_TRUE(Tem(h, "Área abaixo do último terraço (sem terraço a jusante): 0,85 ha"));
    EXPECT_TRUE(Tem(h, "Terraços: 3, dos quais fechados: 1 (1 em morros, 0 em depressões)"));
    EXPECT_TRUE(Tem(h, "mínimo 12,3 m, mediano 30,0 m, máximo 41,5 m (célula de 2,5 m)"));
    EXPECT_TRUE(Tem(h, "<LI>Aviso: Uma &lt;faixa&gt; estreita.</LI>"));
}

TEST_F(RelatorioLocacaoTeste, EntradasEResultadosDaUltimaLocacao)
{
    ScopedDecimalSeparator virgula(',');
    GravarTabela({});
    const std::string h = RelatorioLocacao(p, r, o);

    // The example: Lombardi Neto, slopes in %, CDu 1.2, Sm 0.213 m/m, VIB 25 mm/h.
    EXPECT_TRUE(Tem(h, "<TR><TD colspan=3>&nbsp;&nbsp;&nbsp;&nbsp;<U><B>Método para cálculo de espaçamento entre "
                       "terraços:</B></U> Lombardi Neto</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Cultura: </B>Milho</TD><TD><B>Resistência à erosão: </B> Grupo A - Alta</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Preparo do solo: </B> Grupo 2</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<TR><TD colspan=3>&nbsp;&nbsp;&nbsp;&nbsp;<U><B>Canal</B></U></TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Coeficiente de desuniformidade: </B>1,2</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<TD colspan=3>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Declividade da parede do "
                       "canal: </B>21,3 %</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Taxa de infiltração estável (Tie): </B>25 mm/h</TD>"));
    EXPECT_TRUE(Tem(h, "<U><B>Cobertura Vegetal</B></U></TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Condição Hidrológica: </B>"));
    EXPECT_TRUE(Tem(h, "<B>Imagem de elevação: </B>" + (pasta / "elevacao.ras").string() + "</TD>"));
    EXPECT_TRUE(Tem(h, "<U><B>Arquivo do vetor de saída: </B></U></TD></TR>"));
    EXPECT_TRUE(Tem(h, "<TABLE CELLPADDING=3><TR><TD colspan=1>&nbsp;&nbsp;&nbsp;&nbsp;<B>Área (ha): </B>12,35</TD>"
                       "<TD><B>Declividade média da área (%): </B>6,13</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<TR><TD  colspan=1>&nbsp;&nbsp;&nbsp;&nbsp;<B>Lâmina de escoamento superficial (mm): </B>" +
                           FormatFloat("#0.0", r.LES) +
                           "</TD><TD><B>Tipo de terraço: </B>Terraços de Base Larga</TD></TR></TABLE><P>"));
    EXPECT_TRUE(Tem(h, "<B>Comprimento total de terraços: </B>0,0 m</TD>"));
}

TEST_F(RelatorioLocacaoTeste, LinhasDoMetodo)
{
    GravarTabela({});
    p.TerracosNivel.Espacamento.Metodologia.IndMetodologia = 0;
    p.TerracosNivel.Espacamento.Solo.Metodo = 1;
    p.TerracosNivel.Espacamento.Solo.SetIndSolo(1);
    std::string h = RelatorioLocacao(p, r, o);
    EXPECT_TRUE(Tem(h, "<TR colspan=3> <TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Tipo de solo: "
                       "</B>Solos de textura média</TD></TR>"));
    EXPECT_FALSE(Tem(h, "Cultura: "));

    p.TerracosNivel.Espacamento.Metodologia.IndMetodologia = 4;
    h = RelatorioLocacao(p, r, o);
    EXPECT_TRUE(Tem(h, "terraços:</B></U> " + p.TerracosNivel.Espacamento.Metodologia.Nome() + "</TD></TR><TR><TD "
                                                                                                "colspan=3>"));
    EXPECT_FALSE(Tem(h, "Tipo de solo: "));
    EXPECT_FALSE(Tem(h, "Cultura: "));
}

TEST_F(RelatorioLocacaoTeste, TabelaDeOutraVersaoAusenteOuTruncada)
{
    ScopedDecimalSeparator virgula(',');
    {
        std::ofstream f(pasta / "terracos.bdt", std::ios::binary);
        const char cabecalho[5] = {2, 1, 0, 0, 0};
        f.write(cabecalho, 5);
        f.write(std::string(52, '\0').data(), 52);
    }
    std::string h = RelatorioLocacao(p, r, o);
    EXPECT_EQ(Contar(h, "<TR ALIGN=CENTER VALIGN=CENTER>"), 0u);
    EXPECT_TRUE(Tem(h, "<B>Comprimento total de terraços: </B>0,0 m</TD>"));

    // A table cut inside its second record keeps the first.
    GravarTabela({{1, 10, 1, 50.5, 1, 1, 1}, {2, 9, 1, 60, 1, 1, 1}});
    fs::resize_file(pasta / "terracos.bdt", kTamanhoCabecalhoBDT + kTamanhoRegistroBDT + 10);
    h = RelatorioLocacao(p, r, o);
    EXPECT_EQ(Contar(h, "<TR ALIGN=CENTER VALIGN=CENTER>"), 1u);
    EXPECT_TRUE(Tem(h, "<B>Comprimento total de terraços: </B>50,5 m</TD>"));

    fs::remove(pasta / "terracos.bdt");
    EXPECT_THROW(RelatorioLocacao(p, r, o), gis::EArquivoGis);
}

TEST_F(RelatorioLocacaoTeste, TextoDoUsuarioEscapado)
{
    GravarTabela({});
    p.IDProjeto.Nome = "Sítio <Hugo> & \"filhos\"";
    r.VetSaida = pasta / "a<b>&c.vet";
    GravarTabela({});
    fs::copy_file(pasta / "terracos.bdt", pasta / "a<b>&c.bdt");
    const std::string h = RelatorioLocacao(p, r, o);
    EXPECT_TRUE(Tem(h, "<B>Nome: </B>Sítio &lt;Hugo&gt; &amp; &quot;filhos&quot;</TD>"));
    EXPECT_TRUE(Tem(h, "a&lt;b&gt;&amp;c.vet</TD>"));
    EXPECT_FALSE(Tem(h, "<Hugo>"));
}
