#include "gis/MemoryRaster.h"

#include "gis/Bytes.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <system_error>

namespace vastrel::gis {

namespace fs = std::filesystem;

void TMemoryRaster::DefinirTipo(char letra)
{
    TipoCelula = static_cast<char>(std::toupper(static_cast<unsigned char>(letra)));
}

bool TMemoryRaster::CarregarRaster(const fs::path& caminho)
{
    std::error_code ec;
    if (caminho.empty() || !fs::is_regular_file(caminho, ec))
        return false;
    std::vector<std::uint8_t> dados = bytes::LerArquivo(caminho);
    const TCabecalhoRaster c = TCabecalhoRaster::Decodificar(dados, dados.size(), bytes::NomeArquivo(caminho));
    static_cast<TCabecalhoRaster&>(*this) = c;
    buffer_ = std::move(dados);
    return true;
}

void TMemoryRaster::GravarRaster(const fs::path& caminho)
{
    if (caminho.empty())
        return;
    const std::vector<std::uint8_t> cab = Codificar();
    // Cells never placed are stored as 0 (no data), so the file always
    // holds the Colunas × Linhas cells its header announces.
    const std::uint64_t tamanho = TamanhoArquivo();
    if (buffer_.size() != tamanho) {
        try {
            buffer_.resize(static_cast<std::size_t>(tamanho), 0);
        } catch (const std::bad_alloc&) {
            throw EArquivoGis("Memória insuficiente para gravar o arquivo '" + bytes::NomeArquivo(caminho) + "'.");
        }
    }
    std::copy(cab.begin(), cab.end(), buffer_.begin());
    bytes::GravarArquivo(caminho, buffer_.data(), buffer_.size());
}

void TMemoryRaster::AlocarCelulas()
{
    if (Colunas < 0 || Linhas < 0 || LarguraCelula(TipoCelula) == 0)
        throw EArquivoGis("Dimensões de imagem impossíveis (" + std::to_string(Colunas) + " colunas, " +
                          std::to_string(Linhas) + " linhas).");
    const std::uint64_t tamanho = TamanhoArquivo();
    try {
        if (tamanho > buffer_.max_size())
            throw std::bad_alloc();
        buffer_.assign(static_cast<std::size_t>(tamanho), 0);
    } catch (const std::bad_alloc&) {
        throw EArquivoGis("A imagem de " + std::to_string(Colunas) + " colunas e " + std::to_string(Linhas) +
                          " linhas não cabe na memória.");
    }
}

float TMemoryRaster::LerCelulaReal(std::int64_t k) const
{
    if (k < 0 || k >= NumCelulas())
        return 0;
    const auto pos = kInicioCelulasReais + 4 * static_cast<std::size_t>(k);
    return pos + 4 <= buffer_.size() ? bytes::LeFloat(&buffer_[pos]) : 0.0f;
}

void TMemoryRaster::GravarCelulaReal(std::int64_t k, float valor)
{
    if (k < 0 || k >= NumCelulas())
        return;
    const auto pos = kInicioCelulasReais + 4 * static_cast<std::size_t>(k);
    if (buffer_.size() < pos + 4)
        buffer_.resize(pos + 4, 0);
    bytes::EscreveFloat(&buffer_[pos], valor);
}

std::int16_t TMemoryRaster::LerCelulaInteira(std::int64_t k) const
{
    if (k < 0 || k >= NumCelulas())
        return 0;
    const auto pos = kInicioCelulasInteiras + 2 * static_cast<std::size_t>(k);
    return pos + 2 <= buffer_.size() ? bytes::LeInt16(&buffer_[pos]) : std::int16_t{0};
}

std::uint8_t TMemoryRaster::LerCelulaByte(std::int64_t k) const
{
    if (k < 0 || k >= NumCelulas())
        return 0;
    const auto pos = kInicioCelulasByte + static_cast<std::size_t>(k);
    return pos < buffer_.size() ? buffer_[pos] : std::uint8_t{0};
}

void TMemoryRaster::LerLinhaComoReal(std::int32_t linha, float* destino) const
{
    const auto n = static_cast<std::size_t>(std::max(Colunas, 0));
    std::fill(destino, destino + n, 0.0f);
    const std::size_t largura = LarguraCelula(TipoCelula);
    if (linha < 0 || linha >= Linhas || largura == 0)
        return;
    const std::size_t pos = InicioCelulas(TipoCelula) + static_cast<std::size_t>(linha) * n * largura;
    if (pos >= buffer_.size())
        return;
    const std::size_t disponiveis = std::min(n, (buffer_.size() - pos) / largura);
    const std::uint8_t* p = &buffer_[pos];
    switch (TipoCelula) {
    case 'R':
        bytes::LeFloats(p, disponiveis, destino);
        break;
    case 'I':
        for (std::size_t i = 0; i < disponiveis; ++i)
            destino[i] = static_cast<float>(bytes::LeInt16(p + 2 * i));
        break;
    default:
        for (std::size_t i = 0; i < disponiveis; ++i)
            destino[i] = static_cast<float>(p[i]);
        break;
    }
}

void TMemoryRaster::GravarLinhaReal(std::int32_t linha, const float* origem)
{
    if (linha < 0 || linha >= Linhas || Colunas <= 0)
        return;
    const auto n = static_cast<std::size_t>(Colunas);
    const std::size_t pos = kInicioCelulasReais + static_cast<std::size_t>(linha) * n * 4;
    if (buffer_.size() < pos + 4 * n)
        buffer_.resize(pos + 4 * n, 0);
    bytes::EscreveFloats(&buffer_[pos], n, origem);
}

} // namespace vastrel::gis
