#include "engine/EncostaCinematica.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "common/CheckedMath.h"
#include "common/Exceptions.h"
#include "common/Rounding.h"
#include "common/UiHooks.h"
#include "engine/MalhaCinematica.h"
#include "engine/Precipitacao.h"

namespace vastrel {

namespace {

const char* const kMsgComprimentoNegativo =
    "O Item do comprimento da encosta não pode ser menor ou igual a zero.";
const char* const kMsgSemEscoamento =
    "Para as condições especificadas, não há ocorrência de escoamento.";
const char* const kMsgSemConvergencia =
    "Não houve convergência quando calculando o tempo final do escoamento.\n"
    "Favor entrar em contato com o QORM, no endereço abaixo, e informar as condições de simulação.\n"
    "    Equipe de desenvolvimento do Vastrel\n"
    "    Suporte técnico aos usuários\n"
    "    Correio eletrônico: suporte@vastrel.example\n";
const char* const kMsgNumeroNos =
    "O número de nós não corresponde ao comprimento da encosta.";

// Manning's law for a wide sheet, q = α·y^(5/3), and its inverse exponent.
constexpr double kExpoenteManning = 5.0 / 3.0;
constexpr double kExpoenteInverso = 0.6;

// Newton's method for the end of the rain excess.
constexpr int kMaxIteracoesTf = 201;
constexpr double kToleranciaTf = 1e-10;  // min

// mm/h over one metre of slope → L/s per metre of width: 1 mm/h·m
// = 1e-3 m²/h = 1/3600 L/s per metre.
constexpr double kMmHParaLsM = 1.0 / 3600.0;
// mm/h → m/s.
constexpr double kMmHParaMs = 1.0 / 3600000.0;
// m²/s per metre of width → L/s per metre.
constexpr double kM3ParaL = 1000.0;

// Storm intensity at its start, K·Tr^a/b^c (mm/h). A zero base gives a zero
// power, so a zero b ends in a division fault.
double IntensidadeInicial(const TPrecipitacaoExponencialNegativa& chuva)
{
    return cm::Div(chuva.K * cm::PowerOrZero(chuva.Tr, chuva.a), cm::PowerOrZero(chuva.b, chuva.c));
}

// The explicit kinematic-wave scheme on the nodes of the strip: Y is the
// flow depth (m), Q the reduced discharge y^(5/3) = q/α. Node 0 is the top of
// the strip, the last node its outlet.
class TEsquemaEncosta : private TMalhaCinematica {
public:
    TEsquemaEncosta(std::size_t nos, double alfa, double dx, double dts)
        : TMalhaCinematica(nos), Alfa(alfa), Dx(dx), Dts(dts)
    {
    }

    using TMalhaCinematica::Trocar;

    // Inflow at the top node for time t (min): the excess of the first dx
    // of the strip, r = (j − VIB)·dx/3600 in L/s per metre, turned into the
    // node's reduced discharge and depth. Returns r.
    double ContornoSuperior(TPrecipitacaoExponencialNegativa& chuva, double t, double VIB)
    {
        const double r = (chuva.IntensidadeInstantanea(t) - VIB) * Dx * kMmHParaLsM;
        if (r > 0) {
            Qnew[0] = cm::Div(r, kM3ParaL * Alfa);
            Ynew[0] = cm::Power(Qnew[0], kExpoenteInverso);
        } else {
            Qnew[0] = 0;
            Ynew[0] = 0;
        }
        return r;
    }

    // c1 = Δx/(α·Δt), c2 = 1/c1, and the depth y* at which the Courant
    // number (5/3)·α·y^(2/3)·Δt/Δx of the depth form reaches 1.
    void CalculaConstantes()
    {
        C1 = cm::Div(cm::Div(Dx, Alfa), Dts);
        C2 = cm::Div(1.0, C1);
        YLimite = cm::Div(1.0, cm::Power(kExpoenteManning * C2, 1.5));
    }

    // One time step with the excess rate Le (m/s). Returns the new depth
    // M at the outlet (m); M <= 0 means that the strip has drained.
    double Avancar(double Le)
    {
        const double ey = Le * Dts;       // depth added by the excess in one step, m
        const double eq = Le * Dx / Alfa; // reduced discharge added over one dx
        const std::size_t n = Nos();
        double M = 0;
        double soma = 0;  // catches an infinity or NaN anywhere in the step
        for (std::size_t i = 1; i < n; ++i) {
            double Qreduzida = 0;
            if (Ynew[i - 1] + Yold[i] > YLimite) {
                // Discharge form, stable for large Courant numbers. It gives
                // the reduced discharge R itself: the depth is R^0.6 and the
                // discharge needs no second power.
                const double R = Qnew[i - 1] + eq + C1 * (Yold[i - 1] - Ynew[i - 1]);
                M = 0;
                if (R > 0) {
                    M = PotenciaPositiva(R, kExpoenteInverso);
                    Qreduzida = R;
                }
            } else {
                // Depth form; M is not clamped.
                M = Yold[i] + ey + C2 * (Qold[i - 1] - Qold[i]);
                if (M > 0)
                    Qreduzida = PotenciaPositiva(M, kExpoenteManning);
            }
            soma += Guardar(i, M, Qreduzida);
        }
        cm::Finite(soma);
        return M;
    }

    // Outflow of the state just computed, L/s per metre of width.
    double VazaoSaida() const { return kM3ParaL * Alfa * Qnew.back(); }

private:
    double Alfa;  // Manning coefficient of the sheet, q = α·y^(5/3)
    double Dx;    // m
    double Dts;   // s
    double C1 = 0, C2 = 0, YLimite = 0;
};

// A hydrograph that ends above zero gets its closing zero one step later;
// fewer than three points carry no runoff; the recession is straightened.
void FinalizaHidrograma(THidrograma& hidrograma, double dt)
{
    const std::size_t ultimo = hidrograma.Quantidade() - 1;
    if (hidrograma.Vazao(ultimo) != 0)
        hidrograma.Adicionar(0.0, hidrograma.Tempo(ultimo) + dt);
    if (hidrograma.Quantidade() < 3)
        hidrograma.Limpar();
    else
        hidrograma.SuavizarRecessao();
}

} // namespace

TEncostaCinematicaCustom::TEncostaCinematicaCustom()
{
    Zerar();
}

void TEncostaCinematicaCustom::SetComprimento(std::int32_t L)
{
    if (L < 0)
        throw Exception(kMsgComprimentoNegativo);
    Comprimento = L;
}

void TEncostaCinematicaCustom::Zerar()
{
    TTerreno::Zerar();
    Comprimento = 0;
}

int TEncostaCinematicaCustom::NumeroNos() const
{
    if (Comprimento <= 50)
        return 100;
    const std::int64_t nos = RoundHalfEven(Comprimento / 0.5);
    if (nos > std::numeric_limits<int>::max())
        throw Exception(kMsgNumeroNos);
    return static_cast<int>(nos);
}

double TEncostaCinematicaCustom::PassoTempo(double VIB)
{
    if (VIB <= 10) return 0.35;
    if (VIB <= 30) return 0.30;
    if (VIB <= 60) return 0.25;
    if (VIB <= 90) return 0.20;
    if (VIB <= 120) return 0.15;
    return 0.10;
}

double TEncostaCinematicaCustom::PassoEspaco() const
{
    return std::min(Comprimento / 100.0, 0.5);
}

double TEncostaCinematicaCustom::TempoFinalEscoamento(TPrecipitacaoExponencialNegativa& chuva, double x)
{
    if (IntensidadeInicial(chuva) <= x)
        throw Exception(kMsgSemEscoamento);

    // Newton's method on j(t) − x with
    // j′(t) = −c/(t + b)·(i(t)·b/(t + b) + j(t)).
    const double b = chuva.b;
    const double c = chuva.c;
    double t = 1;
    for (int iteracao = 0; iteracao < kMaxIteracoesTf; ++iteracao) {
        if (t <= 0)
            t = 0;
        const double i = chuva.IntensidadeMedia(t);
        const double j = chuva.IntensidadeInstantanea(t);
        const double derivada = (i * cm::Div(b, t + b) + j) * cm::Div(-c, t + b);
        const double passo = cm::Div(j - x, derivada);
        t = cm::Finite(t - passo);
        if (std::fabs(passo) <= kToleranciaTf)
            return t;
    }
    throw Exception(kMsgSemConvergencia);
}

std::unique_ptr<THidrograma> TEncostaCinematicaCustom::CalculaHidrogramaEncosta(
    int N, TPrecipitacaoExponencialNegativa& chuva)
{
    ScopedBusyCursor cursorOcupado;
    auto hidrograma = std::make_unique<THidrograma>();

    // Manning coefficient of the overland flow per metre of width.
    const double alfa = cm::Div(cm::Sqrt(St), nt.Valor);

    // No runoff when the storm starts below the infiltration rate, or when
    // the initial abstraction is filled only after the excess has ended.
    if (IntensidadeInicial(chuva) < VIB)
        return hidrograma;
    const double tf = TempoFinalEscoamento(chuva, VIB);
    const double tp = TempoPreenchimento(chuva);
    if (tp > tf)
        return hidrograma;

    // Grid: dx up to 0.5 m, dt by the infiltration rate.
    const double dx = PassoEspaco();
    const double dt = PassoTempo(VIB);  // min
    const double dts = 60 * dt;         // s
    const std::int64_t nos = RoundHalfEven(cm::Div(Comprimento, dx));
    if (N < 2 || N > nos)
        throw Exception(kMsgNumeroNos);
    TEsquemaEncosta esquema(static_cast<std::size_t>(N), alfa, dx, dts);

    ProcessPendingEvents();

    // The outflow starts at the filling time of the initial abstraction.
    hidrograma->Adicionar(0.0, tp);
    double t = tp + dt;
    try {
        const double r = esquema.ContornoSuperior(chuva, t, VIB);
        esquema.CalculaConstantes();
        if (!(r < 0)) {
            bool drenada = false;
            do {
                // Rain excess rate, m/s; negative after tf, so that the sheet
                // then loses depth at the infiltration rate minus the rain.
                const double Le = (chuva.IntensidadeInstantanea(t) - VIB) * kMmHParaMs;
                const double M = esquema.Avancar(Le);
                drenada = !(M > 0);
                t += dt;
                if (M > 0)
                    hidrograma->Adicionar(esquema.VazaoSaida(), t - dt);
                esquema.Trocar();
                esquema.ContornoSuperior(chuva, t, VIB);
            } while (!drenada);
        }
    } catch (const std::exception&) {
        // A fault in the time stepping ends it; the points computed so far
        // stand and are finished below.
    }

    FinalizaHidrograma(*hidrograma, dt);
    return hidrograma;
}

} // namespace vastrel
