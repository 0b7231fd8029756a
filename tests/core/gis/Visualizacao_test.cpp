// The raster viewer's arithmetic: colours, pictures, zoom steps and fitting,
// sizes, pointer and probe, vector lines on a picture and their labels, the
// colour legend, saving and printing rules, palettes.

#include "gis/Visualizacao.h"

#include "common/Locale.h"
#include "GisTeste.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

using namespace vastrel;
using namespace vastrel::gis;
using namespace vastrel::test::gis;
using vastrel::test::TempDir;

namespace {

TPaleta Cinza()
{
    TPaleta p{};
    for (int i = 0; i < kCoresPaleta; ++i)
        p[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
                                          static_cast<std::uint8_t>(i)};
    return p;
}

TMemoryRaster Carregar(const TempDir& dir, const TRasTeste& r)
{
    GravarRas(dir / "r.ras", r);
    TMemoryRaster m;
    EXPECT_TRUE(m.CarregarRaster(dir / "r.ras"));
    return m;
}

std::uint32_t Cinza(int i) { return 0xFF000000u | static_cast<std::uint32_t>(i * 0x010101); }

} // namespace

TEST(Visualizacao, IndiceCorArredondaAoParEDaAVoltaNaPaleta)
{
    struct Caso { double v, lo, hi; int indice; };
    const Caso casos[] = {
        {50, 0, 100, 128},      // 127.5 goes to the even 128
        {101, 0, 100, 2},       // 257.55 → 258, modulo 256
        {0, 0, 100, kSemCor},   // no data
        {100, 0, 100, 255},
        {-1, 0, 100, 253},      // below the minimum: −2.55 → −3, wraps to 253
        {7, 7, 7, 0},           // no range: one colour
        {std::nan(""), 0, 1, kSemCor},
        {3.0e38, -3.0e38, 1, 254},    // 510, modulo 256
    };
    for (const Caso& c : casos)
        EXPECT_EQ(IndiceCor(c.v, c.lo, c.hi), c.indice) << c.v << " in " << c.lo << ".." << c.hi;
}

TEST(Visualizacao, ImagemDeCadaTipoDeCelula)
{
    TempDir dir;
    const TPaleta paleta = Cinza();

    TRasTeste real{.tipo = 'R', .colunas = 3, .linhas = 2, .celulas = {50, 0, 101, 100, 25, 75}};
    TMemoryRaster r = Carregar(dir, real);
    r.ValorMin = 0;
    r.ValorMax = 100;
    std::vector<std::uint32_t> img(6);
    ConstruirImagem(r, paleta, img.data(), 3);
    EXPECT_EQ(img, (std::vector<std::uint32_t>{Cinza(128), kBranco, Cinza(2), Cinza(255), Cinza(64), Cinza(191)}));

    // Integer cells, with a wider row stride than the raster.
    TRasTeste inteiro{.tipo = 'I', .colunas = 2, .linhas = 2, .celulas = {-10, 10, 0, 5}};
    TMemoryRaster i = Carregar(dir, inteiro);
    i.ValorMinInteiro = -10;
    i.ValorMaxInteiro = 10;
    std::vector<std::uint32_t> img2(8, 0);
    ConstruirImagem(i, paleta, img2.data(), 4);
    EXPECT_EQ(img2, (std::vector<std::uint32_t>{Cinza(0), Cinza(255), 0, 0, kBranco, Cinza(191), 0, 0}));

    // A byte raster whose minimum equals its maximum: one colour.
    TRasTeste byte{.tipo = 'B', .colunas = 2, .linhas = 1, .celulas = {9, 9}};
    TMemoryRaster b = Carregar(dir, byte);
    b.ValorMinByte = b.ValorMaxByte = 9;
    std::vector<std::uint32_t> img3(2);
    ConstruirImagem(b, paleta, img3.data(), 2);
    EXPECT_EQ(img3, (std::vector<std::uint32_t>{Cinza(0), Cinza(0)}));
}

TEST(Visualizacao, PassosDoZoomETamanhoExibido)
{
    std::vector<int> subida{25};
    while (subida.back() < kZoomMaximo)
        subida.push_back(ZoomMais(subida.back()));
    EXPECT_EQ(subida, (std::vector<int>{25, 50, 75, 100, 150, 200, 250, 300, 350, 400, 450, 500, 550, 600, 650,
                                        700, 750, 800, 850, 900, 950, 1000}));
    EXPECT_EQ(ZoomMais(1000), 1000);
    std::vector<int> descida{1000};
    while (descida.back() > kZoomMinimo)
        descida.push_back(ZoomMenos(descida.back()));
    EXPECT_EQ(std::vector<int>(descida.rbegin(), descida.rend()), subida);
    EXPECT_EQ(ZoomMenos(ZoomMenos(150)), 75);
    // A fitted zoom between steps goes to the neighbouring steps.
    struct Caso { int zoom, mais, menos; };
    const Caso entre[] = {{37, 50, 25}, {99, 100, 75}, {101, 150, 100}, {160, 200, 150}, {26, 50, 25}};
    for (const Caso& c : entre) {
        EXPECT_EQ(ZoomMais(c.zoom), c.mais) << c.zoom;
        EXPECT_EQ(ZoomMenos(c.zoom), c.menos) << c.zoom;
    }

    EXPECT_EQ(TamanhoExibido(200, 150), 300);
    EXPECT_EQ(TamanhoExibido(100, 150), 150);
    EXPECT_EQ(TamanhoExibido(1, 50), 0);  // 0.5 to the even 0
    EXPECT_EQ(TamanhoExibido(3, 50), 2);  // 1.5 to the even 2
}

TEST(Visualizacao, ZoomInicialMostraAImagemInteira)
{
    struct Caso { TTamanho imagem, espaco; int pedido, zoom; };
    const Caso casos[] = {
        {{304, 220}, {1000, 700}, kZoomAjustar, 300},  // fits whole at 200 %: whole factor, 3 × 304 = 912
        {{304, 220}, {700, 500}, kZoomAjustar, 200},
        {{304, 220}, {600, 500}, kZoomAjustar, 100},   // not at 200 %: no enlarging
        {{2000, 1000}, {800, 600}, kZoomAjustar, 40},  // the width limits: 800 / 2000
        {{1000, 3000}, {800, 600}, kZoomAjustar, 25},  // 20 % would fit: the minimum, scrolled
        {{399, 100}, {100, 100}, kZoomAjustar, 25},    // 25 % of 399 rounds to 100: fits
        {{10, 10}, {5000, 5000}, kZoomAjustar, 1000},  // never above the maximum
        {{304, 220}, {1000, 700}, 200, 200},           // a zoom asked for is kept while all shows
        {{304, 220}, {500, 500}, 200, 164},            // ... and lowered to fit: 500 / 304
        {{304, 220}, {1000, 700}, 5000, 318},           // asked above the maximum: fitted
        {{0, 0}, {800, 600}, 150, 150},                // nothing to fit
        {{304, 220}, {0, 0}, kZoomAjustar, 100},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ZoomInicial(c.imagem, c.espaco, c.pedido), c.zoom)
            << c.imagem.Largura << "x" << c.imagem.Altura << " in " << c.espaco.Largura << "x" << c.espaco.Altura;

    // Fitting by whole percents: the picture fits, one percent more would
    // not (checked against the displayed sizes for many pictures).
    for (int w = 90; w < 3000; w += 137)
        for (int h = 70; h < 2000; h += 211) {
            const TTamanho espaco{700, 500};
            const int z = ZoomInicial({w, h}, espaco, kZoomMaximo);
            auto cabe = [&](int zz) { return TamanhoExibido(w, zz) <= 700 && TamanhoExibido(h, zz) <= 500; };
            ASSERT_TRUE(z == kZoomMinimo || cabe(z)) << w << "x" << h << " at " << z;
            ASSERT_TRUE(z == kZoomMaximo || !cabe(z + 1)) << w << "x" << h << " at " << z;
        }
}

TEST(Visualizacao, TamanhoDaJanelaCabeOuOcupaOEspaco)
{
    const TTamanho livre{800, 600}, moldura{120, 60}, barras{15, 15}, minimo{300, 200};
    struct Caso { TTamanho exibido, janela; };
    const Caso casos[] = {
        {{300, 150}, {420, 210}},   // as large as the picture
        {{100, 50}, {300, 200}},    // never under the legend's and the strip's room
        {{680, 540}, {800, 600}},   // exactly the free area
        {{2000, 2000}, {800, 600}}, // the free area, scrolled
        {{600, 560}, {735, 600}},   // cut in height: a vertical bar widens it
        {{690, 300}, {800, 375}},   // cut in width: a horizontal bar heightens it
        {{670, 560}, {800, 600}},   // the vertical bar of the first cut makes the second
        {{690, 530}, {800, 600}},   // and the horizontal one
    };
    for (const Caso& c : casos)
        EXPECT_EQ(TamanhoJanela(c.exibido, livre, moldura, barras, minimo), c.janela)
            << c.exibido.Largura << "x" << c.exibido.Altura;
    // A free area smaller than the frame still leaves a pixel of picture.
    EXPECT_EQ(TamanhoJanela({300, 300}, {50, 40}, moldura, barras, {}), (TTamanho{121, 61}));

    EXPECT_EQ(CantoJanela(0, {800, 600}), (TPosicao{0, 0}));
    EXPECT_EQ(CantoJanela(2, {800, 600}), (TPosicao{48, 48}));
    EXPECT_EQ(CantoJanela(12, {800, 600}), (TPosicao{0, 0})); // 12 steps of 24 reach half of 600
    EXPECT_EQ(CantoJanela(3, {10, 10}), (TPosicao{0, 0}));
}

TEST(Visualizacao, ZoomMantemOPontoSobOPonteiro)
{
    // The picture point under the pointer: (ponto + rolagem) × 100 / zoom.
    struct Caso { int ponto, rolagem, antes, depois, nova; };
    const Caso casos[] = {
        {100, 0, 100, 200, 100},   // cell 100 was at 100, now at 200
        {100, 300, 200, 100, 100}, // cell 200: at 200 at 100 %
        {0, 0, 100, 150, 0},       // the corner stays
        {50, 10, 100, 50, 0},      // cell 60 at 30: would be −20, the top
        {300, 0, 37, 50, 105},     // from a fitted zoom: 300 × 50 / 37 − 300 = 105.4
    };
    for (const Caso& c : casos)
        EXPECT_EQ(RolagemAposZoom(c.ponto, c.rolagem, c.antes, c.depois), c.nova) << c.ponto << " " << c.rolagem;

    // A picture smaller than the view sits in its middle. Pointer at 250 on
    // a picture that starts at 200: cell 50. At 300 % that cell is at 150,
    // left of the pointer without scrolling: no scroll (the picture is still
    // centred or starts at the edge); at 600 % it is at 300: 50 scrolled.
    EXPECT_EQ(Deslocamento(600, 200), 200);
    EXPECT_EQ(Deslocamento(600, 601), 0);
    EXPECT_EQ(Deslocamento(5, 2), 1);
    EXPECT_EQ(RolagemAposZoom(250, 0, 100, 300, 200), 0);
    EXPECT_EQ(RolagemAposZoom(250, 0, 100, 600, 200), 50); // 300 − 250
    // Left of the picture the pointer is on no cell.
    EXPECT_EQ(CelulaSobPonteiro(-1, -150, 0, 0, 100).Coluna, -1);
    EXPECT_EQ(CelulaSobPonteiro(-1, -150, 0, 0, 300).Coluna, -1); // −⅓ of a cell
    EXPECT_EQ(CelulaSobPonteiro(-1, -150, 0, 0, 300).Linha, -50);
}

TEST(Visualizacao, PonteiroNasBordasDoRaster)
{
    TempDir dir;
    TRasTeste t{.tipo = 'R', .colunas = 4, .linhas = 2, .xmin = 100, .xmax = 140, .ymin = 0, .ymax = 20,
                .celulas = {1.5f, 2, 3, 4, 5, 6, 7, 12345678}};
    const TMemoryRaster r = Carregar(dir, t);

    EXPECT_EQ(CelulaSobPonteiro(30, 9, 10, 1, 200).Coluna, 20);
    EXPECT_EQ(CelulaSobPonteiro(30, 9, 10, 1, 200).Linha, 5);
    EXPECT_EQ(CelulaSobPonteiro(2, 0, 0, 0, 75).Coluna, 2); // 200 / 75

    // The eastern and southern edges still read coordinates: XMax, YMin.
    const auto borda = CoordenadasRaster(r, {4, 2});
    ASSERT_TRUE(borda);
    EXPECT_DOUBLE_EQ(borda->X, 140);
    EXPECT_DOUBLE_EQ(borda->Y, 0);
    const auto canto = CoordenadasRaster(r, {0, 0});
    ASSERT_TRUE(canto);
    EXPECT_DOUBLE_EQ(canto->X, 100);
    EXPECT_DOUBLE_EQ(canto->Y, 20);
    EXPECT_FALSE(CoordenadasRaster(r, {5, 0}));
    EXPECT_FALSE(CoordenadasRaster(r, {0, 3}));

    // The probe stops one cell earlier.
    ScopedDecimalSeparator virgula(',');
    EXPECT_EQ(ValorCelula(r, {0, 0}), "1,5");
    EXPECT_EQ(ValorCelula(r, {3, 1}), "1,234568E7");
    EXPECT_EQ(ValorCelula(r, {4, 0}), "");
    EXPECT_EQ(ValorCelula(r, {0, 2}), "");
    EXPECT_EQ(ValorCelula(r, {-1, 0}), "");

    TRasTeste ti{.tipo = 'I', .colunas = 1, .linhas = 1, .celulas = {-300}};
    EXPECT_EQ(ValorCelula(Carregar(dir, ti), {0, 0}), "-300");
}

TEST(Visualizacao, FormatoGeralComSeteAlgarismos)
{
    ScopedDecimalSeparator virgula(',');
    struct Caso { double v; const char* texto; };
    const Caso casos[] = {{0, "0"},           {1234567, "1234567"}, {12345678, "1,234568E7"},
                          {-0.25, "-0,25"},   {0.00001, "0,00001"}, {1.5e-7, "1,5E-7"},
                          {2.0 / 3, "0,6666667"}, {100, "100"}};
    for (const Caso& c : casos)
        EXPECT_EQ(FormatoGeral(c.v, 7), c.texto);
}

TEST(Visualizacao, LinhasDeUmVetorSobreORaster)
{
    TCabecalhoRaster r;
    r.Colunas = 200;
    r.Linhas = 100;
    r.XMin = 0;
    r.XMax = 2000;
    r.YMin = 0;
    r.YMax = 1000;

    TVetor v;
    v.IrParaInicio();
    v.GravarRegistro(1, 0, 1000, 0);
    v.GravarRegistro(1, 2000, 0, 0);
    v.GravarRegistro(1, 15, 5, 0);    // 1.5 → 2, 99.5 → 100
    constexpr int kLonga = 60000;     // longer than any fixed buffer of points
    for (int n = 0; n < kLonga; ++n)
        v.GravarRegistro(2, static_cast<float>(n % 2000), 500, 0);
    v.GravarRegistro(3, 1000, 500, 0);

    const std::vector<TLinhaImagem> linhas = LinhasSobreRaster(v, r);
    ASSERT_EQ(linhas.size(), 3u);
    EXPECT_EQ(linhas[0].Numero, 1);
    EXPECT_EQ(linhas[0].Pontos, (std::vector<TPontoImagem>{{0, 0}, {200, 100}, {2, 100}}));
    EXPECT_EQ(linhas[1].Pontos.size(), static_cast<std::size_t>(kLonga));
    EXPECT_EQ(linhas[2].Pontos, (std::vector<TPontoImagem>{{100, 50}}));

    EXPECT_EQ(PontoDoRotulo(1), 0u);
    EXPECT_EQ(PontoDoRotulo(3), 0u);
    EXPECT_EQ(PontoDoRotulo(5), 1u);
    EXPECT_EQ(PontoDoRotulo(6), 2u);
}

TEST(Visualizacao, VetorSozinhoSemExtensaoEDeUmPonto)
{
    TVetor ponto;
    ponto.Unidade = "M";
    ponto.XMin = ponto.XMax = 50;
    ponto.YMin = ponto.YMax = 70;
    ponto.IrParaInicio();
    ponto.GravarRegistro(1, 50, 70, 0);
    const TTamanho t = TamanhoImagemVetor(ponto, 800, 600, 10, 20, 30);
    EXPECT_GE(t.Largura, kLadoMinimoVetor);
    EXPECT_GE(t.Altura, kLadoMinimoVetor);
    const auto linhas = LinhasDoVetor(ponto, t);
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].Pontos[0], (TPontoImagem{t.Largura / 2, t.Altura - t.Altura / 2}));

    // A vector 10 km wide in kilometres does not fit: the width of the
    // area, the height in proportion.
    TVetor km;
    km.Unidade = "km";
    km.XMin = 0;
    km.XMax = 10;
    km.YMin = 0;
    km.YMax = 0.2f;
    EXPECT_EQ(TamanhoImagemVetor(km, 800, 600, 10, 20, 30), (TTamanho{790, 16 < kLadoMinimoVetor ? kLadoMinimoVetor : 16}));
    km.IrParaInicio();
    km.GravarRegistro(4, 10, 0, 0);
    EXPECT_EQ(LinhasDoVetor(km, {790, 100})[0].Pontos[0], (TPontoImagem{790, 100}));
}

TEST(Visualizacao, RotulosComTamanhoFixoNaTela)
{
    // The label keeps its size and is centred on its point, wherever the
    // zoom puts it.
    EXPECT_EQ(RetanguloRotulo({100, 50}, 100, {20, 12}), (TRetangulo{90, 44, 20, 12}));
    EXPECT_EQ(RetanguloRotulo({100, 50}, 400, {20, 12}), (TRetangulo{390, 194, 20, 12}));
    EXPECT_EQ(RetanguloRotulo({3, 3}, 50, {7, 5}), (TRetangulo{-2, -1, 7, 5})); // 1.5 − 3.5
    EXPECT_EQ(PenaSobreposicao(100), 1);
    EXPECT_EQ(PenaSobreposicao(400), 2);
}

TEST(Visualizacao, RotulosSobrepostosFicamDeFora)
{
    struct Caso { const char* nome; std::vector<TRetangulo> rotulos; std::vector<bool> desenhar; };
    const Caso casos[] = {
        {"apart", {{0, 0, 10, 10}, {20, 0, 10, 10}}, {true, true}},
        {"touching edges", {{0, 0, 10, 10}, {10, 0, 10, 10}, {0, 10, 10, 10}}, {true, true, true}},
        {"one pixel over", {{0, 0, 10, 10}, {9, 9, 10, 10}}, {true, false}},
        {"inside", {{0, 0, 30, 30}, {5, 5, 2, 2}}, {true, false}},
        // The first of a pile is drawn; a label hidden by a left-out one
        // still shows, since only drawn labels hide.
        {"chain", {{0, 0, 10, 10}, {8, 0, 10, 10}, {16, 0, 10, 10}}, {true, false, true}},
        {"pile", {{5, 5, 10, 10}, {5, 5, 10, 10}, {6, 6, 10, 10}, {40, 5, 10, 10}}, {true, false, false, true}},
        {"empty", {{0, 0, 0, 10}, {0, 0, 10, 10}, {2, 2, 10, -1}}, {true, true, true}},
        {"far apart", {{-2000000000, 0, 10, 10}, {2000000000, 0, 2000000000, 10}}, {true, true}},
        {"none", {}, {}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(RotulosSemSobreposicao(c.rotulos), c.desenhar) << c.nome;

    // Terrace numbers crowding at a low zoom spread out at a higher one: the
    // labels drawn never overlap, and more are drawn as the zoom grows.
    std::vector<TPontoImagem> pontos;
    for (int i = 0; i < 40; ++i)
        pontos.push_back({100 + 3 * i, 200 - 2 * i});
    std::size_t antes = 0;
    for (const int zoom : {50, 100, 200, 400, 1000}) {
        std::vector<TRetangulo> r;
        for (const TPontoImagem& p : pontos)
            r.push_back(RetanguloRotulo(p, zoom, {14, 11}));
        const std::vector<bool> d = RotulosSemSobreposicao(r);
        const auto n = static_cast<std::size_t>(std::count(d.begin(), d.end(), true));
        EXPECT_GE(n, antes) << zoom;
        antes = n;
        for (std::size_t i = 0; i < r.size(); ++i)
            for (std::size_t j = i + 1; j < r.size(); ++j) {
                if (d[i] && d[j]) {
                    EXPECT_TRUE(r[i].X + 14 <= r[j].X || r[j].X + 14 <= r[i].X || r[i].Y + 11 <= r[j].Y ||
                                r[j].Y + 11 <= r[i].Y)
                        << zoom << ": " << i << " and " << j;
                }
            }
    }
    EXPECT_EQ(antes, pontos.size()); // at 1000 % they are 30 pixels apart
}

TEST(Visualizacao, UnidadeNoTituloDoRaster)
{
    struct Caso { const char* titulo; const char* unidade; };
    const Caso casos[] = {
        {"Elevação (m)", "m"},
        {"Declividade (%) da elevação SRTM 30 m, bacia do Big Tujunga (Califórnia)", "%"},
        {"Elevação (m) filtrada (média 3 x 3, 4 passadas), bacia do sítio Hugo", "m"},
        {"Perda de solo ( t/ha )", "t/ha"},
        {"Ângulo (°)", "°"},
        {"Chuva (mm/h)", "mm/h"},
        {"Erosividade (MJ mm/ha h)", ""},       // blanks: not read as a unit
        {"Bacia do Big Tujunga (Califórnia)", ""}, // a place
        {"Mapa de 2019 (2019)", ""},
        {"Uso do solo (classes de uso da terra) (classe)", "classe"},
        {"Elevação", ""},
        {"Elevação (m", ""},
        {"", ""},
        {"()", ""},
        {"Condutividade (mmhos/cm)", "mmhos/cm"},
        {"Precipitação (milímetros)", "milímetros"}, // ten characters, eleven bytes
        {"Distância (quilômetros)", ""},            // eleven
    };
    for (const Caso& c : casos)
        EXPECT_EQ(UnidadeDoTitulo(c.titulo), c.unidade) << c.titulo;

    TCabecalhoRaster r;
    r.TipoCelula = 'I';
    r.ValorMinInteiro = -5;
    r.ValorMaxInteiro = 40;
    r.ValorMin = 1;
    r.ValorMax = 2;
    r.Titulo = "Declividade (%)";
    r.Unidade = "M"; // the distance unit, never the unit of the values
    const TDadosLegenda d = DadosLegenda(r);
    EXPECT_EQ(d.Minimo, -5);
    EXPECT_EQ(d.Maximo, 40);
    EXPECT_TRUE(d.Inteiro);
    EXPECT_EQ(d.Unidade, "%");
    r.TipoCelula = 'R';
    r.Titulo = "Elevação";
    EXPECT_EQ(DadosLegenda(r).Minimo, 1);
    EXPECT_EQ(DadosLegenda(r).Unidade, "");
}

TEST(Visualizacao, MarcasRedondasDaLegenda)
{
    struct Caso { double lo, hi; int maximo; bool inteiro; double passo; std::vector<double> valores; };
    const Caso casos[] = {
        {1660.3, 1711.2, 6, false, 10, {1670, 1680, 1690, 1700, 1710}},
        {0, 100, 6, false, 20, {0, 20, 40, 60, 80, 100}},
        {0, 100, 5, false, 50, {0, 50, 100}},
        {0.99, 1.01, 6, false, 0.005, {0.99, 0.995, 1, 1.005, 1.01}},
        {1.05, 1.95, 6, false, 0.2, {1.2, 1.4, 1.6, 1.8}},
        {-3.7, 2.2, 4, false, 2, {-2, 0, 2}},
        {0, 3, 10, true, 1, {0, 1, 2, 3}},         // whole values: no step under 1
        {0, 3, 10, false, 0.5, {0, 0.5, 1, 1.5, 2, 2.5, 3}},
        {7, 7, 6, false, 0, {7}},                  // one value
        {100, 0, 6, false, 20, {0, 20, 40, 60, 80, 100}}, // extremes swapped
        {-3.0e38, 3.0e38, 5, false, 2e38, {-2e38, 0, 2e38}},
        {0, 1, 1, false, 1, {0, 1}},               // at least two asked
    };
    for (const Caso& c : casos) {
        const TMarcas m = MarcasRedondas(c.lo, c.hi, c.maximo, c.inteiro);
        EXPECT_DOUBLE_EQ(m.Passo, c.passo) << c.lo << ".." << c.hi;
        ASSERT_EQ(m.Valores.size(), c.valores.size()) << c.lo << ".." << c.hi;
        for (std::size_t i = 0; i < c.valores.size(); ++i)
            EXPECT_DOUBLE_EQ(m.Valores[i], c.valores[i]) << c.lo << ".." << c.hi << " #" << i;
    }
    EXPECT_TRUE(MarcasRedondas(std::nan(""), 1, 5, false).Valores.empty());
    EXPECT_TRUE(MarcasRedondas(0, INFINITY, 5, false).Valores.empty());
    EXPECT_LE(MarcasRedondas(1e-310, 2e-310, 5, false).Valores.size(), 5u); // subnormal steps

    // Over many ranges: within the range, at most the count asked for, and
    // the next smaller step of the series would give more.
    for (double lo = -1234.5; lo < 2000; lo += 377.7)
        for (double largura : {0.0031, 0.7, 13.0, 499.0, 86000.0})
            for (int maximo : {3, 5, 8}) {
                const TMarcas m = MarcasRedondas(lo, lo + largura, maximo, false);
                ASSERT_FALSE(m.Valores.empty());
                ASSERT_LE(m.Valores.size(), static_cast<std::size_t>(maximo));
                ASSERT_GE(m.Valores.front(), lo - 1e-9 * largura);
                ASSERT_LE(m.Valores.back(), lo + largura * (1 + 1e-9));
                const double mantissa = m.Passo / std::pow(10.0, std::floor(std::log10(m.Passo)));
                ASSERT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                            std::fabs(mantissa - 5) < 1e-9) << m.Passo;
                // 1 → 0.5, 2 → 1, 5 → 2
                const double menor = std::fabs(mantissa - 5) < 1e-9 ? m.Passo * 2 / 5 : m.Passo / 2;
                const double n = std::floor((lo + largura) / menor + 1e-9) - std::ceil(lo / menor - 1e-9) + 1;
                ASSERT_GT(n, maximo) << lo << " + " << largura << ": " << m.Passo;
            }
}

TEST(Visualizacao, TextoDasMarcasComOSeparadorDoUsuario)
{
    struct Caso { double valor, passo; const char* virgula; const char* ponto; };
    const Caso casos[] = {
        {1700, 10, "1700", "1700"},
        {0.30000000000000004, 0.1, "0,3", "0.3"},
        {1.005, 0.005, "1,005", "1.005"},
        {-2.5, 0.5, "-2,5", "-2.5"},
        {0, 0.2, "0,0", "0.0"},
        {2e38, 2e38, "2E38", "2E38"},
        {50, 50, "50", "50"},
    };
    for (const Caso& c : casos) {
        {
            ScopedDecimalSeparator s(',');
            EXPECT_EQ(TextoMarca(c.valor, c.passo), c.virgula);
        }
        ScopedDecimalSeparator s('.');
        EXPECT_EQ(TextoMarca(c.valor, c.passo), c.ponto);
    }
}

TEST(Visualizacao, BarraDeCoresDoMinimoAoMaximo)
{
    EXPECT_EQ(CorDaLinhaDaBarra(0, 256), 255);
    EXPECT_EQ(CorDaLinhaDaBarra(255, 256), 0);
    EXPECT_EQ(CorDaLinhaDaBarra(0, 100), 254);  // 0.995 × 255 = 253.7
    EXPECT_EQ(CorDaLinhaDaBarra(99, 100), 1);
    EXPECT_EQ(CorDaLinhaDaBarra(0, 1), 255);
    // A tick sits where the bar has its value's colour.
    const double lo = 1660, hi = 1711;
    for (const double v : {1670.0, 1690.0, 1710.0}) {
        const int altura = 200;
        const int linha = static_cast<int>((1 - FracaoNaBarra(v, lo, hi)) * altura);
        EXPECT_NEAR(CorDaLinhaDaBarra(linha, altura), IndiceCor(v, lo, hi), 2) << v;
    }
    EXPECT_EQ(FracaoNaBarra(5, 5, 5), 0.5);

    // The saved picture: at least 100 %, at most 4096 pixels along a side
    // unless the raster alone is larger.
    EXPECT_EQ(ZoomFigura({304, 220}, 37), 100);
    EXPECT_EQ(ZoomFigura({304, 220}, 300), 300);
    EXPECT_EQ(ZoomFigura({2000, 1000}, 400), 204);
    EXPECT_EQ(ZoomFigura({5000, 5000}, 25), 100);
}

TEST(Visualizacao, ExtensaoDaImagemGravada)
{
    struct Caso { const char* nome; bool jpeg; };
    const Caso casos[] = {{"/tmp/mapa.jpg", true},  {"/tmp/mapa.JPG", false}, {"/tmp/mapa.Jpg", false},
                          {"/tmp/mapa.jpeg", false}, {"/tmp/mapa.bmp", false}, {"/tmp/mapa", false},
                          {"/tmp/x.jpg/mapa", false}, {"c:\\fotos.jpg\\mapa", false}, {"a.b.jpg", true}};
    for (const Caso& c : casos)
        EXPECT_EQ(GravarComoJpeg(c.nome), c.jpeg) << c.nome;
    EXPECT_EQ(ExtensaoArquivo("/tmp/mapa.JPG"), ".JPG");
}

TEST(Visualizacao, ImpressaoEsticadaNaPagina)
{
    // Taller than wide on a portrait page: the height of the page − 50.
    EXPECT_EQ(TamanhoImpressao({100, 200}, {1050, 1450}), (TTamanho{700, 1400}));
    // Wider than tall: the width of the page − 50.
    EXPECT_EQ(TamanhoImpressao({400, 100}, {1050, 1450}), (TTamanho{1000, 250}));
    // A square on a landscape page stays on the page.
    EXPECT_EQ(TamanhoImpressao({100, 100}, {1450, 1050}), (TTamanho{1000, 1000}));
}

TEST(Visualizacao, PropriedadesDoRaster)
{
    TCabecalhoRaster r;
    r.Colunas = 4;
    r.Linhas = 2;
    r.XMax = 2;
    r.YMax = 3;
    r.Unidade = "km";
    EXPECT_DOUBLE_EQ(TamanhoPixel(r).X, 500);
    EXPECT_DOUBLE_EQ(TamanhoPixel(r).Y, 1500);
    r.Colunas = 0;
    EXPECT_DOUBLE_EQ(TamanhoPixel(r).X, 0);
    EXPECT_EQ(NomeTipoCelula('I'), "Inteiro");
}

TEST(Paleta, ArquivosDoProgramaEArquivosDefeituosos)
{
    const std::filesystem::path comuns = std::filesystem::path(VASTREL_SOURCE_DIR) / "data" / "comuns";
    for (int i = 0; i < kNumPaletas; ++i) {
        const TPaleta p = CarregarPaleta(comuns / std::string(ArquivoPaleta(i)));
        EXPECT_NE(p.front(), p.back()) << ArquivoPaleta(i);
    }
    EXPECT_EQ(CarregarPaleta(comuns / "cinza1.pal")[200], (TCor{200, 200, 200}));

    TempDir dir;
    auto escrever = [&](const std::string& nome, int linhas, const std::string& ultima) {
        std::ofstream f(dir / nome);
        for (int i = 0; i < linhas; ++i)
            f << i << " 1 2 3\r\n";
        f << ultima;
        return dir / nome;
    };
    EXPECT_EQ(CarregarPaleta(escrever("ok.pal", 255, "255 9 8 7\n"))[255], (TCor{9, 8, 7}));
    EXPECT_THROW(CarregarPaleta(escrever("curta.pal", 200, "")), EArquivoGis);
    EXPECT_THROW(CarregarPaleta(escrever("grande.pal", 255, "255 256 0 0\n")), EArquivoGis);
    EXPECT_THROW(CarregarPaleta(escrever("texto.pal", 255, "255 a b c\n")), EArquivoGis);
    EXPECT_THROW(CarregarPaleta(dir / "nenhum.pal"), EArquivoGis);
}
