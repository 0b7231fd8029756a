// The vector file (".vet"), through the GIS reader and the location's: any
// bytes load or are refused with the system's message; a vector that loads
// gives each of its lines back, and its export to IDRISI or Surfer imports
// back to the same points.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/Vetor.h"
#include "location/Lista.h"

#include <vector>

using namespace vastrel;

namespace {

std::vector<gis::TRegistroVetor> Registros(gis::TVetor& v)
{
    std::vector<gis::TRegistroVetor> r;
    v.IrParaInicio();
    gis::TRegistroVetor x;
    while (v.LerRegistro(x))
        r.push_back(x);
    return r;
}

// IDRISI keeps one identifier per feature: every point of a run of records
// with the same line number takes the Z of the run's first point.
std::vector<gis::TRegistroVetor> UmZPorLinha(std::vector<gis::TRegistroVetor> r)
{
    for (std::size_t i = 1; i < r.size(); ++i)
        if (r[i].NumLinha == r[i - 1].NumLinha)
            r[i].Z = r[i - 1].Z;
    return r;
}

// The same points, X, Y and Z, in the same order.
void MesmosPontos(const std::vector<gis::TRegistroVetor>& a, const std::filesystem::path& p, const char* caminho)
{
    gis::TVetor v = fuzz::VetorGravado(p, caminho);
    const auto b = Registros(v);
    if (a.size() != b.size())
        fuzz::Falhou(std::string(caminho) + ": o número de pontos mudou");
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!fuzz::MesmoFloat(a[i].X, b[i].X) || !fuzz::MesmoFloat(a[i].Y, b[i].Y) || !fuzz::MesmoFloat(a[i].Z, b[i].Z))
            fuzz::Falhou(std::string(caminho) + ": o ponto " + std::to_string(i) + " mudou");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto entrada = fuzz::Arquivo("entrada.vet", dados, n);

    TVET vet;
    if (vet.CarregarVetor(entrada)) {
        const std::int64_t registros = vet.NumRegistros();
        std::int64_t achados = 0;
        for (std::int32_t numero = -2; numero <= 40; ++numero)
            if (const auto linha = vet.ObterLinha(numero)) {
                achados += linha->Quantidade();
                (void)vet.ComprimentoLinha(numero);
            }
        if (achados > registros)
            fuzz::Falhou("as linhas somam mais pontos que o arquivo");
    }

    gis::TVetor v;
    try {
        if (!v.CarregarVetor(entrada))
            return 0;
    } catch (const Exception&) {
        return 0;
    }
    const auto registros = Registros(v);

    const struct {
        const char* nome;
        const char* saida;
        bool idrisi;
    } caminhos[] = {{"IDRISI", "saida.vec", true}, {"Surfer", "saida.txt", false}};
    for (const auto& c : caminhos) {
        const auto saida = fuzz::Saida(c.saida);
        fuzz::Saida("saida.dvc");
        const auto volta = fuzz::Saida("volta.vet");
        bool exportou = false;
        try {
            fuzz::TPerguntasFixas perguntas;
            if (c.idrisi) {
                gis::ExportarVetorIdrisi(entrada, saida, "t");
                exportou = true;
                gis::ImportarVetorIdrisi(saida, volta, "t");
            } else {
                gis::ExportarVetorSurfer(entrada, saida);
                exportou = true;
                gis::ImportarVetorSurfer(saida, volta, "t", perguntas);
            }
        } catch (const Exception& e) {
            if (exportou)
                fuzz::Falhou(std::string(c.nome) + ": o vetor exportado não se importa: " + e.what());
            continue;
        }
        MesmosPontos(c.idrisi ? UmZPorLinha(registros) : registros, volta, c.nome);
    }
    return 0;
}
