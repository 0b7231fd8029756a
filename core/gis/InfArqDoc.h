#pragma once
// The IDRISI documentation files: ".doc" beside a raster data file ".img"
// (21 lines) and ".dvc" beside a vector data file ".vec" (13 lines). Each
// line is a 14-character label followed by the value; the file is
// Windows-1252 text with CR LF line ends. Numbers are written with a
// decimal point, as IDRISI and every other program reading these files
// expects whatever the user's locale; a comma is accepted on reading.

#include <filesystem>
#include <string>

namespace vastrel::gis {

// A real in the 23-character scientific form of these files: a sign
// position (blank or minus), one digit, a point, 14 digits, "E", the
// exponent's sign and four exponent digits — " 1.00000000000000E+0000".
// EMathError for a value that is not finite.
std::string NumeroCientifico(double valor);

// A real in fixed point with 8 decimals and no leading blanks ("0.00000000").
std::string NumeroFixo8(double valor);

// What the raster and vector documentation files share: the file's names,
// its title and file type, and the georeference block (reference system,
// units, unit distance, bounds, positional error, resolution), written in
// the same order in both.
class TDocIdrisi {
public:
    virtual ~TDocIdrisi() = default;

    bool Ok = false;
    std::string NomeDoc;   // path of this documentation file
    std::string Titulo;
    std::string TipoArquivo;   // "binary"
    std::string SistemaRef;    // "plane"
    std::string UnidadeRef;    // "m", "km", ...
    double DistUnidade = 1.0;  // ground distance of one coordinate unit, in UnidadeRef
    double XMax = 1.0;
    double XMin = 0;
    double YMax = 1.0;
    double YMin = 0;
    std::string ErroPosicao;
    std::string Resolucao;

    // Sets NomeDoc to the path and the data file's name to the path with
    // its last four characters (the dot and the extension) replaced by the
    // data extension. An empty path changes nothing.
    virtual void DefinirNomes(const std::string& caminho) = 0;

    // Checks that NomeDoc names a file that can be opened. On failure clears
    // Ok and keeps the message for Mensagem(): "Nenhum nome de arquivo
    // fornecido." or "Arquivo <path> nao existe.".
    void VerificarArquivo();

    // The message of the last failed check ("" when none).
    const std::string& Mensagem() const { return mensagem_; }

protected:
    // Names set from the path and the file checked: false (Ok cleared, the
    // message kept) when the path is empty or the file cannot be opened.
    bool PrepararLeitura(const std::string& caminho);
    // The defaults of a new file for the shared fields.
    void IniciarComuns(const std::string& caminho);

private:
    std::string mensagem_;
};

// Documentation of an IDRISI raster image.
class TInfArqDoc : public TDocIdrisi {
public:
    std::string NomeImg;   // path of the data file (".IMG")
    std::string TipoDado;      // "real", "integer" or "byte"
    int Colunas = 0;
    int Linhas = 0;
    float ValorMax = 1.0f;
    float ValorMin = 0;
    std::string UnidadeValor;
    std::string ErroValor;
    std::string ValorFlag;
    std::string DefFlag;
    std::string CategoriasLegenda;

    // The data file is the path with ".IMG".
    void DefinirNomes(const std::string& caminho) override;

    // Reads the 21 values after their labels (the labels are skipped
    // unread). False, with the message in Mensagem(), when the path is empty
    // or the file cannot be opened. A file with fewer lines or a number
    // that cannot be read raises EArquivoGis naming the line.
    bool LerDocumentacao(const std::string& caminho);

    // DefinirNomes and every field set to the default of a new file
    // ("Sem titulo.", "real", "binary", 0, 0, "plane", "m", 1.0, 0, 1, 0, 1,
    // "unknown", "unknown", 0, 1, "unspecified", "unknown", "none", "none", "0").
    void IniciarDocumentacao(const std::string& caminho);

    // Creates (or empties) NomeDoc and writes the 21 lines. EArquivoGis
    // when the file cannot be written.
    void GravarDocumentacao() const;
};

// Documentation of an IDRISI vector file.
class TInfArqDocVet : public TDocIdrisi {
public:
    std::string NomeVec;   // path of the data file (".VEC")
    std::string TipoId;        // "real" or "integer"
    std::string TipoObjeto;    // "line" or "polygon"

    // As TInfArqDoc, with ".VEC" for the data file and 13 lines.
    void DefinirNomes(const std::string& caminho) override;
    bool LerDocumentacao(const std::string& caminho);
    // Defaults: "Sem titulo.", "real", "binary", "line", "plane", "m", 1.0,
    // 0, 1, 0, 1, "unknown", "unknown".
    void IniciarDocumentacao(const std::string& caminho);
    void GravarDocumentacao() const;
};

} // namespace vastrel::gis
