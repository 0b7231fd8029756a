#pragma once
// Conversions between the system's raster and vector files (".ras", ".vet")
// and two foreign families:
//
// - IDRISI: raster ".doc" documentation + ".img" bare cells; vector ".dvc"
//   documentation + ".vec" features (identifier, point count, X Y pairs,
//   ended by two 4-byte zeros).
// - Surfer: ASCII grid ".grd" ("DSAA", nx ny, xlo xhi, ylo yhi, zlo zhi,
//   then the cells from the southern row up); point list ".txt" (a header
//   line, then X Y Z per line, Z identifying the line).
// - GDAL: any raster or vector format the GDAL library reads and writes
//   (GeoTIFF, ASCII grid, GeoPackage, Shapefile, KML, GPX, DXF; gis/Gdal.h).
//
// Numbers in these text files are written with a decimal point, which is
// what IDRISI, Surfer and other programs read whatever the user's locale;
// on reading a decimal comma is accepted as well.

#include "gis/Gdal.h"
#include "gis/Progresso.h"

#include <filesystem>
#include <optional>
#include <string>

namespace vastrel::gis {

enum class TModoConversao { Importacao, Exportacao };
enum class TFormatoExterno { Idrisi, Surfer, Gdal };
enum class TTipoDadoGis { Raster, Vetor };

inline constexpr const char* kMsgImportacaoConcluida = "Importação finalizada com sucesso.";
inline constexpr const char* kMsgExportacaoConcluida = "Exportação finalizada com sucesso.";
inline constexpr const char* kMsgFormatoInadequado = "O arquivo de entrada não está no formato adequado.";
inline constexpr const char* kMsgNaoReal = "O arquivo especificado não é do tipo Real";
inline constexpr const char* kMsgNaoAscii = "Arquivo especificado nao é do formato ASCII.";
inline constexpr const char* kMsgValoresAbsurdos =
    "Foram substituídos por zero alguns valores absurdos da imagem. Provavelmente originários da interpolação.";
// Cells of a Surfer grid above this value are blanks of the grid program.
inline constexpr double kMaiorValorSurfer = 10000.0;

// What a conversion asks of the user. The window answers with its radio
// buttons and message boxes; the command line from its options.
class IPerguntasConversao {
public:
    virtual ~IPerguntasConversao() = default;
    // Distance unit of the coordinates of a Surfer file, which carries none:
    // "m" (the window's "Metro") or "km" ("Quilômetro").
    virtual std::string UnidadeDistancia() = 0;
    // An information box shown before the completion message.
    virtual void Informar(const std::string& mensagem) = 0;
    // Band, cell size, clip polygon and source raster of a GDAL conversion.
    virtual TOpcoesGdal OpcoesGdal() { return {}; }
};

// "Atributo do arquivo '<name>' inválido." for an IDRISI file the import
// does not take.
std::string MensagemAtributoInvalido(const std::filesystem::path& arquivo);

// The eight conversions. Each raises EArquivoGis (unreadable input, refused
// attributes, output not writable) or EEscolhaGis (a raster that is not
// real for a Surfer grid) with its message; the output is written only
// when the conversion succeeds, so a failure leaves no partial file.
void ImportarRasterIdrisi(const std::filesystem::path& img, const std::filesystem::path& ras,
                          const std::string& titulo, const TProgressoGis& progresso = {});
void ImportarRasterSurfer(const std::filesystem::path& grd, const std::filesystem::path& ras,
                          const std::string& titulo, IPerguntasConversao& perguntas,
                          const TProgressoGis& progresso = {});
void ImportarVetorIdrisi(const std::filesystem::path& vec, const std::filesystem::path& vet,
                         const std::string& titulo, const TProgressoGis& progresso = {});
void ImportarVetorSurfer(const std::filesystem::path& txt, const std::filesystem::path& vet,
                         const std::string& titulo, IPerguntasConversao& perguntas,
                         const TProgressoGis& progresso = {});
void ExportarRasterIdrisi(const std::filesystem::path& ras, const std::filesystem::path& img,
                          const std::string& titulo, const TProgressoGis& progresso = {});
void ExportarRasterSurfer(const std::filesystem::path& ras, const std::filesystem::path& grd,
                          const TProgressoGis& progresso = {});
void ExportarVetorIdrisi(const std::filesystem::path& vet, const std::filesystem::path& vec,
                         const std::string& titulo, const TProgressoGis& progresso = {});
void ExportarVetorSurfer(const std::filesystem::path& vet, const std::filesystem::path& txt,
                         const TProgressoGis& progresso = {});

// The common frame of the window's "&Importar" / "&Exportar": the input
// must exist (EEscolhaGis kMsgEntradaInvalida, field Entrada) and an output
// be chosen (kMsgSaidaInvalida, field Saida); then the conversion of the
// mode, format and kind runs. Returns the completion message.
std::string Converter(TModoConversao modo, TFormatoExterno formato, TTipoDadoGis tipo,
                      const std::filesystem::path& entrada, const std::filesystem::path& saida,
                      const std::string& titulo, IPerguntasConversao& perguntas,
                      const TProgressoGis& progresso = {});

// The title the window proposes for the chosen input file: "Arquivo gerado
// da importação do arquivo X" or "... da exportação ..."; none for a raster
// export to Surfer (which carries no title).
std::optional<std::string> TituloPadraoConversao(TModoConversao modo, TFormatoExterno formato,
                                                 TTipoDadoGis tipo, const std::filesystem::path& entrada);

// Checks that a file chosen as a Surfer grid can be read as text: EArquivoGis
// kMsgNaoAscii when it cannot be opened or is a binary grid.
void VerificarGradeSurfer(const std::filesystem::path& grd);

} // namespace vastrel::gis
