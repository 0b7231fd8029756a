// The IDRISI vector pair, documentation (".dvc") and features (".vec"):
// any pair imports or is refused with the system's message; an imported
// vector reads back and holds no more points than the features announce.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/InfArqDoc.h"
#include "gis/Vetor.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto partes = fuzz::DuasPartes(dados, n);
    const auto dvc = fuzz::Arquivo("entrada.dvc", partes.primeira);
    const auto vec = fuzz::Arquivo("entrada.vec", partes.segunda);
    const auto vet = fuzz::Saida("saida.vet");

    try {
        gis::TInfArqDocVet lido;
        lido.LerDocumentacao(dvc.string());
    } catch (const Exception&) {
    }
    if (!fuzz::Converteu(vet, [&] { gis::ImportarVetorIdrisi(vec, vet, "t"); }))
        return 0;
    const gis::TVetor v = fuzz::VetorGravado(vet, "IDRISI");
    if (static_cast<std::size_t>(v.NumRegistros()) * 8 > partes.segunda.size())
        fuzz::Falhou("o vetor importado tem mais pontos que o arquivo de feições");
    return 0;
}
