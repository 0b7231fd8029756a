// The storm of a place: a station's own equation, the interpolation of the
// storms of the stations around, or the gridded equation.

#include "rainfall/BDPrecipitacao.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "common/Pastas.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/EquacaoIdf.h"
#include "rainfall/Fontes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vastrel {

namespace fs = std::filesystem;

namespace {

constexpr double kRaioTerraKm = 6371.0;
constexpr double kPesoMinimoListado = 0.005;

// Great-circle distance between two points in decimal degrees (haversine).
double DistanciaKm(double lat1, double lon1, double lat2, double lon2)
{
    constexpr double r = std::numbers::pi / 180;
    const double dLat = (lat2 - lat1) * r, dLon = (lon2 - lon1) * r;
    const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                     std::cos(lat1 * r) * std::cos(lat2 * r) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kRaioTerraKm * std::asin(std::min(1.0, std::sqrt(h)));
}

bool EstadoDaInterpolacao(int estado)
{
    return std::find(kEstadosInterpolacao.begin(), kEstadosInterpolacao.end(), estado) != kEstadosInterpolacao.end();
}

// A station whose equation may stand for a place: no warning.
bool Utilizavel(const TRegEstacao& e) { return AvisoEquacao(e).empty(); }

struct TCandidata {
    TEstacaoUsada Uso;
    const TRegEstacao* Registro;
    double Peso; // raw weight
};

std::string Km(double d) { return FormatFloat("0.0", d) + " km"; }

} // namespace

const TRegEstacao& TBDPrecipitacao::EstacaoUsada(const TEstacaoUsada& u) const
{
    return Estacoes.at(static_cast<std::size_t>(u.Estado)).at(static_cast<std::size_t>(u.Posicao));
}

fs::path TBDPrecipitacao::ArquivoGrade() const { return ResolverSemCaixa(pasta_, kArquivoGrade); }

void TBDPrecipitacao::CarregarGrade() { Grade.Carregar(ArquivoGrade()); }

TRegEstacao TBDPrecipitacao::Interpolar(std::string_view latitude, std::string_view longitude) const
{
    return InterpolarChuva(latitude, longitude).Registro;
}

TChuvaLocal TBDPrecipitacao::InterpolarChuva(std::string_view latitude, std::string_view longitude) const
{
    const double lat = CoordenadaParaGraus(latitude);
    const double lon = CoordenadaParaGraus(longitude);

    // A station at the very point gives its own published equation.
    for (int estado : kEstadosInterpolacao) {
        const auto& lista = Estacoes[static_cast<std::size_t>(estado)];
        for (std::size_t i = 0; i < lista.size(); ++i) {
            const TRegEstacao& e = lista[i];
            if ((e.Latitude == latitude && e.Longitude == longitude) ||
                (CoordenadaParaGraus(e.Latitude) == lat && CoordenadaParaGraus(e.Longitude) == lon)) {
                TChuvaLocal r;
                r.Registro = e;
                r.Origem = TOrigemChuva::Estacao;
                r.Estacoes = {{estado, static_cast<int>(i), 0.0, 1.0}};
                r.DistanciaKm = 0;
                r.Aviso = AvisoEquacao(e);
                return r;
            }
        }
    }

    // Inverse-distance weights with exponent 5: w = 1 / d^5, d the distance
    // in degrees of latitude and longitude.
    std::vector<TCandidata> candidatas;
    double somaPesos = 0;
    double maisProxima = -1;
    for (int estado : kEstadosInterpolacao) {
        const auto& lista = Estacoes[static_cast<std::size_t>(estado)];
        for (std::size_t i = 0; i < lista.size(); ++i) {
            const TRegEstacao& e = lista[i];
            if (!Utilizavel(e))
                continue;
            const double la = CoordenadaParaGraus(e.Latitude), lo = CoordenadaParaGraus(e.Longitude);
            const double dLat = la - lat, dLon = lo - lon;
            const double d2 = dLat * dLat + dLon * dLon;
            const double w = 1 / (d2 * d2 * std::sqrt(d2));
            const double km = DistanciaKm(lat, lon, la, lo);
            if (maisProxima < 0 || km < maisProxima)
                maisProxima = km;
            candidatas.push_back({{estado, static_cast<int>(i), km, 0.0}, &e, w});
            somaPesos += w;
        }
    }
    if (candidatas.empty() || !(somaPesos > 0) || !std::isfinite(somaPesos))
        throw Exception("Não há estações no banco de dados para a interpolação.");

    // The weighted mean of the stations' intensities over the table of
    // durations and return periods, then the equation through them.
    std::vector<TPontoIdf> pontos;
    for (double tr : TemposRetornoReferencia())
        for (double t : DuracoesReferencia()) {
            double soma = 0;
            for (const TCandidata& c : candidatas)
                soma += c.Peso * IntensidadeIdf(*c.Registro, tr, t);
            pontos.push_back({tr, t, soma / somaPesos});
        }
    const TAjusteIdf ajuste = AjustarIdf(pontos);

    TChuvaLocal r;
    r.Origem = TOrigemChuva::Interpolacao;
    r.Registro.K = ajuste.K;
    r.Registro.A = ajuste.A;
    r.Registro.B = ajuste.B;
    r.Registro.C = ajuste.C;
    r.Registro.Fonte = kFonteInterpolacao;
    r.Registro.Latitude = std::string(latitude);
    r.Registro.Longitude = std::string(longitude);
    r.ErroAjuste = ajuste.ErroMaximo;
    r.ErroMedio = ajuste.ErroMedio;
    r.DistanciaKm = maisProxima;
    for (TCandidata& c : candidatas)
        c.Uso.Peso = c.Peso / somaPesos;
    std::sort(candidatas.begin(), candidatas.end(),
              [](const TCandidata& a, const TCandidata& b) { return a.Uso.Peso > b.Uso.Peso; });
    for (const TCandidata& c : candidatas) {
        if (c.Uso.Peso >= kPesoMinimoListado)
            r.Estacoes.push_back(c.Uso);
        else
            r.PesoOutras += c.Uso.Peso;
    }
    r.Aviso = AvisoIntensidade(r.Registro.K, r.Registro.A, r.Registro.B, r.Registro.C);
    return r;
}

TChuvaLocal TBDPrecipitacao::ChuvaDaGrade(double latitude, double longitude, const std::string& nota) const
{
    if (!Grade.Carregada())
        throw Exception(nota + " A grade de equações GRIDF-BR (" + std::string(kArquivoGrade) +
                        ") não está instalada: não há equação para o ponto.");
    const std::optional<TEquacaoGrade> g = Grade.Equacao(latitude, longitude);
    if (!g)
        throw Exception(nota + " O ponto está fora da grade GRIDF-BR: não há equação para ele.");
    TChuvaLocal r;
    r.Origem = TOrigemChuva::Grade;
    r.Registro.K = g->K;
    r.Registro.A = g->A;
    r.Registro.B = g->B;
    r.Registro.C = g->C;
    r.Registro.Fonte = kFonteGrade;
    for (int estado = 0; estado < kNumEstados; ++estado)
        for (const TRegEstacao& e : Estacoes[static_cast<std::size_t>(estado)])
            if (Utilizavel(e)) {
                const double km = DistanciaKm(latitude, longitude, CoordenadaParaGraus(e.Latitude),
                                              CoordenadaParaGraus(e.Longitude));
                if (r.DistanciaKm < 0 || km < r.DistanciaKm)
                    r.DistanciaKm = km;
            }
    r.Nota = nota;
    if (g->Vizinha)
        r.Nota += (r.Nota.empty() ? "" : " ") + std::string("O ponto cai numa célula sem dados (mar): vale a "
                                                            "célula vizinha mais próxima.");
    r.Aviso = AvisoIntensidade(r.Registro.K, r.Registro.A, r.Registro.B, r.Registro.C);
    return r;
}

TChuvaLocal TBDPrecipitacao::ChuvaNoPonto(std::string_view latitude, std::string_view longitude, int estado) const
{
    TEstado e;
    e.SetIndice(estado);
    const double lat = CoordenadaParaGraus(latitude);
    const double lon = CoordenadaParaGraus(longitude);
    const auto comCoordenadas = [&](TChuvaLocal r) {
        r.Registro.Latitude = std::string(latitude);
        r.Registro.Longitude = std::string(longitude);
        return r;
    };

    // A station of the state at the very point: its own equation.
    const auto& lista = Estacoes[static_cast<std::size_t>(estado)];
    for (std::size_t i = 0; i < lista.size(); ++i)
        if (lista[i].Latitude == latitude && lista[i].Longitude == longitude) {
            TChuvaLocal r;
            r.Registro = lista[i];
            r.Estacoes = {{estado, static_cast<int>(i), 0.0, 1.0}};
            r.DistanciaKm = 0;
            r.Aviso = AvisoEquacao(lista[i]);
            return r;
        }

    if (EstadoDaInterpolacao(estado)) {
        TChuvaLocal r = InterpolarChuva(latitude, longitude);
        if (r.Origem == TOrigemChuva::Estacao || r.DistanciaKm <= kRaioEstacaoKm)
            return r;
        return comCoordenadas(ChuvaDaGrade(lat, lon,
                                           "Nenhuma estação a menos de " + Km(kRaioEstacaoKm) +
                                               " (a mais próxima está a " + Km(r.DistanciaKm) + ")."));
    }

    // Elsewhere the nearest station of the state itself, when near enough.
    int melhor = -1;
    double melhorKm = -1;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (!Utilizavel(lista[i]))
            continue;
        const double km = DistanciaKm(lat, lon, CoordenadaParaGraus(lista[i].Latitude),
                                      CoordenadaParaGraus(lista[i].Longitude));
        if (melhor < 0 || km < melhorKm) {
            melhor = static_cast<int>(i);
            melhorKm = km;
        }
    }
    if (melhor >= 0 && melhorKm <= kRaioEstacaoKm) {
        TChuvaLocal r;
        r.Registro = lista[static_cast<std::size_t>(melhor)];
        r.Estacoes = {{estado, melhor, melhorKm, 1.0}};
        r.DistanciaKm = melhorKm;
        r.Nota = "Equação da estação mais próxima do estado, a " + Km(melhorKm) + ".";
        return r;
    }
    const std::string nota =
        melhor < 0 ? "O estado não tem estação com equação utilizável."
                   : "Nenhuma estação do estado a menos de " + Km(kRaioEstacaoKm) + " (a mais próxima está a " +
                         Km(melhorKm) + ").";
    return comCoordenadas(ChuvaDaGrade(lat, lon, nota));
}

std::string TBDPrecipitacao::FonteCompleta(const TChuvaLocal& c) const
{
    std::string s;
    switch (c.Origem) {
    case TOrigemChuva::Estacao:
        s = TextoOrigem(c.Registro.Fonte, c.Registro.Origem);
        if (!c.Estacoes.empty() && c.Estacoes[0].DistanciaKm > 0)
            s += "; estação " + c.Registro.Nome + " a " + Km(c.Estacoes[0].DistanciaKm);
        break;
    case TOrigemChuva::Interpolacao: {
        s = "Interpolação das chuvas de " + std::to_string(c.Estacoes.size()) +
            (c.Estacoes.size() == 1 ? " estação" : " estações") + " (inverso da quinta potência da distância):";
        for (std::size_t i = 0; i < c.Estacoes.size(); ++i) {
            const TEstacaoUsada& u = c.Estacoes[i];
            const TRegEstacao& e = EstacaoUsada(u);
            s += std::string(i ? ";" : "") + " " + e.Nome + " (" + kEstados[static_cast<std::size_t>(u.Estado)].UF +
                 ", " + TextoOrigem(e.Fonte, e.Origem) + ") a " + Km(u.DistanciaKm) + ", peso " +
                 FormatFloat("0.0", 100 * u.Peso) + " %";
        }
        if (c.PesoOutras > 0)
            s += "; outras estações, peso " + FormatFloat("0.0", 100 * c.PesoOutras) + " %";
        s += "; erro do ajuste de K, a, b, c até " + FormatFloat("0.0", 100 * c.ErroAjuste) + " %";
        break;
    }
    case TOrigemChuva::Grade:
        s = std::string(kFonteGrade) + " (GRIDF-BR, Gomes Jr. et al.)";
        if (c.DistanciaKm >= 0)
            s += "; estação mais próxima a " + Km(c.DistanciaKm);
        break;
    }
    if (!c.Aviso.empty())
        s += ". Aviso: " + c.Aviso;
    return s;
}

int TBDPrecipitacao::EstadoDoPonto(double latitude, double longitude) const
{
    if (sedes_.empty()) {
        TBDPrecipitacao leitor(pasta_);
        for (int estado = 0; estado < kNumEstados; ++estado) {
            leitor.CarregarLocalidades(estado);
            for (const TRegLocalidade& l : leitor.Localidades)
                sedes_.push_back({CoordenadaParaGraus(l.Latitude), CoordenadaParaGraus(l.Longitude), estado});
        }
    }
    int melhor = -1;
    double melhorKm = 0;
    for (const TSede& s : sedes_) {
        const double km = DistanciaKm(latitude, longitude, s.Latitude, s.Longitude);
        if (melhor < 0 || km < melhorKm) {
            melhor = s.Estado;
            melhorKm = km;
        }
    }
    if (melhor < 0)
        throw Exception("O banco de dados não tem localidades para situar o ponto num estado.");
    return melhor;
}

} // namespace vastrel
