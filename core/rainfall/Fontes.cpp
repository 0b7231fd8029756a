#include "rainfall/Fontes.h"

#include "common/Exceptions.h"
#include "rainfall/BDPrecipitacao.h"
#include "rainfall/GradeIdf.h"

#include <map>
#include <regex>

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
        TCitacaoFonte{kFonteGrade, autoresGridf,
                      tituloGridf + " (equações ajustadas célula a célula numa grade de 0,1°, chuva diária BR-DWGD "
                                    "com correção de viés e desagregação pela estação telemétrica da ANA mais próxima)",
                      "Repositório GitHub marcusnobrega-eng/GRIDF, arquivo IDF_Parameters_Bias_Corrected/XAVIER/"
                      "STATION/IDF_params_stack.tif (bandas K, a, b, c). Estimativa regional: uma estação próxima, "
                      "quando houver, é preferível.",
                      "GRIDF-BR grid", false},
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

namespace vastrel {

namespace {

std::string Juntar(const std::vector<std::string>& partes, const char* sep)
{
    std::string s;
    for (const std::string& p : partes)
        if (!p.empty())
            s += (s.empty() ? "" : sep) + p;
    return s;
}

std::string Periodo(const std::string& texto)
{
    static const std::regex kAnos(R"(^(\d+) years of record$)");
    std::smatch m;
    if (std::regex_match(texto, m, kAnos))
        return m[1].str() + " anos de registro";
    return texto;
}

} // namespace

TOrigemEstacao DescreverOrigem(std::string_view origem)
{
    const std::string o(origem);
    TOrigemEstacao r;
    std::smatch m;
    static const std::regex kGridf(R"(^GRIDF-BR compilation \(([^)]*)\); (.*)$)");
    static const std::regex kDaee(R"(^DAEE-SP study (\d+) \(ANA (\d+); (?:DAEE ([^;]+); )?valid ([^)]*)\).*$)");
    if (std::regex_match(o, m, kGridf)) {
        r.Estudo = "Compilação GRIDF-BR (" + m[1].str() + ")";
        std::vector<std::string> partes;
        std::string resto = m[2].str();
        for (std::size_t p; (p = resto.find("; ")) != std::string::npos; resto.erase(0, p + 2))
            partes.push_back(resto.substr(0, p));
        partes.push_back(resto);
        static const std::regex kEntidade(R"(^(ANA|INMET|SUDENE|Alerta Rio|Cindacta III) (\S+)$)");
        static const std::regex kLinha(R"(^Standard sheet row (\d+)$)");
        static const std::regex kCodigo(R"(^code (\S+)$)");
        for (std::size_t i = 0; i < partes.size(); ++i) {
            const std::string& p = partes[i];
            std::smatch q;
            if (std::regex_match(p, q, kEntidade)) {
                r.Entidade = q[1].str();
                r.Codigo = q[2].str();
            } else if (p == "DAEE-SP" || p == "Geo-Rio") {
                r.Entidade = p;
            } else if (p == "no station code") {
            } else if (std::regex_match(p, q, kLinha)) {
                r.Detalhe = "aba Standard, linha " + q[1].str();
            } else if (std::regex_match(p, q, kCodigo)) {
                r.Codigo = q[1].str();
            } else {
                r.Periodo = Periodo(p);
            }
        }
    } else if (std::regex_match(o, m, kDaee)) {
        r.Estudo = "DAEE-SP, estudo de " + m[1].str();
        r.Entidade = "ANA";
        r.Codigo = m[2].str() + (m[3].matched ? " (DAEE " + m[3].str() + ")" : "");
        std::string validade = m[4].str();
        validade = std::regex_replace(validade, std::regex("<="), " ≤ ");
        validade = std::regex_replace(validade, std::regex(" yr"), " anos");
        r.Detalhe = "válida para " + validade;
    } else {
        r.Detalhe = o;
    }
    return r;
}

std::string TextoOrigem(std::string_view fonte, std::string_view origem)
{
    std::string rotulo(fonte);
    while (!rotulo.empty() && rotulo.back() == ' ')
        rotulo.pop_back();
    if (origem.empty())
        return rotulo;
    const TOrigemEstacao o = DescreverOrigem(origem);
    return Juntar({o.Estudo, Juntar({o.Entidade, o.Codigo}, " "), o.Periodo, o.Detalhe}, "; ");
}

std::vector<std::string> NomesDistintos(const std::vector<TRegEstacao>& estacoes)
{
    std::map<std::string, int> vezes;
    for (const TRegEstacao& e : estacoes)
        ++vezes[e.Nome];
    std::vector<std::string> nomes;
    nomes.reserve(estacoes.size());
    for (const TRegEstacao& e : estacoes) {
        std::string n = e.Nome;
        if (vezes[e.Nome] > 1) {
            const TOrigemEstacao o = DescreverOrigem(e.Origem);
            std::string qual = Juntar({Juntar({o.Entidade, o.Codigo}, " "), o.Periodo, o.Detalhe}, ", ");
            n += " (" + (qual.empty() ? std::string("sem código") : qual) + ")";
        }
        nomes.push_back(n);
    }
    // Names still equal get a running number.
    std::map<std::string, int> repetidos, vistos;
    for (const std::string& n : nomes)
        ++repetidos[n];
    for (std::string& n : nomes)
        if (repetidos[n] > 1) {
            const int k = ++vistos[n];
            n += " nº " + std::to_string(k);
        }
    return nomes;
}

} // namespace vastrel
