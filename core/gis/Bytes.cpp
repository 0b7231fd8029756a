#include "gis/Bytes.h"

#include "common/Cp1252.h"
#include "gis/ErrosGis.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <random>
#include <system_error>

namespace vastrel::gis::bytes {

namespace fs = std::filesystem;

std::string LeTexto(const std::uint8_t* slot)
{
    const std::size_t n = std::min<std::size_t>(slot[0], 254); // the slot holds 254 characters
    return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(slot + 1), n));
}

void EscreveTexto(std::uint8_t* slot, const std::string& utf8)
{
    std::string cp = Utf8ToCp1252(utf8);
    if (cp.size() > 254)
        cp.resize(254);
    slot[0] = static_cast<std::uint8_t>(cp.size());
    std::memset(slot + 1, ' ', 254);
    std::memcpy(slot + 1, cp.data(), cp.size());
}

std::string NomeArquivo(const fs::path& caminho)
{
    const std::u8string u = caminho.filename().u8string();
    return std::string(u.begin(), u.end());
}

std::vector<std::uint8_t> LerArquivo(const fs::path& caminho)
{
    const std::string nome = NomeArquivo(caminho);
    std::error_code ec;
    const auto tamanho = fs::file_size(caminho, ec);
    if (ec)
        throw EArquivoGis("Não foi possível ler o arquivo '" + nome + "'.");
    std::ifstream in(caminho, std::ios::binary);
    if (!in)
        throw EArquivoGis("Não foi possível abrir o arquivo '" + nome + "'.");
    std::vector<std::uint8_t> dados;
    try {
        dados.resize(static_cast<std::size_t>(tamanho));
    } catch (const std::bad_alloc&) {
        throw EArquivoGis("Memória insuficiente para carregar o arquivo '" + nome + "'.");
    } catch (const std::length_error&) {
        throw EArquivoGis("Memória insuficiente para carregar o arquivo '" + nome + "'.");
    }
    in.read(reinterpret_cast<char*>(dados.data()), static_cast<std::streamsize>(dados.size()));
    if (static_cast<std::uint64_t>(in.gcount()) != tamanho)
        throw EArquivoGis("Não foi possível ler o arquivo '" + nome + "'.");
    return dados;
}

fs::path NomeTemporarioVizinho(const fs::path& caminho)
{
    static std::mt19937_64 gerador{std::random_device{}()};
    const fs::path pasta = caminho.has_parent_path() ? caminho.parent_path() : fs::path(".");
    for (;;) {
        fs::path nome = ".";
        nome += caminho.filename();
        nome += "." + std::to_string(gerador() % 1000000000ULL) + ".tmp";
        const fs::path candidato = pasta / nome;
        std::error_code ec;
        if (!fs::exists(candidato, ec))
            return candidato;
    }
}

TGravacaoSegura::TGravacaoSegura(const fs::path& caminho)
    : caminho_(caminho), temporario_(NomeTemporarioVizinho(caminho))
{
}

TGravacaoSegura::~TGravacaoSegura()
{
    if (!confirmado_) {
        std::error_code ec;
        fs::remove(temporario_, ec);
    }
}

void TGravacaoSegura::Confirmar()
{
    std::error_code ec;
    fs::rename(temporario_, caminho_, ec);
    if (ec)
        throw EArquivoGis("Não foi possível gravar o arquivo '" + NomeArquivo(caminho_) + "'.");
    confirmado_ = true;
}

void GravarArquivo(const fs::path& caminho, const std::uint8_t* dados, std::size_t n)
{
    TGravacaoSegura gravacao(caminho);
    {
        std::ofstream out(gravacao.Temporario(), std::ios::binary | std::ios::trunc);
        if (out)
            out.write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(n));
        out.close();
        if (!out)
            throw EArquivoGis("Não foi possível gravar o arquivo '" + NomeArquivo(caminho) + "'.");
    }
    gravacao.Confirmar();
}

} // namespace vastrel::gis::bytes
