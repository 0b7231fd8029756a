#pragma once
// A raster file (".ras") worked on through an open file stream: header
// probes, cell access by index and block copies of the cell area, as the
// import and export of foreign formats need.

#include "gis/Raster.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iosfwd>

namespace vastrel::gis {

class TFileRaster : public TCabecalhoRaster {
public:
    TFileRaster() = default;
    ~TFileRaster(); // closes the file
    TFileRaster(const TFileRaster&) = delete;
    TFileRaster& operator=(const TFileRaster&) = delete;

    // Opens an existing file for reading and writing and reads its header
    // (checked as in TCabecalhoRaster::Decodificar; EArquivoGis when it is
    // not a raster of this format). A missing file opens nothing and gives
    // false.
    bool AbrirRaster(const std::filesystem::path& caminho);

    // Creates the file (an existing one is emptied) and writes the header
    // from the fields, which the caller fills first. EArquivoGis when the
    // file cannot be created or the type letter is unknown.
    void CriarRaster(const std::filesystem::path& caminho);

    bool Aberto() const { return arquivo_.is_open(); }

    // Cell k of a real raster (byte 544 + 4k); 0 outside the raster or
    // without an open file.
    float LerCelulaReal(std::int64_t k);
    // Writes cell k of a real raster; ignored outside the raster.
    void GravarCelulaReal(std::int64_t k, float valor);
    // n real cells from cell k into destino (a row, typically); cells beyond
    // the end of the file read as 0.
    void LerCelulasReais(std::int64_t k, std::int64_t n, float* destino);

    // Copies the whole source stream, from its beginning, into the file at
    // cell k of the respective type (544 + 4k, 540 + 2k, 538 + k).
    void GravarBlocoReal(std::int64_t k, std::istream& origem);
    void GravarBlocoInteiro(std::int64_t k, std::istream& origem);
    void GravarBlocoByte(std::int64_t k, std::istream& origem);

    // Copies everything from byte 544 (540, 538) to the end of the file into
    // the destination stream at its current position.
    void CopiarCelulasReais(std::ostream& destino);
    void CopiarCelulasInteiras(std::ostream& destino);
    void CopiarCelulasByte(std::ostream& destino);

    // Closes the file (also done by the destructor). Raises EArquivoGis when
    // data written could not be flushed.
    void Fechar();

private:
    void GravarBloco(std::uint64_t posicao, std::istream& origem);
    void CopiarDesde(std::uint64_t posicao, std::ostream& destino);

    std::fstream arquivo_;
    std::filesystem::path caminho_;
};

// The cell type letter of a raster file ('R', 'I' or 'B'), from its header.
// EArquivoGis when the file is not a raster of this format.
char TipoCelulaDoArquivo(const std::filesystem::path& caminho);

} // namespace vastrel::gis
