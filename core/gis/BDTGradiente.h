#pragma once
// The table of a graded-terrace layout: version 2 of the ".bdt" beside the
// vector file, with one record per terrace and one per outlet. The level
// layout's table stays version 1 (BDT.h); each reader refuses the other.
//
// Binary, little-endian, no padding:
//
//   offset  size  field
//        0     1  version, always 2
//        1     4  N, the number of terraces (signed 32-bit)
//        5     4  M, the number of outlets (signed 32-bit)
//        9  97·N  terrace records:
//                   0   4  Numero            terrace number = line number in the ".vet"
//                   4   8  CotaMontante      channel bed at the upstream end, m
//                  12   8  CotaSaida         channel bed at the outlet, m
//                  20   8  Gradiente         bed slope, m/m
//                  28   8  Comprimento       length of the terrace, m
//                  36   8  AreaInfluencia    contributing area, m²
//                  44   8  DeclividadeMedia  mean slope of its strip, %
//                  52   8  EV                vertical spacing of its strip, m
//                  60   8  EH                mean width of its strip (area / length), m
//                  68   8  Q                 design discharge at the outlet, L/s
//                  76   8  H                 flow depth for Q, m
//                  84   8  Hr                recommended height, m
//                  92   4  Saida             number of the outlet it drains to
//                  96   1  Situacao          0 the channel carries Q; 1 no normal depth; 2 wider than its strip
//    9+97·N  45·M  outlet records:
//                   0   4  Numero            outlet number
//                   4   8  X, 12 8 Y         map coordinates
//                  20   8  Cota              elevation, m
//                  28   1  Borda             1 on the edge of the land (the water leaves), 0 on a drainage line
//                  29   8  Q                 sum of the discharges of the terraces draining to it, L/s
//                  37   8  QCanal            the waterway's discharge there: Q plus every outlet upstream, L/s

#include <cstdint>
#include <filesystem>
#include <vector>

namespace vastrel {

inline constexpr std::uint8_t kVersaoBDTGradiente = 2;
inline constexpr std::size_t kTamanhoCabecalhoBDTGradiente = 9;
inline constexpr std::size_t kTamanhoRegistroTerracoGradiente = 97;
inline constexpr std::size_t kTamanhoRegistroSaida = 45;

enum class TSituacaoCanal : std::uint8_t {
    Comporta = 0,     // the channel carries its discharge
    SemProfundidade = 1, // no normal depth for the discharge
    MaisLargo = 2,    // the flow's top width exceeds the strip
};

struct TRegTerrGradiente {
    std::int32_t Numero = 0;
    double CotaMontante = 0, CotaSaida = 0; // m
    double Gradiente = 0;        // m/m
    double Comprimento = 0;      // m
    double AreaInfluencia = 0;   // m²
    double DeclividadeMedia = 0; // %
    double EV = 0, EH = 0;       // m
    double Q = 0;                // L/s
    double H = 0, Hr = 0;        // m
    std::int32_t Saida = 0;
    TSituacaoCanal Situacao = TSituacaoCanal::Comporta;
};

struct TRegSaida {
    std::int32_t Numero = 0;
    double X = 0, Y = 0, Cota = 0;
    bool Borda = false;
    double Q = 0, QCanal = 0; // L/s
};

struct TTabelaGradiente {
    std::vector<TRegTerrGradiente> Terracos;
    std::vector<TRegSaida> Saidas;

    // Writes the table in one piece; raises gis::EArquivoGis when it cannot.
    void Salvar(const std::filesystem::path& caminho) const;
    // Reads a table; false, with the table empty, for another version or a
    // file that ends inside it. A missing or unreadable file raises
    // gis::EArquivoGis.
    bool Carregar(const std::filesystem::path& caminho);
    // The version byte of a table file, 0 when it cannot be read or is empty.
    static std::uint8_t VersaoDoArquivo(const std::filesystem::path& caminho);
};

} // namespace vastrel
