#pragma once
// What the fuzz targets share: a private folder in memory (tmpfs when the
// machine has one) into which each input is written as the file a reader
// opens, and the rule that a reader may refuse an input only with an error
// of the system (vastrel::Exception); anything else escaping it, a crash or
// a sanitizer report is a fault.

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vastrel::fuzz {

// The folder of this process, made on first use and emptied at exit.
inline const std::filesystem::path& Pasta()
{
    static const std::filesystem::path pasta = [] {
        std::error_code ec;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, ec))
            base = std::filesystem::temp_directory_path();
        auto p = base / ("vastrel-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(p);
        std::atexit([] {
            std::error_code e;
            std::filesystem::remove_all(Pasta(), e);
        });
        return p;
    }();
    return pasta;
}

// Writes the bytes into the file `nome` of the folder and returns its path.
inline std::filesystem::path Arquivo(const std::string& nome, std::string_view bytes)
{
    const auto p = Pasta() / nome;
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

inline std::filesystem::path Arquivo(const std::string& nome, const std::uint8_t* dados, std::size_t n)
{
    return Arquivo(nome, std::string_view(reinterpret_cast<const char*>(dados), n));
}

// The file `nome` of the folder, removed if it exists (an output).
inline std::filesystem::path Saida(const std::string& nome)
{
    const auto p = Pasta() / nome;
    std::error_code ec;
    std::filesystem::remove(p, ec);
    return p;
}

inline std::string LerTudo(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A broken property: says which and stops the run, so that libFuzzer keeps
// the input as a crash.
[[noreturn]] inline void Falhou(const std::string& propriedade)
{
    std::fprintf(stderr, "Propriedade violada: %s\n", propriedade.c_str());
    std::abort();
}

} // namespace vastrel::fuzz

#include "common/Exceptions.h"
#include "gis/ImportExport.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"

namespace vastrel::fuzz {

// Runs a conversion: true when it wrote its output, false when it refused
// the input with the system's message (and then it must have left no
// output behind).
template <class F>
bool Converteu(const std::filesystem::path& saida, F&& converter)
{
    try {
        converter();
        return true;
    } catch (const Exception&) {
        std::error_code ec;
        if (std::filesystem::exists(saida, ec))
            Falhou("uma conversão recusada deixou o arquivo de saída");
        return false;
    }
}

// A raster or vector file a conversion wrote, read back; failing to read it
// is a fault.
inline gis::TMemoryRaster RasterGravado(const std::filesystem::path& p, const std::string& contexto)
{
    gis::TMemoryRaster r;
    try {
        if (!r.CarregarRaster(p))
            Falhou(contexto + ": o raster gravado não existe");
    } catch (const Exception& e) {
        Falhou(contexto + ": o raster gravado não se lê: " + e.what());
    }
    return r;
}

inline gis::TVetor VetorGravado(const std::filesystem::path& p, const std::string& contexto)
{
    gis::TVetor v;
    try {
        if (!v.CarregarVetor(p))
            Falhou(contexto + ": o vetor gravado não existe");
    } catch (const Exception& e) {
        Falhou(contexto + ": o vetor gravado não se lê: " + e.what());
    }
    return v;
}

// The answers of a conversion: metres, and information boxes ignored.
class TPerguntasFixas : public gis::IPerguntasConversao {
public:
    std::string UnidadeDistancia() override { return "m"; }
    void Informar(const std::string&) override {}
};

// Floats compared as stored: the same bits, or both zero.
inline bool MesmoFloat(float a, float b)
{
    return a == b || std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace vastrel::fuzz

namespace vastrel::fuzz {

// An input made of two files: a 16-bit little-endian length, that many
// bytes of the first file, and the rest for the second (a documentation
// file and its data, for example).
struct TDuasPartes {
    std::string_view primeira, segunda;
};

inline TDuasPartes DuasPartes(const std::uint8_t* dados, std::size_t n)
{
    const std::string_view tudo(reinterpret_cast<const char*>(dados), n);
    if (n < 2)
        return {tudo, {}};
    const std::size_t tamanho = std::min<std::size_t>(dados[0] | dados[1] << 8, n - 2);
    return {tudo.substr(2, tamanho), tudo.substr(2 + tamanho)};
}

} // namespace vastrel::fuzz
