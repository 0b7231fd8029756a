#pragma once
// The maps of the consultation window of the rainfall database.
//
// State maps: a 450 × 450 picture per state ("AC.bmp", "AL.bmp", …, in the
// shared data folder), on which the
// state's bounding box (decimal degrees, south latitude and west longitude as
// positive numbers) is drawn linearly onto a rectangle of pixels, north up and
// east to the right. Inside the picture the state's own area is pure blue
// (0, 0, 255); a pixel of that colour is a point of the state.
//
//   latitude  = lat min + (lat max − lat min) × (y − y0) ÷ h
//   longitude = lon min + (lon max − lon min) × (w − (x − x0)) ÷ w
//   x = x0 + w − w × (lon min − longitude) ÷ (lon min − lon max)
//   y = y0 + (latitude − lat min) × h ÷ (lat max − lat min)
//
// Country map: one picture of Brazil in which every state is painted in a
// colour of its own (no smoothing inside a state, so
// the colour under a click names the state).

#include <array>
#include <cstdint>

namespace vastrel {

inline constexpr int kLadoMapa = 450; // width and height of every map picture, pixels

// A state map: the bounding box drawn on it and the rectangle it fills.
struct TMapaEstado {
    int Estado;     // index in the state table
    double LonMin;  // eastern edge, degrees west
    double LonMax;  // western edge, degrees west
    double LatMin;  // northern edge, degrees south
    double LatMax;  // southern edge, degrees south
    int X0, Y0;     // top-left pixel of the rectangle
    int W, H;       // size of the rectangle, pixels
};

// Every state, in the order of the state table.
extern const std::array<TMapaEstado, 27> kMapasEstados;

// The map of a state, or nullptr when the state has none.
const TMapaEstado* MapaDoEstado(int indiceEstado);

// Picture coordinates (real, not rounded) of a point in decimal degrees.
struct TPontoMapa {
    double X = 0;
    double Y = 0;
};
TPontoMapa PixelDaCoordenada(const TMapaEstado& m, double latitude, double longitude);

// Decimal degrees of a pixel.
struct TGraus {
    double Latitude = 0;
    double Longitude = 0;
};
TGraus CoordenadaDoPixel(const TMapaEstado& m, double x, double y);

// True when the point lies inside the state's bounding box (edges included).
bool LatitudeNoMapa(const TMapaEstado& m, double latitude);
bool LongitudeNoMapa(const TMapaEstado& m, double longitude);

// The colour that paints a state's area on its own map.
inline constexpr std::uint8_t kAzulR = 0, kAzulG = 0, kAzulB = 255;
inline bool CorDoEstado(int r, int g, int b) { return r == kAzulR && g == kAzulG && b == kAzulB; }

// Colours of the country map.
struct TCorMapa {
    std::uint8_t R, G, B;
    int Estado; // index in the state table
};
extern const std::array<TCorMapa, 27> kCoresBrasil;

// The state painted in a colour of the country map, or -1.
int EstadoDaCor(int r, int g, int b);

// Colours of the country map that name no state and keep the ordinary
// pointer: borders and labels (black), the sea and the frame (white).
extern const std::array<TCorMapa, 2> kCoresNeutras;
bool CorNeutra(int r, int g, int b);

} // namespace vastrel
