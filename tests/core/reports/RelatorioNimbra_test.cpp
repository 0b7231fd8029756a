// The rainfall-equation report: its frame, the place and parameters as the
// consultation window shows them, and the map section of mapped states.

#include "reports/RelatorioNimbra.h"

#include <gtest/gtest.h>

using namespace vastrel;

namespace {

bool Tem(const std::string& html, const std::string& trecho) { return html.find(trecho) != std::string::npos; }

TDadosRelatorioNimbra Dados()
{
    TDadosRelatorioNimbra d;
    d.DataEmissao = "03/04/2027";
    d.PastaCabecalho = "/comuns";
    d.Cidade = "Goiânia";
    d.Estado = "Goiás";
    d.Latitude = "16°40'00\"";
    d.Longitude = "49°15'00\"";
    d.K = "1234,5";
    d.A = "0,15";
    d.B = "20";
    d.C = "0,9";
    return d;
}

} // namespace

TEST(RelatorioNimbra, EstacaoSemMapaTemMolduraLocalEParametrosSemSecaoDeMapa)
{
    const std::string h = RelatorioNimbra(Dados());
    const std::string titulo = "Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação";
    EXPECT_EQ(h.rfind("<HTML><HEAD><META NAME=\"Author\"", 0), 0u);
    EXPECT_TRUE(Tem(h, "<TITLE>" + titulo + "</TITLE></HEAD>"));
    EXPECT_TRUE(Tem(h, "<FONT SIZE=-2>Data de emissão do relatório: 03/04/2027</FONT></FONT></FONT><P>"));
    EXPECT_TRUE(Tem(h, "<CENTER><IMG SRC=\"/comuns/Cabecalho_Nimbra21.jpg\" HEIGHT=73 WIDTH=550></CENTER><HR>"));
    EXPECT_TRUE(Tem(h, "<FONT SIZE=+1><B>RELATÓRIO</B></FONT></FONT></CENTER><CENTER><FONT FACE=\"Arial\">"
                       "<FONT SIZE=3><B>" + titulo + "</B></FONT></FONT></CENTER><HR><P>"));
    const std::string nbsp8 = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
    EXPECT_TRUE(Tem(h, "<FONT SIZE=3><B>LOCALIZAÇÃO:</B></FONT><TABLE CELLPADDING=3><TR><TD>" + nbsp8 +
                           "<B>Localidade: </B>Goiânia</TD><TD>" + nbsp8 + "<B>Estado: </B>Goiás</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Latitude: </B>16°40'00&quot;</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>Longitude: </B>49°15'00&quot;</TD></TR></TABLE><P><P>"));
    EXPECT_TRUE(Tem(h, "<B>K: </B>1234,5</TD></TR>"));
    EXPECT_TRUE(Tem(h, "<B>c: </B>0,9</TD></TABLE><P><P></BODY></HTML>"));
    EXPECT_FALSE(Tem(h, "MAPA DE LOCALIZAÇÃO"));
    EXPECT_FALSE(Tem(h, "Bit.bmp"));
}

TEST(RelatorioNimbra, PontoNoMapaMostraAFiguraComSeuTamanho)
{
    TDadosRelatorioNimbra d = Dados();
    d.Cidade = "Não definida";
    d.Estado = "Minas Gerais";
    d.Mapa = TFiguraRelatorio{"Bit.bmp", 450, 450};
    const std::string h = RelatorioNimbra(d);
    EXPECT_TRUE(Tem(h, "<B>Localidade: </B>Não definida</TD>"));
    EXPECT_TRUE(Tem(h, "<P><P><FONT SIZE=3><B>MAPA DE LOCALIZAÇÃO:</B></FONT><TABLE CELLPADDING=3><TR><TD>"
                       "<CENTER><IMG SRC=\"Bit.bmp\" HEIGHT=450 WIDTH=450></CENTER></TD></TR></TABLE></TD>"
                       "</BODY></HTML>"));
}

TEST(RelatorioNimbra, ParametrosVaziosENomesComMarcacao)
{
    TDadosRelatorioNimbra d = Dados();
    d.K = d.A = d.B = d.C = "";
    d.Cidade = "Fazenda <Boa> & Cia";
    const std::string h = RelatorioNimbra(d);
    for (const char* rotulo : {"K: ", "a: ", "b: ", "c: "})
        EXPECT_TRUE(Tem(h, std::string("<B>") + rotulo + "</B></TD>")) << rotulo;
    EXPECT_TRUE(Tem(h, "Fazenda &lt;Boa&gt; &amp; Cia"));
}

TEST(RelatorioNimbra, FonteAvisoENotaTemSecaoPropria)
{
    TDadosRelatorioNimbra d = Dados();
    d.Fonte = "Compilação GRIDF-BR (Gomes Jr. et al. 2025); ANA 738030; 11 anos de registro";
    d.Aviso = "Equação implausível (a = 0,76 fora de 0,05 a 0,4).";
    d.Nota = "Nenhuma estação a menos de 50 km.";
    const std::string h = RelatorioNimbra(d);
    EXPECT_TRUE(Tem(h, "<FONT SIZE=3><B>FONTE DA EQUAÇÃO:</B></FONT><TABLE CELLPADDING=3><TR><TD>"));
    EXPECT_TRUE(Tem(h, "<B>Fonte: </B>Compilação GRIDF-BR (Gomes Jr. et al. 2025); ANA 738030; 11 anos de registro</TD>"));
    EXPECT_TRUE(Tem(h, "<B>Aviso: </B>Equação implausível"));
    EXPECT_TRUE(Tem(h, "<B>Nota: </B>Nenhuma estação a menos de 50 km.</TD>"));
    // Without any of them the section is left out (and the parameters end the body).
    EXPECT_FALSE(Tem(RelatorioNimbra(Dados()), "FONTE DA EQUAÇÃO"));
}
