// The Surfer point list (".txt"): any text imports or is refused with the
// system's message; an imported list reads back, its lines numbered 1, 2,
// 3 ... in file order, a new line at every change of Z.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/Vetor.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto txt = fuzz::Arquivo("entrada.txt", dados, n);
    const auto vet = fuzz::Saida("saida.vet");
    fuzz::TPerguntasFixas perguntas;
    if (!fuzz::Converteu(vet, [&] { gis::ImportarVetorSurfer(txt, vet, "t", perguntas); }))
        return 0;
    gis::TVetor v = fuzz::VetorGravado(vet, "Surfer");
    gis::TRegistroVetor r, anterior;
    bool primeiro = true;
    while (v.LerRegistro(r)) {
        const int esperado = primeiro ? 1 : anterior.NumLinha + (r.Z != anterior.Z ? 1 : 0);
        if (r.NumLinha != esperado)
            fuzz::Falhou("linhas do vetor importado fora de ordem");
        anterior = r;
        primeiro = false;
    }
    return 0;
}
