#include "location/Pixel.h"

#include "gis/Bytes.h"
#include "gis/Raster.h"

#include <cctype>
#include <cmath>

namespace vastrel {

namespace {

std::string Maiusculas(const std::string& s)
{
    std::string r = s;
    for (char& ch : r)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return r;
}

} // namespace

void TMatrix::SetVersao(std::uint8_t b)
{
    if (b != 1)
        throw EVersion();
    Versao = b;
}

void TMatrix::SetUnidade(const std::string& unidade)
{
    const std::string u = Maiusculas(unidade);
    if (u != "M" && u != "KM")
        throw EUnitDist();
    unidade_ = unidade.substr(0, 255);
}

bool TMatrixSingle::Carregar(const std::filesystem::path& caminho)
{
    const std::vector<std::uint8_t> dados = gis::bytes::LerArquivo(caminho);
    const std::string nome = gis::bytes::NomeArquivo(caminho);
    // The version is the first thing read and the first thing refused.
    if (!dados.empty())
        SetVersao(dados[0]);
    if (dados.size() >= 2 && std::toupper(dados[1]) != 'R')
        return false;
    const gis::TCabecalhoRaster cab = gis::TCabecalhoRaster::Decodificar(dados, dados.size(), nome);

    Titulo = cab.Titulo;
    // Columns before rows, so that every row is laid out once at its width.
    SetColunas(cab.Colunas);
    SetLinhas(cab.Linhas);
    XMin = cab.XMin;
    ResX = static_cast<float>((static_cast<double>(cab.XMax) - cab.XMin) / colunas_);
    YMin = cab.YMin;
    ResY = static_cast<float>((static_cast<double>(cab.YMax) - cab.YMin) / linhas_);
    SetUnidade(cab.Unidade);
    ValorMin = cab.ValorMin;
    ValorMax = cab.ValorMax;

    gis::bytes::LeFloats(dados.data() + gis::kInicioCelulasReais, celulas_.size(), celulas_.data());
    for (const float v : celulas_)
        if (!std::isfinite(v))
            throw Exception("A imagem \"" + nome + "\" contém células que não são números válidos.");
    return true;
}

} // namespace vastrel
