#include "gis/Raster.h"

#include "gis/Bytes.h"

#include <cctype>
#include <limits>

namespace vastrel::gis {

namespace {

constexpr std::size_t kPosTitulo = 2;
constexpr std::size_t kPosColunas = 257;
constexpr std::size_t kPosLinhas = 261;
constexpr std::size_t kPosXMin = 265;
constexpr std::size_t kPosUnidade = 281;

std::string Invalido(const std::string& nome, const std::string& motivo)
{
    return "Arquivo raster '" + nome + "' inválido: " + motivo;
}

} // namespace

std::size_t LarguraCelula(char tipoCelula)
{
    switch (tipoCelula) {
    case 'R': return 4;
    case 'I': return 2;
    case 'B': return 1;
    default: return 0;
    }
}

std::size_t InicioCelulas(char tipoCelula)
{
    switch (tipoCelula) {
    case 'R': return kInicioCelulasReais;
    case 'I': return kInicioCelulasInteiras;
    case 'B': return kInicioCelulasByte;
    default: return 0;
    }
}

std::int64_t TCabecalhoRaster::NumCelulas() const
{
    if (Colunas <= 0 || Linhas <= 0)
        return 0;
    return static_cast<std::int64_t>(Colunas) * Linhas;
}

std::uint64_t TCabecalhoRaster::TamanhoArquivo() const
{
    return InicioCelulas(TipoCelula) + static_cast<std::uint64_t>(NumCelulas()) * LarguraCelula(TipoCelula);
}

std::vector<std::uint8_t> TCabecalhoRaster::Codificar() const
{
    const std::size_t inicio = InicioCelulas(TipoCelula);
    if (inicio == 0)
        throw EArquivoGis(std::string("Tipo de célula desconhecido: '") + TipoCelula + "'.");
    std::vector<std::uint8_t> b(inicio, 0);
    b[0] = Versao;
    b[1] = static_cast<std::uint8_t>(TipoCelula);
    bytes::EscreveTexto(&b[kPosTitulo], Titulo);
    bytes::EscreveInt32(&b[kPosColunas], Colunas);
    bytes::EscreveInt32(&b[kPosLinhas], Linhas);
    bytes::EscreveFloat(&b[kPosXMin], XMin);
    bytes::EscreveFloat(&b[kPosXMin + 4], XMax);
    bytes::EscreveFloat(&b[kPosXMin + 8], YMin);
    bytes::EscreveFloat(&b[kPosXMin + 12], YMax);
    bytes::EscreveTexto(&b[kPosUnidade], Unidade);
    std::uint8_t* v = &b[kPosicaoValores];
    switch (TipoCelula) {
    case 'R':
        bytes::EscreveFloat(v, ValorMin);
        bytes::EscreveFloat(v + 4, ValorMax);
        break;
    case 'I':
        bytes::EscreveInt16(v, ValorMinInteiro);
        bytes::EscreveInt16(v + 2, ValorMaxInteiro);
        break;
    default:
        v[0] = ValorMinByte;
        v[1] = ValorMaxByte;
        break;
    }
    return b;
}

TCabecalhoRaster TCabecalhoRaster::Decodificar(std::span<const std::uint8_t> b, std::uint64_t tamanhoArquivo,
                                               const std::string& nome)
{
    if (b.size() < 2)
        throw EArquivoGis(Invalido(nome, "cabeçalho incompleto."));
    TCabecalhoRaster c;
    c.Versao = b[0];
    if (c.Versao != kVersaoRaster)
        throw EArquivoGis(Invalido(nome, "versão " + std::to_string(c.Versao) + " desconhecida."));
    c.TipoCelula = static_cast<char>(std::toupper(b[1]));
    const std::size_t inicio = InicioCelulas(c.TipoCelula);
    if (inicio == 0)
        throw EArquivoGis(Invalido(nome, "tipo de célula desconhecido (código " + std::to_string(b[1]) + ")."));
    if (b.size() < inicio || tamanhoArquivo < inicio)
        throw EArquivoGis(Invalido(nome, "cabeçalho incompleto."));
    c.Titulo = bytes::LeTexto(&b[kPosTitulo]);
    c.Colunas = bytes::LeInt32(&b[kPosColunas]);
    c.Linhas = bytes::LeInt32(&b[kPosLinhas]);
    c.XMin = bytes::LeFloat(&b[kPosXMin]);
    c.XMax = bytes::LeFloat(&b[kPosXMin + 4]);
    c.YMin = bytes::LeFloat(&b[kPosXMin + 8]);
    c.YMax = bytes::LeFloat(&b[kPosXMin + 12]);
    c.Unidade = bytes::LeTexto(&b[kPosUnidade]);
    const std::uint8_t* v = &b[kPosicaoValores];
    switch (c.TipoCelula) {
    case 'R':
        c.ValorMin = bytes::LeFloat(v);
        c.ValorMax = bytes::LeFloat(v + 4);
        break;
    case 'I':
        c.ValorMinInteiro = bytes::LeInt16(v);
        c.ValorMaxInteiro = bytes::LeInt16(v + 2);
        break;
    default:
        c.ValorMinByte = v[0];
        c.ValorMaxByte = v[1];
        break;
    }
    if (c.Colunas <= 0 || c.Linhas <= 0)
        throw EArquivoGis(Invalido(nome, "dimensões impossíveis (" + std::to_string(c.Colunas) + " colunas, " +
                                             std::to_string(c.Linhas) + " linhas)."));
    // The cells must fill the rest of the file exactly: this catches a
    // truncated file as well as a header whose dimensions are corrupt.
    const std::uint64_t largura = LarguraCelula(c.TipoCelula);
    const std::uint64_t resto = tamanhoArquivo - inicio;
    const auto celulas = static_cast<std::uint64_t>(c.NumCelulas());
    if (resto % largura != 0 || resto / largura != celulas) {
        std::string motivo = "o tamanho do arquivo (" + std::to_string(tamanhoArquivo) +
                             " bytes) não corresponde às " + std::to_string(c.Colunas) + " colunas e " +
                             std::to_string(c.Linhas) + " linhas do cabeçalho";
        if (celulas <= (std::numeric_limits<std::uint64_t>::max() - inicio) / largura)
            motivo += " (esperados " + std::to_string(inicio + celulas * largura) + " bytes)";
        throw EArquivoGis(Invalido(nome, motivo + "."));
    }
    return c;
}

double MetrosPorUnidade(const std::string& unidade)
{
    const auto inicio = unidade.find_first_not_of(" \t");
    const auto fim = unidade.find_last_not_of(" \t");
    std::string u;
    if (inicio != std::string::npos)
        for (char ch : unidade.substr(inicio, fim - inicio + 1))
            u += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (u == "KM")
        return 1000.0;
    if (u == "M")
        return 1.0;
    return 0.0;
}

} // namespace vastrel::gis
