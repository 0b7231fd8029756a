#include "reports/ModeloRelatorio.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "project/IDProjeto.h"
#include "project/Projeto.h"
#include "rainfall/EquacaoIdf.h"
#include "reports/RelatorioDimensionamento.h"

namespace vastrel::relatorio {

const char* const kNbsp4 = "&nbsp;&nbsp;&nbsp;&nbsp;";
const char* const kNbsp8 = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

namespace {

const char* const kNbsp12 = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";

std::string AbreTD(int colunas)
{
    return colunas > 0 ? "<TD colspan=" + std::to_string(colunas) + ">" : std::string("<TD>");
}

// The folder of the header picture, with its trailing separator.
std::string PastaCabecalho(const std::filesystem::path& pastaPrograma)
{
    std::filesystem::path base = pastaPrograma;
    if (base.empty()) {
        std::error_code erro;
        base = PastaPrograma();
        if (!std::filesystem::exists(base / "Cabecalho.jpg", erro))
            base = PastaArquivosComuns();
    }
    std::string pasta = base.string();
    if (!pasta.empty() && pasta.back() != '/' && pasta.back() != '\\')
        pasta += '/';
    return pasta;
}

} // namespace

std::string Titulo(const std::string& t) { return "<FONT SIZE=3><B>" + t + "</B></FONT>"; }

std::string Cabeca(int n, const std::string& t) { return AbreTD(n) + kNbsp4 + "<U><B>" + t + "</B></U></TD>"; }

std::string Item(const std::string& rotulo, const std::string& valor, int n)
{
    return AbreTD(n) + kNbsp8 + "<B>" + rotulo + "</B>" + valor + "</TD>";
}

std::string ItemFundo(const std::string& rotulo, const std::string& valor, int n)
{
    return AbreTD(n) + kNbsp12 + "<B>" + rotulo + "</B>" + valor + "</TD>";
}

std::string Segunda(const std::string& rotulo, const std::string& valor, int n)
{
    return (n > 0 ? "<TD colspan=" + std::to_string(n) + "><B>" : std::string("<TD><B>")) + rotulo + "</B>" +
           valor + "</TD>";
}

std::string Linha(const std::string& celulas) { return "<TR>" + celulas + "</TR>"; }

void Identificacao(TTexto& h, const TIDProjeto& id)
{
    h << Titulo("IDENTIFICAÇÃO DO PROJETO");
    h << "<TABLE COLS=3 WIDTH=\"100%\">";
    h << Linha(std::string("<TD>") + kNbsp4 + "<B>Nome: </B>" + EscaparHtml(id.Nome) + "</TD>" +
               "<TD><B>Empresa: </B>" + EscaparHtml(id.Empresa) + "</TD>");
    h << Linha(std::string("<TD>") + kNbsp4 + "<B>Técnico: </B>" + EscaparHtml(id.Tecnico) + "</TD>" +
               "<TD><B>Local: </B>" + EscaparHtml(id.Local) + "</TD>");
    h << Linha(std::string("<TD>") + kNbsp4 + "<B>Estado: </B>" + EscaparHtml(id.Estado) + "</TD>" +
               "<TD><B>Data: </B>" + EscaparHtml(id.Data) + "</TD>");
    h << "</TABLE>";
    h << "<P>";
}

void Chuva(TTexto& h, TProjeto& p)
{
    const TPrecipitacaoExponencialNegativa& c = p.Chuva();
    const TNimbra21& n = p.Nimbra;
    h << Linha(std::string("<TD colspan=2>") + kNbsp4 +
               "<B><U>Parâmetros da equação de chuvas intensas</U></B></TD>");
    h << Linha(Item("T: ", FloatToStr(c.Tr) + " anos") + Segunda("Estado: ", EscaparHtml(n.StrEstado)));
    h << Linha(Item("K: ", FormatFloat("#0.000", c.K)) + Segunda("Localidade: ", EscaparHtml(n.StrCidade)));
    h << Linha(Item("a: ", FormatFloat("#0.000", c.a)) + Segunda("Latitude: ", EscaparHtml(n.Latitude)));
    h << Linha(Item("b: ", FormatFloat("#0.000", c.b)) + Segunda("Longitude: ", EscaparHtml(n.Longitude)));
    h << Linha(Item("c: ", FormatFloat("#0.000", c.c)));
    if (!n.FonteEquacao.empty())
        h << Linha(std::string("<TD colspan=2>") + kNbsp4 + "<B>Fonte da equação: </B>" + EscaparHtml(n.FonteEquacao) +
                   "</TD>");
    const std::string aviso = AvisoIntensidade(c.K, c.a, c.b, c.c);
    if (c.K > 0 && !aviso.empty())
        h << Linha(std::string("<TD colspan=2>") + kNbsp4 + "<B>Aviso: </B>" + EscaparHtml(aviso) + "</TD>");
}

std::string Documento(const std::string& titulo, const std::string& dataEmissao,
                      const std::filesystem::path& pastaPrograma, const std::function<void(TTexto&)>& corpo)
{
    TTexto h;
    h << "<HTML>";
    h << "<HEAD>";
    h << "<META NAME=\"Author\" CONTENT=\"Vastrel 3.0\">";
    h << "<TITLE>" + titulo + "</TITLE>";
    h << "</HEAD>";
    h << "<FONT FACE=\"Arial\"><FONT COLOR=\"#000099\"><FONT SIZE=-2>Data de emissão do relatório: " +
             EscaparHtml(dataEmissao.empty() ? TIDProjeto::DataDeHoje() : dataEmissao) + "</FONT></FONT></FONT>";
    h << "<P>";
    h << "<CENTER><IMG SRC=\"" + EscaparHtml(PastaCabecalho(pastaPrograma)) +
             "Cabecalho.jpg\" HEIGHT=62 WIDTH=550></CENTER>";
    h << "<HR>";
    h << "<BODY TEXT=\"#000000\" BGCOLOR=\"#FFFFFF\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\">";
    h << "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=3><B>RELATÓRIO</B></FONT></FONT></CENTER>";
    h << "<CENTER><FONT FACE=\"Arial\"><FONT SIZE=3><B>" + titulo + "</B></FONT></FONT></CENTER>";
    h << "<HR>";
    h << "<P>";
    corpo(h);
    h << "<P>";
    h << "</BODY>";
    h << "</HTML>";
    return std::move(h.Texto());
}

} // namespace vastrel::relatorio
