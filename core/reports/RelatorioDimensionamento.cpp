#include "reports/RelatorioDimensionamento.h"

#include "common/Format.h"
#include "reports/ModeloRelatorio.h"

namespace vastrel {

namespace {

using namespace relatorio;

bool MetodoComSolo(int m) { return m == 0 || m == 2; }

void Metodo(TTexto& h, const TEspacamento& e, bool gradiente)
{
    const int m = e.Metodologia.IndMetodologia;
    if (gradiente)
        h << Linha(std::string("<TD colspan=2>") + kNbsp4 +
                   "<U><B>Método para cálculo de espaçamento entre terraços</B></U> -  " +
                   e.Metodologia.Nome() + "</TD>");
    else
        h << Linha(std::string("<TD colspan=2>") + kNbsp4 +
                   "<U><B>Método para cálculo do espaçamento entre terraços:</B></U> " + e.Metodologia.Nome() +
                   "</TD>");
    if (MetodoComSolo(m)) {
        if (gradiente)
            h << "<TR colspan=2> " + Item("Tipo de solo: ", e.Solo.TipoSolo) + "</TR>";
        else
            h << "<TR> " + Item("Tipo de solo: ", e.Solo.TipoSolo, 2) + "</TR>";
    } else if (m == 1) {
        h << Linha(Item("Cultura: ", e.Cultura.Cultura) + Segunda("Resistência à erosão: ", e.Erosao.GrupoSolo, 2));
        h << Linha(Item("Preparo do solo: ", e.Preparo.GrupoPreparo, 2));
    }
}

void Cobertura(TTexto& h, const TTerreno& t)
{
    h << Linha(std::string("<TD colspan=2>") + kNbsp8 + "<U><B>Cobertura vegetal</B></U></TD>");
    h << Linha(ItemFundo("Uso da terra: ", t.Cobertura.UsoTerra.Nome(), 2));
    h << Linha(ItemFundo("Tratamento: ", t.Cobertura.Tratamento.Nome(), 2));
    h << Linha(ItemFundo("Condição hidrológica: ", t.Cobertura.CondicaoHidrologica.Nome(), 2));
}

std::string Declive(const TUnidades& u, double v)
{
    return FormatFloat("#0.0##", u.MostrarDeclividade(v)) + " " + u.UnidDeclividade;
}

void Grafico(TTexto& h, const TFiguraRelatorio& g)
{
    const auto dim = [](int v) { return std::to_string(v < 0 ? 0 : (v > 9999 ? 9999 : v)); };
    h << "<TABLE CELLPADDING=3>";
    h << "<TR>";
    h << "<TD>";
    h << "<CENTER><IMG SRC=\"" + EscaparHtml(g.Arquivo) + "\" HEIGHT=" + dim(g.Altura) + " WIDTH=" +
             dim(g.Largura) + "></CENTER>";
    h << "</TD>";
    h << "</TR>";
    h << "</TABLE>";
}

void CorpoNivel(TTexto& h, TProjeto& p, const TOpcoesRelatorio& o)
{
    const TUnidades& u = p.Unidades;
    TTerracosNivel& s = p.TerracosNivel;
    Identificacao(h, p.IDProjeto);
    h << Titulo("DADOS DE ENTRADA");
    h << "<TABLE COLS=3 WIDTH=\"100%\">";
    Chuva(h, p);
    Metodo(h, s.Espacamento, false);
    h << Linha(Cabeca(2, "Canal"));
    h << Linha(Item("Seção: ", s.TipoCanal.Nome()));
    if (s.TipoCanal.Tipo == 1)
        h << Linha(Item("Declividade da parede do canal: ", Declive(u, s.Sm.Valor), 2));
    else
        h << Linha(Segunda("Base: ", " " + FormatFloat("#0.0##", s.B) + " m") +
                   Item("Inverso da declividade das faces laterais: ", FormatFloat("#0.0##", s.Z.Valor), 2));
    h << Linha(Item("Coeficiente de desuniformidade: ", FloatToStr(s.CDu), 2));
    h << Linha(Cabeca(2, "Terreno"));
    h << Linha(Item("Declividade: ", Declive(u, p.Terreno.St), 2));
    h << Linha(Cabeca(2, "Solo"));
    h << Linha(Item("Taxa de infiltração estável (Tie): ",
                    FormatFloat("##0.0##", u.MostrarVIB(p.Terreno.VIB)) + " " + u.UnidVIB, 2));
    Cobertura(h, p.Terreno);
    h << "</TABLE>";
    h << "<P>";

    h << Titulo("RESULTADOS");
    h << "<TABLE WIDTH=\"100%\" COLS=3>";
    h << Linha(std::string("<TD>") + kNbsp4 + "<B>Lâmina de escoamento superficial: </B>" +
               FormatFloat("#0.0", p.Terreno.CalculaLES(p.Chuva())) + " mm</TD>" +
               Segunda("Espaçamento horizontal: ", FormatFloat("#0.0", s.Espacamento.EH) + " m", 2));
    h << Linha(std::string("<TD>") + kNbsp4 + "<B>Altura teórica: </B>" + FormatFloat("0.0", s.H * 100) +
               " cm</TD>" + Segunda("Espaçamento vertical: ", FormatFloat("0.00", s.Espacamento.EV) + " m", 2));
    h << Linha(std::string("<TD>") + kNbsp4 + "<B>Altura recomendada: </B>" + FormatFloat("0.0", s.Hr) + " cm</TD>");
    h << "</TABLE>";
    h << "<P>";
    if (o.Grafico) {
        h << "<FONT SIZE=3><B>SIMULAÇÃO</B></FONT><P>";
        h << "<CENTER>";
        Grafico(h, *o.Grafico);
        h << "</CENTER>";
    }
}

void CorpoGradiente(TTexto& h, TProjeto& p, const TOpcoesRelatorio& o)
{
    const TUnidades& u = p.Unidades;
    TTerracosGradiente& s = p.TerracosGradiente;
    Identificacao(h, p.IDProjeto);
    h << Titulo("DADOS DE ENTRADA");
    h << "<TABLE COLS=3 WIDTH=\"100%\">";
    Chuva(h, p);
    Metodo(h, s.Espacamento, true);
    h << Linha(Cabeca(2, "Canal"));
    h << Linha(Item("Seção: ", s.TipoCanal.Nome()) + Segunda("Declividade: ", Declive(u, s.Sc)));
    h << Linha(Item("Rugosidade: ", FormatFloat("0.0#######", s.nc.Valor)) +
               Segunda("Comprimento: ", FormatFloat("#0.0##", s.Comprimento) + " m"));
    if (s.TipoCanal.Tipo == 1)
        h << Linha(Item("Declividade da parede do canal: ", Declive(u, s.Sm.Valor), 2));
    else
        h << Linha(Item("Inverso da declividade das faces laterais: ", FormatFloat("#0.0##", s.Z.Valor)) +
                   Segunda("Base: ", " " + FormatFloat("#0.0##", s.B) + " m"));
    h << Linha(Item("Coeficiente de desuniformidade: ", FloatToStr(s.CDu), 2));
    h << Linha(Cabeca(2, "Terreno"));
    h << Linha(Item("Declividade: ", Declive(u, p.Terreno.St)) +
               Segunda("Rugosidade: ", FormatFloat(kFormatoGeral, p.Terreno.nt.Valor), 2));
    h << Linha(Cabeca(2, "Solo"));
    h << Linha(Item("Taxa de infiltração estável (Tie): ",
                    FormatFloat("##0.0##", u.MostrarVIB(p.Terreno.VIB)) + " " + u.UnidVIB, 2));
    Cobertura(h, p.Terreno);
    h << "</TABLE>";
    h << "<P>";

    h << Titulo("RESULTADOS");
    h << "<TABLE COLS=3 WIDTH=\"100%\">";
    h << Linha(std::string("<TD >") + kNbsp4 + "<B>Vazão: </B>" + FormatFloat("0.0#", s.Q) + " L/s</TD>" +
               Segunda("Espaçamento horizontal: ", FormatFloat("#0.0", s.Espacamento.EH) + " m", 2));
    h << Linha(std::string("<TD >") + kNbsp4 + "<B>Altura teórica: </B>" + FormatFloat("0.0", s.H * 100) +
               " cm</TD>" + Segunda("Espaçamento vertical: ", FormatFloat("0.0#", s.Espacamento.EV) + " m", 2));
    h << Linha(std::string("<TD colspan=2>") + kNbsp4 + "<B>Altura recomendada: </B>" + FormatFloat("0.0", s.Hr) +
               " cm</TD>");
    h << "</TABLE>";
    h << "<P>";
    if (o.Grafico) {
        h << "<FONT SIZE=3><B>SIMULAÇÃO</B></FONT>";
        h << "<P>";
        h << "<CENTER>";
        Grafico(h, *o.Grafico);
        h << "</CENTER>";
        h << "</TD>";
    }
}

} // namespace

std::string EscaparHtml(const std::string& texto)
{
    std::string r;
    r.reserve(texto.size());
    for (char ch : texto) {
        switch (ch) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        default: r += ch;
        }
    }
    return r;
}

std::string TituloRelatorioDimensionamento(bool gradiente)
{
    return gradiente ? "Dimensionamento de Sistemas de Terraceamento com Gradiente"
                     : "Dimensionamento de Sistemas de Terraceamento em Nível";
}

std::string RelatorioDimensionamento(TProjeto& p, const TOpcoesRelatorio& o)
{
    const bool gradiente = p.Gradiente();
    return Documento(TituloRelatorioDimensionamento(gradiente), o.DataEmissao, o.PastaPrograma, [&](TTexto& h) {
        if (gradiente)
            CorpoGradiente(h, p, o);
        else
            CorpoNivel(h, p, o);
    });
}

} // namespace vastrel
