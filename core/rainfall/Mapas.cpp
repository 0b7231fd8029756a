#include "rainfall/Mapas.h"

#include "rainfall/Estados.h"

namespace vastrel {

// Bahia, Espírito Santo, Minas Gerais, Paraná, Rio de Janeiro, São Paulo and
// Tocantins keep the boxes and rectangles of their original maps; the other
// states' boxes are the bounds of their mainland parts (Natural Earth) with
// a margin of 3 % of the longer side, drawn into a rectangle 430 pixels on
// its longer side, centred, at one scale in latitude and longitude.
const std::array<TMapaEstado, kNumEstados> kMapasEstados = {{
    // state, lon min, lon max, lat min, lat max, x0, y0, w, h
    {0, 66.427834, 74.239556, 6.896794, 11.362217, 10, 102, 430, 246}, // Acre
    {1, 35.055734, 38.327806, 8.739984, 10.594736, 10, 103, 430, 244}, // Alagoas
    {2, 49.703240, 54.967730, -4.610930, 1.389010, 36, 10, 377, 430}, // Amapá
    {3, 55.786918, 74.337352, -2.760902, 10.362962, 10, 73, 430, 304}, // Amazonas
    {4, 37.339722, 46.629028, 8.532272, 18.349041, 16, 5, 414, 436},   // Bahia
    {5, 37.084360, 41.601410, 2.634280, 8.006020, 44, 10, 362, 430}, // Ceará
    {6, 47.273217, 48.307163, 15.460597, 16.071333, 10, 98, 430, 254}, // Distrito Federal
    {7, 39.664805, 41.879249, 17.891117, 21.301478, 86, 10, 278, 429}, // Espírito Santo
    {8, 45.692490, 53.464750, 12.179890, 19.705910, 10, 17, 430, 416}, // Goiás
    {9, 41.534651, 49.021069, 0.777201, 10.595599, 61, 10, 328, 430}, // Maranhão
    {10, 49.894453, 61.952567, 6.997873, 18.372877, 10, 22, 430, 406}, // Mato Grosso
    {11, 50.720323, 58.379437, 16.970503, 24.267157, 10, 20, 430, 410}, // Mato Grosso do Sul
    {12, 39.856471, 51.046220, 14.232664, 22.922378, 16, 64, 420, 327}, // Minas Gerais
    {13, 45.677470, 59.359240, -2.996210, 10.231200, 10, 17, 430, 416}, // Pará
    {14, 34.675087, 38.862893, 5.903897, 8.402053, 10, 96, 430, 257}, // Paraíba
    {15, 48.023056, 54.618958, 22.516105, 26.715944, 27, 101, 420, 267}, // Paraná
    {16, 34.608335, 41.567765, 7.072875, 9.684865, 10, 144, 430, 161}, // Pernambuco
    {17, 40.168746, 46.225974, 2.500266, 11.140834, 74, 10, 301, 430}, // Piauí
    {18, 40.956445, 44.888529, 20.763474, 23.368490, 10, 82, 430, 284}, // Rio de Janeiro
    {19, 34.853915, 38.718485, 4.720515, 7.087195, 10, 93, 430, 263}, // Rio Grande do Norte
    {20, 49.462309, 57.849061, 26.834629, 33.979641, 10, 42, 430, 366}, // Rio Grande do Sul
    {21, 59.612012, 67.040757, 7.790242, 13.873087, 10, 49, 430, 352}, // Rondônia
    {22, 58.669944, 65.016116, -5.467786, 1.618876, 32, 10, 385, 430}, // Roraima
    {23, 48.213369, 54.005951, 25.807599, 29.519311, 10, 87, 430, 276}, // Santa Catarina
    {24, 44.160556, 53.109609, 19.779323, 25.311931, 10, 92, 430, 265}, // São Paulo
    {25, 36.346807, 38.306103, 9.465547, 11.630173, 30, 10, 389, 430}, // Sergipe
    {26, 45.695667, 50.741611, 5.168047, 13.467389, 93, 7, 266, 437},   // Tocantins
}};

const std::array<TCorMapa, kNumEstados> kCoresBrasil = {{
    {0, 0, 255, 12},     {0, 255, 255, 7},    {0, 153, 255, 18},   {0, 0, 153, 24},
    {102, 0, 0, 20},     {153, 0, 0, 23},     {204, 0, 0, 15},     {255, 153, 0, 19},
    {161, 161, 161, 10}, {67, 67, 67, 11},    {102, 102, 102, 8},  {255, 255, 153, 4},
    {255, 255, 0, 1},    {204, 204, 0, 16},   {255, 204, 102, 14}, {153, 255, 153, 26},
    {204, 102, 0, 5},    {153, 102, 0, 17},   {102, 51, 0, 9},     {0, 51, 0, 0},
    {0, 102, 0, 3},      {0, 153, 0, 13},     {102, 255, 51, 21},  {13, 13, 13, 6},
    {102, 102, 0, 25},   {51, 204, 0, 22},    {0, 204, 0, 2},
}};

const std::array<TCorMapa, 2> kCoresNeutras = {{
    {0, 0, 0, -1},       // borders and labels
    {255, 255, 255, -1}, // sea and frame
}};

const TMapaEstado* MapaDoEstado(int indiceEstado)
{
    for (const TMapaEstado& m : kMapasEstados)
        if (m.Estado == indiceEstado)
            return &m;
    return nullptr;
}

TPontoMapa PixelDaCoordenada(const TMapaEstado& m, double latitude, double longitude)
{
    return {m.X0 + m.W - m.W * (m.LonMin - longitude) / (m.LonMin - m.LonMax),
            m.Y0 + (latitude - m.LatMin) * m.H / (m.LatMax - m.LatMin)};
}

TGraus CoordenadaDoPixel(const TMapaEstado& m, double x, double y)
{
    return {m.LatMin + (m.LatMax - m.LatMin) * (y - m.Y0) / m.H,
            m.LonMin + (m.LonMax - m.LonMin) * (m.W - (x - m.X0)) / m.W};
}

bool LatitudeNoMapa(const TMapaEstado& m, double latitude)
{
    return latitude >= m.LatMin && latitude <= m.LatMax;
}

bool LongitudeNoMapa(const TMapaEstado& m, double longitude)
{
    return longitude >= m.LonMin && longitude <= m.LonMax;
}

namespace {

template <std::size_t N>
const TCorMapa* ProcurarCor(const std::array<TCorMapa, N>& cores, int r, int g, int b)
{
    for (const TCorMapa& c : cores)
        if (c.R == r && c.G == g && c.B == b)
            return &c;
    return nullptr;
}

} // namespace

int EstadoDaCor(int r, int g, int b)
{
    const TCorMapa* c = ProcurarCor(kCoresBrasil, r, g, b);
    return c ? c->Estado : -1;
}

bool CorNeutra(int r, int g, int b) { return ProcurarCor(kCoresNeutras, r, g, b) != nullptr; }

} // namespace vastrel
