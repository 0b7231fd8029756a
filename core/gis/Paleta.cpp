#include "gis/Paleta.h"

#include "common/Pastas.h"
#include "gis/ErrosGis.h"

#include <fstream>
#include <sstream>
#include <string>

namespace vastrel::gis {

namespace {

constexpr std::array<std::string_view, kNumPaletas> kArquivos = {
    "idris256.pal", "qual256.pal", "bimod256.pal", "cinza1.pal", "paleta6.pal"};

[[noreturn]] void Falha(const std::filesystem::path& caminho, int linha)
{
    std::string msg = "Erro de leitura no arquivo de paleta " + caminho.filename().string();
    if (linha > 0)
        msg += " (linha " + std::to_string(linha) + ")";
    throw EArquivoGis(msg + ".");
}

} // namespace

std::string_view ArquivoPaleta(int indice)
{
    if (indice < 0 || indice >= kNumPaletas)
        indice = 0;
    return kArquivos[static_cast<std::size_t>(indice)];
}

std::filesystem::path CaminhoPaleta(int indice)
{
    return ResolverSemCaixa(PastaArquivosComuns(), ArquivoPaleta(indice));
}

TPaleta CarregarPaleta(const std::filesystem::path& caminho)
{
    std::ifstream arquivo(caminho);
    if (!arquivo)
        Falha(caminho, 0);
    TPaleta paleta{};
    std::string texto;
    int linha = 0;
    for (TCor& cor : paleta) {
        // Blank lines between the colours are passed over.
        do {
            if (!std::getline(arquivo, texto))
                Falha(caminho, linha + 1);
            ++linha;
        } while (texto.find_first_not_of(" \t\r") == std::string::npos);
        std::istringstream campos(texto);
        long long indice = 0, r = 0, g = 0, b = 0;
        if (!(campos >> indice >> r >> g >> b))
            Falha(caminho, linha);
        for (long long v : {r, g, b})
            if (v < 0 || v > 255)
                Falha(caminho, linha);
        cor = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
    }
    return paleta;
}

} // namespace vastrel::gis
