#include "engine/TabelasEspacamento.h"

#include <string>

#include "common/Exceptions.h"

namespace vastrel {

const std::array<std::string_view, 5> NomesMetodologiaEspacamento = {
    "Bentley",
    "Lombardi Neto",
    "Paraná",
    "Espaçamento arbitrado",
    "Altura do terraço arbitrada",
};

// Bentley: clayey soils allow the widest spacing per foot of slope.
const std::array<TClasseSolo, 3> SolosBentley = {{
    {"Solos argilosos", 2.5},
    {"Solos de textura média", 3.0},
    {"Solos de textura grossa", 3.5},
}};

const std::array<TClasseSolo, 3> SolosParana = {{
    {"Terra arenosa", 0.835},
    {"Terra argilosa", 0.954},
    {"Terra roxa", 1.212},
}};

const std::array<TLinhaCultura, 33> CulturasLombardiNeto = {{
    {"Abóbora", 1.0},
    {"Algodão", 0.75},
    {"Alho", 0.75},
    {"Amendoim", 0.75},
    {"Arroz", 0.75},
    {"Aveia", 1.25},
    {"Banana", 1.5},
    {"Batatinha", 1.0},
    {"Cacau", 2.0},
    {"Café", 1.5},
    {"Cana-de-açúcar", 1.25},
    {"Cebola", 0.75},
    {"Centeio", 1.25},
    {"Cevada", 1.25},
    {"Citros", 1.5},
    {"Feijão", 0.5},
    {"Frutíferas de ciclo curto", 1.25},
    {"Frutíferas permanentes", 1.5},
    {"Fumo", 0.75},
    {"Girassol", 0.75},
    {"Leguminosas p/ adub. verde", 1.0},
    {"Mamona", 0.5},
    {"Mandioca", 0.5},
    {"Melancia", 1.0},
    {"Melão", 1.0},
    {"Milho", 1.25},
    {"Outras culturas de inverno", 1.25},
    {"Pastagens e/ou capineiras", 1.75},
    {"Reflorestamento", 2.0},
    {"Seringueira", 2.0},
    {"Soja", 1.0},
    {"Sorgo", 1.25},
    {"Trigo", 1.25},
}};

const std::array<TLinhaErosao, 4> GruposErosaoLombardiNeto = {{
    {" Grupo A - Alta", 1.25, "LR, LE, LV, LVr, LVt, LH, LEa e LVa"},
    {" Grupo B - Moderada", 1.1, "Lj, LVP, PV, PVL, PIn, TE, PVIs, R, RPV-RLV, LEa e LVa"},
    {" Grupo C - Baixa", 0.9, "PmI, PVp, PVIs, Pc e M"},
    {" Grupo D - Muito Baixa", 0.75, "Li-b, Li-ag, gr, Li-fi, Li-ac e PVp (rasos)"},
}};

const std::array<TLinhaPreparo, 5> GruposPreparoLombardiNeto = {{
    {" Grupo 1", "Grade aradora ( ou pesada ) ou enxada rotativa", "Grade niveladora",
     "Incorporados ou queimados", 0.5, "0.50"},
    {" Grupo 2", "Arado de disco ou aiveca", "Grade niveladora",
     "Incorporados ou queimados", 0.75, "0.75"},
    {" Grupo 3", "Grade leve", "Grade niveladora",
     "Parcialmente incorporados com ou sem rotação de culturas", 1.0, "1.00"},
    {" Grupo 4", "Arado escarificador", "Grade niveladora",
     "Parcialmente incorporados com ou sem rotação de culturas", 1.5, "1.50"},
    {" Grupo 5", "Não tem",
     "Plantio sem revolvimento do solo, roçadeira rolo-faca, herbicidas  ( plantio direto )",
     "Superfície do terreno", 2.0, "2.00"},
}};

const std::array<TLimiteDeclividade, 4> LimitesDeclividadeLombardiNeto = {{
    {16.0,
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo A "
     "(alta resistência à erosão) é de 16%",
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo A "
     "(alta resistência à erosão) é de 0,16 m/m"},
    {14.0,
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo B "
     "(moderada resistência à erosão) é de 14%",
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo B "
     "(moderada resistência à erosão) é de 0,14 m/m"},
    {12.0,
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo C "
     "(baixa resistência à erosão) é de 12%",
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo C "
     "(baixa resistência à erosão) é de 0,12 m/m"},
    {12.0,
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo D "
     "(resistência muito baixa à erosão) é de 12%",
     "Para o método de Lombardi Neto, a declividade máxima recomendada para o tipo de solo D "
     "(resistência muito baixa à erosão) é de 0,12 m/m"},
}};

namespace {

// The row `indice` of `tabela`; raises Exception(mensagem) outside it.
template <typename Linha, std::size_t N>
const Linha& LinhaVerificada(const std::array<Linha, N>& tabela, int indice, const char* mensagem)
{
    if (indice < 0 || static_cast<std::size_t>(indice) >= N)
        throw Exception(mensagem);
    return tabela[static_cast<std::size_t>(indice)];
}

constexpr const char* kIndiceErosaoInvalido =
    "Erro. Valor inválido do índice do grupo de resistência à erosão. "
    "Valores válidos: 0, 1, 2 ou 3.";

} // namespace

const TLinhaCultura& LinhaCultura(int indCultura)
{
    return LinhaVerificada(CulturasLombardiNeto, indCultura,
                           "Erro. Valor inválido do índice da cultura. Valores válidos: 0 a 32.");
}

const TLinhaErosao& LinhaErosao(int indErosao)
{
    return LinhaVerificada(GruposErosaoLombardiNeto, indErosao, kIndiceErosaoInvalido);
}

const TLinhaPreparo& LinhaPreparo(int indPreparo)
{
    return LinhaVerificada(GruposPreparoLombardiNeto, indPreparo,
                           "Erro. Valor inválido do índice do grupo de preparo do solo. "
                           "Valores válidos: 0, 1, 2, 3 ou 4.");
}

std::string_view AvisoDeclividadeLombardiNeto(int indErosao, double D, bool unidadePercentual)
{
    const TLimiteDeclividade& limite =
        LinhaVerificada(LimitesDeclividadeLombardiNeto, indErosao, kIndiceErosaoInvalido);
    // The limit is a recommended maximum: only a steeper slope is warned of.
    if (!(D > limite.LimitePercentual))
        return {};
    return unidadePercentual ? limite.AvisoPercentual : limite.AvisoMetroPorMetro;
}

} // namespace vastrel
