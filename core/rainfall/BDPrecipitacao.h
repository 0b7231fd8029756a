#pragma once
// The rainfall database: published parameters of the IDF equation
//   i = K·Tr^a / (t + b)^c      (i in mm/h, Tr in years, t in minutes)
// for rain-gauge stations of the Brazilian states, and the seats of the
// municipalities, read from two binary files of the shared data folder.
//
// Both files are a header byte (not interpreted) followed by 27 blocks, one
// per state in the order of the state table (Estados.h); a block is a 16-bit
// unsigned count N and N fixed-size records. Numbers are little-endian, reals
// IEEE 754 doubles, and there is no padding. A text field string[m] takes
// m + 1 bytes: a length byte n and n Windows-1252 characters; the bytes after
// them are not significant.
//
//   "Estados_Nimbra21.bin", station record (152 bytes)
//     0  Nome       string[68]  station name
//    69  K          double      IDF coefficient
//    77  A          double      exponent of the return period
//    85  B          double      time offset, min
//    93  C          double      exponent of the duration
//   101  Fonte      string[30]  short label of the source (trailing blanks not significant)
//   132  Latitude   string[9]   coordinate text (Coordenadas.h)
//   142  Longitude  string[9]   coordinate text
//
//   "Localidades_Nimbra21.bin", locality record (89 bytes)
//     0  Nome       string[68]
//    69  Latitude   string[9]
//    79  Longitude  string[9]
//
// Within a block the records follow the order of their names (Colacao.h).

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/Exceptions.h"
#include "rainfall/Estados.h"
#include "rainfall/GradeIdf.h"

namespace vastrel {

inline constexpr const char* kArquivoEstacoes = "Estados_Nimbra21.bin";
inline constexpr const char* kArquivoLocalidades = "Localidades_Nimbra21.bin";
// Companion of the station file: one line per station record, in file
// order, "UF<TAB>name<TAB>source description" (Windows-1252, CR LF).
inline constexpr const char* kArquivoOrigens = "Origens_Nimbra21.txt";

inline constexpr std::size_t kTamNome = 68;           // characters of a name
inline constexpr std::size_t kTamFonte = 30;          // characters of a source label
inline constexpr std::size_t kTamRegEstacao = 152;    // bytes of a station record
inline constexpr std::size_t kTamRegLocalidade = 89;  // bytes of a locality record

// The source label of interpolated parameters.
inline constexpr const char* kFonteInterpolacao = "Interpolação";

// The states whose stations the interpolation uses, in the order it visits
// them: Bahia, Espírito Santo, Goiás, Minas Gerais, Paraná, Rio de Janeiro,
// São Paulo and Tocantins.
inline constexpr std::array<int, 8> kEstadosInterpolacao = {4, 7, 8, 12, 15, 18, 24, 26};

// One station with its published equation. Texts are UTF-8 in memory.
struct TRegEstacao {
    std::string Nome;
    double K = 0;          // IDF coefficient (i in mm/h for Tr in years, t in min)
    double A = 0;          // exponent of the return period
    double B = 0;          // time offset, min
    double C = 0;          // exponent of the duration
    std::string Fonte;     // short label of the published source
    std::string Latitude;  // coordinate text, south
    std::string Longitude; // coordinate text, west
    // The full description of the source (study or compilation, agency,
    // station code, period of record), from the companion file
    // "Origens_Nimbra21.txt"; not part of the record, empty when the
    // companion file is absent.
    std::string Origem;
};

// How the storm of a place was obtained.
enum class TOrigemChuva {
    Estacao,      // a station's published equation
    Interpolacao, // the storms of the stations around, averaged and fitted
    Grade         // the gridded equation of the GRIDF-BR data set
};

// A station that took part in an answer.
struct TEstacaoUsada {
    int Estado = -1;        // state index
    int Posicao = -1;       // position in the state's block
    double DistanciaKm = 0; // great-circle distance to the point, km
    double Peso = 1;        // share of the weight, 0..1
};

// The storm at a place with what it rests on.
struct TChuvaLocal {
    TRegEstacao Registro;   // K, A, B, C, name (a station's), source label, coordinates
    TOrigemChuva Origem = TOrigemChuva::Estacao;
    // Stations that carry the weight (at least 0.5 % each), heaviest first:
    // the station itself, or those of the interpolation; empty for the grid.
    std::vector<TEstacaoUsada> Estacoes;
    double PesoOutras = 0;   // share of the weight of the stations left off the list
    double DistanciaKm = -1; // nearest station whose equation may be used, km; -1 none
    double ErroAjuste = 0;   // interpolation: largest relative deviation of the fitted curve
    double ErroMedio = 0;    // interpolation: root mean square of those deviations
    std::string Aviso;       // warning of an implausible equation, empty when plausible
    std::string Nota;        // why this answer was taken (fallbacks), empty otherwise
};

// Farthest a station may lie from a point and still give its storm, km.
inline constexpr double kRaioEstacaoKm = 50;

// One locality (municipal seat).
struct TRegLocalidade {
    std::string Nome;
    std::string Latitude;
    std::string Longitude;
};

// A database file that does not exist: "O arquivo <path> não existe.".
class EArquivoNaoExiste : public Exception {
public:
    explicit EArquivoNaoExiste(const std::filesystem::path& arquivo);
};

// A database file whose content does not follow its layout (truncated,
// counts beyond its end, a text longer than its field, a coordinate that is
// not a coordinate, a parameter that is not a finite non-negative number).
// The message names the file and the record.
class EBDPrecipitacao : public Exception {
public:
    explicit EBDPrecipitacao(const std::string& message) : Exception(message) {}
};

// Raises Exception with the message the user sees when the data folder or
// one of the two files is missing from `pasta`.
void VerificarBancoDeDados(const std::filesystem::path& pasta);

class TBDPrecipitacao {
public:
    // The files are looked for in `pasta`, by default the shared data
    // folder beside the program's folder.
    explicit TBDPrecipitacao(std::filesystem::path pasta);
    TBDPrecipitacao();

    // The stations of every state, by state index, in file order.
    std::array<std::vector<TRegEstacao>, kNumEstados> Estacoes;
    // The localities of the state last loaded, in file order.
    std::vector<TRegLocalidade> Localidades;

    std::filesystem::path ArquivoEstacoes() const;
    std::filesystem::path ArquivoLocalidades() const;

    // Reads the whole station file. Raises EArquivoNaoExiste, EBDPrecipitacao
    // or EInOutError; `Estacoes` is then left as it was.
    void CarregarEstacoes();

    // Reads the block of one state of the locality file, jumping over the
    // blocks before it. Raises ENumeroEstado for an index outside 0..26,
    // otherwise as CarregarEstacoes; `Localidades` is empty after an error.
    void CarregarLocalidades(int indiceEstado);

    // The IDF parameters at a point given by its coordinate texts: the
    // record of the station of the interpolation states whose texts are the
    // given ones, else the means of the parameters of all those stations
    // weighted by the inverse fifth power of their distance in degrees,
    // with an empty name and the source "Interpolação". Raises EConvertError
    // for a text that is not a coordinate and Exception when no station of
    // those states is loaded.
    TRegEstacao Interpolar(std::string_view latitude, std::string_view longitude) const;

    // The same with what the answer rests on. The storms of the stations
    // (the intensities of DuracoesReferencia × TemposRetornoReferencia)
    // are averaged with the weights 1 / d^5, d in degrees, and K, a, b and
    // c fitted to the means (AjustarIdf), so that the curve stays within
    // the stations' curves at every duration. Stations whose equation
    // carries a warning (AvisoEquacao) are left out. A station at the very
    // point gives its own equation (and its warning, if any).
    TChuvaLocal InterpolarChuva(std::string_view latitude, std::string_view longitude) const;

    // The storm of a point of a state, as the consultation window and the
    // command line give it: a station at the very point; in the states of
    // the interpolation, the interpolation when a usable station lies within
    // kRaioEstacaoKm, else the grid; in the other states, the nearest
    // usable station of the state within kRaioEstacaoKm, else the grid.
    // Raises Exception when the grid is needed and not loaded, or has no
    // value at the point.
    TChuvaLocal ChuvaNoPonto(std::string_view latitude, std::string_view longitude, int estado) const;

    // The equation of the grid at a point, with the nearest usable station.
    TChuvaLocal ChuvaDaGrade(double latitude, double longitude, const std::string& nota) const;

    // The state of the municipal seat nearest to a point (decimal degrees,
    // south and west positive): the state a point typed without one lies in.
    // Reads the whole locality file once.
    int EstadoDoPonto(double latitude, double longitude) const;

    // The gridded equations ("GradeIdf_GRIDF_BR.bin" of the same folder).
    // CarregarGrade raises EArquivoNaoExiste or EBDPrecipitacao.
    TGradeIdf Grade;
    void CarregarGrade();
    std::filesystem::path ArquivoGrade() const;

    // The source of an answer in one line, as reports and the project keep
    // it: the station's study, agency, code and period; the stations of an
    // interpolation with their distances and weights and the fit's error;
    // or the grid with the distance to the nearest station.
    std::string FonteCompleta(const TChuvaLocal& c) const;

    // The station record a TEstacaoUsada names.
    const TRegEstacao& EstacaoUsada(const TEstacaoUsada& u) const;

private:
    std::filesystem::path pasta_;
    struct TSede {
        double Latitude, Longitude;
        int Estado;
    };
    mutable std::vector<TSede> sedes_; // every municipal seat, read by EstadoDoPonto
};

// A name fitted into a text field of `tamanho` Windows-1252 characters:
// unchanged when it fits, otherwise cut after the last whole word that fits
// (with the blanks and separators before the cut removed), or at the field
// size when its first word alone is longer.
std::string AjustarAoCampo(std::string_view utf8, std::size_t tamanho);

// Writers of the two files, for the program that builds the database and
// for tests. Names and labels are fitted to their fields, each state's
// records are put in name order (equal names keep their order), and the
// file is replaced only once it was written whole. When any station carries
// its source description (`Origem`), the companion file kArquivoOrigens is
// written beside the station file in the same order. Raises Exception for a
// record that the layout cannot hold (a coordinate that is not a coordinate
// text, a parameter that is not a finite non-negative number, more than
// 65535 records in a state) and EInOutError when the file cannot be written.
void GravarArquivoEstacoes(const std::filesystem::path& arquivo,
                           std::array<std::vector<TRegEstacao>, kNumEstados> estacoes);
void GravarArquivoLocalidades(const std::filesystem::path& arquivo,
                              std::array<std::vector<TRegLocalidade>, kNumEstados> localidades);

} // namespace vastrel
