#pragma once
// The terrace table of a location run (".bdt"), beside the vector file with
// the same name: one record per located terrace, in the order of their
// numbers.
//
// Binary, little-endian, no padding:
//
//   offset  size  field
//        0     1  version, always 1
//        1     4  N, the number of records (signed 32-bit)
//        5  52·N  records:
//                   0   4  Numero            terrace number = line number in the ".vet"
//                   4   8  Cota              level of the terrace, m
//                  12   8  DeclividadeMedia  mean slope of the strip that set the spacing, %
//                  20   8  Comprimento       length of the terrace line, m
//                  28   8  AreaInfluencia    contributing area, m²
//                  36   8  EV                vertical spacing in force, m
//                  44   8  Altura            terrace height, m

#include "common/Lista.h"

#include <cstdint>
#include <filesystem>

namespace vastrel {

inline constexpr std::size_t kTamanhoCabecalhoBDT = 5;
inline constexpr std::size_t kTamanhoRegistroBDT = 52;

// One located terrace.
struct TRegTerr {
    std::int32_t Numero = 0;
    double Cota = 0;             // m
    double DeclividadeMedia = 0; // %
    double Comprimento = 0;      // m
    double AreaInfluencia = 0;   // m²
    double EV = 0;               // m
    double Altura = 0;           // m
};

class TBDT : public TLista<TRegTerr> {
public:
    std::uint8_t Versao = 1;

    // Writes the table in one piece (a failed write leaves any previous
    // file as it was). Raises gis::EArquivoGis when it cannot be written.
    void Salvar(const std::filesystem::path& caminho);

    // Appends the records of a table file to the list. False, with the
    // list unchanged, for another version; false, keeping the records read
    // so far, for a file that ends inside the table. A missing or
    // unreadable file raises gis::EArquivoGis.
    bool Carregar(const std::filesystem::path& caminho);
};

} // namespace vastrel
