#include "gis/Declividade.h"
#include "gis/Filtro.h"

#include "GisTeste.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace vastrel::gis {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using namespace test::gis;

TRasTeste Imagem(std::int32_t colunas, std::int32_t linhas, std::vector<float> celulas, char tipo = 'R')
{
    TRasTeste t;
    t.tipo = tipo;
    t.colunas = colunas;
    t.linhas = linhas;
    t.xmin = 500;
    t.xmax = 500 + 10.0f * static_cast<float>(colunas);
    t.ymin = 7000;
    t.ymax = 7000 + 10.0f * static_cast<float>(linhas);
    t.unidade = "m";
    t.celulas = std::move(celulas);
    return t;
}

std::vector<float> Filtrada(const TempDir& dir, const TRasTeste& t, int passadas = 1)
{
    GravarRas(dir / "ent.ras", t);
    FiltrarImagem(dir / "ent.ras", dir / "sai.ras", "filtrada", passadas);
    return CelulasReais(dir / "sai.ras");
}

// Points the system's temporary folder at a folder of the test's own for its
// lifetime, so that filters run by other tests at the same time are not counted.
class TPastaTemporariaPropria {
public:
    explicit TPastaTemporariaPropria(const fs::path& pasta)
    {
        if (const char* v = std::getenv("TMPDIR"))
            anterior_ = v;
        fs::create_directories(pasta);
        setenv("TMPDIR", pasta.c_str(), 1);
    }
    ~TPastaTemporariaPropria()
    {
        if (anterior_)
            setenv("TMPDIR", anterior_->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    TPastaTemporariaPropria(const TPastaTemporariaPropria&) = delete;
    TPastaTemporariaPropria& operator=(const TPastaTemporariaPropria&) = delete;

private:
    std::optional<std::string> anterior_;
};

// The temporary copies of the filter in the system's temporary folder.
std::size_t CopiasTemporarias()
{
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(fs::temp_directory_path()))
        n += e.path().filename().string().rfind("vastrel-filtro-", 0) == 0;
    return n;
}

TEST(Filtro, MeanOfTheNonzeroCellsOfTheWindow)
{
    TempDir dir;
    const auto f = Filtrada(dir, Imagem(3, 3, {1, 1, 1, 1, 9, 1, 1, 1, 1}));
    const float canto = 3, borda = 14.0f / 6, centro = 17.0f / 9;
    const std::vector<float> esperado{canto, borda, canto, borda, centro, borda, canto, borda, canto};
    ASSERT_EQ(f.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_FLOAT_EQ(f[i], esperado[i]) << i;

    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(dir / "sai.ras"));
    EXPECT_EQ(r.TipoCelula, 'R');
    EXPECT_EQ(r.Titulo, "filtrada");
    EXPECT_EQ(r.XMin, 500.0f);
    EXPECT_EQ(r.YMax, 7030.0f);
    EXPECT_EQ(r.Unidade, "m");
    EXPECT_FLOAT_EQ(r.ValorMin, centro);
    EXPECT_FLOAT_EQ(r.ValorMax, canto);
}

TEST(Filtro, CellsWithoutDataAreNeitherFilledNorCounted)
{
    TempDir dir;
    const auto f = Filtrada(dir, Imagem(4, 3, {0, 0, 0, 0,  //
                                               0, 8, 0, 6,  //
                                               0, 0, 0, 3}));
    EXPECT_EQ(f[5], 8.0f);        // alone: keeps its value
    EXPECT_EQ(f[0], 0.0f);        // without data: stays so
    EXPECT_EQ(f[6], 0.0f);
    EXPECT_FLOAT_EQ(f[7], 4.5f);  // (6 + 3) / 2
    EXPECT_FLOAT_EQ(f[11], 4.5f);
    // The header's extremes are those of the cells with data: an elevation
    // raster would otherwise read and draw from 0.
    TMemoryRaster r;
    ASSERT_TRUE(r.CarregarRaster(dir / "sai.ras"));
    EXPECT_FLOAT_EQ(r.ValorMin, 4.5f);
    EXPECT_FLOAT_EQ(r.ValorMax, 8.0f);
}

TEST(Filtro, ImagesOfOneRowOrColumnAverageAlongTheirLength)
{
    TempDir dir;
    EXPECT_EQ(Filtrada(dir, Imagem(3, 1, {1, 2, 3})), (std::vector<float>{1.5f, 2, 2.5f}));
    EXPECT_EQ(Filtrada(dir, Imagem(1, 3, {2, 4, 9})), (std::vector<float>{3, 5, 6.5f}));
    EXPECT_EQ(Filtrada(dir, Imagem(1, 1, {7})), (std::vector<float>{7}));
}

TEST(Filtro, TwoPassesOverAnIntegerImageEqualOnePassOverTheFirstResult)
{
    TempDir dir;
    std::vector<float> c;
    for (int i = 0; i < 7 * 5; ++i)
        c.push_back(static_cast<float>((i * 37) % 23 == 0 ? 0 : 100 + (i * 37) % 23));
    const auto duas = Filtrada(dir, Imagem(7, 5, c, 'I'), 2);
    Filtrada(dir, Imagem(7, 5, c, 'I'), 1);
    fs::copy_file(dir / "sai.ras", dir / "primeira.ras");
    FiltrarImagem(dir / "primeira.ras", dir / "segunda.ras", "", 1);
    EXPECT_EQ(duas, CelulasReais(dir / "segunda.ras"));
}

TEST(Filtro, OutputMayReplaceTheInputAndNoTemporaryCopyRemains)
{
    TempDir dir;
    const TPastaTemporariaPropria tmp(dir / "tmp");
    const auto antes = CopiasTemporarias();
    GravarRas(dir / "img.ras", Imagem(3, 1, {1, 2, 3}));
    FiltrarImagem(dir / "img.ras", dir / "img.ras", "", 3);
    EXPECT_EQ(CelulasReais(dir / "img.ras"), (std::vector<float>{1.875f, 2, 2.125f}));
    EXPECT_EQ(CopiasTemporarias(), antes);
    EXPECT_FALSE(fs::exists(fs::current_path() / "Qualquer nome"));

    // Stopped in the second pass: no output, no temporary copy.
    std::atomic<bool> parar{false};
    TProgressoGis p;
    p.Parar = &parar;
    p.Progresso = [&](double, const std::string& etapa) {
        if (etapa == "Processando filtro número 2")
            parar = true;
    };
    EXPECT_THROW(FiltrarImagem(dir / "img.ras", dir / "outra.ras", "", 3, p), EProcessoInterrompido);
    EXPECT_FALSE(fs::exists(dir / "outra.ras"));
    EXPECT_EQ(CopiasTemporarias(), antes);
}

TEST(Filtro, PassCountsAndByteImagesAreRefused)
{
    TempDir dir;
    GravarRas(dir / "img.ras", Imagem(2, 2, {1, 2, 3, 4}));
    EXPECT_THROW(FiltrarImagem(dir / "img.ras", dir / "sai.ras", "", 0), EEscolhaGis);
    EXPECT_THROW(FiltrarImagem(dir / "img.ras", dir / "sai.ras", "", 51), EEscolhaGis);
    GravarRas(dir / "byte.ras", Imagem(2, 2, {1, 2, 3, 4}, 'B'));
    try {
        FiltrarImagem(dir / "byte.ras", dir / "sai.ras", "", 1);
        ADD_FAILURE();
    } catch (const EEscolhaGis& e) {
        EXPECT_STREQ(e.what(), kMsgTipoByte);
    }
    EXPECT_FALSE(fs::exists(dir / "sai.ras"));
}

TEST(Filtro, WindowKernelsSeeTheirNeighboursByName)
{
    // A window named cell by cell: the mean counts only nonzero cells and
    // the slope takes the steepest drop, lateral, vertical or diagonal.
    const TJanela3x3 j{0, 4, 0,  //
                       2, 3, 0,  //
                       0, 0, 9};
    EXPECT_FLOAT_EQ(MediaFiltro(j), 18.0f / 4);
    const TEspacamentoGrade g{10, 10, std::sqrt(200.0f)};
    EXPECT_FLOAT_EQ(DeclividadeCelula(j, g), 6 / std::sqrt(200.0f));
    EXPECT_EQ(MediaFiltro(TJanela3x3{1, 1, 1, 1, 0, 1, 1, 1, 1}), 0.0f);
}

} // namespace
} // namespace vastrel::gis
