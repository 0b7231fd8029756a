#include "engine/Hidrograma.h"

#include "common/CheckedMath.h"

namespace vastrel {

void THidrograma::Adicionar(double vazao, double tempo)
{
    Pontos.push_back(TPonto{tempo, vazao});
}

void THidrograma::Limpar()
{
    Pontos.clear();
    Pontos.shrink_to_fit();
}

double THidrograma::ValorEm(double t) const
{
    // Outside the open interval of the series there is no discharge.
    if (Pontos.empty() || t >= Pontos.back().Tempo || t <= Pontos.front().Tempo)
        return 0.0;

    // Bisection over the indices: on leaving, Tempo[lo] < t <= Tempo[hi]
    // and hi = lo + 1.
    std::size_t lo = 0;
    std::size_t hi = Pontos.size() - 1;
    std::size_t mid = 0;
    do {
        mid = (lo + hi) / 2;
        if (Pontos[mid].Tempo < t)
            lo = mid;
        else
            hi = mid;
    } while (hi - lo != 1);

    // A point met exactly gives its own discharge; otherwise interpolate.
    if (Pontos[mid].Tempo == t)
        return Pontos[mid].Vazao;
    const TPonto& p0 = Pontos[lo];
    const TPonto& p1 = Pontos[hi];
    return p0.Vazao + (p1.Vazao - p0.Vazao) * cm::Div(t - p0.Tempo, p1.Tempo - p0.Tempo);
}

void THidrograma::SuavizarRecessao()
{
    // Find the rise point k: the first rise after the discharge has begun
    // to fall.
    const std::size_t n = Pontos.size();
    bool caindo = false;
    std::size_t k = 0;
    for (std::size_t i = 1; i < n && k == 0; ++i) {
        if (!caindo)
            caindo = Pontos[i].Vazao < Pontos[i - 1].Vazao;
        else if (Pontos[i].Vazao > Pontos[i - 1].Vazao)
            k = i;
    }
    if (k == 0)
        return;

    // Straight line from point k − 1 to zero discharge at the last time; the
    // last point keeps its own discharge.
    const double tFinal = Pontos[n - 1].Tempo;
    const double declive = cm::Div(Pontos[k - 1].Vazao, tFinal - Pontos[k - 1].Tempo);
    for (std::size_t j = k; j + 1 < n; ++j)
        Pontos[j].Vazao = (tFinal - Pontos[j].Tempo) * declive;
}

} // namespace vastrel
