#pragma once
// Byte-level helpers shared by the raster and vector files: little-endian
// numbers, the 255-byte text slot, whole-file reads and replacing writes.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel::gis::bytes {

inline std::uint32_t Le32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline void Escreve32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

inline std::int16_t LeInt16(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

inline void EscreveInt16(std::uint8_t* p, std::int16_t v)
{
    const auto u = static_cast<std::uint16_t>(v);
    p[0] = static_cast<std::uint8_t>(u);
    p[1] = static_cast<std::uint8_t>(u >> 8);
}

inline std::int32_t LeInt32(const std::uint8_t* p) { return static_cast<std::int32_t>(Le32(p)); }
inline void EscreveInt32(std::uint8_t* p, std::int32_t v) { Escreve32(p, static_cast<std::uint32_t>(v)); }
// IEEE 754 binary64, little-endian.
inline double LeDouble(const std::uint8_t* p)
{
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return std::bit_cast<double>(u);
}
inline void EscreveDouble(std::uint8_t* p, double v)
{
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}
inline float LeFloat(const std::uint8_t* p) { return std::bit_cast<float>(Le32(p)); }
inline void EscreveFloat(std::uint8_t* p, float v) { Escreve32(p, std::bit_cast<std::uint32_t>(v)); }

// n little-endian 32-bit floats into destino.
inline void LeFloats(const std::uint8_t* p, std::size_t n, float* destino)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(destino, p, n * 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            destino[i] = LeFloat(p + 4 * i);
    }
}

inline void EscreveFloats(std::uint8_t* p, std::size_t n, const float* origem)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(p, origem, n * 4);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            EscreveFloat(p + 4 * i, origem[i]);
    }
}

// A text slot of 255 bytes: length byte and Windows-1252 characters. The
// length is clamped to the slot; the text returned is UTF-8.
std::string LeTexto(const std::uint8_t* slot);
// Writes the UTF-8 text into the slot in Windows-1252, cut to 254
// characters, the rest of the slot filled with blanks.
void EscreveTexto(std::uint8_t* slot, const std::string& utf8);

// The name of a file as messages show it (without its folder).
std::string NomeArquivo(const std::filesystem::path& caminho);

// Reads a whole file. EArquivoGis when it cannot be read or does not fit in
// memory.
std::vector<std::uint8_t> LerArquivo(const std::filesystem::path& caminho);

// Writes the bytes to a new file beside `caminho` and renames it over
// `caminho`, so that a failed write leaves the previous file as it was.
// EArquivoGis when it cannot be written.
void GravarArquivo(const std::filesystem::path& caminho, const std::uint8_t* dados, std::size_t n);

// A name for a temporary file next to `caminho` (same folder), not in use.
std::filesystem::path NomeTemporarioVizinho(const std::filesystem::path& caminho);

// Writes a file through a temporary sibling: the writer fills the stream;
// on success the file is renamed over `caminho`, on any error it is removed
// and the error passed on.
class TGravacaoSegura {
public:
    explicit TGravacaoSegura(const std::filesystem::path& caminho);
    ~TGravacaoSegura(); // removes the temporary file when not committed
    TGravacaoSegura(const TGravacaoSegura&) = delete;
    TGravacaoSegura& operator=(const TGravacaoSegura&) = delete;

    const std::filesystem::path& Temporario() const { return temporario_; }
    // Renames the temporary file over the final name.
    void Confirmar();

private:
    std::filesystem::path caminho_;
    std::filesystem::path temporario_;
    bool confirmado_ = false;
};

} // namespace vastrel::gis::bytes

namespace vastrel::gis::bytes {

// A path from a UTF-8 text, and back, on every platform.
inline std::filesystem::path CaminhoDeUtf8(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8DeCaminho(const std::filesystem::path& caminho)
{
    const std::u8string u = caminho.u8string();
    return std::string(u.begin(), u.end());
}

} // namespace vastrel::gis::bytes
