#include "gis/FileRaster.h"

#include "gis/Bytes.h"

#include <istream>
#include <ostream>
#include <system_error>
#include <vector>

namespace vastrel::gis {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTamanhoBloco = 1 << 20; // bytes per chunk of the block copies

} // namespace

TFileRaster::~TFileRaster()
{
    if (arquivo_.is_open())
        arquivo_.close();
}

bool TFileRaster::AbrirRaster(const fs::path& caminho)
{
    std::error_code ec;
    if (caminho.empty() || !fs::is_regular_file(caminho, ec))
        return false;
    const std::string nome = bytes::NomeArquivo(caminho);
    const auto tamanho = fs::file_size(caminho, ec);
    if (ec)
        throw EArquivoGis("Não foi possível ler o arquivo '" + nome + "'.");
    std::fstream f(caminho, std::ios::in | std::ios::out | std::ios::binary);
    if (!f.is_open())
        f.open(caminho, std::ios::in | std::ios::binary); // a read-only file can still be read
    if (!f.is_open())
        throw EArquivoGis("Não foi possível abrir o arquivo '" + nome + "'.");
    std::vector<std::uint8_t> cab(kInicioCelulasReais, 0);
    f.read(reinterpret_cast<char*>(cab.data()), static_cast<std::streamsize>(cab.size()));
    cab.resize(static_cast<std::size_t>(f.gcount()));
    f.clear();
    const TCabecalhoRaster c = TCabecalhoRaster::Decodificar(cab, tamanho, nome);
    if (arquivo_.is_open())
        arquivo_.close();
    static_cast<TCabecalhoRaster&>(*this) = c;
    arquivo_ = std::move(f);
    caminho_ = caminho;
    return true;
}

void TFileRaster::CriarRaster(const fs::path& caminho)
{
    const std::vector<std::uint8_t> cab = Codificar();
    if (arquivo_.is_open())
        arquivo_.close();
    arquivo_.clear();
    arquivo_.open(caminho, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
    if (!arquivo_.is_open())
        throw EArquivoGis("Não foi possível criar o arquivo '" + bytes::NomeArquivo(caminho) + "'.");
    caminho_ = caminho;
    arquivo_.write(reinterpret_cast<const char*>(cab.data()), static_cast<std::streamsize>(cab.size()));
    if (!arquivo_)
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho) + "'.");
}

float TFileRaster::LerCelulaReal(std::int64_t k)
{
    float v = 0;
    LerCelulasReais(k, 1, &v);
    return v;
}

void TFileRaster::LerCelulasReais(std::int64_t k, std::int64_t n, float* destino)
{
    for (std::int64_t i = 0; i < n; ++i)
        destino[i] = 0;
    if (!arquivo_.is_open() || k < 0 || n <= 0 || k >= NumCelulas())
        return;
    if (n > NumCelulas() - k)
        n = NumCelulas() - k;
    std::vector<std::uint8_t> b(static_cast<std::size_t>(n) * 4);
    arquivo_.clear();
    arquivo_.seekg(static_cast<std::streamoff>(kInicioCelulasReais + 4 * static_cast<std::uint64_t>(k)));
    arquivo_.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(b.size()));
    const auto lidos = static_cast<std::size_t>(arquivo_.gcount()) / 4;
    arquivo_.clear();
    bytes::LeFloats(b.data(), lidos, destino);
}

void TFileRaster::GravarCelulaReal(std::int64_t k, float valor)
{
    if (!arquivo_.is_open() || k < 0 || k >= NumCelulas())
        return;
    std::uint8_t b[4];
    bytes::EscreveFloat(b, valor);
    arquivo_.clear();
    arquivo_.seekp(static_cast<std::streamoff>(kInicioCelulasReais + 4 * static_cast<std::uint64_t>(k)));
    arquivo_.write(reinterpret_cast<const char*>(b), 4);
    if (!arquivo_)
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
}

void TFileRaster::GravarBloco(std::uint64_t posicao, std::istream& origem)
{
    if (!arquivo_.is_open())
        return;
    origem.clear();
    origem.seekg(0);
    arquivo_.clear();
    arquivo_.seekp(static_cast<std::streamoff>(posicao));
    std::vector<char> b(kTamanhoBloco);
    while (origem) {
        origem.read(b.data(), static_cast<std::streamsize>(b.size()));
        const std::streamsize n = origem.gcount();
        if (n <= 0)
            break;
        arquivo_.write(b.data(), n);
        if (!arquivo_)
            throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
    }
    if (origem.bad())
        throw EArquivoGis("Erro de leitura ao copiar as células para '" + bytes::NomeArquivo(caminho_) + "'.");
}

void TFileRaster::GravarBlocoReal(std::int64_t k, std::istream& origem)
{
    GravarBloco(kInicioCelulasReais + 4 * static_cast<std::uint64_t>(k), origem);
}

void TFileRaster::GravarBlocoInteiro(std::int64_t k, std::istream& origem)
{
    GravarBloco(kInicioCelulasInteiras + 2 * static_cast<std::uint64_t>(k), origem);
}

void TFileRaster::GravarBlocoByte(std::int64_t k, std::istream& origem)
{
    GravarBloco(kInicioCelulasByte + static_cast<std::uint64_t>(k), origem);
}

void TFileRaster::CopiarDesde(std::uint64_t posicao, std::ostream& destino)
{
    if (!arquivo_.is_open())
        return;
    arquivo_.clear();
    arquivo_.seekg(static_cast<std::streamoff>(posicao));
    std::vector<char> b(kTamanhoBloco);
    while (arquivo_) {
        arquivo_.read(b.data(), static_cast<std::streamsize>(b.size()));
        const std::streamsize n = arquivo_.gcount();
        if (n <= 0)
            break;
        destino.write(b.data(), n);
        if (!destino)
            throw EArquivoGis("Erro ao gravar as células copiadas de '" + bytes::NomeArquivo(caminho_) + "'.");
    }
    arquivo_.clear();
}

void TFileRaster::CopiarCelulasReais(std::ostream& destino) { CopiarDesde(kInicioCelulasReais, destino); }
void TFileRaster::CopiarCelulasInteiras(std::ostream& destino) { CopiarDesde(kInicioCelulasInteiras, destino); }
void TFileRaster::CopiarCelulasByte(std::ostream& destino) { CopiarDesde(kInicioCelulasByte, destino); }

void TFileRaster::Fechar()
{
    if (!arquivo_.is_open())
        return;
    arquivo_.close();
    if (arquivo_.fail()) {
        arquivo_.clear();
        throw EArquivoGis("Erro ao gravar o arquivo '" + bytes::NomeArquivo(caminho_) + "'.");
    }
}

char TipoCelulaDoArquivo(const std::filesystem::path& caminho)
{
    TFileRaster sonda;
    sonda.AbrirRaster(caminho);
    return sonda.TipoCelula;
}

} // namespace vastrel::gis
