#pragma once
// A storm of constant mean intensity for tests of the terrain and channel
// computations: the runoff depth it yields is set by hand instead of through
// an IDF equation. Not an IDF storm, so the terrain takes its generic branch.

#include "engine/Precipitacao.h"

namespace vastrel::test {

class TChuvaFixa : public TPrecipitacao {
public:
    double Intensidade = 0;  // constant mean and instantaneous intensity, mm/h
    double TempoFinal = 0;   // what TempoDaIntensidade returns, min

    void DesenharHietograma(std::vector<TPontoSerie>& serie) override { serie.clear(); }
    double IntensidadeInstantanea(double) override { return Intensidade; }
    double IntensidadeMedia(double) override { return Intensidade; }
    double TempoDaIntensidade(double) override { return TempoFinal; }
    double TempoDaLamina(double p) override { return 60 * p / Intensidade; }
    double LaminaPrecipitada(double t) override { return Intensidade * t / 60; }
    double LaminaEntre(double t2, double t1) override { return Intensidade * (t2 - t1) / 60; }
};

} // namespace vastrel::test
