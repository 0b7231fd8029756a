#pragma once
// A raster file (".ras") held whole in memory: the buffer is the file image,
// header and cells, and cells are served from it by their linear index
// k = row × Colunas + column (both from 0, row 0 at the northern edge).

#include "gis/Raster.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vastrel::gis {

class TMemoryRaster : public TCabecalhoRaster {
public:
    // Versao 1, type "R", empty texts, all numbers 0, empty buffer.
    TMemoryRaster() = default;

    // Stores the letter, upper-cased, as TipoCelula.
    void DefinirTipo(char letra);

    // Loads the whole file and reads its header. A missing file changes
    // nothing and gives false; a file that is not a raster of this format
    // (see TCabecalhoRaster::Decodificar) raises EArquivoGis and changes
    // nothing.
    bool CarregarRaster(const std::filesystem::path& caminho);

    // Writes the header over the start of the buffer and saves the whole
    // buffer, replacing the file (written beside it and then renamed, so a
    // failed write leaves the previous file as it was). An empty path does
    // nothing. Raises EArquivoGis when the file cannot be written.
    void GravarRaster(const std::filesystem::path& caminho);

    // Sizes the buffer for the header and Colunas × Linhas cells of the
    // current type, cells set to 0 — the usual start of a raster built cell
    // by cell. Raises EArquivoGis when the dimensions are negative or the
    // image does not fit in memory.
    void AlocarCelulas();

    // Cell k of a real raster (byte 544 + 4k); 0 outside 0 ≤ k < Colunas × Linhas.
    float LerCelulaReal(std::int64_t k) const;
    // Writes cell k of a real raster, growing the buffer as needed; an index
    // outside the raster is ignored.
    void GravarCelulaReal(std::int64_t k, float valor);
    // Cell k of an integer raster (byte 540 + 2k); 0 outside the raster.
    std::int16_t LerCelulaInteira(std::int64_t k) const;
    // Cell k of a byte raster (byte 538 + k); 0 outside the raster.
    std::uint8_t LerCelulaByte(std::int64_t k) const;

    // Row `linha` (from 0) converted to floats into destino[0 .. Colunas),
    // whatever the cell type ("R", "I" or "B"). Cells missing from the
    // buffer read as 0.
    void LerLinhaComoReal(std::int32_t linha, float* destino) const;
    // Writes a row of a real raster from origem[0 .. Colunas), growing the
    // buffer as needed.
    void GravarLinhaReal(std::int32_t linha, const float* origem);

    const std::vector<std::uint8_t>& Buffer() const { return buffer_; }

private:
    std::vector<std::uint8_t> buffer_;
};

} // namespace vastrel::gis
