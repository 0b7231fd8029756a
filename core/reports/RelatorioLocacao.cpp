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

void Entrada(TTexto& h, TProjeto& p)
{
    const TUnidades& u = p.Unidades;
    const TTerracosNivel& s = p.TerracosNivel;
    const TLocacaoNivel& loc = p.Locacao;
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
    h << Linha(Item("Imagem de elevação: ", EscaparHtml(loc.ImgElevRun), 3));
    h << Linha(Item("Imagem de declividade: ", EscaparHtml(loc.ImgDecliRun), 3));
    h << Linha(Cabeca(3, "Arquivo do vetor de saída: "));
    h << Linha(Item("Vetor de saída: ", EscaparHtml(loc.VetSaidaRun), 3));
    h << "</TABLE>";
    h << "<P>";
}

void Resultados(TTexto& h, TProjeto& p)
{
    const TLocacaoNivel& loc = p.Locacao;
    h << Titulo("RESULTADOS");
    h << "<TABLE CELLPADDING=3>";
    h << Linha(std::string("<TD colspan=1>") + kNbsp4 + "<B>Área (ha): </B>" + FormatFloat("#0.00", loc.AreaBacia) +
               "</TD>" + Segunda("Declividade média da área (%): ", FormatFloat("#0.00", loc.DeclividadeMedia)));
    h << Linha(std::string("<TD  colspan=1>") + kNbsp4 + "<B>Lâmina de escoamento superficial (mm): </B>" +
               FormatFloat("#0.0", p.Terreno.CalculaLES(p.Chuva())) + "</TD>" +
               Segunda("Tipo de terraço: ", p.TerracosNivel.SelecaoTipoTerraco.TipoTerraco));
    h << "</TABLE>";
    h << "<P>";
}

std::string Celula(const std::string& valor) { return "<TD>" + valor + "</TD>"; }

void TabelaTerracos(TTexto& h, const TLocacaoNivel& loc)
{
    h << "<CENTER>";
    h << "<TABLE CELLPADDING=4 WIDTH=\"50%\">";
    h << "<TR  ALIGN=CENTER VALIGN=CENTER>";
    for (const char* t : {"Vastrel", "Cota", "Espaçamento vertical(m)", "Declividade média(%)",
                          "Comprimento do terraço(m)", "Área de influência(m2)", "Altura do terraço(m)"})
        h << std::string("<TD><B>") + t + "</B></TD>";
    h << "</TR>";

    TBDT tabela;
    tabela.Carregar(TLocacaoNivel::CaminhoTabela(gis::bytes::CaminhoDeUtf8(loc.VetSaidaRun)));
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

std::string RelatorioLocacao(TProjeto& p, const TOpcoesRelatorio& o)
{
    return Documento(TituloRelatorioLocacao(), o.DataEmissao, o.PastaPrograma, [&](TTexto& h) {
        Identificacao(h, p.IDProjeto);
        Entrada(h, p);
        Resultados(h, p);
        TabelaTerracos(h, p.Locacao);
    });
}

} // namespace vastrel
