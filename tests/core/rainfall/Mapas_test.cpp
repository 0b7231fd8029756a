// The geometry of the state maps and the colours of the country map.

#include "rainfall/Coordenadas.h"
#include "rainfall/Estados.h"
#include "rainfall/Mapas.h"

#include "common/Rounding.h"

#include <gtest/gtest.h>

#include <set>

using namespace vastrel;

TEST(Mapas, CoordenadasDigitadasEmMinasCaemNoPixelDasFormulas)
{
    // 19°55' S, 43°56' W (Belo Horizonte).
    const TMapaEstado* mg = MapaDoEstado(12);
    ASSERT_NE(mg, nullptr);
    const TPontoMapa p =
        PixelDaCoordenada(*mg, CoordenadaParaGraus("19°55'00\""), CoordenadaParaGraus("43°56'00\""));
    EXPECT_EQ(RoundHalfEven(p.X), 283);
    EXPECT_EQ(RoundHalfEven(p.Y), 278);
}

TEST(Mapas, CaixaOcupaORetanguloEOsPixelsVoltamAsCoordenadas)
{
    for (const TMapaEstado& m : kMapasEstados) {
        SCOPED_TRACE(kEstados[static_cast<std::size_t>(m.Estado)].UF);
        // East edge (lon min) on the right, north edge (lat min) at the top.
        const TPontoMapa ne = PixelDaCoordenada(m, m.LatMin, m.LonMin);
        const TPontoMapa sw = PixelDaCoordenada(m, m.LatMax, m.LonMax);
        EXPECT_DOUBLE_EQ(ne.X, m.X0 + m.W);
        EXPECT_DOUBLE_EQ(ne.Y, m.Y0);
        EXPECT_DOUBLE_EQ(sw.X, m.X0);
        EXPECT_DOUBLE_EQ(sw.Y, m.Y0 + m.H);
        EXPECT_LE(m.X0 + m.W, kLadoMapa);
        EXPECT_LE(m.Y0 + m.H, kLadoMapa);
        for (int x : {m.X0, m.X0 + m.W / 3, m.X0 + m.W}) {
            const TGraus g = CoordenadaDoPixel(m, x, m.Y0 + m.H / 2);
            EXPECT_TRUE(LatitudeNoMapa(m, g.Latitude));
            EXPECT_TRUE(LongitudeNoMapa(m, g.Longitude));
            const TPontoMapa volta = PixelDaCoordenada(m, g.Latitude, g.Longitude);
            EXPECT_NEAR(volta.X, x, 1e-9);
            EXPECT_NEAR(volta.Y, m.Y0 + m.H / 2, 1e-9);
        }
    }
    EXPECT_EQ(MapaDoEstado(8), nullptr); // Goiás has none
    EXPECT_FALSE(LatitudeNoMapa(*MapaDoEstado(12), 14.2));
    EXPECT_FALSE(LongitudeNoMapa(*MapaDoEstado(12), 51.1));
}

TEST(Mapas, CadaEstadoTemNoMaximoUmaCorEAsNeutrasNaoEscolhemNenhum)
{
    std::set<int> estados;
    for (const TCorMapa& c : kCoresBrasil) {
        EXPECT_TRUE(estados.insert(c.Estado).second) << c.Estado;
        EXPECT_EQ(EstadoDaCor(c.R, c.G, c.B), c.Estado);
        EXPECT_FALSE(CorNeutra(c.R, c.G, c.B));
    }
    EXPECT_EQ(EstadoDaCor(0, 0, 255), 12);    // Minas Gerais
    EXPECT_EQ(EstadoDaCor(153, 255, 153), 26); // Tocantins
    // Amapá, Distrito Federal, Roraima and Sergipe: painted, never picked.
    for (int semCor : {2, 6, 22, 25}) {
        EXPECT_EQ(estados.count(semCor), 0u);
        bool pintado = false;
        for (const TCorMapa& c : kCoresNeutras)
            pintado = pintado || c.Estado == semCor;
        EXPECT_TRUE(pintado) << semCor;
    }
    EXPECT_EQ(estados.size() + 4, static_cast<std::size_t>(kNumEstados));
    for (const TCorMapa& c : kCoresNeutras) {
        EXPECT_TRUE(CorNeutra(c.R, c.G, c.B));
        EXPECT_EQ(EstadoDaCor(c.R, c.G, c.B), -1);
    }
    EXPECT_EQ(EstadoDaCor(1, 2, 3), -1);
    EXPECT_FALSE(CorNeutra(1, 2, 3));
}
