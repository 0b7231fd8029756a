#pragma once
// Lists, points and lines of the terrace location, and the vector object
// that builds the ".vet" file of a run in memory.
//
// A contour line is a polyline of points. Inside the location a point's X
// is a fractional column and Y a fractional row of the elevation image, Z
// the contour level in metres; once converted for the vector file X and Y
// are map coordinates in the image's distance unit.

#include "common/Exceptions.h"
#include "common/Lista.h"
#include "gis/Vetor.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vastrel {

struct TPonto {
    float X = 0, Y = 0, Z = 0;
};

class TLinha : public TLista<TPonto> {
public:
    std::int32_t Numero = 1; // line number, the terrace number in the vector file

    // A copy with the same number and points.
    TLinha Clonar() const { return *this; }
    // Reverses the order of the points.
    void Inverter();
    // Sum of the distances between consecutive points, in the units of X and
    // Y, accumulated in 64-bit floating point.
    double Comprimento() const;
    // Twice the signed area of the polygon the points close (shoelace
    // formula, X right and Y down as in an image: negative when the line
    // runs with its interior on its left).
    double AreaOrientada() const;
    // True when (x, y) lies inside the polygon the points close (even-odd rule).
    bool Contem(double x, double y) const;
};

// Base of the vector objects of the location: the bounding box and the file
// operations.
class TVetor {
public:
    virtual ~TVetor() = default;
    float XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    virtual bool CarregarVetor(const std::filesystem::path& caminho) = 0;
    virtual bool GravarVetor(const std::filesystem::path& caminho) = 0;
};

class EVersaoVET : public Exception {
public:
    EVersaoVET() : Exception("A Versao deste arquivo é inválida") {}
};

class EUnidDist : public Exception {
public:
    EUnidDist() : Exception("Unidade de distância inválida.") {}
};

// The ".vet" file of a run, built record by record in memory: the 527-byte
// header followed by one 14-byte record per point (16-bit line number, X,
// Y, Z), the points of one line consecutive.
class TVET : public TVetor {
public:
    TVET();

    std::uint8_t Versao = 1;
    std::string Titulo;  // up to 254 characters
    std::string Unidade; // "M" or "KM"; the location sets the elevation image's unit

    // 1 is stored; anything else raises EVersaoVET.
    void SetVersao(std::uint8_t b);
    // "M" or "KM" in any letter case, stored as given; anything else
    // raises EUnidDist.
    void SetUnidade(const std::string& unidade);

    // Positions at the first record.
    void IrParaInicio() { arquivo_.IrParaInicio(); }
    // Reads the record at the current position and advances; false at the
    // end of the records.
    bool LerPonto(std::int16_t& numLinha, TPonto& ponto);

    // The first run of records whose line number equals the low 16 bits of
    // `numero`, as a line (its Numero left at 1); nothing when no record
    // has that number.
    std::optional<TLinha> ObterLinha(std::int32_t numero);

    // Appends one record per point at the end: the line's number (its low
    // 16 bits, as a signed 16-bit value), X, Y, Z.
    void AdicionarLinha(const TLinha& linha);

    // Bounds of the records: the first record's X and Y, widened by every
    // other; all 0 when there is no record.
    void RecalcularLimites();

    // Length of the line ObterLinha(numero) returns, in the stored units;
    // 0 when there is no such line.
    double ComprimentoLinha(std::int32_t numero);

    std::int64_t NumRegistros() const { return arquivo_.NumRegistros(); }

    // Loads a ".vet" file; false (and nothing changed) when it is missing,
    // unreadable, of another version or of an unknown unit.
    bool CarregarVetor(const std::filesystem::path& caminho) override;
    // Recomputes the bounds and writes the file, replacing any file of that
    // name; false when the path is empty or the file cannot be written.
    bool GravarVetor(const std::filesystem::path& caminho) override;

private:
    gis::TVetor arquivo_; // the file image
};

} // namespace vastrel
