#include "gis/LinhasRaster.h"

#include <algorithm>
#include <system_error>

namespace vastrel::gis::detalhe {

namespace fs = std::filesystem;

TFonteArquivo::TFonteArquivo(const fs::path& caminho) : caminho_(caminho)
{
    std::error_code ec;
    if (caminho.empty() || !fs::is_regular_file(caminho, ec))
        return;
    const std::string nome = bytes::NomeArquivo(caminho);
    const auto tamanho = fs::file_size(caminho, ec);
    if (ec)
        throw EArquivoGis("Não foi possível ler o arquivo '" + nome + "'.");
    std::ifstream in(caminho, std::ios::binary);
    if (!in.is_open())
        throw EArquivoGis("Não foi possível abrir o arquivo '" + nome + "'.");
    std::vector<std::uint8_t> cab(kInicioCelulasReais, 0);
    in.read(reinterpret_cast<char*>(cab.data()), static_cast<std::streamsize>(cab.size()));
    cab.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
    cab_ = TCabecalhoRaster::Decodificar(cab, tamanho, nome);
    in.seekg(static_cast<std::streamoff>(InicioCelulas(cab_.TipoCelula)));
    bruto_.resize(static_cast<std::size_t>(cab_.Colunas) * LarguraCelula(cab_.TipoCelula));
    in_ = std::move(in);
}

void TFonteArquivo::Ler(std::int32_t linha, float* destino)
{
    const auto n = static_cast<std::size_t>(cab_.Colunas);
    if (linha != proxima_) {
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(InicioCelulas(cab_.TipoCelula) +
                                              static_cast<std::uint64_t>(linha) * bruto_.size()));
    }
    in_.read(reinterpret_cast<char*>(bruto_.data()), static_cast<std::streamsize>(bruto_.size()));
    if (static_cast<std::size_t>(in_.gcount()) != bruto_.size())
        throw EArquivoGis("Erro de leitura no arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
    proxima_ = linha + 1;
    const std::uint8_t* p = bruto_.data();
    switch (cab_.TipoCelula) {
    case 'R':
        bytes::LeFloats(p, n, destino);
        break;
    case 'I':
        for (std::size_t i = 0; i < n; ++i)
            destino[i] = static_cast<float>(bytes::LeInt16(p + 2 * i));
        break;
    default:
        for (std::size_t i = 0; i < n; ++i)
            destino[i] = static_cast<float>(p[i]);
        break;
    }
}

TCabecalhoRaster CabecalhoDeSaida(const TCabecalhoRaster& entrada, const std::string& titulo)
{
    TCabecalhoRaster s;
    s.Versao = entrada.Versao;
    s.TipoCelula = 'R';
    s.Titulo = titulo;
    s.Colunas = entrada.Colunas;
    s.Linhas = entrada.Linhas;
    s.XMin = entrada.XMin;
    s.XMax = entrada.XMax;
    s.YMin = entrada.YMin;
    s.YMax = entrada.YMax;
    s.Unidade = entrada.Unidade;
    return s;
}

TDestinoArquivo::TDestinoArquivo(const fs::path& caminho, const TCabecalhoRaster& cabecalho)
    : caminho_(caminho), cab_(cabecalho), gravacao_(caminho),
      out_(gravacao_.Temporario(), std::ios::binary | std::ios::trunc)
{
    if (!out_.is_open())
        throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(caminho) + "'.");
    const std::vector<std::uint8_t> cab = cab_.Codificar();
    out_.write(reinterpret_cast<const char*>(cab.data()), static_cast<std::streamsize>(cab.size()));
    bruto_.resize(static_cast<std::size_t>(std::max(cab_.Colunas, 0)) * 4);
}

void TDestinoArquivo::Gravar(std::int32_t linha, const float* origem)
{
    (void)linha; // rows arrive in order, north first
    bytes::EscreveFloats(bruto_.data(), bruto_.size() / 4, origem);
    out_.write(reinterpret_cast<const char*>(bruto_.data()), static_cast<std::streamsize>(bruto_.size()));
    if (!out_)
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
}

void TDestinoArquivo::Concluir(float valorMin, float valorMax)
{
    cab_.ValorMin = valorMin;
    cab_.ValorMax = valorMax;
    const std::vector<std::uint8_t> cab = cab_.Codificar();
    out_.seekp(0);
    out_.write(reinterpret_cast<const char*>(cab.data()), static_cast<std::streamsize>(cab.size()));
    out_.close();
    if (!out_)
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
    gravacao_.Confirmar();
}

} // namespace vastrel::gis::detalhe
