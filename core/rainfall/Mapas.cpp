#include "rainfall/Mapas.h"

namespace vastrel {

const std::array<TMapaEstado, 7> kMapasEstados = {{
    // state, lon min, lon max, lat min, lat max, x0, y0, w, h
    {4, 37.339722, 46.629028, 8.532272, 18.349041, 16, 5, 414, 436},   // Bahia
    {7, 39.664805, 41.879249, 17.891117, 21.301478, 86, 10, 278, 429}, // Espírito Santo
    {12, 39.856471, 51.046220, 14.232664, 22.922378, 16, 64, 420, 327}, // Minas Gerais
    {15, 48.023056, 54.618958, 22.516105, 26.715944, 27, 101, 420, 267}, // Paraná
    {18, 40.956445, 44.888529, 20.763474, 23.368490, 10, 82, 430, 284}, // Rio de Janeiro
    {24, 44.160556, 53.109609, 19.779323, 25.311931, 10, 92, 430, 265}, // São Paulo
    {26, 45.695667, 50.741611, 5.168047, 13.467389, 93, 7, 266, 437},   // Tocantins
}};

const std::array<TCorMapa, 23> kCoresBrasil = {{
    {0, 0, 255, 12},     {0, 255, 255, 7},    {0, 153, 255, 18},   {0, 0, 153, 24},
    {102, 0, 0, 20},     {153, 0, 0, 23},     {204, 0, 0, 15},     {255, 153, 0, 19},
    {161, 161, 161, 10}, {67, 67, 67, 11},    {102, 102, 102, 8},  {255, 255, 153, 4},
    {255, 255, 0, 1},    {204, 204, 0, 16},   {255, 204, 102, 14}, {153, 255, 153, 26},
    {204, 102, 0, 5},    {153, 102, 0, 17},   {102, 51, 0, 9},     {0, 51, 0, 0},
    {0, 102, 0, 3},      {0, 153, 0, 13},     {102, 255, 51, 21},
}};

const std::array<TCorMapa, 6> kCoresNeutras = {{
    {0, 0, 0, -1},      // borders and labels
    {255, 255, 255, -1}, // sea and frame
    {13, 13, 13, 6},    // Distrito Federal
    {102, 102, 0, 25},  // Sergipe
    {51, 204, 0, 22},   // Roraima
    {0, 204, 0, 2},     // Amapá
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
