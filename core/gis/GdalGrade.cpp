#include "gis/GdalGrade.h"

#include "gis/GdalInterno.h"

#include <cmath>

namespace vastrel::gis {

TBandasGrade LerBandasGrade(const std::filesystem::path& arquivo)
{
    gdal::TSilencioGdal silencio;
    const gdal::TDataset ds = gdal::Abrir(arquivo, GDAL_OF_RASTER, "O GDAL não reconhece como raster a grade");
    double gt[6] = {};
    if (ds->GetGeoTransform(gt) != CE_None || gt[2] != 0 || gt[4] != 0)
        throw EArquivoGis("A grade " + arquivo.string() + " não tem georreferência norte-acima.");
    TBandasGrade g;
    g.Colunas = ds->GetRasterXSize();
    g.Linhas = ds->GetRasterYSize();
    g.X0 = gt[0];
    g.Dx = gt[1];
    g.Y0 = gt[3];
    g.Dy = gt[5];
    const std::size_t n = static_cast<std::size_t>(g.Colunas) * static_cast<std::size_t>(g.Linhas);
    for (int b = 1; b <= ds->GetRasterCount(); ++b) {
        GDALRasterBand* banda = ds->GetRasterBand(b);
        std::vector<float> v(n);
        if (banda->RasterIO(GF_Read, 0, 0, g.Colunas, g.Linhas, v.data(), g.Colunas, g.Linhas, GDT_Float32, 0, 0) !=
            CE_None)
            throw EArquivoGis("Não foi possível ler a grade " + arquivo.string() + gdal::TSilencioGdal::Motivo());
        int temNada = 0;
        const double nada = banda->GetNoDataValue(&temNada);
        if (temNada)
            for (float& f : v)
                if (f == static_cast<float>(nada))
                    f = NAN;
        g.Bandas.push_back(std::move(v));
    }
    return g;
}

} // namespace vastrel::gis
