#include "reports/ModeloRelatorio.h"

#include "common/Format.h"
#include "common/Pastas.h"
#include "project/IDProjeto.h"
#include "project/Projeto.h"
#include "rainfall/EquacaoIdf.h"
#include "reports/RelatorioDimensionamento.h"

#include <string_view>
#include <utility>

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

namespace {

std::string Minusculas(std::string t)
{
    for (char& ch : t)
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    return t;
}

// The entities EscaparHtml writes, back to their characters.
std::string DesfazerEntidades(const std::string& t)
{
    static const std::pair<const char*, char> kEntidades[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
    std::string r;
    for (std::size_t i = 0; i < t.size();) {
        bool trocou = false;
        for (const auto& [entidade, ch] : kEntidades) {
            const std::string_view e(entidade);
            if (t.compare(i, e.size(), e) == 0) {
                r += ch;
                i += e.size();
                trocou = true;
                break;
            }
        }
        if (!trocou)
            r += t[i++];
    }
    return r;
}

} // namespace

std::string Base64(const std::string& bytes)
{
    static const char kAlfabeto[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string r;
    r.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    const auto b = [&bytes](std::size_t k) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[k])); };
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (b(i) << 16) | (b(i + 1) << 8) | b(i + 2);
        r += kAlfabeto[(v >> 18) & 63];
        r += kAlfabeto[(v >> 12) & 63];
        r += kAlfabeto[(v >> 6) & 63];
        r += kAlfabeto[v & 63];
    }
    if (i + 1 == bytes.size()) {
        const unsigned v = b(i) << 16;
        r += kAlfabeto[(v >> 18) & 63];
        r += kAlfabeto[(v >> 12) & 63];
        r += "==";
    } else if (i + 2 == bytes.size()) {
        const unsigned v = (b(i) << 16) | (b(i + 1) << 8);
        r += kAlfabeto[(v >> 18) & 63];
        r += kAlfabeto[(v >> 12) & 63];
        r += kAlfabeto[(v >> 6) & 63];
        r += '=';
    }
    return r;
}

std::string TipoFigura(const std::filesystem::path& arquivo)
{
    const std::string ext = Minusculas(arquivo.extension().string());
    if (ext == ".jpg" || ext == ".jpeg")
        return "image/jpeg";
    if (ext == ".png")
        return "image/png";
    if (ext == ".bmp")
        return "image/bmp";
    if (ext == ".gif")
        return "image/gif";
    return "application/octet-stream";
}

std::string EmbutirFiguras(const std::string& html, const TLeitorFigura& leitor, std::vector<std::string>* faltando)
{
    const std::string baixo = Minusculas(html);
    std::string r;
    std::size_t copiado = 0;
    for (std::size_t img = baixo.find("<img"); img != std::string::npos; img = baixo.find("<img", img + 4)) {
        const std::size_t fim = baixo.find('>', img);
        if (fim == std::string::npos)
            break;
        const std::size_t src = baixo.find("src=\"", img);
        if (src == std::string::npos || src > fim)
            continue;
        const std::size_t inicio = src + 5;
        const std::size_t aspas = html.find('"', inicio);
        if (aspas == std::string::npos || aspas > fim)
            continue;
        const std::string endereco = DesfazerEntidades(html.substr(inicio, aspas - inicio));
        const std::optional<TFiguraEmbutida> figura = leitor ? leitor(endereco) : std::nullopt;
        if (!figura) {
            if (faltando)
                faltando->push_back(endereco);
            continue;
        }
        r.append(html, copiado, inicio - copiado);
        r += "data:" + figura->Tipo + ";base64," + Base64(figura->Bytes);
        copiado = aspas;
    }
    r.append(html, copiado, std::string::npos);
    return r;
}

} // namespace vastrel::relatorio
