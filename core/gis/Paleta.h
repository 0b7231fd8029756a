#pragma once
// The colour palettes of the raster viewer: text files of 256 lines, each an
// index (ignored) followed by red, green and blue from 0 to 255, separated by
// blanks; line i gives colour i. The five palettes of the viewer lie in the
// shared data folder.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace vastrel::gis {

inline constexpr int kNumPaletas = 5;
inline constexpr int kCoresPaleta = 256;

struct TCor {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TCor&) const = default;
};

using TPaleta = std::array<TCor, kCoresPaleta>;

// File names of the palettes 0 to 4 ("idris256.pal" ...).
std::string_view ArquivoPaleta(int indice);

// The palette file of index 0 to 4 in the shared data folder.
std::filesystem::path CaminhoPaleta(int indice);

// Reads the 256 lines of a palette file. A missing file, a line that does
// not hold four integers, a colour outside 0 to 255 or fewer than 256 lines
// raise EArquivoGis naming the file.
TPaleta CarregarPaleta(const std::filesystem::path& caminho);

} // namespace vastrel::gis
