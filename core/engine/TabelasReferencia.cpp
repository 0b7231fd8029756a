#include "engine/TabelasReferencia.h"

#include "common/Format.h"

namespace vastrel {

const std::array<TOpcaoZ, 6> OpcoesZ = {{
    {" &Rocha firme", 0.25},
    {" Roc&ha fissurada", 0.50},
    {" &Solo firme", 1.00},
    {" So&lo argilo-arenoso", 1.50},
    {" Solo &areno-argiloso", 2.50},
    {" Ou&tros", 0},
}};

const std::string_view FonteZ =
    "Fonte: Daker, A. A água na agricultura: irrigação e drenagem. 3º volume. Rio de Janeiro, Freitas Bastos.";

const std::array<TOpcaoSm, 8> OpcoesSm = {{
    {"&Vastrel embutido em nível, construído com trator de", "esteiras FIAT AD7 B", 0.721, 0.721},
    {"T&erraço embutido em nível, construído com trator de", "esteiras FIAT AD14", 0.679, 0.679},
    {"Te&rraço embutido em nível, construído com", "motoniveladora DRESSER 140C", 0.667, 0.667},
    {"Terr&aço base larga em nível, construído com trator",
     "VALMET 1580 tracionando terraceador (sem acabamento)", 0.213, 0.213},
    {"Vastrel &base larga com gradiente, construído com trator",
     "VALMET 1580 tracionando terraceador (sem acabamento)", 0.170, 0.170},
    {"Vastrel ba&se larga com gradiente, construído com trator",
     "VALMET 1580 tracionando terraceador (acabamento com aiveca)", 0.164, 0.164},
    {"Vastrel base &larga em nível, construído com", "motoniveladora HUBER WARCO 140 M", 0.186, 0.221},
    {"Vastrel leirão ou &murundum em nível, construído com trator", "de esteiras FIAT AD& B", 0.418, 0.418},
}};

const std::string_view FonteSm =
    "Fonte: Manual técnico de mecanização agrícola: terraceamento. Campinas, CATI/CODASP.";

bool SmNaFaixa(int indice, double valorMostrado, int k)
{
    if (indice < 1 || indice > static_cast<int>(OpcoesSm.size()))
        return true;
    const TOpcaoSm& o = OpcoesSm[static_cast<std::size_t>(indice - 1)];
    if (o.Baixo == o.Alto)
        return true;
    const double folga = 1e-9 * k;
    return valorMostrado >= o.Baixo * k - folga && valorMostrado <= o.Alto * k + folga;
}

std::string AvisoFaixaSm(int k)
{
    const TOpcaoSm& o = OpcoesSm[kOpcaoSmFaixa - 1];
    return "Valor de Sm inconsistente. Forneça um valor compreendido entre:[" + FloatToStr(o.Baixo * k) + " .. " +
           FloatToStr(o.Alto * k) + "].";
}

// Overland flow: the interval observed and the value recommended.
const std::array<TOpcaoRugosidade, 19> OpcoesRugosidadeTerreno = {{
    {"Cultura em linha - Preparo primário com aiveca", "&Superfície plana", 0.070, 0.085, 0.100},
    {"", "S&uperfície cultivada", 0.090, 0.110, 0.120},
    {"Cultura em linha - Escarificador", "Super&fície plana", 0.080, 0.100, 0.120},
    {"", "Sup&erfície cultivada", 0.100, 0.120, 0.140},
    {"Sem preparo", "&Resíduo normal", 0.100, 0.120, 0.150},
    {"", "&Muito resíduo", 0.130, 0.150, 0.170},
    {"Grama ou pastagem", "&Pouca cobertura", 0.065, 0.080, 0.100},
    {"", "Cober&tura média", 0.090, 0.100, 0.120},
    {"", "&Boa cobertura", 0.100, 0.120, 0.140},
    {"Pequenos grãos", "Resí&duos removidos", 0.090, 0.100, 0.120},
    {"", "Resíduos &incorporados", 0.110, 0.120, 0.140},
    {"Florestas ou áreas de reflorestamento", "Árvores pe&quenas", 0.120, 0.150, 0.180},
    {"", "Árvores &grandes", 0.150, 0.200, 0.250},
    {"Terra arada - Arado de aiveca", "Superfície p&lana", 0.010, 0.035, 0.050},
    {"", "Superfície rugos&a", 0.250, 0.350, 0.500},
    {"Terra arada - Escarificador", "Superfície pla&na", 0.030, 0.050, 0.080},
    {"", "Superfície rugosa", 0.150, 0.250, 0.500},
    {"Terra arada - Arado de disco", "Superfície plana", 0.030, 0.040, 0.070},
    {"", "Superfície rugosa", 0.100, 0.200, 0.400},
}};

const std::string_view FonteRugosidadeTerreno =
    "Fonte: Engman, E. T. Roughness coefficients for routing surface runoff. Journal of Irrigation and "
    "Drainage Engineering, ASCE, 1986.";

const std::array<TOpcaoRugosidade, 9> OpcoesRugosidadeCanal = {{
    {"Canal de terra retilíneo e uniforme", "&Limpo, recentemente construído", 0.016, 0.018, 0.020},
    {"", "L&impo, mas já tendo sofrido intemperismo", 0.018, 0.022, 0.025},
    {"", "&Escascalhado, seção uniforme, limpo", 0.022, 0.025, 0.030},
    {"", "Co&m grama curta, poucas ervas daninhas", 0.022, 0.027, 0.033},
    {"Canal de terra sinuoso", "&Sem vegetação", 0.023, 0.025, 0.030},
    {"", "&Grama, algumas ervas daninhas", 0.025, 0.030, 0.033},
    {"", "E&rvas daninhas densas, plantas aquáticas em canais profundos", 0.030, 0.035, 0.040},
    {"", "&Fundo em terra e lados escascalhados", 0.028, 0.030, 0.035},
    {"", "Fun&do em cascalho e taludes com ervas daninhas", 0.025, 0.035, 0.040},
}};

const std::string_view FonteRugosidadeCanal =
    "Fonte: Chow, V. T. Open-channel hydraulics. New York, McGraw-Hill, 1959.";

} // namespace vastrel
