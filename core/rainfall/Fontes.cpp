#include "rainfall/Fontes.h"

#include "common/Exceptions.h"

namespace vastrel {

namespace {

// The GRIDF-BR compilation of existing Brazilian IDF equations gathers the
// equations published for each gauge; it names the gauge's agency but not
// the original study, so the label gives the compilation, its year and the
// agency. The three DAEE-SP studies come from the station table of the
// Serjeta repository, which names them by gauge and year only.
std::vector<TCitacaoFonte> MontarCitacoes()
{
    const std::string autoresGridf = "Marcus N. Gomes Jr. et al.";
    const std::string tituloGridf = "GRIDF-BR: Gridded Intensity–Duration–Frequency Curves for Brazil";
    const std::string compilacao = "Compilação de equações IDF existentes no Brasil (2025), repositório GitHub "
                                   "marcusnobrega-eng/GRIDF, ";
    const std::string tabela = compilacao + "arquivo Existing_IDFs/IDF_metrics_by_station.csv; ";
    const std::string origemGridf = "GRIDF-BR compilation (Gomes Jr. et al. 2025); ";
    auto gridf = [&](std::string rotulo, std::string publicacao, std::string origem) {
        return TCitacaoFonte{std::move(rotulo), autoresGridf, tituloGridf, std::move(publicacao),
                             origemGridf + origem, false};
    };

    const std::string autoresDaee =
        "DAEE-SP – Departamento de Águas e Energia Elétrica do Estado de São Paulo";
    const std::string serjeta = "Parâmetros A, B, C e D de i = A·T^B/(t + C)^D, válidos para t ≤ 1440 min, "
                                "transcritos do repositório GitHub leo12289/Serjeta, arquivo js/data/estacoesSP.js.";
    auto daee = [&](std::string ano, std::string posto, std::string periodo) {
        return TCitacaoFonte{"DAEE-SP, estudo de " + ano, autoresDaee,
                             "Equação de chuvas intensas do posto " + posto + ", estudo de " + ano + "; " +
                                 periodo + ".",
                             serjeta, "DAEE-SP study " + ano + " (", false};
    };

    return {
        gridf("GRIDF-BR 2025 - ANA",
              tabela + "postos pluviográficos da ANA (Agência Nacional de Águas e Saneamento Básico).", "ANA "),
        gridf("GRIDF-BR 2025 - INMET", tabela + "estações do INMET (Instituto Nacional de Meteorologia).",
              "INMET "),
        gridf("GRIDF-BR 2025 - DAEE-SP",
              tabela + "postos do DAEE-SP (Departamento de Águas e Energia Elétrica do Estado de São Paulo).",
              "DAEE-SP;"),
        gridf("GRIDF-BR 2025 - Geo-Rio", tabela + "pluviômetros da Fundação GEO-RIO (Rio de Janeiro).",
              "Geo-Rio;"),
        gridf("GRIDF-BR 2025 - Alerta Rio", tabela + "pluviômetros do Sistema Alerta Rio (Rio de Janeiro).",
              "Alerta Rio "),
        gridf("GRIDF-BR 2025 - Cindacta III",
              tabela + "estação do CINDACTA III (Terceiro Centro Integrado de Defesa Aérea e Controle de "
                       "Tráfego Aéreo).",
              "Cindacta III "),
        gridf("GRIDF-BR 2025 - SUDENE",
              tabela + "posto da SUDENE (Superintendência do Desenvolvimento do Nordeste).", "SUDENE "),
        gridf("GRIDF-BR 2025 - sem código", tabela + "postos sem código nem entidade na compilação.",
              "no station code;"),
        gridf("GRIDF-BR 2025 - aba Standard",
              compilacao + "aba \"Standard\" da planilha da compilação (Existing_IDFs/"
                           "Diagnostics_GRIDF_Bias_From_Filtered_XLSX/04_station_bias_summary.csv); "
                           "entidade do posto não informada.",
              "Standard sheet row "),
        daee("2013", "Paretaí (ANA 02346018)", "Tr ≤ 35 anos"),
        daee("2017", "Jacareí (ANA 02345024, DAEE E2-031)", "Tr ≤ 100 anos"),
        daee("2025", "Guará (ANA 02047068, DAEE B4-035R)", "Tr ≤ 100 anos"),
    };
}

} // namespace

const std::vector<TCitacaoFonte>& CitacoesFontes()
{
    static const std::vector<TCitacaoFonte> citacoes = MontarCitacoes();
    return citacoes;
}

const TCitacaoFonte* CitacaoDaFonte(std::string_view rotulo)
{
    while (!rotulo.empty() && rotulo.back() == ' ')
        rotulo.remove_suffix(1);
    for (const TCitacaoFonte& c : CitacoesFontes())
        if (rotulo == c.Rotulo)
            return &c;
    return nullptr;
}

std::string RotuloDaFonte(std::string_view descricao)
{
    for (const TCitacaoFonte& c : CitacoesFontes())
        if (descricao.starts_with(c.Origem))
            return c.Rotulo;
    throw Exception("Fonte sem referência: " + std::string(descricao));
}

} // namespace vastrel
