#include "reports/RelatorioLocacao.h"

#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/BDT.h"
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

void Entrada(TTexto& h, TProjeto& p, const TResultadoLocacao& r)
{
    const TUnidades& u = p.Unidades;
    const TTerracosNivel& s = p.TerracosNivel;
    h << Titulo("DADOS DE ENTRADA");
    h << "<TABLE COLS=3 WIDTH=\"100%\">";
    Chuva(h, p);
    Metodo(h, s.Espacamento);
    h << Linha(Cabeca(3, "Canal"));
    h << Linha(Item("Coeficiente de desuniformidade: ", FloatToStr(s.CDu)));
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
               FormatFloat("#0.0", r.LES) + "</TD>" + Segunda("Tipo de terraço: ", r.SelecaoTipoTerraco.TipoTerraco));
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

} // namespace

std::string TituloRelatorioLocacao() { return "Locação de Sistemas de Terraceamento em Nível"; }

std::string RelatorioLocacao(TProjeto& p, const TResultadoLocacao& r, const TOpcoesRelatorio& o)
{
    return Documento(TituloRelatorioLocacao(), o.DataEmissao, o.PastaPrograma, [&](TTexto& h) {
        Identificacao(h, p.IDProjeto);
        Entrada(h, p, r);
        Resultados(h, r);
        TabelaTerracos(h, r);
        Qualidade(h, r);
    });
}

} // namespace vastrel
