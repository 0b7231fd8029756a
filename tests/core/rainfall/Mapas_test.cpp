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
    for (int i = 0; i < kNumEstados; ++i) {
        const TMapaEstado& m = kMapasEstados[static_cast<std::size_t>(i)];
        EXPECT_EQ(m.Estado, i);
        EXPECT_EQ(MapaDoEstado(i), &m);
        SCOPED_TRACE(kEstados[static_cast<std::size_t>(m.Estado)].UF);
        // East edge (lon min) on the right, north edge (lat min) at the top.
        const TPontoMapa ne = PixelDaCoordenada(m, m.LatMin, m.LonMin);
        const TPontoMapa sw = PixelDaCoordenada(m, m.LatMax, m.LonMax);
        EXPECT_NEAR(ne.X, m.X0 + m.W, 1e-9);
        EXPECT_NEAR(ne.Y, m.Y0, 1e-9);
        EXPECT_NEAR(sw.X, m.X0, 1e-9);
        EXPECT_NEAR(sw.Y, m.Y0 + m.H, 1e-9);
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
    EXPECT_EQ(MapaDoEstado(27), nullptr);
    EXPECT_FALSE(LatitudeNoMapa(*MapaDoEstado(12), 14.2));
    EXPECT_FALSE(LongitudeNoMapa(*MapaDoEstado(12), 51.1));
}

TEST(Mapas, CadaEstadoTemUmaCorEAsNeutrasNaoEscolhemNenhum)
{
    std::set<int> estados;
    for (const TCorMapa& c : kCoresBrasil) {
        EXPECT_TRUE(estados.insert(c.Estado).second) << c.Estado;
        EXPECT_EQ(EstadoDaCor(c.R, c.G, c.B), c.Estado);
        EXPECT_FALSE(CorNeutra(c.R, c.G, c.B));
    }
    EXPECT_EQ(EstadoDaCor(0, 0, 255), 12);    // Minas Gerais
    EXPECT_EQ(EstadoDaCor(153, 255, 153), 26); // Tocantins
    // Every state can be picked, Amapá, Distrito Federal, Roraima and
    // Sergipe included.
    EXPECT_EQ(estados.size(), static_cast<std::size_t>(kNumEstados));
    EXPECT_EQ(EstadoDaCor(13, 13, 13), 6);
    for (const TCorMapa& c : kCoresNeutras) {
        EXPECT_TRUE(CorNeutra(c.R, c.G, c.B));
        EXPECT_EQ(EstadoDaCor(c.R, c.G, c.B), -1);
    }
    EXPECT_EQ(EstadoDaCor(1, 2, 3), -1);
    EXPECT_FALSE(CorNeutra(1, 2, 3));
}

TEST(Mapas, TodaSedeMunicipalCaiNaCaixaDoSeuEstado)
{
    // Capitals at the edges of their states (coast, islands, borders).
    struct Caso {
        int estado;
        double lat, lon;
    };
    for (const Caso& c : {Caso{7, 20.3155, 40.3128}, Caso{18, 22.8832, 43.1034}, Caso{23, 27.5954, 48.548},
                          Caso{2, -0.0349, 51.0694}, Caso{22, -2.8235, 60.6758}, Caso{0, 9.9747, 67.8249}}) {
        const TMapaEstado& m = *MapaDoEstado(c.estado);
        EXPECT_TRUE(LatitudeNoMapa(m, c.lat)) << c.estado;
        EXPECT_TRUE(LongitudeNoMapa(m, c.lon)) << c.estado;
    }
}
