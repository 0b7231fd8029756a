#include "location/ImgElevacao.h"

#include "location/ImgApoio.h"
#include "core/location/Relevos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>

using namespace vastrel;
using vastrel::test::Relevo;
using vastrel::test::Semente;

namespace {

// Elevation interpolated linearly along the cell edge a vertex lies on;
// NaN for a vertex on a cell centre (a snapped point).
double CotaNaAresta(const TImgElevacao& e, const TPonto& p)
{
    const double x = p.X, y = p.Y;
    const double cx = std::round(x), cy = std::round(y);
    const bool colInteira = std::fabs(x - cx) < 1e-4, linInteira = std::fabs(y - cy) < 1e-4;
    if (colInteira && linInteira)
        return std::nan("");
    if (colInteira) {
        const int l0 = static_cast<int>(std::floor(y));
        const double t = y - l0;
        return e.GetValor(l0, static_cast<int>(cx)) * (1 - t) + e.GetValor(l0 + 1, static_cast<int>(cx)) * t;
    }
    const int c0 = static_cast<int>(std::floor(x));
    const double t = x - c0;
    return e.GetValor(static_cast<int>(cy), c0) * (1 - t) + e.GetValor(static_cast<int>(cy), c0 + 1) * t;
}

bool Cruzam(const TPonto& p1, const TPonto& p2, const TPonto& p3, const TPonto& p4)
{
    const double d1x = p2.X - p1.X, d1y = p2.Y - p1.Y, d2x = p4.X - p3.X, d2y = p4.Y - p3.Y;
    const double den = d1x * d2y - d1y * d2x;
    if (den == 0)
        return false;
    const double t = ((p3.X - p1.X) * d2y - (p3.Y - p1.Y) * d2x) / den;
    const double u = ((p3.X - p1.X) * d1y - (p3.Y - p1.Y) * d1x) / den;
    return t > 1e-9 && t < 1 - 1e-9 && u > 1e-9 && u < 1 - 1e-9;
}

// Every vertex on its level and no segment crossing another of the line.
void VerificarCurva(const TImgElevacao& e, const TLinha& l, float T)
{
    for (const TPonto& p : l) {
        EXPECT_EQ(p.Z, T);
        const double z = CotaNaAresta(e, p);
        if (!std::isnan(z)) {
            EXPECT_NEAR(z, T, 1e-3) << "vértice (" << p.X << ", " << p.Y << ")";
        }
    }
    for (int i = 1; i < l.Quantidade(); ++i)
        for (int j = i + 2; j < l.Quantidade(); ++j)
            EXPECT_FALSE(Cruzam(l.Item(i), l.Item(i + 1), l.Item(j), l.Item(j + 1)))
                << "segmentos " << i << " e " << j << " se cruzam";
}

// Rows 1..19 at 99, rows from 20 at 103, except the cell (column 10, row 20).
TImgElevacao Degrau(float p, float sul)
{
    return Relevo(30, 30, [&](int l, int c) {
        if (c == 10 && l == 20)
            return static_cast<double>(p);
        if (c == 10 && l == 21)
            return static_cast<double>(sul);
        return l <= 19 ? 99.0 : 103.0;
    });
}

TEST(TracarCurvaNivel, InicioNoVizinhoMaisSuaveEPrimeiraCaminhadaParaLeste)
{
    const TImgElevacao e = Degrau(101, 103);
    const TImgApoio apoio(e);
    TPixelS p = Semente(20, 10, 100);
    TLinha l;
    const TResultadoTraco r = e.TracarCurvaNivel(p, l, apoio);
    // Start on the north edge at (10, 19.5); 19.5 rounds to the even 20.
    EXPECT_EQ(p.Col, 10);
    EXPECT_EQ(p.Lin, 20);
    EXPECT_FLOAT_EQ(p.Valor, 101);
    ASSERT_EQ(l.Quantidade(), 30);
    // The first walk went east; its points, reversed, come first.
    EXPECT_FLOAT_EQ(l.Item(1).X, 30);
    EXPECT_FLOAT_EQ(l.Item(30).X, 1);
    for (int i = 1; i <= 30; ++i) {
        EXPECT_FLOAT_EQ(l.Item(i).X, static_cast<float>(31 - i));
        EXPECT_FLOAT_EQ(l.Item(i).Y, l.Item(i).X == 10 ? 19.5f : 19.25f);
    }
    EXPECT_FALSE(r.Fechada);
    EXPECT_EQ(r.Fim1, TFimCaminhada::Contorno);
    EXPECT_EQ(r.Fim2, TFimCaminhada::Contorno);
    EXPECT_TRUE(r.Isola());
}

TEST(TracarCurvaNivel, EmpateNoInicioFicaComONorte)
{
    // North and south cross at the same distance: north, the earlier.
    const TImgElevacao e = Degrau(101, 99);
    const TImgApoio apoio(e);
    TPixelS p = Semente(20, 10, 100);
    TLinha l;
    e.TracarCurvaNivel(p, l, apoio);
    bool inicioNorte = false;
    for (const TPonto& q : l)
        inicioNorte |= q.X == 10 && q.Y == 19.5f;
    EXPECT_TRUE(inicioNorte);
}

TEST(TracarCurvaNivel, CelulaNoNivelFicaNoLugar)
{
    const TImgElevacao e = Degrau(101, 103);
    const TImgApoio apoio(e);
    TPixelS p = Semente(20, 10, 101);
    TLinha l;
    e.TracarCurvaNivel(p, l, apoio);
    EXPECT_EQ(p.Col, 10);
    EXPECT_EQ(p.Lin, 20);
    bool centro = false;
    for (const TPonto& q : l)
        centro |= q.X == 10 && q.Y == 20;
    EXPECT_TRUE(centro);
}

TEST(TracarCurvaNivel, PlanoAteOContornoDaBacia)
{
    // Falls 1 m per row to the south; the watershed holds columns 5 to 20.
    const TImgElevacao e = Relevo(25, 30, [](int l, int c) { return c >= 5 && c <= 20 ? 100.0 - l : 0.0; });
    const TImgApoio apoio(e);
    TPixelS p = Semente(5, 12, 95.5f);
    TLinha l;
    const TResultadoTraco r = e.TracarCurvaNivel(p, l, apoio);
    ASSERT_EQ(l.Quantidade(), 16);
    const float passo = l.Item(2).X - l.Item(1).X;
    EXPECT_EQ(std::fabs(passo), 1.0f);
    for (int i = 1; i <= l.Quantidade(); ++i) {
        EXPECT_FLOAT_EQ(l.Item(i).Y, 4.5f);
        if (i > 1) {
            EXPECT_FLOAT_EQ(l.Item(i).X - l.Item(i - 1).X, passo);
        }
    }
    // The ends are the last crossings before the outline.
    EXPECT_FLOAT_EQ(std::min(l.Item(1).X, l.Item(16).X), 5);
    EXPECT_FLOAT_EQ(std::max(l.Item(1).X, l.Item(16).X), 20);
    EXPECT_EQ(r.Fim1, TFimCaminhada::Contorno);
    EXPECT_EQ(r.Fim2, TFimCaminhada::Contorno);
}

TEST(TracarCurvaNivel, CurvaFechadaDeUmConeEUmCirculoPercorridoUmaVez)
{
    // A cone falling 0.5 m per cell from (21, 21): the contour at 55 m is
    // the circle of radius 10 cells.
    const TImgElevacao e = Relevo(41, 41, [](int l, int c) { return 60 - 0.5 * std::hypot(l - 21, c - 21); });
    const TImgApoio apoio(e);
    TPixelS p = Semente(12, 21, 55);
    TLinha l;
    const TResultadoTraco r = e.TracarCurvaNivel(p, l, apoio);
    ASSERT_TRUE(r.Fechada);
    EXPECT_EQ(r.Fim1, TFimCaminhada::Fechou);
    EXPECT_TRUE(r.Isola());
    ASSERT_GT(l.Quantidade(), 40);
    EXPECT_EQ(l.Item(1).X, l.Item(l.Quantidade()).X);
    EXPECT_EQ(l.Item(1).Y, l.Item(l.Quantidade()).Y);
    for (const TPonto& q : l)
        EXPECT_NEAR(std::hypot(q.X - 21, q.Y - 21), 10, 0.1);
    // Walked once: the length of one circle, not two.
    EXPECT_NEAR(l.Comprimento(), 2 * std::numbers::pi * 10, 0.02 * 2 * std::numbers::pi * 10);
    VerificarCurva(e, l, 55);
}

// A saddle between two pits (8) and two knobs (12) in a field at 10. The
// mean of the square, 10, decides which pair of corners the level joins.
struct CasoSela {
    float Nivel;
    int Col, Lin; // the cell the trace starts on
};

class Sela : public ::testing::TestWithParam<CasoSela> {};

TEST_P(Sela, AMediaDaCelulaDecideQuemSeLiga)
{
    const TImgElevacao e = Relevo(6, 6, [](int l, int c) {
        if ((l == 3 && c == 3) || (l == 4 && c == 4))
            return 8.0;
        if ((l == 3 && c == 4) || (l == 4 && c == 3))
            return 12.0;
        return 10.0;
    });
    const TImgApoio apoio(e);
    const CasoSela caso = GetParam();
    TPixelS p = Semente(caso.Lin, caso.Col, caso.Nivel);
    TLinha l;
    const TResultadoTraco r = e.TracarCurvaNivel(p, l, apoio);
    // Each pit (below 10) or knob (above 10) is ringed on its own: the
    // loop around the start cell never reaches the other one.
    ASSERT_TRUE(r.Fechada);
    for (const TPonto& q : l)
        EXPECT_LT(std::max(std::fabs(q.X - static_cast<float>(caso.Col)), std::fabs(q.Y - static_cast<float>(caso.Lin))), 1.0f);
    VerificarCurva(e, l, caso.Nivel);
}

INSTANTIATE_TEST_SUITE_P(TracarCurvaNivel, Sela,
                         ::testing::Values(CasoSela{9.5f, 3, 3}, CasoSela{9.5f, 4, 4}, CasoSela{10.5f, 4, 3},
                                           CasoSela{10.5f, 3, 4}));

// Noise of a few centimetres on a gentle slope, where saddles abound:
// every contour traced through it stays on its level, never crosses
// itself, and ends.
TEST(TracarCurvaNivel, RuidoSobreEncostaSuave)
{
    std::uint32_t semente = 12345;
    const auto ruido = [&] {
        semente = semente * 1664525u + 1013904223u;
        return static_cast<double>(semente >> 8) / 16777216.0 - 0.5;
    };
    const TImgElevacao e = Relevo(60, 60, [&](int l, int) { return 100 - 0.02 * l + 0.1 * ruido(); });
    const TImgApoio apoio(e);
    int fechadas = 0;
    for (int k = 0; k < 60; ++k) {
        TPixelS p;
        p.Col = 5 + (k * 7) % 50;
        p.Lin = 5 + (k * 13) % 50;
        const float T = e.GetValor(p.Lin, p.Col) + 0.01f;
        p.Valor = T;
        TLinha l;
        const TResultadoTraco r = e.TracarCurvaNivel(p, l, apoio);
        EXPECT_NE(r.Fim1, TFimCaminhada::Repeticao);
        EXPECT_NE(r.Fim2, TFimCaminhada::Repeticao);
        fechadas += r.Fechada;
        VerificarCurva(e, l, T);
    }
    EXPECT_GT(fechadas, 0);
}

TEST(TracarCurvaNivel, PlatoNoNivelTermina)
{
    // Every cell on the level: the tracer snaps from centre to centre and
    // must still come to an end.
    const TImgElevacao e = Relevo(12, 12, [](int, int) { return 100.0; });
    const TImgApoio apoio(e);
    TPixelS p = Semente(6, 6, 100);
    TLinha l;
    e.TracarCurvaNivel(p, l, apoio);
    EXPECT_GE(l.Quantidade(), 1);
    EXPECT_LE(l.Quantidade(), 16 * 144);
    for (const TPonto& q : l) {
        EXPECT_TRUE(std::isfinite(q.X) && std::isfinite(q.Y));
        EXPECT_TRUE(e.Dentro(static_cast<int>(std::lround(q.Y)), static_cast<int>(std::lround(q.X))));
    }
}

TEST(TracarCurvaNivel, SemArestaCruzadaNaoHaLinha)
{
    const TImgElevacao e = Relevo(5, 5, [](int, int) { return 10.0; });
    const TImgApoio apoio(e);
    TPixelS p = Semente(3, 3, 20);
    TLinha l;
    l.Adicionar({1, 1, 1});
    const TResultadoTraco r = e.TracarCurvaNivel(p, l, apoio);
    EXPECT_TRUE(l.Vazia());
    EXPECT_EQ(r.Fim1, TFimCaminhada::SemInicio);
    EXPECT_EQ(p.Col, 3);
    EXPECT_FLOAT_EQ(p.Valor, 10);
}

TEST(LocalizarTopo, ToleranciaDeCincoCentimetros)
{
    TImgElevacao e = Relevo(4, 4, [](int l, int c) { return l == 3 && c == 2 ? 100.0 : 90.0; });
    e.ValorMax = 100.04f;
    TPixelS topo = e.LocalizarTopo();
    EXPECT_EQ(topo.Col, 2);
    EXPECT_EQ(topo.Lin, 3);
    EXPECT_FLOAT_EQ(topo.Valor, 100.04f);
    e.ValorMax = 100.06f;
    topo = e.LocalizarTopo();
    EXPECT_EQ(topo.Col, 0);
    EXPECT_EQ(topo.Lin, 0);
    EXPECT_EQ(topo.Valor, 0);
    // A cell without data is never the summit, whatever the header says.
    e.ValorMax = 0;
    EXPECT_EQ(e.LocalizarTopo().Col, 0);
}

TEST(VizinhoExtremo, DesempateEBarreiras)
{
    // Centre (3, 3) at 50; north-east and south-west both at 60.
    TImgElevacao e = Relevo(5, 5, [](int l, int c) {
        if ((l == 2 && c == 4) || (l == 4 && c == 2))
            return 60.0;
        if (l == 2 && c == 2)
            return 70.0; // north-west, the highest, behind a barrier
        if (l == 4 && c == 4)
            return 0.0; // south-east, no data
        return 50.0;
    });
    TImgApoio apoio(e);
    apoio.SetValor(2, 2, kApoioLinha);
    TPixelS p = Semente(3, 3, 1);
    e.VizinhoExtremo(p, apoio, 0);
    EXPECT_EQ(p.Col, 4); // neighbour 3 (north-east) before 7 (south-west)
    EXPECT_EQ(p.Lin, 2);
    EXPECT_FLOAT_EQ(p.Valor, 60);

    // Downhill from a cell lower than every counting neighbour: unchanged.
    p.Col = 3;
    p.Lin = 3;
    p.Valor = 1;
    e.VizinhoExtremo(p, apoio, 1);
    EXPECT_EQ(p.Col, 3);
    EXPECT_EQ(p.Lin, 3);
    EXPECT_FLOAT_EQ(p.Valor, 1);
}

} // namespace
