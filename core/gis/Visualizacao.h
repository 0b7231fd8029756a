#pragma once
// The arithmetic of the raster viewer, kept apart from the windows: the
// colour of a cell, the picture of a raster, the zoom steps, the displayed
// and window sizes, the cell and coordinates under the pointer, the lines of
// a vector mapped onto a picture, and the rules of saving and printing.

#include "gis/MemoryRaster.h"
#include "gis/Paleta.h"
#include "gis/Vetor.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vastrel::gis {

// --- Colours ----------------------------------------------------------------

// Colour index of a cell of value v in a raster of extremes lo and hi:
// round((v − lo) / (hi − lo) × 255), halves to the even neighbour, taken
// modulo 256 into 0 … 255 (values below lo wrap round from the top).
// kSemCor for a cell without data (0) or a value that is not a number. When
// lo equals hi every other cell gets colour 0.
inline constexpr int kSemCor = -1;
int IndiceCor(double v, double lo, double hi);

// 0xFFRRGGBB of a palette colour; white for kSemCor.
inline constexpr std::uint32_t kBranco = 0xFFFFFFFFu;
std::uint32_t CorArgb(const TPaleta& paleta, int indice);

// The picture of a raster, one pixel per cell, row 0 = the northern row,
// written as 0xFFRRGGBB into `destino`, whose rows are `pixelsPorLinha`
// apart. The extremes are those of the cell type: ValorMin/ValorMax for
// "R", the integer ones for "I", the byte ones for "B". Raises EArquivoGis
// for another type letter.
void ConstruirImagem(const TMemoryRaster& raster, const TPaleta& paleta, std::uint32_t* destino,
                     std::ptrdiff_t pixelsPorLinha);

// --- Zoom and sizes -----------------------------------------------------------

inline constexpr int kZoomMinimo = 25;   // %
inline constexpr int kZoomMaximo = 1000; // %

// The next step up: +25 under 100, +50 from 100; never above 1000.
int ZoomMais(int zoom);
// The next step down: −50 above 100, −25 up to 100; never under 25.
int ZoomMenos(int zoom);

// round(tamanho × zoom / 100), in pixels.
int TamanhoExibido(int tamanho, int zoom);

struct TTamanho {
    int Largura = 0, Altura = 0;
    bool operator==(const TTamanho&) const = default;
};

// Where a viewer stands in the main window's client area, all in pixels.
struct TGeometriaJanela {
    TTamanho Exibido;        // displayed size of the picture
    TTamanho ClientePrincipal; // client area of the main window
    int PX = 0, PY = 0;      // viewer's client area within the main client area
    TTamanho Moldura;        // viewer's outer size minus its client size
    bool SoVetor = false;    // a vector file shown alone
};

// The viewer's outer size: as large as the picture while it fits in the
// main window's client area, otherwise as much of it as there is room for.
TTamanho TamanhoJanela(const TGeometriaJanela& g);

// --- Pointer and value probe -------------------------------------------------

struct TCelula {
    int Coluna = 0, Linha = 0;
};

// The cell under the pointer at (x, y) of the client area, with the scroll
// positions: (x + rolagem) × 100 / zoom, integer division.
TCelula CelulaSobPonteiro(int x, int y, int rolagemX, int rolagemY, int zoom);

struct TCoordenadas {
    double X = 0, Y = 0;
};

// Map coordinates of the north-west corner of a cell of a raster; none
// beyond the raster (column > Colunas or row > Linhas), so a pointer on the
// eastern edge still reads XMax.
std::optional<TCoordenadas> CoordenadasRaster(const TCabecalhoRaster& raster, TCelula c);

// Map coordinates under the pointer in a vector shown alone on a picture of
// the displayed size; none beyond it.
std::optional<TCoordenadas> CoordenadasVetor(const TVetor& vetor, TCelula c, TTamanho exibido);

// The value of a cell as the probe shows it: a real in general format with 7
// significant digits, an integer or byte as it is; empty outside the raster.
std::string ValorCelula(const TMemoryRaster& raster, TCelula c);

// General format: the shorter of fixed and scientific notation with at most
// `digitos` significant digits, trailing zeros dropped, the user's decimal
// separator ("12345,68", "1,5E-7").
std::string FormatoGeral(double valor, int digitos);

// --- Vector lines -------------------------------------------------------------

struct TPontoImagem {
    std::int32_t X = 0, Y = 0;
    bool operator==(const TPontoImagem&) const = default;
};

// One line of a vector on a picture: its number and every point.
struct TLinhaImagem {
    std::int16_t Numero = 0;
    std::vector<TPontoImagem> Pontos;
};

// The lines of a vector, from its first record, mapped onto the pixels of a
// raster's picture: column round((X − XMin) / (XMax − XMin) × Colunas), row
// round(Linhas − (Y − YMin) / (YMax − YMin) × Linhas), the raster's bounds.
// Consecutive records of one line number make one line, however long.
std::vector<TLinhaImagem> LinhasSobreRaster(TVetor& vetor, const TCabecalhoRaster& raster);

// The size of the picture of a vector shown alone (kilometres taken as
// 1000 m): its own extent in metres while it fits in the main client area
// (cw × ch), else the width or the height of that area with the vector's
// proportions. px, py: the viewer's client area in the main client area; b:
// the viewer's height minus its client height. Never under kLadoMinimoVetor.
inline constexpr int kLadoMinimoVetor = 32;
TTamanho TamanhoImagemVetor(const TVetor& vetor, int cw, int ch, int px, int py, int b);

// The lines of a vector mapped with its own bounds onto a picture of the
// given size: x = round(L × (X − XMin) / (XMax − XMin)), y = A − round(A ×
// (Y − YMin) / (YMax − YMin)). A vector without extent along an axis lies
// in the middle of the picture along it.
std::vector<TLinhaImagem> LinhasDoVetor(TVetor& vetor, TTamanho imagem);

// Index (from 0) of the point of a line of n points that carries its
// number: point ⌊n/2⌋ counted from 1, the first point of a line of one.
std::size_t PontoDoRotulo(std::size_t n);

// Pen width (pixels) and text size (points) of the overlay at a zoom.
struct TEstiloSobreposicao {
    int Pena = 1;
    int Texto = 8;
};
TEstiloSobreposicao EstiloSobreposicao(int zoom);

// --- Saving, printing, properties ----------------------------------------------

// The extension of a file name, from its last point after the last folder
// separator ("foto.JPG" → ".JPG"); empty when there is none.
std::string ExtensaoArquivo(std::string_view nome);

// True when the picture is saved as JPEG: the extension is exactly ".jpg"
// (letter case counts); any other name gets a bitmap file.
bool GravarComoJpeg(std::string_view nome);

// Size of the picture on a page: a picture narrower than tall gets the page
// height − 50, any other the page width − 50, the other side keeping the
// proportions; reduced further when that side would leave the page.
TTamanho TamanhoImpressao(TTamanho imagem, TTamanho pagina);

// "Real", "Inteiro" or "Byte" for the type letter; the letter itself
// otherwise.
std::string NomeTipoCelula(char tipoCelula);

// Ground size of a cell in metres: the difference of the bounds divided by
// the count, times 1000 for kilometres; 0 along an axis without cells.
TCoordenadas TamanhoPixel(const TCabecalhoRaster& raster);

} // namespace vastrel::gis
