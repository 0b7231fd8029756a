#pragma once
// The raster file of the system (".ras"): a fixed little-endian header
// followed by the cells, row by row from the northern row, each row from the
// western cell.
//
//   offset  size  field
//        0     1  Versao       format version, always 1
//        1     1  TipoCelula   "R" 32-bit float, "I" 16-bit signed, "B" byte
//        2   255  Titulo       length byte + Windows-1252 text (at most 254)
//      257     4  Colunas      signed 32-bit
//      261     4  Linhas       signed 32-bit
//      265    16  XMin, XMax, YMin, YMax   32-bit floats
//      281   255  Unidade      "M" or "KM", any letter case
//      536    2w  ValorMin, ValorMax        in the cell type (w = 4, 2, 1)
//   536+2w  L·C·w cells
//
// The first cell therefore lies at byte 544 ("R"), 540 ("I") or 538 ("B").
// The value 0 marks a cell without data. Text in memory is UTF-8.

#include "gis/ErrosGis.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vastrel::gis {

inline constexpr std::uint8_t kVersaoRaster = 1;
inline constexpr std::size_t kTamanhoTexto = 255;        // slot of a short string, length byte included
inline constexpr std::size_t kPosicaoValores = 536;      // ValorMin, ValorMax
inline constexpr std::size_t kInicioCelulasReais = 544;
inline constexpr std::size_t kInicioCelulasInteiras = 540;
inline constexpr std::size_t kInicioCelulasByte = 538;

// Width in bytes of a cell of the type letter (upper case): 4, 2 or 1;
// 0 for any other letter.
std::size_t LarguraCelula(char tipoCelula);

// Byte at which the cells of the type letter begin (544, 540 or 538); 0 for
// any other letter.
std::size_t InicioCelulas(char tipoCelula);

// The header fields of a raster file, shared by TMemoryRaster and
// TFileRaster and usable by any other reader of the format.
struct TCabecalhoRaster {
    std::uint8_t Versao = kVersaoRaster;
    char TipoCelula = 'R';
    std::string Titulo;             // UTF-8
    std::int32_t Colunas = 0;
    std::int32_t Linhas = 0;
    float XMin = 0, XMax = 0;       // western and eastern edges, in Unidade
    float YMin = 0, YMax = 0;       // southern and northern edges, in Unidade
    std::string Unidade;            // "M" or "KM" (any case); empty when new
    float ValorMin = 0, ValorMax = 0;                     // used for "R"
    std::int16_t ValorMinInteiro = 0, ValorMaxInteiro = 0; // used for "I"
    std::uint8_t ValorMinByte = 0, ValorMaxByte = 0;       // used for "B"

    // Colunas × Linhas (0 when either is not positive).
    std::int64_t NumCelulas() const;
    // Size of the whole file for the current type and dimensions.
    std::uint64_t TamanhoArquivo() const;

    // The header bytes (InicioCelulas(TipoCelula) of them). Texts are
    // written in Windows-1252, cut to 254 characters, padded with blanks.
    // Raises EArquivoGis for an unknown type letter.
    std::vector<std::uint8_t> Codificar() const;

    // Reads and checks the header at the start of `bytes`, the beginning of
    // a file of `tamanhoArquivo` bytes named `nome` (for messages). Refuses
    // with EArquivoGis a header that is cut short, a version other than 1,
    // an unknown type letter, negative dimensions, or dimensions whose
    // cells do not fill the file exactly.
    static TCabecalhoRaster Decodificar(std::span<const std::uint8_t> bytes,
                                        std::uint64_t tamanhoArquivo, const std::string& nome);
};

// Unit of the raster in metres per unit: 1000 for "KM", 1 for "M" (any
// letter case, surrounding blanks ignored); 0 for any other text.
double MetrosPorUnidade(const std::string& unidade);

} // namespace vastrel::gis
