// The raster viewer's arithmetic: colours, pictures, zoom, sizes, pointer and
// probe, vector lines on a picture, saving and printing rules, palettes.

#include "gis/Visualizacao.h"

#include "common/Locale.h"
#include "GisTeste.h"

#include <gtest/gtest.h>

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

    EXPECT_EQ(TamanhoExibido(200, 150), 300);
    EXPECT_EQ(TamanhoExibido(100, 150), 150);
    EXPECT_EQ(TamanhoExibido(1, 50), 0);  // 0.5 to the even 0
    EXPECT_EQ(TamanhoExibido(3, 50), 2);  // 1.5 to the even 2
}

TEST(Visualizacao, TamanhoDaJanelaCabeOuOcupaOEspaco)
{
    TGeometriaJanela g{.Exibido = {300, 150}, .ClientePrincipal = {800, 600}, .PX = 10, .PY = 20,
                       .Moldura = {8, 30}};
    EXPECT_EQ(TamanhoJanela(g), (TTamanho{308, 180}));
    g.Exibido = {2000, 2000};
    EXPECT_EQ(TamanhoJanela(g), (TTamanho{790, 566}));
    g.SoVetor = true;
    EXPECT_EQ(TamanhoJanela(g).Altura, 580);
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
