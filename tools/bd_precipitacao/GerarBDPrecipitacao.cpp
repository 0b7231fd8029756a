// gerar_bd_precipitacao: builds the two files of the rainfall database,
// "Estados_Nimbra21.bin" (stations with their published IDF equations) and
// "Localidades_Nimbra21.bin" (municipal seats), from the source tables of
// data/fontes/precipitacao.
//
//   gerar_bd_precipitacao ESTACOES.csv LOCALIDADES.csv GRADE.tif PASTA
//
// Stations: columns uf, name, lat_dms, lon_dms ("DD MM SS H"), lat_deg,
// lon_deg, K, a, b, c, source. The parameters are stored as published; the
// coordinate texts come from the degrees-minutes-seconds columns and are
// checked against the decimal ones; the source description becomes its short
// label (rainfall/Fontes.h) and, whole, the line of the record in the
// companion file "Origens_Nimbra21.txt". Localities: columns uf, name, lat_deg, lon_deg;
// the decimal degrees are rounded to the nearest second. Places north of the
// Equator keep their true position with the minus sign of the coordinate
// texts (rainfall/Coordenadas.h). Grid: the GRIDF-BR GeoTIFF whose first four
// bands are K, a, b and c, written as "GradeIdf_GRIDF_BR.bin"
// (rainfall/GradeIdf.h) with the values unchanged.

#include "common/Exceptions.h"
#include "common/Format.h"
#include "gis/GdalGrade.h"
#include "rainfall/BDPrecipitacao.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/Estados.h"
#include "rainfall/Fontes.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vastrel;

namespace {

// A table read from a CSV file (UTF-8, comma-separated, fields optionally in
// double quotes), addressed by column name.
class Tabela {
public:
    explicit Tabela(const fs::path& arquivo) : arquivo_(arquivo.string())
    {
        std::ifstream in(arquivo, std::ios::binary);
        if (!in)
            throw Exception("Não foi possível ler o arquivo " + arquivo_ + ".");
        std::string linha;
        while (std::getline(in, linha)) {
            if (linhas_.empty() && linha.starts_with("\xEF\xBB\xBF"))
                linha.erase(0, 3);
            if (!linha.empty() && linha.back() == '\r')
                linha.pop_back();
            if (!linha.empty())
                linhas_.push_back(Campos(linha));
        }
        if (linhas_.empty())
            throw Exception("O arquivo " + arquivo_ + " está vazio.");
        for (std::size_t i = 0; i < linhas_[0].size(); ++i)
            colunas_[linhas_[0][i]] = i;
        for (std::size_t n = 1; n < linhas_.size(); ++n)
            if (linhas_[n].size() != linhas_[0].size())
                throw Erro(n, "a linha tem " + std::to_string(linhas_[n].size()) + " campos em vez de " +
                                  std::to_string(linhas_[0].size()));
    }

    std::size_t Linhas() const { return linhas_.size() - 1; }

    // Field of data row n (1-based, the header being row 0).
    const std::string& Campo(std::size_t n, const std::string& coluna) const
    {
        const auto it = colunas_.find(coluna);
        if (it == colunas_.end())
            throw Exception("O arquivo " + arquivo_ + " não tem a coluna " + coluna + ".");
        return linhas_[n][it->second];
    }

    double Numero(std::size_t n, const std::string& coluna) const
    {
        const auto v = ParseFloat(Campo(n, coluna));
        if (!v)
            throw Erro(n, coluna + " não é um número: " + Campo(n, coluna));
        return *v;
    }

    Exception Erro(std::size_t n, const std::string& detalhe) const
    {
        return Exception(arquivo_ + ", linha " + std::to_string(n + 1) + ": " + detalhe + ".");
    }

private:
    static std::vector<std::string> Campos(const std::string& linha)
    {
        std::vector<std::string> campos(1);
        bool aspas = false;
        for (std::size_t i = 0; i < linha.size(); ++i) {
            const char c = linha[i];
            if (aspas) {
                if (c == '"' && i + 1 < linha.size() && linha[i + 1] == '"')
                    campos.back() += linha[++i];
                else if (c == '"')
                    aspas = false;
                else
                    campos.back() += c;
            } else if (c == '"') {
                aspas = true;
            } else if (c == ',') {
                campos.emplace_back();
            } else {
                campos.back() += c;
            }
        }
        return campos;
    }

    std::string arquivo_;
    std::vector<std::vector<std::string>> linhas_;
    std::map<std::string, std::size_t> colunas_;
};

int Estado(const Tabela& t, std::size_t n)
{
    const int indice = IndiceDaSigla(t.Campo(n, "uf"));
    if (indice < 0)
        throw t.Erro(n, "estado desconhecido: " + t.Campo(n, "uf"));
    return indice;
}

// "DD MM SS H" as a coordinate text, the seconds (which a source may give
// with decimals) rounded to whole seconds; `positivo` is the hemisphere the
// texts take as positive (S for latitudes, W for longitudes).
std::string TextoDMS(const Tabela& t, std::size_t n, const std::string& coluna, char positivo, char negativo)
{
    const std::string& dms = t.Campo(n, coluna);
    std::istringstream in(dms);
    int g = -1, m = -1;
    double s = -1;
    char h = '\0';
    if (!(in >> g >> m >> s >> h) || g < 0 || m < 0 || m > 59 || !(s >= 0 && s < 60) ||
        (h != positivo && h != negativo))
        throw t.Erro(n, coluna + " não está na forma \"DD MM SS H\": " + dms);
    const double segundos = (g * 3600 + m * 60 + s) * (h == positivo ? 1 : -1);
    return GrausParaCoordenadaArredondada(segundos / 3600);
}

// The coordinate text must name the same point as the decimal degrees
// (south or west negative in the table) to within half a second.
void ConferirCoordenada(const Tabela& t, std::size_t n, const std::string& texto, const std::string& coluna)
{
    const double graus = -t.Numero(n, coluna);
    if (std::fabs(CoordenadaParaGraus(texto) - graus) > 0.5 / 3600 + 1e-9)
        throw t.Erro(n, "a coordenada " + texto + " não confere com " + coluna + " = " + t.Campo(n, coluna));
}

void AvisarEncurtado(const std::string& nome, std::size_t tamanho, const char* campo)
{
    const std::string ajustado = AjustarAoCampo(nome, tamanho);
    if (ajustado != nome)
        std::cerr << "Aviso: " << campo << " encurtado: \"" << nome << "\" -> \"" << ajustado << "\"\n";
}

std::array<std::vector<TRegEstacao>, kNumEstados> LerEstacoes(const fs::path& arquivo, std::size_t& total)
{
    const Tabela t(arquivo);
    std::array<std::vector<TRegEstacao>, kNumEstados> estacoes;
    for (std::size_t n = 1; n <= t.Linhas(); ++n) {
        TRegEstacao e;
        e.Nome = t.Campo(n, "name");
        e.K = t.Numero(n, "K");
        e.A = t.Numero(n, "a");
        e.B = t.Numero(n, "b");
        e.C = t.Numero(n, "c");
        try {
            e.Fonte = RotuloDaFonte(t.Campo(n, "source"));
            e.Origem = t.Campo(n, "source");
        } catch (const Exception& ex) {
            throw t.Erro(n, ex.what());
        }
        e.Latitude = TextoDMS(t, n, "lat_dms", 'S', 'N');
        e.Longitude = TextoDMS(t, n, "lon_dms", 'W', 'E');
        ConferirCoordenada(t, n, e.Latitude, "lat_deg");
        ConferirCoordenada(t, n, e.Longitude, "lon_deg");
        AvisarEncurtado(e.Nome, kTamNome, "nome");
        AvisarEncurtado(e.Fonte, kTamFonte, "fonte");
        estacoes[static_cast<std::size_t>(Estado(t, n))].push_back(std::move(e));
    }
    total = t.Linhas();
    return estacoes;
}

std::array<std::vector<TRegLocalidade>, kNumEstados> LerLocalidades(const fs::path& arquivo, std::size_t& total)
{
    const Tabela t(arquivo);
    std::array<std::vector<TRegLocalidade>, kNumEstados> localidades;
    for (std::size_t n = 1; n <= t.Linhas(); ++n) {
        TRegLocalidade l;
        l.Nome = t.Campo(n, "name");
        l.Latitude = GrausParaCoordenadaArredondada(-t.Numero(n, "lat_deg"));
        l.Longitude = GrausParaCoordenadaArredondada(-t.Numero(n, "lon_deg"));
        AvisarEncurtado(l.Nome, kTamNome, "nome");
        localidades[static_cast<std::size_t>(Estado(t, n))].push_back(std::move(l));
    }
    total = t.Linhas();
    return localidades;
}

TGradeIdf LerGrade(const fs::path& arquivo)
{
    const gis::TBandasGrade g = gis::LerBandasGrade(arquivo);
    if (g.Bandas.size() < 4 || !(g.Dx > 0) || std::fabs(g.Dx + g.Dy) > 1e-9 * g.Dx)
        throw Exception(arquivo.string() + ": esperava as bandas K, a, b, c numa grade de células quadradas norte-acima.");
    TGradeIdf grade;
    grade.Colunas = g.Colunas;
    grade.Linhas = g.Linhas;
    grade.Lon0 = g.X0;
    grade.Lat0 = g.Y0;
    grade.Celula = g.Dx;
    const std::size_t n = static_cast<std::size_t>(g.Colunas) * static_cast<std::size_t>(g.Linhas);
    grade.Valores.resize(n * 4);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t b = 0; b < 4; ++b)
            grade.Valores[i * 4 + b] = g.Bandas[b][i];
    return grade;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::cerr << "Uso: gerar_bd_precipitacao ESTACOES.csv LOCALIDADES.csv GRADE.tif PASTA\n";
        return 64;
    }
    try {
        const fs::path pasta = argv[4];
        fs::create_directories(pasta);
        std::size_t nEstacoes = 0, nLocalidades = 0;
        GravarArquivoEstacoes(pasta / kArquivoEstacoes, LerEstacoes(argv[1], nEstacoes));
        GravarArquivoLocalidades(pasta / kArquivoLocalidades, LerLocalidades(argv[2], nLocalidades));
        LerGrade(argv[3]).Gravar(pasta / kArquivoGrade);
        std::cout << "Banco de dados de chuvas: " << nEstacoes << " estações, " << nLocalidades
                  << " localidades em " << pasta.string() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "gerar_bd_precipitacao: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
