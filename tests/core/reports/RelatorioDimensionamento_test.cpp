// The dimensioning reports: their frame, their rows by system and channel,
// the chart picture, and user text that must not break the markup.

#include "reports/RelatorioDimensionamento.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "dimensioning/EntradaDimensionamento.h"

#include <gtest/gtest.h>

using namespace vastrel;

namespace {

const std::string kExemplos = std::string(VASTREL_SOURCE_DIR) + "/examples/";

TOpcoesRelatorio Opcoes()
{
    TOpcoesRelatorio o;
    o.DataEmissao = "01/02/2027";
    o.PastaPrograma = "/prog";
    return o;
}

bool Tem(const std::string& html, const std::string& trecho) { return html.find(trecho) != std::string::npos; }

} // namespace

TEST(RelatorioDimensionamento, NivelTemMolduraLinhasEResultadosDoProjeto)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    p.Ler(kExemplos + "nivel-triangular-piracicaba.vst");
    const TResultadoDimensionamento r = Dimensionar(p);
    p.TerracosNivel.SetHr(r.Hr);
    const std::string h = RelatorioDimensionamento(p, Opcoes());

    EXPECT_EQ(h.rfind("<HTML><HEAD><META NAME=\"Author\"", 0), 0u);
    EXPECT_TRUE(Tem(h, "<TITLE>Dimensionamento de Sistemas de Terraceamento em Nível</TITLE></HEAD>"));
    EXPECT_TRUE(Tem(h, "<FONT SIZE=-2>Data de emissão do relatório: 01/02/2027</FONT></FONT></FONT><P>"));
    EXPECT_TRUE(Tem(h, "<CENTER><IMG SRC=\"/prog/Cabecalho.jpg\" HEIGHT=62 WIDTH=550></CENTER><HR>"));
    EXPECT_TRUE(Tem(h, "<TD colspan=2>&nbsp;&nbsp;&nbsp;&nbsp;<U><B>Canal</B></U></TD>"));
    EXPECT_TRUE(Tem(h, "<B>Seção: </B>Triangular</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Altura teórica: </B>" + FormatFloat("0.0", p.TerracosNivel.H * 100) + " cm</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Lâmina de escoamento superficial: </B>" + FormatFloat("#0.0", r.LES) + " mm</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Altura recomendada: </B>" + FormatFloat("0.0", r.Hr) + " cm</TD></TR></TABLE><P>"));
    EXPECT_TRUE(Tem(h, "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Uso da terra: </B>"));
    EXPECT_FALSE(Tem(h, "SIMULAÇÃO"));
    EXPECT_EQ(h.substr(h.size() - 20), "<P><P></BODY></HTML>");
}

TEST(RelatorioDimensionamento, GradienteComPercentualVazaoGuardadaEGrafico)
{
    ScopedDecimalSeparator virgula(',');
    TProjeto p;
    p.Ler(kExemplos + "gradiente-trapezoidal-vicosa.vst");
    p.Unidades.SetIndiceDeclividade(1); // "%"
    Dimensionar(p);
    p.TerracosGradiente.SetSc(0.005);
    p.TerracosGradiente.SetQ(12.345);
    TOpcoesRelatorio o = Opcoes();
    o.Grafico = TFiguraRelatorio{"Bit.bmp", 640, 480};
    const std::string h = RelatorioDimensionamento(p, o);

    EXPECT_TRUE(Tem(h, "<TITLE>Dimensionamento de Sistemas de Terraceamento com Gradiente</TITLE>"));
    EXPECT_TRUE(Tem(h, "<TD><B>Declividade: </B>0,5 %</TD>"));
    EXPECT_TRUE(Tem(h, "<TD >&nbsp;&nbsp;&nbsp;&nbsp;<B>Vazão: </B>12,35 L/s</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Seção: </B>Trapezoidal</TD>"));
    EXPECT_TRUE(Tem(h, "<TD><B>Base: </B> "));
    EXPECT_TRUE(Tem(h, "<FONT SIZE=3><B>SIMULAÇÃO</B></FONT><P><CENTER><TABLE CELLPADDING=3><TR><TD>"
                       "<CENTER><IMG SRC=\"Bit.bmp\" HEIGHT=480 WIDTH=640></CENTER></TD></TR></TABLE></CENTER></TD>"));
}

TEST(RelatorioDimensionamento, LinhasDoMetodoPorSistema)
{
    TProjeto p;
    p.Ler(kExemplos + "nivel-trapezoidal-londrina.vst");
    TEspacamento& e = p.EspacamentoAtual();
    e.Metodologia.IndMetodologia = 1;
    e.SetIndCultura(25);
    e.SetIndErosao(1);
    e.SetIndPreparo(3);
    std::string h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_TRUE(Tem(h, "<U><B>Método para cálculo do espaçamento entre terraços:</B></U> Lombardi Neto</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Cultura: </B>Milho</TD><TD colspan=2><B>Resistência à erosão: </B> Grupo B - Moderada</TD>"));
    EXPECT_TRUE(Tem(h, "<TD colspan=2>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Preparo do solo: </B> Grupo 4</TD>"));

    e.Metodologia.IndMetodologia = 0;
    e.Solo.Metodo = 1;
    e.Solo.SetIndSolo(1);
    h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_TRUE(Tem(h, "<TR> <TD colspan=2>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Tipo de solo: </B>"));

    p.TipoSistema.Tipo = 1;
    p.TerracosGradiente.Espacamento.Metodologia.IndMetodologia = 2;
    h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_TRUE(Tem(h, "<U><B>Método para cálculo de espaçamento entre terraços</B></U> -  Paraná</TD>"));
    EXPECT_TRUE(Tem(h, "<TR colspan=2> <TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>Tipo de solo: </B>"));
}

TEST(RelatorioDimensionamento, TextoDoUsuarioEscapado)
{
    TProjeto p;
    p.Ler(kExemplos + "nivel-triangular-piracicaba.vst");
    Dimensionar(p);
    p.IDProjeto.Nome = "Sítio <Boa> & \"Vista\"";
    p.Nimbra.StrCidade = "<script>";
    const std::string h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_TRUE(Tem(h, "<B>Nome: </B>Sítio &lt;Boa&gt; &amp; &quot;Vista&quot;</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Localidade: </B>&lt;script&gt;</TD>"));
    EXPECT_FALSE(Tem(h, "<Boa>"));
    EXPECT_FALSE(Tem(h, "<script>"));
}

TEST(RelatorioDimensionamento, FonteEAvisoDaEquacaoDeChuva)
{
    TProjeto p;
    p.Ler(kExemplos + "nivel-triangular-piracicaba.vst");
    Dimensionar(p);
    // An older project keeps no source: no row for it, nor a warning for a plausible storm.
    std::string h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_FALSE(Tem(h, "Fonte da equação"));
    EXPECT_FALSE(Tem(h, "<B>Aviso: </B>"));
    p.Nimbra.FonteEquacao = "Compilação GRIDF-BR (Gomes Jr. et al. 2025); ANA 2347001 <x>";
    h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_TRUE(Tem(h, "<B>Fonte da equação: </B>Compilação GRIDF-BR (Gomes Jr. et al. 2025); ANA 2347001 &lt;x&gt;</TD>"));
    // Bocaina do Sul's published equation: 516 mm/h for 10 years and 60 minutes.
    p.Chuva().SetK(9763);
    p.Chuva().SetA(0.1743);
    p.Chuva().SetB(9.1);
    p.Chuva().SetC(0.7887);
    h = RelatorioDimensionamento(p, Opcoes());
    EXPECT_TRUE(Tem(h, "<B>Aviso: </B>Equação implausível (i(10 anos, 60 min) = "));
}
