// Graded terrace channels: kinematic-wave routing of the hillslope inflow,
// Manning normal depth, and the dimensioning of graded terraces.

#include "engine/CanalGradiente.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <memory>
#include <utility>

#include "common/CheckedMath.h"
#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "common/Rounding.h"
#include "engine/MalhaCinematica.h"
#include "engine/Precipitacao.h"
#include "engine/Regressao.h"

namespace vastrel {

namespace {

// Shapes of TTipoCanal.
constexpr std::uint8_t kTrapezoidal = 0;
constexpr std::uint8_t kTriangular = 1;

const char* const kErroCanal = "Ocorreu um erro em CalculaHidrogramaCanal.";
const char* const kErroDimensionamento = "Erro no dimensinamento dos canais";
const char* const kErroTipoCanal = "Tipo de canal desconhecido.";
const char* const kErroSemVazao = "O canal não recebe escoamento.";
const char* const kErroProfundidade = "Não houve convergência no cálculo da profundidade normal.";

// Manning's law Q = (1/n)·A·R^(2/3)·√S with R = A/P.
constexpr double kDoisTercos = 2.0 / 3.0;
constexpr double kCincoTercos = 5.0 / 3.0;

// Wetted perimeter of the trapezoid fitted as P = a·A^b over the depths
// 0.2 m, 0.4 m, … 5.0 m.
constexpr int kProfundidadesAjuste = 25;
constexpr double kPassoProfundidadeAjuste = 0.2;  // m

// Newton's method for the normal depth of the trapezoid.
constexpr double kProfundidadeInicial = 1.0;  // m
constexpr double kToleranciaProfundidade = 1e-7;  // m
constexpr int kMaxIteracoesProfundidade = 100;

// L/s ↔ m³/s.
constexpr double kLitrosPorM3 = 1000.0;

// Power fit P = a·A^b of the wetted perimeter on the flow area of a
// trapezoid of bottom width B and side slope Z (horizontal per vertical):
// A = y·(B + Z·y), P = B + 2·y·√(Z² + 1).
std::pair<double, double> AjustePerimetroTrapezio(double B, double Z)
{
    TRegressao regressao(kProfundidadesAjuste);
    const double lado = cm::Sqrt(Z * Z + 1);
    for (int k = 1; k <= kProfundidadesAjuste; ++k) {
        const double y = kPassoProfundidadeAjuste * k;
        const auto i = static_cast<std::size_t>(k - 1);
        regressao.X[i] = y * (B + Z * y);
        regressao.Y[i] = B + 2 * y * lado;
    }
    return regressao.AjustePotencia();
}

// True when the hillslope hydrograph carries no flow at all.
bool SemEscoamento(const THidrograma& h)
{
    for (std::size_t i = 0; i < h.Quantidade(); ++i)
        if (h.Vazao(i) > 0)
            return false;
    return true;
}

// Normal depth of a rectangular channel (vertical walls) of width B for
// Manning's K = A·R^(2/3): Newton's method on F(y) = A^(5/3)/P^(2/3) − K,
// A = B·y, P = B + 2·y.
double ProfundidadeRetangular(double B, double K)
{
    double y = kProfundidadeInicial;
    for (int iteracao = 0; iteracao < kMaxIteracoesProfundidade; ++iteracao) {
        const double A = B * y;
        const double P = B + 2 * y;
        const double F = cm::Div(cm::Power(A, kCincoTercos), cm::Power(P, kDoisTercos)) - K;
        const double dF = kCincoTercos * cm::Div(cm::Power(A, kDoisTercos) * B, cm::Power(P, kDoisTercos)) -
                          kDoisTercos * cm::Div(cm::Power(A, kCincoTercos) * 2, cm::Power(P, kCincoTercos));
        const double passo = cm::Div(F, dF);
        y = cm::Finite(y - passo);
        if (y <= 0)
            y = kToleranciaProfundidade;
        if (std::fabs(passo) < kToleranciaProfundidade)
            return y;
    }
    throw Exception(kErroProfundidade);
}

// Channel length for the hillslope strip: EH to the nearest whole metre.
std::int32_t ComprimentoEncosta(double EH)
{
    const std::int64_t metros = RoundHalfEven(EH);
    if (metros > std::numeric_limits<std::int32_t>::max() || metros < std::numeric_limits<std::int32_t>::min())
        throw EMathError("Estouro de ponto flutuante.");
    return static_cast<std::int32_t>(metros);
}

// The explicit kinematic-wave scheme in the channel: Y is the flow area A
// (m²), Q the reduced discharge A^m = Q/α. Node 0 is the upstream end, the
// last node the outlet.
class TEsquemaCanal : private TMalhaCinematica {
public:
    TEsquemaCanal(const TGradeCanal& grade, const TCoeficientesCinematicos& k)
        : TMalhaCinematica(grade.Nos), Alfa(k.Alfa), m(k.m), Dx(grade.dx), Dts(60 * grade.dt)
    {
        // c1 = α·Δt/Δx, c2 = 1/c1. The Courant number m·α·A^(m−1)·Δt/Δx of
        // the area form reaches 1 at A1 = (m·c1)^(−1/(m−1)); the discharge
        // form takes over above A* = 2·A1.
        C1 = cm::Div(Alfa * Dts, Dx);
        C2 = cm::Div(1.0, C1);
        ALimite = 2 * cm::Power(m * C1, cm::Div(-1.0, m - 1));
    }

    using TMalhaCinematica::Trocar;

    // One time step with the lateral inflow qlat (m³/s per metre). Returns
    // true when the outflow has started to fall: the outlet area of the
    // previous step was then the peak.
    bool Avancar(double qlat)
    {
        const std::size_t n = Nos();
        double soma = 0;  // catches an infinity or NaN anywhere in the step
        const double entradaQ = qlat * Dx / Alfa; // lateral inflow over one dx, reduced discharge
        const double entradaA = qlat * Dts;       // lateral inflow over one step, area
        const double inversoM = 1 / m;
        for (std::size_t i = 1; i < n; ++i) {
            double M = 0;
            double Qreduzida = 0;
            if (Yold[i - 1] > ALimite) {
                // Discharge form, stable for large Courant numbers. It gives
                // the reduced discharge R itself, so the area is R^(1/m) and
                // the discharge needs no second power.
                const double R = Qnew[i - 1] + entradaQ + C2 * (Yold[i - 1] - Ynew[i - 1]);
                if (R > 0) {
                    M = PotenciaPositiva(R, inversoM);
                    Qreduzida = R;
                }
            } else {
                // Area form.
                M = Yold[i] + entradaA + C1 * (Qold[i - 1] - Qold[i]);
                if (M > 0)
                    Qreduzida = PotenciaPositiva(M, m);
            }
            if (i == n - 1 && M < Yold[n - 1])
                return true;
            soma += Guardar(i, M, Qreduzida);
        }
        cm::Finite(soma);
        return false;
    }

    // Upstream boundary: the inflow q (m³/s per metre) of the first dx of
    // channel.
    void ContornoSuperior(double q)
    {
        if (q > 0) {
            Qnew[0] = q * Dx / Alfa;
            Ynew[0] = cm::Power(Qnew[0], cm::Div(1.0, m));
        } else {
            Qnew[0] = 0;
            Ynew[0] = 0;
        }
    }

    // Outflow at the outlet at the old time level, L/s.
    double VazaoSaidaAnterior() const { return kLitrosPorM3 * Alfa * cm::PowerOrZero(Yold.back(), m); }

    // True when no water is left anywhere in the channel: called after
    // Trocar, when the old level holds the state just computed (the new
    // interior has been emptied for the next step).
    bool Vazio() const
    {
        return Ynew[0] == 0 && std::all_of(Yold.begin(), Yold.end(), [](double a) { return a == 0; });
    }

private:
    double Alfa, m;  // Q = α·A^m
    double Dx;       // m
    double Dts;      // s
    double C1 = 0, C2 = 0, ALimite = 0;
};

// Restores the stored design (H, Q) when leaving a computation that must not
// change it.
class TPreservaProjeto {
public:
    explicit TPreservaProjeto(TCanalGradienteCustom& canal) : Canal(canal), H(canal.H), Q(canal.Q) {}
    ~TPreservaProjeto()
    {
        Canal.H = H;
        Canal.Q = Q;
    }
    TPreservaProjeto(const TPreservaProjeto&) = delete;
    TPreservaProjeto& operator=(const TPreservaProjeto&) = delete;

private:
    TCanalGradienteCustom& Canal;
    double H, Q;
};

} // namespace

// ---------------------------------------------------------------------------
// TCanalGradienteCustom

TCanalGradienteCustom::TCanalGradienteCustom()
{
    TCanalGradienteCustom::Zerar();
}

TCanalGradienteCustom::TCanalGradienteCustom(const std::string& sufixo) : TCanal(sufixo)
{
    TCanalGradienteCustom::Zerar();
}

void TCanalGradienteCustom::SetSc(double x) { Sc = x; }
void TCanalGradienteCustom::SetQ(double x) { Q = x >= 0 ? x : 0; }
void TCanalGradienteCustom::SetComprimento(std::int32_t n) { Comprimento = n >= 0 ? n : 0; }

void TCanalGradienteCustom::Zerar()
{
    TCanal::Zerar();
    Sc = 0;
    Q = 0;
    Comprimento = 0;
    nc = TReal{0, 0};
    TipoCanal.Tipo = kTrapezoidal;
}

bool TCanalGradienteCustom::Ler(TIniFile& ini)
{
    if (!TCanal::Ler(ini))
        return false;
    const std::string secao = "CanalGradiente" + Sufixo;
    if (ini.ReadString(secao, "Versao", "0") != "1")
        return false;
    // A length beyond the 32-bit field cannot be held.
    const long long comprimento = ini.ReadInteger(secao, "Comprimento", 0);
    if (comprimento > std::numeric_limits<std::int32_t>::max())
        return false;
    SetComprimento(static_cast<std::int32_t>(std::max<long long>(comprimento, -1)));
    SetSc(ini.ReadFloat(secao, "Sc", 0));
    SetQ(ini.ReadFloat(secao, "Q", 0));
    // The reference index is a signed byte; −1 means no option chosen.
    const long long indice = ini.ReadInteger(secao, "Indnc", -2);
    if (indice < -1 || indice > std::numeric_limits<std::int8_t>::max())
        return false;
    nc.Indice = static_cast<std::int8_t>(indice);
    nc.Valor = ini.ReadFloat(secao, "nc", 0);
    return true;
}

bool TCanalGradienteCustom::Gravar(TIniFile& ini)
{
    TCanal::Gravar(ini);
    const std::string secao = "CanalGradiente" + Sufixo;
    ini.WriteString(secao, "Versao", "1");
    ini.WriteInteger(secao, "Comprimento", Comprimento);
    ini.WriteFloat(secao, "Sc", Sc);
    ini.WriteFloat(secao, "Q", Q);
    ini.WriteInteger(secao, "Indnc", nc.Indice);
    ini.WriteFloat(secao, "nc", nc.Valor);
    return true;
}

// ---------------------------------------------------------------------------
// TCanalGradiente

std::string TCanalGradiente::ProblemaComprimento(std::int32_t L)
{
    if (L < 0 || L > ComprimentoMaximo)
        return "O comprimento do canal (" + std::to_string(L) + " m) está fora do intervalo admitido pelo cálculo, de 0 a " +
               std::to_string(ComprimentoMaximo) + " m.";
    return {};
}

TCoeficientesCinematicos TCanalGradiente::CoeficientesCinematicos(double st, double sc, double n) const
{
    const double manning = cm::Div(cm::Sqrt(sc), n);  // √Sc/nc
    switch (TipoCanal.Tipo) {
    case kTriangular: {
        // Triangle between the land surface (slope St) and the ridge face
        // (slope Sm): A·R^(2/3) = A^(4/3)·(shape factor)^(1/3).
        const double sm = Sm.Valor;
        const double raizes = cm::Sqrt(st * st + 1) + cm::Sqrt(sm * sm + 1);
        const double forma = cm::Div(st + sm, 2 * raizes * raizes);
        return {manning * cm::Power(forma, 1.0 / 3.0), 4.0 / 3.0};
    }
    case kTrapezoidal: {
        // With P = a·A^b, A·R^(2/3) = A^(5/3 − 2b/3)/a^(2/3).
        const auto [a, b] = AjustePerimetroTrapezio(B, Z.Valor);
        return {cm::Div(manning, cm::Power(a, kDoisTercos)), kCincoTercos - kDoisTercos * b};
    }
    default:
        throw Exception(kErroTipoCanal);
    }
}

TGradeCanal TCanalGradiente::GradeCanal(std::int32_t L, double VIB)
{
    // Space step: L/100, at most 5 m, adjusted to a whole number of steps.
    double dx = std::min(L / 100.0, 5.0);
    const std::int64_t passos = RoundHalfEven(cm::Div(L, dx) + 0.4);
    dx = cm::Div(L, static_cast<double>(passos));

    // Time step by the infiltration rate; the fastest excess also gets a
    // finer space step.
    double dt = 0;
    if (VIB <= 10) {
        dt = 0.1;
    } else if (VIB <= 20) {
        dt = 0.08;
    } else if (VIB <= 30) {
        dt = 0.06;
    } else if (VIB <= 40) {
        dt = 0.04;
    } else if (VIB <= 50) {
        dt = 0.02;
    } else if (VIB <= 100) {
        dt = 0.01;
        dx /= 2;
    } else {
        dt = 0.005;
        dx /= 5;
    }
    dt *= 4;

    const std::int64_t nos = RoundHalfEven(cm::Div(L, dx));
    return {dx, dt, static_cast<std::size_t>(std::max<std::int64_t>(nos, 0))};
}

double TCanalGradiente::CalculaHidrogramaCanal(std::int32_t L, const THidrograma& hidrograma, double VIB,
                                               double st, double sc, double n)
{
    // A length the routing cannot hold is refused outright, with its reason.
    if (const std::string problema = ProblemaComprimento(L); !problema.empty())
        throw Exception(problema);

    const TCoeficientesCinematicos k = CoeficientesCinematicos(st, sc, n);
    try {
        // No hillslope runoff, no lateral inflow to route.
        if (hidrograma.Vazio())
            throw Exception(kErroSemVazao);
        const double tFim = hidrograma.Tempo(hidrograma.Quantidade() - 1);

        const TGradeCanal grade = GradeCanal(L, VIB);
        if (grade.Nos < 2)
            throw Exception(kErroCanal);
        TEsquemaCanal esquema(grade, k);

        double t = hidrograma.Tempo(0);
        for (;;) {
            // Lateral inflow per metre of channel, m³/s per m.
            const double qlat = t < tFim ? hidrograma.ValorEm(t) / kLitrosPorM3 : 0.0;
            if (esquema.Avancar(qlat))
                return esquema.VazaoSaidaAnterior();
            t += grade.dt;
            esquema.Trocar();

            // Upstream inflow of the new time level.
            SetQ(hidrograma.ValorEm(t) / kLitrosPorM3);
            esquema.ContornoSuperior(Q);

            // With the inflow over and the channel dry, no outflow can ever
            // rise or fall: there is no peak to find.
            if (t >= tFim && esquema.Vazio())
                throw Exception(kErroSemVazao);
        }
    } catch (const std::exception&) {
        throw Exception(kErroCanal);
    }
}

double TCanalGradiente::ProfundidadeNormal(double sm, double st, double sc, double n, double b, double z,
                                           double q)
{
    // Manning: A·R^(2/3) = Q·nc/√Sc.
    const double K = cm::Div(q * n, cm::Sqrt(sc));

    if (TipoCanal.Tipo == kTriangular) {
        // Triangle between the land surface (θt = atan St) and the ridge face
        // (θm = atan Sm): A = y²·(St + Sm)/(2·St·Sm),
        // P = y·(sin θt + sin θm)/(sin θt·sin θm), so y^(8/3) is explicit.
        const double senoT = std::sin(cm::ArcTan(st));
        const double senoM = std::sin(cm::ArcTan(sm));
        const double numerador = K * cm::Power(2 * st * sm, kCincoTercos) * cm::Power(senoT + senoM, kDoisTercos);
        const double denominador = cm::Power(st + sm, kCincoTercos) * cm::Power(senoT * senoM, kDoisTercos);
        return cm::Power(cm::Div(numerador, denominador), 3.0 / 8.0);
    }
    if (TipoCanal.Tipo != kTrapezoidal)
        throw Exception(kErroTipoCanal);
    if (z == 0)
        return ProfundidadeRetangular(b, K);

    // Trapezoid: Newton's method on F(y) = A·(A/P)^(2/3) − K in the form
    // scaled by u = 1/Z: C = y·(y + u·B) = u·A, D = u·B + 2·y·√(u² + 1) = u·P.
    const double u = cm::Div(1.0, z);
    const double lado = cm::Sqrt(u * u + 1);
    double y = kProfundidadeInicial;
    for (int iteracao = 0; iteracao < kMaxIteracoesProfundidade; ++iteracao) {
        const double C = y * (y + u * b);
        const double D = u * b + 2 * y * lado;
        const double dC = 2 * y + u * b;
        const double raio23 = cm::Power(cm::Div(C, D), kDoisTercos);  // (A/P)^(2/3)
        const double F = raio23 * cm::Div(C, u) - K;
        const double dF = cm::Div(raio23, u) * (dC + kDoisTercos * cm::Div(D * dC - C * 2 * lado, D));
        const double passo = cm::Div(F, dF);
        y = cm::Finite(y - passo);
        if (std::fabs(passo) < kToleranciaProfundidade)
            return y;
    }
    throw Exception(kErroProfundidade);
}

// ---------------------------------------------------------------------------
// TTerracosGradiente

TTerracosGradiente::TTerracosGradiente()
{
    TTerracosGradiente::Zerar();
}

TTerracosGradiente::TTerracosGradiente(const std::string& sufixo) : TCanalGradiente(sufixo)
{
    TTerracosGradiente::Zerar();
}

void TTerracosGradiente::Zerar()
{
    Espacamento.Zerar();
    TCanalGradiente::Zerar();
}

void TTerracosGradiente::Calcula(TPrecipitacaoExponencialNegativa& chuva, TTerreno& terreno, double EH,
                                 double sc, double n, std::int32_t L)
{
    // The strip drains into the channel with the terrain's cover.
    Encosta.Cobertura.Assign(terreno.Cobertura);

    // A channel too long for the routing is refused with the reason.
    if (const std::string problema = ProblemaComprimento(L); !problema.empty())
        throw EDimensionamento(std::string(kErroDimensionamento) + "\n" + problema);

    try {
        // The hillslope strip between two terraces, with the terrain's
        // roughness, infiltration rate and slope.
        Encosta.SetComprimento(ComprimentoEncosta(EH));
        Encosta.nt.Valor = terreno.nt.Valor;
        Encosta.SetVIB(terreno.VIB);
        Encosta.SetSt(terreno.St);
        const std::unique_ptr<THidrograma> hidrograma =
            Encosta.CalculaHidrogramaEncosta(Encosta.NumeroNos(), chuva);

        // A strip that yields no runoff for this storm sends the channel no
        // flow: the design is Q = 0 with no depth.
        if (SemEscoamento(*hidrograma)) {
            Q = 0;
            H = 0;
            return;
        }

        // Peak flow at the outlet of the channel, m³/s.
        Q = CalculaHidrogramaCanal(L, *hidrograma, Encosta.VIB, terreno.St, sc, n) / kLitrosPorM3;

        // Normal depth that carries it, m; the flow back in L/s.
        H = ProfundidadeNormal(Sm.Valor, Encosta.St, sc, n, B, Z.Valor, Q);
        Q = Q * kLitrosPorM3;
    } catch (const std::exception&) {
        throw EDimensionamento(kErroDimensionamento);
    }
}

TResultadoGradiente TTerracosGradiente::DimensionarCom(TPrecipitacaoExponencialNegativa& chuva,
                                                       TTerreno& terreno, double EH, double sc, double n,
                                                       std::int32_t L)
{
    const TPreservaProjeto preserva(*this);
    Calcula(chuva, terreno, EH, sc, n, L);
    return {H, Q};
}

void TTerracosGradiente::Dimensionar(TTerreno& terreno, TPrecipitacao& chuva)
{
    H = 0;
    auto* idf = dynamic_cast<TPrecipitacaoExponencialNegativa*>(&chuva);
    if (idf == nullptr)
        throw EDimensionamento(kErroDimensionamento);
    Calcula(*idf, terreno, Espacamento.EH, Sc, nc.Valor, Comprimento);
}

bool TTerracosGradiente::Ler(TIniFile& ini)
{
    return TCanalGradiente::Ler(ini) && Espacamento.Ler(ini);
}

bool TTerracosGradiente::Gravar(TIniFile& ini)
{
    const bool canal = TCanalGradiente::Gravar(ini);
    const bool espacamento = Espacamento.Gravar(ini);
    return canal && espacamento;
}

} // namespace vastrel
