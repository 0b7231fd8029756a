#include "reports/RelatorioLocacao.h"

#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/BDT.h"
#include "gis/BDTGradiente.h"
#include "location/LocacaoGradiente.h"
#include "dimensioning/EntradaLocacao.h"
#include "reports/ModeloRelatorio.h"

namespace vastrel {

namespace {

using namespace relatorio;

void Metodo(TTexto& h, const TEspacamento& e)
{
    const int m = e.Metodologia.IndMetodologia;
    h << Linha(std::string("<TD colspan=3>") + kNbsp4 +
               "<U><B>Método para cálculo de espaçamento entre terraços:</B></U> " + e.Metodologia.Nome() + "</TD>");
    if (m == kMetodoBentley || m == kMetodoParana) {
        h << "<TR colspan=3> " + Item("Tipo de solo: ", e.Solo.TipoSolo) + "</TR>";
    } else if (m == kMetodoLombardiNeto) {
        h << Linha(Item("Cultura: ", e.Cultura.Cultura) + Segunda("Resistência à erosão: ", e.Erosao.GrupoSolo));
        h << Linha(Item("Preparo do solo: ", e.Preparo.GrupoPreparo));
    }
}

// The graded channel: its shape and section, grade, roughness and longest
// length.
void CanalGradiente(TTexto& h, const TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    const TTerracosGradiente& g = p.TerracosGradiente;
    h << Linha(Item("Forma do canal: ", g.TipoCanal.Nome()));
    if (g.TipoCanal.Tipo == 0) {
        h << Linha(Item("Base do canal: ", FloatToStr(g.B) + " m"));
        h << Linha(Item("Inclinação da parede do canal (Z): ", FloatToStr(g.Z.Valor)));
    }
    h << Linha(Item("Declividade do canal (Sc): ", FloatToStr(u.MostrarDeclividade(g.Sc)) + " " + u.UnidDeclividade, 3));
    h << Linha(Item("Rugosidade do canal (nc): ", FloatToStr(g.nc.Valor)));
    h << Linha(Item("Comprimento máximo do canal: ", std::to_string(g.Comprimento) + " m"));
    h << Linha(Item("Rugosidade do terreno (nt): ", FloatToStr(p.Terreno.nt.Valor)));
}

void Entrada(TTexto& h, TProjeto& p, const TResultadoLocacao& r)
{
    const TUnidades& u = p.Unidades;
    const TCanal& s = r.Gradiente ? static_cast<const TCanal&>(p.TerracosGradiente) : p.TerracosNivel;
    h << Titulo("DADOS DE ENTRADA");
    h << "<TABLE COLS=3 WIDTH=\"100%\">";
    Chuva(h, p);
    Metodo(h, r.Gradiente ? p.TerracosGradiente.Espacamento : p.TerracosNivel.Espacamento);
    h << Linha(Cabeca(3, "Canal"));
    if (r.Gradiente)
        CanalGradiente(h, p);
    h << Linha(Item("Coeficiente de desuniformidade: ", FloatToStr(s.CDu)));
    if (!r.Gradiente || s.TipoCanal.Tipo == 1)
        h << Linha(Item("Declividade da parede do canal: ",
                        FloatToStr(u.MostrarDeclividade(s.Sm.Valor)) + " " + u.UnidDeclividade, 3));
    h << Linha(Cabeca(3, "Solo"));
    h << Linha(Item("Taxa de infiltração estável (Tie): ", FloatToStr(u.MostrarVIB(p.Terreno.VIB)) + " " + u.UnidVIB,
                    3));
    const TCobertura& cob = p.Terreno.Cobertura;
    h << Linha(std::string("<TD colspan=2>") + kNbsp8 + "<U><B>Cobertura Vegetal</B></U></TD>");
    h << Linha(ItemFundo("Uso da Terra: ", cob.UsoTerra.Nome(), 2));
    h << Linha(ItemFundo("Tratamento: ", cob.Tratamento.Nome(), 2));
    h << Linha(ItemFundo("Condição Hidrológica: ", cob.CondicaoHidrologica.Nome(), 2));
    h << Linha(Cabeca(3, "Arquivos das imagens de entrada"));
    h << Linha(Item("Imagem de elevação: ", EscaparHtml(gis::bytes::Utf8DeCaminho(r.ImgElev)), 3));
    h << Linha(Item("Imagem de declividade: ", EscaparHtml(gis::bytes::Utf8DeCaminho(r.ImgDecli)), 3));
    h << Linha(Cabeca(3, "Arquivo do vetor de saída: "));
    h << Linha(Item("Vetor de saída: ", EscaparHtml(gis::bytes::Utf8DeCaminho(r.VetSaida)), 3));
    h << "</TABLE>";
    h << "<P>";
}

void Resultados(TTexto& h, const TResultadoLocacao& r)
{
    h << Titulo("RESULTADOS");
    h << "<TABLE CELLPADDING=3>";
    h << Linha(std::string("<TD colspan=1>") + kNbsp4 + "<B>Área (ha): </B>" +
               FormatFloat("#0.00", r.Qualidade.AreaBacia) + "</TD>" +
               Segunda("Declividade média da área (%): ", FormatFloat("#0.00", r.DeclividadeMedia)));
    h << Linha(std::string("<TD  colspan=1>") + kNbsp4 + "<B>Lâmina de escoamento superficial (mm): </B>" +
               FormatFloat("#0.0", r.LES) + "</TD>" +
               (r.Gradiente ? std::string() : Segunda("Tipo de terraço: ", r.SelecaoTipoTerraco.TipoTerraco)));
    h << "</TABLE>";
    h << "<P>";
}

// How far the layout can be trusted: the areas, the closed terraces, the
// spacing actually laid out, and every warning of the run.
void Qualidade(TTexto& h, const TResultadoLocacao& r)
{
    h << Titulo("QUALIDADE DA LOCAÇÃO");
    h << "<UL>";
    for (const std::string& l : TextoQualidade(r))
        h << "<LI>" + EscaparHtml(l) + "</LI>";
    h << "</UL>";
    h << "<P>";
}

std::string Celula(const std::string& valor) { return "<TD>" + valor + "</TD>"; }

void TabelaTerracos(TTexto& h, const TResultadoLocacao& resultado)
{
    h << "<CENTER>";
    h << "<TABLE CELLPADDING=4 WIDTH=\"50%\">";
    h << "<TR  ALIGN=CENTER VALIGN=CENTER>";
    for (const char* t : {"Vastrel", "Cota", "Espaçamento vertical(m)", "Declividade média(%)",
                          "Comprimento do terraço(m)", "Área de influência(m2)", "Altura do terraço(m)"})
        h << std::string("<TD><B>") + t + "</B></TD>";
    h << "</TR>";

    TBDT tabela;
    tabela.Carregar(TLocacaoNivel::CaminhoTabela(resultado.VetSaida));
    double total = 0; // m
    for (const TRegTerr& r : tabela) {
        h << "<TR ALIGN=CENTER VALIGN=CENTER>" + Celula(std::to_string(r.Numero)) +
                 Celula(FormatFloat("0.000", r.Cota)) + Celula(FormatFloat("0.00", r.EV)) +
                 Celula(FormatFloat("0.0#", r.DeclividadeMedia)) + Celula(FormatFloat("0.0#", r.Comprimento)) +
                 Celula(FormatFloat("0.0#", r.AreaInfluencia)) + Celula(FormatFloat("0.0##", r.Altura)) + "</TR>";
        total += r.Comprimento;
    }
    h << "<TR>";
    h << "<TD colspan=7><B>Comprimento total de terraços: </B>" + FormatFloat("0.0#", total) + " m</TD>";
    h << "</TR>";
    h << "</TABLE>";
    h << "</CENTER>";
}

const char* TextoSituacao(TSituacaoCanal s)
{
    switch (s) {
    case TSituacaoCanal::Comporta: return "comporta";
    case TSituacaoCanal::SemProfundidade: return "<B>não comporta</B> (sem profundidade normal)";
    case TSituacaoCanal::MaisLargo: return "<B>não comporta</B> (mais largo que a faixa)";
    }
    return "";
}

// The graded terraces read back from the table beside the vector, each
// with its channel, and the total length.
void TabelaTerracosGradiente(TTexto& h, const TTabelaGradiente& tabela)
{
    h << "<CENTER>";
    h << "<TABLE CELLPADDING=3 WIDTH=\"90%\">";
    h << "<TR  ALIGN=CENTER VALIGN=CENTER>";
    for (const char* t : {"Terraço", "Cota a montante(m)", "Cota na saída(m)", "Gradiente(%)", "Comprimento(m)",
                          "Área de influência(m2)", "Declividade média(%)", "EV(m)", "EH(m)", "Vazão Q(L/s)",
                          "Lâmina H(m)", "Altura Hr(m)", "Saída", "Canal"})
        h << std::string("<TD><B>") + t + "</B></TD>";
    h << "</TR>";
    double total = 0; // m
    for (const TRegTerrGradiente& r : tabela.Terracos) {
        h << "<TR ALIGN=CENTER VALIGN=CENTER>" + Celula(std::to_string(r.Numero)) +
                 Celula(FormatFloat("0.000", r.CotaMontante)) + Celula(FormatFloat("0.000", r.CotaSaida)) +
                 Celula(FormatFloat("0.00", 100 * r.Gradiente)) + Celula(FormatFloat("0.0", r.Comprimento)) +
                 Celula(FormatFloat("0", r.AreaInfluencia)) + Celula(FormatFloat("0.0#", r.DeclividadeMedia)) +
                 Celula(FormatFloat("0.00", r.EV)) + Celula(FormatFloat("0.0", r.EH)) +
                 Celula(FormatFloat("0.0", r.Q)) + Celula(FormatFloat("0.000", r.H)) +
                 Celula(FormatFloat("0.00", r.Hr)) + Celula(std::to_string(r.Saida)) +
                 Celula(TextoSituacao(r.Situacao)) + "</TR>";
        total += r.Comprimento;
    }
    h << "<TR>";
    h << "<TD colspan=14><B>Comprimento total de terraços: </B>" + FormatFloat("0.0#", total) + " m</TD>";
    h << "</TR>";
    h << "</TABLE>";
    h << "</CENTER>";
    h << "<P>";
}

// Each outlet with its terraces' discharge and, on a waterway, the
// discharge the waterway carries there (its own and every outlet upstream).
void Escoadouros(TTexto& h, const TTabelaGradiente& tabela)
{
    h << Titulo("SAÍDAS E CANAIS ESCOADOUROS");
    h << "<CENTER>";
    h << "<TABLE CELLPADDING=3 WIDTH=\"80%\">";
    h << "<TR  ALIGN=CENTER VALIGN=CENTER>";
    for (const char* t : {"Saída", "X", "Y", "Cota(m)", "Onde", "Terraços", "Vazão dos terraços(L/s)",
                          "Vazão do canal escoadouro(L/s)"})
        h << std::string("<TD><B>") + t + "</B></TD>";
    h << "</TR>";
    for (const TRegSaida& s : tabela.Saidas) {
        const std::string terracos = TerracosDaSaida(tabela, s.Numero);
        h << "<TR ALIGN=CENTER VALIGN=CENTER>" + Celula(std::to_string(s.Numero)) + Celula(FormatFloat("0.0", s.X)) +
                 Celula(FormatFloat("0.0", s.Y)) + Celula(FormatFloat("0.00", s.Cota)) +
                 Celula(s.Borda ? "borda da área" : "canal escoadouro") + Celula(terracos) +
                 Celula(FormatFloat("0.0", s.Q)) + Celula(s.Borda ? "-" : FormatFloat("0.0", s.QCanal)) + "</TR>";
    }
    h << "</TABLE>";
    h << "</CENTER>";
    h << "<P>Cada canal escoadouro deve conduzir, na saída, a vazão indicada: a soma das vazões de pico dos terraços "
         "que chegam a ele até ali. Nas saídas na borda da área a água deixa a área; prepare ali uma saída protegida."
         "</P>";
}

} // namespace

std::string TituloRelatorioLocacao(bool gradiente)
{
    return gradiente ? "Locação de Sistemas de Terraceamento com Gradiente"
                     : "Locação de Sistemas de Terraceamento em Nível";
}

std::string RelatorioLocacao(TProjeto& p, const TResultadoLocacao& r, const TOpcoesRelatorio& o)
{
    return Documento(TituloRelatorioLocacao(r.Gradiente), o.DataEmissao, o.PastaPrograma, [&](TTexto& h) {
        Identificacao(h, p.IDProjeto);
        Entrada(h, p, r);
        Resultados(h, r);
        if (r.Gradiente) {
            TTabelaGradiente tabela;
            tabela.Carregar(TLocacaoNivel::CaminhoTabela(r.VetSaida));
            TabelaTerracosGradiente(h, tabela);
            Escoadouros(h, tabela);
        } else {
            TabelaTerracos(h, r);
        }
        Qualidade(h, r);
    });
}

} // namespace vastrel
