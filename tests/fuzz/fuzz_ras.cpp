// The raster file (".ras"), through every reader of the system: the whole
// file in memory, the file stream, the location's elevation matrix. A
// raster that loads saves and loads back the same, and its export to a
// Surfer grid or an IDRISI image imports back to the same cells.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/FileRaster.h"
#include "gis/MemoryRaster.h"
#include "location/Pixel.h"

#include <cmath>
#include <vector>

using namespace vastrel;
using namespace vastrel::gis;

namespace {

std::vector<float> Celulas(const TMemoryRaster& r)
{
    std::vector<float> todas(static_cast<std::size_t>(r.NumCelulas()));
    for (std::int32_t l = 0; l < r.Linhas; ++l)
        r.LerLinhaComoReal(l, todas.data() + static_cast<std::size_t>(l) * static_cast<std::size_t>(r.Colunas));
    return todas;
}

// Bounds kept exactly, or (IDRISI, whose documentation holds them in fixed
// point with 8 decimals) to the 8th decimal and the float's precision.
bool MesmoLimite(float a, float b, bool oitoDecimais)
{
    if (fuzz::MesmoFloat(a, b))
        return true;
    return oitoDecimais && std::abs(static_cast<double>(a) - b) <= 5e-9 + 1.2e-7 * std::abs(static_cast<double>(a));
}

void MesmaGrade(const TMemoryRaster& a, const TMemoryRaster& b, bool grandesViramZero, const char* caminho,
                bool oitoDecimais = false)
{
    if (a.Colunas != b.Colunas || a.Linhas != b.Linhas || !MesmoLimite(a.XMin, b.XMin, oitoDecimais) ||
        !MesmoLimite(a.XMax, b.XMax, oitoDecimais) || !MesmoLimite(a.YMin, b.YMin, oitoDecimais) ||
        !MesmoLimite(a.YMax, b.YMax, oitoDecimais))
        fuzz::Falhou(std::string(caminho) + ": dimensões ou limites mudaram");
    const auto ca = Celulas(a), cb = Celulas(b);
    for (std::size_t i = 0; i < ca.size(); ++i) {
        const float esperado = grandesViramZero && ca[i] > kMaiorValorSurfer ? 0.0f : ca[i];
        if (!fuzz::MesmoFloat(esperado, cb[i]))
            fuzz::Falhou(std::string(caminho) + ": a célula " + std::to_string(i) + " mudou");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto entrada = fuzz::Arquivo("entrada.ras", dados, n);

    try {
        TMatrixSingle matriz;
        matriz.Carregar(entrada);
    } catch (const Exception&) {
    }
    try {
        TFileRaster arquivo;
        if (arquivo.AbrirRaster(entrada) && arquivo.TipoCelula == 'R') {
            std::vector<float> linha(static_cast<std::size_t>(arquivo.Colunas));
            for (std::int32_t l = 0; l < arquivo.Linhas; ++l)
                arquivo.LerCelulasReais(static_cast<std::int64_t>(l) * arquivo.Colunas, arquivo.Colunas, linha.data());
        }
    } catch (const Exception&) {
    }

    TMemoryRaster r;
    try {
        if (!r.CarregarRaster(entrada))
            return 0;
    } catch (const Exception&) {
        return 0;
    }

    // Saved and loaded back: the same header and cells.
    const auto copia = fuzz::Saida("copia.ras");
    r.GravarRaster(copia);
    const TMemoryRaster relido = fuzz::RasterGravado(copia, "gravar e reler");
    MesmaGrade(r, relido, false, "gravar e reler");
    if (relido.Titulo != r.Titulo || relido.Unidade != r.Unidade || relido.TipoCelula != r.TipoCelula)
        fuzz::Falhou("gravar e reler: título, unidade ou tipo mudaram");

    // Exported and imported back.
    fuzz::TPerguntasFixas perguntas;
    if (r.TipoCelula == 'R' && MetrosPorUnidade(r.Unidade) == 1.0) {
        const auto grd = fuzz::Saida("saida.grd");
        const auto volta = fuzz::Saida("surfer.ras");
        bool exportou = false;
        try {
            ExportarRasterSurfer(entrada, grd);
            exportou = true;
            ImportarRasterSurfer(grd, volta, "t", perguntas);
        } catch (const Exception& e) {
            if (exportou)
                fuzz::Falhou(std::string("a grade Surfer exportada não se importa: ") + e.what());
        }
        if (exportou) {
            MesmaGrade(r, fuzz::RasterGravado(volta, "Surfer"), true, "Surfer");
        }
    }
    if ((r.TipoCelula == 'R' || r.TipoCelula == 'I') && MetrosPorUnidade(r.Unidade) != 0) {
        const auto img = fuzz::Saida("saida.img");
        fuzz::Saida("saida.doc");
        const auto volta = fuzz::Saida("idrisi.ras");
        bool exportou = false;
        try {
            ExportarRasterIdrisi(entrada, img, "t");
            exportou = true;
            ImportarRasterIdrisi(img, volta, "t");
        } catch (const Exception& e) {
            if (exportou)
                fuzz::Falhou(std::string("a imagem IDRISI exportada não se importa: ") + e.what());
        }
        if (exportou) {
            MesmaGrade(r, fuzz::RasterGravado(volta, "IDRISI"), false, "IDRISI", true);
        }
    }
    return 0;
}
