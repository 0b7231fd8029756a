// The IDRISI raster pair, documentation (".doc") and cells (".img"): any
// pair imports or is refused with the system's message, and an imported
// raster reads back with the dimensions and cells of the pair.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/InfArqDoc.h"
#include "gis/MemoryRaster.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto partes = fuzz::DuasPartes(dados, n);
    const auto doc = fuzz::Arquivo("entrada.doc", partes.primeira);
    const auto img = fuzz::Arquivo("entrada.img", partes.segunda);
    const auto ras = fuzz::Saida("saida.ras");

    gis::TInfArqDoc lido;
    try {
        lido.LerDocumentacao(doc.string());
    } catch (const Exception&) {
    }
    if (!fuzz::Converteu(ras, [&] { gis::ImportarRasterIdrisi(img, ras, "t"); }))
        return 0;
    const gis::TMemoryRaster r = fuzz::RasterGravado(ras, "IDRISI");
    if (r.Colunas != lido.Colunas || r.Linhas != lido.Linhas)
        fuzz::Falhou("o raster importado não tem as dimensões da documentação");
    const std::size_t inicio = gis::InicioCelulas(r.TipoCelula);
    if (r.Buffer().size() - inicio != partes.segunda.size() ||
        !std::equal(partes.segunda.begin(), partes.segunda.end(), r.Buffer().begin() + static_cast<std::ptrdiff_t>(inicio),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
        fuzz::Falhou("as células importadas não são as do arquivo de dados");
    return 0;
}
