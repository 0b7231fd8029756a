#include "reports/RelatorioNimbra.h"

#include "common/Pastas.h"
#include "project/IDProjeto.h"

namespace vastrel {

const char* const kTituloRelatorioNimbra =
    "Parâmetros da Equação de Intensidade, Duração e Frequência da Precipitação";

namespace {

constexpr const char* kCabecalhoNimbra = "Cabecalho_Nimbra21.jpg";

// A table cell: eight blanks, the bold label, the value.
std::string Celula(const std::string& rotulo, const std::string& valor)
{
    return "<TD>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<B>" + rotulo + "</B>" + EscaparHtml(valor) +
           "</TD>";
}

std::string DimensaoFigura(int v) { return std::to_string(v < 0 ? 0 : (v > 9999 ? 9999 : v)); }

void Cabecalho(std::string& h, const TDadosRelatorioNimbra& d)
{
    const std::string titulo = kTituloRelatorioNimbra;
    const std::filesystem::path pasta = d.PastaCabecalho.empty() ? PastaArquivosComuns() : d.PastaCabecalho;
    h += "<HTML>";
    h += "<HEAD>";
    h += "<META NAME=\"Author\" CONTENT=\"Vastrel 3.0 - Nimbra 2.1\">";
    h += "<TITLE>" + titulo + "</TITLE>";
    h += "</HEAD>";
    h += "<FONT FACE=\"Arial\"><FONT COLOR=\"#000099\"><FONT SIZE=-2>Data de emissão do relatório: " +
         EscaparHtml(d.DataEmissao.empty() ? TIDProjeto::DataDeHoje() : d.DataEmissao) + "</FONT></FONT></FONT>";
    h += "<P>";
    h += "<CENTER><IMG SRC=\"" + EscaparHtml((pasta / kCabecalhoNimbra).generic_string()) +
         "\" HEIGHT=73 WIDTH=550></CENTER>";
    h += "<HR>";
    h += "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">";
    h += "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=+1><B>RELATÓRIO</B></FONT></FONT></CENTER>";
    h += "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=3><B>" + titulo + "</B></FONT></FONT></CENTER>";
    h += "<HR>";
    h += "<P>";
}

void Localizacao(std::string& h, const TDadosRelatorioNimbra& d)
{
    h += "<FONT SIZE=3><B>LOCALIZAÇÃO:</B></FONT>";
    h += "<TABLE CELLPADDING=3>";
    h += "<TR>" + Celula("Localidade: ", d.Cidade) + Celula("Estado: ", d.Estado) + "</TR>";
    h += "<TR>" + Celula("Latitude: ", d.Latitude) + "</TR>";
    h += "<TR>" + Celula("Longitude: ", d.Longitude) + "</TR>";
    h += "</TABLE>";
    h += "<P>";
    h += "<P>";
}

void Parametros(std::string& h, const TDadosRelatorioNimbra& d)
{
    h += "<FONT SIZE=3><B>PARÂMETROS DA EQUAÇÃO:</B></FONT>";
    h += "<TABLE CELLPADDING=3>";
    h += "<TR>" + Celula("K: ", d.K) + "</TR>";
    h += "<TR>" + Celula("a: ", d.A) + "</TR>";
    h += "<TR>" + Celula("b: ", d.B) + "</TR>";
    h += "<TR>" + Celula("c: ", d.C); // the table's end closes the last row
    h += "</TABLE>";
    h += "<P>";
    h += "<P>";
}

void Fonte(std::string& h, const TDadosRelatorioNimbra& d)
{
    if (d.Fonte.empty() && d.Aviso.empty() && d.Nota.empty())
        return;
    h += "<FONT SIZE=3><B>FONTE DA EQUAÇÃO:</B></FONT>";
    h += "<TABLE CELLPADDING=3>";
    if (!d.Fonte.empty())
        h += "<TR>" + Celula("Fonte: ", d.Fonte) + "</TR>";
    if (!d.Nota.empty())
        h += "<TR>" + Celula("Nota: ", d.Nota) + "</TR>";
    if (!d.Aviso.empty())
        h += "<TR>" + Celula("Aviso: ", d.Aviso) + "</TR>";
    h += "</TABLE>";
    h += "<P>";
}

void Mapa(std::string& h, const TFiguraRelatorio& f)
{
    h += "<FONT SIZE=3><B>MAPA DE LOCALIZAÇÃO:</B></FONT>";
    h += "<TABLE CELLPADDING=3>";
    h += "<TR>";
    h += "<TD>";
    h += "<CENTER><IMG SRC=\"" + EscaparHtml(f.Arquivo) + "\" HEIGHT=" + DimensaoFigura(f.Altura) +
         " WIDTH=" + DimensaoFigura(f.Largura) + "></CENTER>";
    h += "</TD>";
    h += "</TR>";
    h += "</TABLE>";
    h += "</TD>";
}

} // namespace

std::string RelatorioNimbra(const TDadosRelatorioNimbra& d)
{
    std::string h;
    Cabecalho(h, d);
    Localizacao(h, d);
    Parametros(h, d);
    Fonte(h, d);
    if (d.Mapa)
        Mapa(h, *d.Mapa);
    h += "</BODY>";
    h += "</HTML>";
    return h;
}

} // namespace vastrel
