#pragma once
// The arithmetic of the raster viewer, kept apart from the windows: the
// colour of a cell, the picture of a raster, the zoom steps and the fitted
// zoom, the displayed and window sizes, the cell and coordinates under the
// pointer, the lines of a vector mapped onto a picture and the placing of
// their labels, the colour legend, and the rules of saving and printing.

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

// The zoom steps of the menu, the keys and the mouse wheel: 25 % apart up to
// 100 %, 50 % apart from there to 1000 %. A zoom between steps (a fitted
// one) goes to the nearest step above or below.
int ZoomMais(int zoom);
int ZoomMenos(int zoom);

// round(tamanho × zoom / 100), in pixels.
int TamanhoExibido(int tamanho, int zoom);

struct TTamanho {
    int Largura = 0, Altura = 0;
    bool operator==(const TTamanho&) const = default;
};

// Asks ZoomInicial for the zoom that fits the picture in the window.
inline constexpr int kZoomAjustar = 0;

// The zoom a picture of `imagem` pixels (one per cell) opens at in a room of
// `espaco` pixels. Fitting works in whole percents, finer than the steps, so
// that the picture fills the room. The largest zoom that shows the whole
// picture is taken, but:
//  - with kZoomAjustar, not above 100 %, except for a small picture, one that
//    fits whole at 200 %: it is enlarged by the largest whole factor that
//    still fits (200 %, 300 %, ...), so every cell stays a square of pixels;
//  - with a zoom asked for (> 0), not above that zoom;
//  - never outside kZoomMinimo ... kZoomMaximo: a picture that does not fit
//    even at kZoomMinimo opens at kZoomMinimo and scrolls.
int ZoomInicial(TTamanho imagem, TTamanho espaco, int pedido);

// The viewer's outer size for a displayed picture: the picture plus
// `moldura` (frame, title bar, legend and status strip), plus a scroll bar
// (`barras`: width of the vertical one, height of the horizontal one) along
// each axis where the picture is cut; at least `minimo`, at most `livre`,
// the main window's client area from the viewer's corner.
TTamanho TamanhoJanela(TTamanho exibido, TTamanho livre, TTamanho moldura, TTamanho barras, TTamanho minimo);

// Where a new viewer opens in the main window's client area: 24 pixels down
// and right of the previous one for each of `outras` viewers already open,
// starting again at the corner when that would leave less than half the
// area.
struct TPosicao {
    int X = 0, Y = 0;
    bool operator==(const TPosicao&) const = default;
};
TPosicao CantoJanela(int outras, TTamanho area);

// Where a picture narrower (or shorter) than the view starts along that
// axis: in the middle, ⌊(vista − exibido) / 2⌋; 0 for a picture that fills
// the view and scrolls.
int Deslocamento(int vista, int exibido);

// The scroll position along one axis that keeps the picture point under
// `ponto` (pixels from the view's edge, the picture starting `deslocamento`
// pixels in) in place when the zoom changes from `antes` to `depois`; never
// negative (the scroll bar caps the other end).
int RolagemAposZoom(int ponto, int rolagem, int antes, int depois, int deslocamento = 0);

// --- Pointer and value probe -------------------------------------------------

struct TCelula {
    int Coluna = 0, Linha = 0;
};

// The cell under the pointer at (x, y) of the picture (the view less the
// picture's offset), with the scroll positions: ⌊(x + rolagem) × 100 /
// zoom⌋, negative left of and above the picture.
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
// One map point on the raster's picture, by the same rule.
TPontoImagem PontoSobreRaster(double x, double y, const TCabecalhoRaster& raster);

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

// Width in screen pixels of the overlay lines at a zoom: 1 under 200 %, 2
// from 200 % on.
int PenaSobreposicao(int zoom);

// --- Labels of the overlay ------------------------------------------------------

// A rectangle in screen pixels, [X, X + Largura) × [Y, Y + Altura).
struct TRetangulo {
    int X = 0, Y = 0, Largura = 0, Altura = 0;
    bool operator==(const TRetangulo&) const = default;
};

// The screen rectangle of a label of `texto` pixels centred on a picture
// point (in cells) shown at a zoom: the labels keep their size whatever the
// zoom, only their places spread out or close in.
TRetangulo RetanguloRotulo(TPontoImagem ancora, int zoom, TTamanho texto);

// Which labels to draw, in drawing order: a label is left out when its
// rectangle overlaps one already drawn (touching edges do not overlap); an
// empty rectangle is drawn and hides nothing.
std::vector<bool> RotulosSemSobreposicao(const std::vector<TRetangulo>& rotulos);

// --- Colour legend --------------------------------------------------------------

// What the legend of a raster shows: the values of the first and the last
// colour of the palette (those ConstruirImagem maps the cells with), whether
// the cells are whole numbers, and the unit of the values.
struct TDadosLegenda {
    double Minimo = 0, Maximo = 0;
    bool Inteiro = false;
    std::string Unidade;
};
TDadosLegenda DadosLegenda(const TCabecalhoRaster& raster);

// The unit a raster title names in parentheses, "Elevação (m) filtrada" →
// "m", "Declividade (%)" → "%": the first group in parentheses that reads as
// a unit, that is short (at most 10 characters), without blanks, not only
// digits, and not a capitalised word of four letters or more (a place, as in
// "(Califórnia)"). Empty when the title names none: the distance unit of the
// raster is that of its coordinates, not of its values.
std::string UnidadeDoTitulo(std::string_view titulo);

// Round tick values between lo and hi (both included): the multiples of the
// smallest step of the 1, 2, 5 × 10^k series that gives at most `maximo`
// ticks (at least 2 asked); whole steps only for whole values. One tick when
// lo equals hi; none when either is not a finite number.
struct TMarcas {
    double Passo = 0;
    std::vector<double> Valores;
};
TMarcas MarcasRedondas(double lo, double hi, int maximo, bool inteiro);

// The text of a tick: as many decimals as the step needs, the user's decimal
// separator ("1,5", "1700"); the general form for magnitudes of 10^9 or more.
std::string TextoMarca(double valor, double passo);

// Where a value lies on the colour bar: 0 at the minimum, 1 at the maximum;
// ½ when the two are equal.
double FracaoNaBarra(double valor, double lo, double hi);

// The palette colour of row `linha` (0 at the top) of a colour bar `altura`
// rows tall: 255 at the top, 0 at the bottom, each row the colour of the
// value at its middle.
int CorDaLinhaDaBarra(int linha, int altura);

// --- Saving, printing, properties ----------------------------------------------

// The zoom of the picture that is saved or printed: that of the window, not
// under 100 % (every cell at least one pixel), reduced for a picture larger
// than kLadoMaximoFigura pixels along a side, but not under 100 %.
inline constexpr int kLadoMaximoFigura = 4096;
int ZoomFigura(TTamanho imagem, int zoom);

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
