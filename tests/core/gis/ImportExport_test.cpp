#include "gis/ImportExport.h"
#include "gis/InfArqDoc.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"

#include "GisTeste.h"

#include <gtest/gtest.h>

namespace vastrel::gis {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
using namespace test::gis;

// Answers as the window would: a unit chosen beforehand, information boxes
// recorded.
struct TRespostas : IPerguntasConversao {
    std::string unidade = "m";
    std::vector<std::string> informacoes;
    std::string UnidadeDistancia() override { return unidade; }
    void Informar(const std::string& m) override { informacoes.push_back(m); }
};

std::string Mensagem(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(nenhum erro)";
}

TEST(ImportExport, SurferGridRowsRunFromSouthToNorthBothWays)
{
    TempDir dir;
    TRespostas r;
    WriteBytes(dir / "a.grd", "DSAA\r\n3 2\r\n0 30\r\n0 20\r\n1 6\r\n1 2 3\r\n4 5 6\r\n");
    ImportarRasterSurfer(dir / "a.grd", dir / "a.ras", "grade", r);
    EXPECT_EQ(CelulasReais(dir / "a.ras"), (std::vector<float>{4, 5, 6, 1, 2, 3}));
    TMemoryRaster m;
    ASSERT_TRUE(m.CarregarRaster(dir / "a.ras"));
    EXPECT_EQ(m.Titulo, "grade");
    EXPECT_EQ(m.Unidade, "m");
    EXPECT_EQ(m.XMax, 30.0f);
    EXPECT_EQ(m.ValorMax, 6.0f);
    EXPECT_TRUE(r.informacoes.empty());

    ExportarRasterSurfer(dir / "a.ras", dir / "b.grd");
    std::string esperado = "DSAA\r\n3 2\r\n";
    for (double v : {0.0, 30.0})
        esperado += NumeroCientifico(v);
    esperado += "\r\n";
    for (double v : {0.0, 20.0})
        esperado += NumeroCientifico(v);
    esperado += "\r\n";
    for (double v : {1.0, 6.0})
        esperado += NumeroCientifico(v);
    esperado += "\r\n";
    for (double v : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0})
        esperado += NumeroCientifico(v);
    EXPECT_EQ(ReadBytes(dir / "b.grd"), esperado);
}

TEST(ImportExport, SurferValuesAboveTenThousandBecomeZero)
{
    TempDir dir;
    TRespostas r;
    r.unidade = "km";
    WriteBytes(dir / "a.grd", "DSAA\n2 2\n0 1\n0 1\n5 1.70141e+38\n10000 1.70141e+38\n10000.5 5\n");
    ImportarRasterSurfer(dir / "a.grd", dir / "a.ras", "", r);
    EXPECT_EQ(CelulasReais(dir / "a.ras"), (std::vector<float>{0, 5, 10000, 0}));
    TMemoryRaster m;
    ASSERT_TRUE(m.CarregarRaster(dir / "a.ras"));
    EXPECT_EQ(m.ValorMin, 0.0f);
    EXPECT_EQ(m.Unidade, "km");
    EXPECT_EQ(r.informacoes, (std::vector<std::string>{kMsgValoresAbsurdos}));
}

TEST(ImportExport, SurferNumbersMayFollowEachOtherByTheirSign)
{
    TempDir dir;
    TRespostas r;
    WriteBytes(dir / "a.grd", "DSAA\n2 1\n 0.0E+0000 2.0E+0000\n0 1\n-3 4\n"
                              " 4.00000000000000E+0000-2.50000000000000E+0000");
    ImportarRasterSurfer(dir / "a.grd", dir / "a.ras", "", r);
    EXPECT_EQ(CelulasReais(dir / "a.ras"), (std::vector<float>{4, -2.5f}));
}

TEST(ImportExport, MalformedSurferGridsAreRefusedWithoutOutput)
{
    TempDir dir;
    TRespostas r;
    for (const char* grade : {
             "DSAA\n3 2\n0 1\n0 1\n0 1\n1 2 3 4 5\n",          // a value missing
             "DSAA\n2 1\n0 1\n0 1\n0 1\n1 dois\n",             // not a number
             "DSAA\n2 1\n0 1\n0 1\n0 1\n1 nan\n",              // not a finite number
             "DSAA\n100000 100000\n0 1\n0 1\n0 1\n1 2 3\n",    // far more values than the file holds
             "DSAA\n-2 1\n0 1\n0 1\n0 1\n1 2\n",               // negative size
             "DSAA\n2.5 1\n0 1\n0 1\n0 1\n1 2\n",              // fractional size
             "DSAA\n",                                          // header cut
         }) {
        WriteBytes(dir / "a.grd", grade);
        EXPECT_EQ(Mensagem([&] { ImportarRasterSurfer(dir / "a.grd", dir / "a.ras", "", r); }),
                  kMsgFormatoInadequado)
            << grade;
        EXPECT_FALSE(fs::exists(dir / "a.ras"));
    }
}

// An IDRISI raster pair written by hand.
void GravarIdrisi(const TempDir& dir, const std::string& nome, const std::vector<std::pair<int, std::string>>& trocas,
                  const std::string& celulas)
{
    TInfArqDoc d;
    d.IniciarDocumentacao((dir / (nome + ".doc")).string());
    d.TipoDado = "integer";
    d.Colunas = 2;
    d.Linhas = 1;
    d.XMax = 5;
    d.YMax = 5;
    d.DistUnidade = 1000;
    d.ValorMin = 2.5f;
    d.ValorMax = 3.5f;
    d.GravarDocumentacao();
    std::string t = ReadBytes(dir / (nome + ".doc"));
    for (const auto& [linha, valor] : trocas) {
        std::size_t ini = 0;
        for (int i = 1; i < linha; ++i)
            ini = t.find("\r\n", ini) + 2;
        t.replace(ini + 14, t.find("\r\n", ini) - ini - 14, valor);
    }
    WriteBytes(dir / (nome + ".doc"), t);
    WriteBytes(dir / (nome + ".img"), celulas);
}

TEST(ImportExport, IdrisiRasterBoundsAreScaledByTheUnitDistance)
{
    TempDir dir;
    GravarIdrisi(dir, "a", {}, std::string("\x07\x00\xff\xff", 4));
    ImportarRasterIdrisi(dir / "a.img", dir / "a.ras", "importada");
    TMemoryRaster m;
    ASSERT_TRUE(m.CarregarRaster(dir / "a.ras"));
    EXPECT_EQ(m.TipoCelula, 'I');
    EXPECT_EQ(m.XMin, 0.0f);
    EXPECT_EQ(m.XMax, 5000.0f);
    EXPECT_EQ(m.YMax, 5000.0f);
    EXPECT_EQ(m.Unidade, "m");
    EXPECT_EQ(m.Titulo, "importada");
    EXPECT_EQ(m.ValorMinInteiro, 2); // 2.5 and 3.5 to the even neighbour
    EXPECT_EQ(m.ValorMaxInteiro, 4);
    EXPECT_EQ(m.LerCelulaInteira(0), 7);
    EXPECT_EQ(m.LerCelulaInteira(1), -1);
}

TEST(ImportExport, IdrisiFilesWithAttributesTheRasterCannotHoldAreRefused)
{
    TempDir dir;
    const std::string celulas(4, '\0');
    struct Caso {
        int linha;
        const char* valor;
    };
    for (const Caso& c : {Caso{7, "deg"}, Caso{6, "latlong"}, Caso{17, "degrees"}, Caso{2, "rgb24"},
                          Caso{3, "ascii"}, Caso{8, "0"}}) {
        GravarIdrisi(dir, "a", {{c.linha, c.valor}}, celulas);
        EXPECT_EQ(Mensagem([&] { ImportarRasterIdrisi(dir / "a.img", dir / "a.ras", ""); }),
                  "Atributo do arquivo 'a.img' inválido.")
            << c.valor;
        EXPECT_FALSE(fs::exists(dir / "a.ras"));
    }
    // Upper-case units and a documentation named in capitals are taken.
    GravarIdrisi(dir, "b", {{7, "KM"}}, celulas);
    fs::rename(dir / "b.doc", dir / "b.DOC");
    ImportarRasterIdrisi(dir / "b.img", dir / "b.ras", "");
    EXPECT_TRUE(fs::exists(dir / "b.ras"));

    GravarIdrisi(dir, "c", {}, std::string(6, '\0')); // one cell too many
    EXPECT_NE(Mensagem([&] { ImportarRasterIdrisi(dir / "c.img", dir / "c.ras", ""); }).find("não corresponde"),
              std::string::npos);
    fs::remove(dir / "c.doc");
    EXPECT_EQ(Mensagem([&] { ImportarRasterIdrisi(dir / "c.img", dir / "c.ras", ""); }),
              "Arquivo " + (dir / "c.doc").string() + " nao existe.");
    EXPECT_FALSE(fs::exists(dir / "c.ras"));
}

TEST(ImportExport, RastersComeBackFromIdrisiAndSurferCellForCell)
{
    TempDir dir;
    TRespostas r;
    for (const char tipo : {'R', 'I', 'B'}) {
        TRasTeste t = Plano(5, 3, 30, 200, 7, -11);
        t.tipo = tipo;
        t.xmin = 398813.66f;
        t.xmax = t.xmin + 150;
        t.ymin = 3795917.75f;
        t.ymax = t.ymin + 90;
        t.unidade = "km";
        t.celulas[3] = 0;
        if (tipo == 'R')
            t.celulas[4] = -1.25e-3f;
        GravarRas(dir / "orig.ras", t);
        TMemoryRaster orig;
        ASSERT_TRUE(orig.CarregarRaster(dir / "orig.ras"));

        ExportarRasterIdrisi(dir / "orig.ras", dir / "exp.img", "título");
        ImportarRasterIdrisi(dir / "exp.img", dir / "volta.ras", "volta");
        TMemoryRaster volta;
        ASSERT_TRUE(volta.CarregarRaster(dir / "volta.ras"));
        const std::size_t inicio = InicioCelulas(tipo);
        EXPECT_EQ(std::vector<std::uint8_t>(volta.Buffer().begin() + static_cast<std::ptrdiff_t>(inicio),
                                            volta.Buffer().end()),
                  std::vector<std::uint8_t>(orig.Buffer().begin() + static_cast<std::ptrdiff_t>(inicio),
                                            orig.Buffer().end()))
            << tipo;
        EXPECT_EQ(volta.TipoCelula, tipo);
        EXPECT_EQ(volta.XMin, orig.XMin);
        EXPECT_EQ(volta.YMax, orig.YMax);
        EXPECT_EQ(volta.Unidade, "km");

        if (tipo == 'R') {
            ExportarRasterSurfer(dir / "orig.ras", dir / "exp.grd");
            r.unidade = "km";
            ImportarRasterSurfer(dir / "exp.grd", dir / "volta.ras", "", r);
            EXPECT_EQ(CelulasReais(dir / "volta.ras"), CelulasReais(dir / "orig.ras"));
            TMemoryRaster s;
            ASSERT_TRUE(s.CarregarRaster(dir / "volta.ras"));
            EXPECT_EQ(s.XMin, orig.XMin);
            EXPECT_EQ(s.YMax, orig.YMax);
        } else {
            EXPECT_EQ(Mensagem([&] { ExportarRasterSurfer(dir / "orig.ras", dir / "int.grd"); }), kMsgNaoReal);
            EXPECT_FALSE(fs::exists(dir / "int.grd"));
        }
    }
}

TVetor Linhas(std::vector<int> pontos, const char* unidade = "m")
{
    TVetor v;
    v.Unidade = unidade;
    v.IrParaInicio();
    int n = 0;
    for (std::size_t l = 0; l < pontos.size(); ++l)
        for (int i = 0; i < pontos[l]; ++i, ++n)
            v.GravarRegistro(static_cast<std::int16_t>(l + 1), 1000.5f + static_cast<float>(n),
                             100.0f - 20.25f * static_cast<float>(n), 700.0f + 5.0f * static_cast<float>(l));
    return v;
}

TEST(ImportExport, IdrisiVectorHoldsOneFeaturePerLineAndTwoZeros)
{
    TempDir dir;
    Linhas({4}).GravarVetor(dir / "um.vet");
    ExportarVetorIdrisi(dir / "um.vet", dir / "um.vec", "curvas");
    const std::string b = ReadBytes(dir / "um.vec");
    ASSERT_EQ(b.size(), 48u);
    EXPECT_EQ(LeF(b, 0), 700.0f);
    EXPECT_EQ(LeF(b, 4), 4.0f);
    EXPECT_EQ(LeF(b, 8), 1000.5f);
    EXPECT_EQ(LeF(b, 12), 100.0f);
    EXPECT_EQ(LeF(b, 32), 1003.5f);
    EXPECT_EQ(b.substr(40), std::string(8, '\0'));

    Linhas({2, 3, 1}).GravarVetor(dir / "tres.vet");
    ExportarVetorIdrisi(dir / "tres.vet", dir / "tres.vec", "");
    const std::string t = ReadBytes(dir / "tres.vec");
    ASSERT_EQ(t.size(), 3 * 8 + 6 * 8 + 8u);
    EXPECT_EQ(LeF(t, 4), 2.0f);
    EXPECT_EQ(LeF(t, 24 + 4), 3.0f);
    EXPECT_EQ(LeF(t, 24 + 32), 710.0f);
    TInfArqDocVet d;
    ASSERT_TRUE(d.LerDocumentacao((dir / "tres.dvc").string()));
    EXPECT_EQ(d.TipoObjeto, "line");
    EXPECT_EQ(d.UnidadeRef, "m");
    EXPECT_FLOAT_EQ(static_cast<float>(d.XMax), 1005.5f);
}

TEST(ImportExport, VectorsComeBackFromIdrisiAndSurferRecordForRecord)
{
    TempDir dir;
    TRespostas r;
    for (const char* unidade : {"m", "km"}) {
        TVetor orig = Linhas({2, 5, 1, 3}, unidade);
        orig.GravarVetor(dir / "orig.vet");
        const std::string bytesOrig = ReadBytes(dir / "orig.vet");

        ExportarVetorIdrisi(dir / "orig.vet", dir / "exp.vec", "");
        ImportarVetorIdrisi(dir / "exp.vec", dir / "volta.vet", "");
        EXPECT_EQ(ReadBytes(dir / "volta.vet").substr(511), bytesOrig.substr(511)) << unidade;
        TVetor v;
        ASSERT_TRUE(v.CarregarVetor(dir / "volta.vet"));
        EXPECT_EQ(v.Unidade, unidade);

        ExportarVetorSurfer(dir / "orig.vet", dir / "exp.txt");
        r.unidade = unidade;
        ImportarVetorSurfer(dir / "exp.txt", dir / "volta.vet", "", r);
        EXPECT_EQ(ReadBytes(dir / "volta.vet").substr(511), bytesOrig.substr(511)) << unidade;
    }
    const std::string txt = ReadBytes(dir / "exp.txt");
    EXPECT_EQ(txt.substr(0, 13), "\"X\" \"Y\" \"Z\"\r\n");
    EXPECT_EQ(txt.substr(13, 71), NumeroCientifico(1000.5) + NumeroCientifico(100) + NumeroCientifico(700) + "\r\n");
}

TEST(ImportExport, SurferPointListStartsALineAtEveryChangeOfZ)
{
    TempDir dir;
    TRespostas r;
    WriteBytes(dir / "a.txt", "X Y Z\n"
                              "1 2 10 comentário\n"
                              "3 4 10\n"
                              "\n"
                              "5,5 6,5 20\n"
                              "7.5,8,20\n"
                              "9\t10\t10\n");
    ImportarVetorSurfer(dir / "a.txt", dir / "a.vet", "pontos", r);
    TVetor v;
    ASSERT_TRUE(v.CarregarVetor(dir / "a.vet"));
    std::vector<int> linhas;
    std::vector<float> xs;
    TRegistroVetor reg;
    while (v.LerRegistro(reg)) {
        linhas.push_back(reg.NumLinha);
        xs.push_back(reg.X);
    }
    EXPECT_EQ(linhas, (std::vector<int>{1, 1, 2, 2, 3}));
    EXPECT_EQ(xs, (std::vector<float>{1, 3, 5.5f, 7.5f, 9}));
    EXPECT_EQ(v.Titulo, "pontos");

    WriteBytes(dir / "b.txt", "X Y Z\n1 2 3\n4 cinco 6\n");
    EXPECT_NE(Mensagem([&] { ImportarVetorSurfer(dir / "b.txt", dir / "b.vet", "", r); }).find("Linha 3"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "b.vet"));
}

TEST(ImportExport, IdrisiVectorFeaturesAreReadToTheTwoZerosAndCheckedForLength)
{
    TempDir dir;
    TInfArqDocVet d;
    d.IniciarDocumentacao((dir / "a.dvc").string());
    d.GravarDocumentacao();
    const auto f = [](std::initializer_list<float> v) {
        std::string s;
        for (float x : v) {
            std::string c(4, '\0');
            PoeF(c, 0, x);
            s += c;
        }
        return s;
    };
    // A feature whose identifier is 0 is a feature like any other.
    WriteBytes(dir / "a.vec", f({0, 2, 1, 1, 2, 2, 5, 1, 3, 3, 0, 0}) + "lixo depois do fim");
    ImportarVetorIdrisi(dir / "a.vec", dir / "a.vet", "");
    TVetor v;
    ASSERT_TRUE(v.CarregarVetor(dir / "a.vet"));
    ASSERT_EQ(v.NumRegistros(), 3);
    v.IrParaRegistro(2);
    const TRegistroVetor ultimo = v.LerProximo();
    EXPECT_EQ(ultimo.NumLinha, 2);
    EXPECT_EQ(ultimo.Z, 5.0f);

    for (const std::string& ruim : {f({7, 3, 1, 1, 2, 2}), f({7, 1e9f, 1, 1}), f({7, -1, 0, 0}),
                                    f({7, 1, 1, 1}) + "xx"}) {
        EXPECT_NE(Mensagem([&] {
                      WriteBytes(dir / "a.vec", ruim);
                      ImportarVetorIdrisi(dir / "a.vec", dir / "b.vet", "");
                  }).find("inválido"),
                  std::string::npos);
        EXPECT_FALSE(fs::exists(dir / "b.vet"));
    }
}

TEST(ImportExport, CommonFrameChecksInputAndOutputFirst)
{
    TempDir dir;
    TRespostas r;
    try {
        Converter(TModoConversao::Importacao, TFormatoExterno::Surfer, TTipoDadoGis::Raster, dir / "nada.grd",
                  dir / "a.ras", "", r);
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgEntradaInvalida);
        EXPECT_EQ(e.Campo, TCampoGis::Entrada);
    }
    WriteBytes(dir / "a.grd", "DSAA\n1 1\n0 1\n0 1\n3 3\n3\n");
    try {
        Converter(TModoConversao::Importacao, TFormatoExterno::Surfer, TTipoDadoGis::Raster, dir / "a.grd", "", "",
                  r);
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgSaidaInvalida);
        EXPECT_EQ(e.Campo, TCampoGis::Saida);
    }
    EXPECT_EQ(Converter(TModoConversao::Importacao, TFormatoExterno::Surfer, TTipoDadoGis::Raster, dir / "a.grd",
                        dir / "a.ras", "", r),
              kMsgImportacaoConcluida);
    EXPECT_EQ(Converter(TModoConversao::Exportacao, TFormatoExterno::Idrisi, TTipoDadoGis::Raster, dir / "a.ras",
                        dir / "a.img", "", r),
              kMsgExportacaoConcluida);
    EXPECT_TRUE(fs::exists(dir / "a.doc"));

    EXPECT_EQ(TituloPadraoConversao(TModoConversao::Importacao, TFormatoExterno::Surfer, TTipoDadoGis::Raster,
                                    dir / "a.grd"),
              "Arquivo gerado da importação do arquivo a.grd");
    EXPECT_EQ(TituloPadraoConversao(TModoConversao::Exportacao, TFormatoExterno::Idrisi, TTipoDadoGis::Vetor,
                                    dir / "a.vet"),
              "Arquivo gerado da exportação do arquivo a.vet");
    EXPECT_FALSE(TituloPadraoConversao(TModoConversao::Exportacao, TFormatoExterno::Surfer, TTipoDadoGis::Raster,
                                       dir / "a.ras"));
    WriteBytes(dir / "bin.grd", "DSBB\x02\x00");
    EXPECT_EQ(Mensagem([&] { VerificarGradeSurfer(dir / "bin.grd"); }), kMsgNaoAscii);
    VerificarGradeSurfer(dir / "a.grd");
}

} // namespace
} // namespace vastrel::gis
