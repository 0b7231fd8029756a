#pragma once
// The vector file of the system (".vet"): a 527-byte little-endian header
// and 14-byte point records up to the end of the file, the points of one
// line consecutive and the lines numbered 1, 2, 3 ... in file order.
//
//   offset  size  field
//        0     1  Versao    always 1
//        1   255  Titulo    length byte + Windows-1252 text (at most 254)
//      256   255  Unidade   "M" or "KM", any letter case
//      511    16  XMin, XMax, YMin, YMax   32-bit floats
//      527  14 each  records: NumLinha (signed 16-bit), X, Y, Z (32-bit floats)
//
// X and Y are in Unidade; Z is the value attached to the point, the
// identifier or value of its line.

#include "gis/ErrosGis.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel::gis {

inline constexpr std::uint8_t kVersaoVetor = 1;
inline constexpr std::size_t kTamanhoCabecalhoVetor = 527;
inline constexpr std::size_t kTamanhoRegistroVetor = 14;
// Starting minimum of CalcularLimites, in coordinate units.
inline constexpr float kLimiteInicialVetor = 1.0e7f;

// One point record.
struct TRegistroVetor {
    std::int16_t NumLinha = 0;
    float X = 0, Y = 0, Z = 0;
};

class TVetor {
public:
    // Versao 1, empty texts, bounds 0, empty buffer.
    TVetor() = default;

    std::uint8_t Versao = kVersaoVetor;
    std::string Titulo;    // UTF-8
    std::string Unidade;   // "M" or "KM"
    float XMin = 0, XMax = 0, YMin = 0, YMax = 0;

    // Loads the whole file and reads its header; the position is then at
    // the first record. A missing file leaves the object unchanged and
    // gives false. A file shorter than the header, of another version, or
    // ending inside a record raises EArquivoGis and changes nothing.
    bool CarregarVetor(const std::filesystem::path& caminho);

    // CalcularLimites, the header over the start of the buffer, and the
    // whole buffer saved to the file (written beside it and renamed). An
    // empty path does nothing. EArquivoGis when it cannot be written.
    void GravarVetor(const std::filesystem::path& caminho);

    // XMin and YMin start at 1.0e7, XMax and YMax at their present values;
    // each record's X and Y widen them.
    void CalcularLimites();

    void IrParaInicio();                    // position at byte 527
    std::int64_t NumRegistros() const;      // (buffer size − 527) / 14
    std::int64_t RegistroAtual() const;     // (position − 527) / 14
    void IrParaRegistro(std::int64_t k);    // position at 527 + 14k
    bool FimDosRegistros() const;           // position at the end of the buffer

    // Reads the record at the position and advances; false at the end.
    bool LerRegistro(TRegistroVetor& registro);
    // The same without the end test (a record beyond the end reads as zeros
    // and the position does not move).
    TRegistroVetor LerProximo();
    // Writes a record at the position and advances, appending at the end.
    void GravarRegistro(const TRegistroVetor& registro);
    void GravarRegistro(std::int16_t numLinha, float x, float y, float z);

    const std::vector<std::uint8_t>& Buffer() const { return buffer_; }

private:
    void GarantirCabecalho();

    std::vector<std::uint8_t> buffer_;
    std::size_t posicao_ = 0;
};

} // namespace vastrel::gis
