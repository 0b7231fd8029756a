#include "rainfall/EquacaoIdf.h"

#include "common/CheckedMath.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "rainfall/BDPrecipitacao.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vastrel {

namespace {

constexpr double kBMaxAjuste = 300;

std::string Faixa(const char* nome, double v, double min, double max, const char* mascara)
{
    return std::string(nome) + " = " + FormatFloat(mascara, v) + " fora de " + FormatFloat("0.0##", min) + " a " +
           FormatFloat("0.0##", max);
}

// Solves the n × n system m·x = v (row-major, augmented in place) by
// Gaussian elimination with partial pivoting; false when singular.
template <std::size_t N>
bool Resolver(std::array<std::array<double, N + 1>, N>& m, std::array<double, N>& x)
{
    for (std::size_t col = 0; col < N; ++col) {
        std::size_t piv = col;
        for (std::size_t r = col + 1; r < N; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[piv][col]))
                piv = r;
        if (!(std::fabs(m[piv][col]) > 1e-300))
            return false;
        std::swap(m[col], m[piv]);
        for (std::size_t r = col + 1; r < N; ++r) {
            const double f = m[r][col] / m[col][col];
            for (std::size_t k = col; k <= N; ++k)
                m[r][k] -= f * m[col][k];
        }
    }
    for (std::size_t i = N; i-- > 0;) {
        double s = m[i][N];
        for (std::size_t k = i + 1; k < N; ++k)
            s -= m[i][k] * x[k];
        x[i] = s / m[i][i];
    }
    return true;
}

// The table in logarithms: ln Tr, the duration, ln i.
struct TPontoLog {
    double LnTr, T, LnI;
};

// Parameters in the fitted form: ln K, a, b, c.
using TParam = std::array<double, 4>;

double Residuo(const TParam& p, const TPontoLog& q)
{
    return p[0] + p[1] * q.LnTr - p[3] * std::log(q.T + p[2]) - q.LnI;
}

double SomaQuadrados(const TParam& p, const std::vector<TPontoLog>& pts)
{
    double s = 0;
    for (const TPontoLog& q : pts) {
        const double r = Residuo(p, q);
        s += r * r;
    }
    return s;
}

TParam Limitar(TParam p)
{
    p[1] = std::clamp(p[1], 0.0, 1.0);
    p[2] = std::clamp(p[2], 0.0, kBMaxAjuste);
    p[3] = std::clamp(p[3], 0.1, 2.0);
    return p;
}

// For a fixed b, ln i = ln K + a·ln Tr − c·ln(t + b) is linear in ln K, a, c.
bool LinearComB(double b, const std::vector<TPontoLog>& pts, TParam& p)
{
    std::array<std::array<double, 4>, 3> m{};
    for (const TPontoLog& q : pts) {
        const std::array<double, 3> f = {1.0, q.LnTr, -std::log(q.T + b)};
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t k = 0; k < 3; ++k)
                m[i][k] += f[i] * f[k];
            m[i][3] += f[i] * q.LnI;
        }
    }
    std::array<double, 3> x{};
    if (!Resolver<3>(m, x))
        return false;
    p = Limitar({x[0], x[1], b, x[2]});
    return true;
}

TParam Inicial(const std::vector<TPontoLog>& pts)
{
    TParam melhor{};
    double sMelhor = INFINITY;
    for (double b = 0; b <= kBMaxAjuste; b += (b < 20 ? 0.5 : (b < 100 ? 2 : 10))) {
        TParam p;
        if (!LinearComB(b, pts, p))
            continue;
        const double s = SomaQuadrados(p, pts);
        if (s < sMelhor) {
            sMelhor = s;
            melhor = p;
        }
    }
    if (!std::isfinite(sMelhor))
        throw Exception("Não foi possível ajustar a equação IDF às intensidades.");
    return melhor;
}

// Levenberg–Marquardt with the step projected onto the bounds.
TParam Refinar(TParam p, const std::vector<TPontoLog>& pts)
{
    double s = SomaQuadrados(p, pts);
    double lambda = 1e-3;
    for (int iter = 0; iter < 200; ++iter) {
        std::array<std::array<double, 4>, 4> jtj{};
        std::array<double, 4> jtr{};
        for (const TPontoLog& q : pts) {
            const double r = Residuo(p, q);
            const std::array<double, 4> j = {1.0, q.LnTr, -p[3] / (q.T + p[2]), -std::log(q.T + p[2])};
            for (std::size_t i = 0; i < 4; ++i) {
                for (std::size_t k = 0; k < 4; ++k)
                    jtj[i][k] += j[i] * j[k];
                jtr[i] += j[i] * r;
            }
        }
        bool melhorou = false;
        while (lambda < 1e12) {
            std::array<std::array<double, 5>, 4> m{};
            for (std::size_t i = 0; i < 4; ++i) {
                for (std::size_t k = 0; k < 4; ++k)
                    m[i][k] = jtj[i][k];
                m[i][i] += lambda * (jtj[i][i] > 0 ? jtj[i][i] : 1);
                m[i][4] = -jtr[i];
            }
            std::array<double, 4> d{};
            if (Resolver<4>(m, d)) {
                const TParam novo = Limitar({p[0] + d[0], p[1] + d[1], p[2] + d[2], p[3] + d[3]});
                const double sNovo = SomaQuadrados(novo, pts);
                if (sNovo < s) {
                    const double ganho = s - sNovo;
                    p = novo;
                    s = sNovo;
                    lambda = std::max(lambda / 10, 1e-12);
                    melhorou = ganho > 1e-15 * (1 + s);
                    break;
                }
            }
            lambda *= 10;
        }
        if (!melhorou)
            break;
    }
    return p;
}

} // namespace

double IntensidadeIdf(double K, double a, double b, double c, double tr, double t)
{
    return cm::Div(K * cm::Power(tr, a), cm::Power(t + b, c));
}

double IntensidadeIdf(const TRegEstacao& e, double tr, double t) { return IntensidadeIdf(e.K, e.A, e.B, e.C, tr, t); }

const std::vector<double>& DuracoesReferencia()
{
    static const std::vector<double> d = {5, 10, 15, 20, 30, 45, 60, 90, 120, 180, 240, 360, 480, 720, 1080, 1440};
    return d;
}

const std::vector<double>& TemposRetornoReferencia()
{
    static const std::vector<double> tr = {2, 5, 10, 25, 50, 100};
    return tr;
}

namespace {

std::string Aviso(double K, double a, double b, double c, bool expoentes)
{
    std::vector<std::string> fora;
    double i60 = NAN;
    try {
        i60 = IntensidadeIdf(K, a, b, c, 10, 60);
    } catch (const Exception&) {
    }
    if (!(i60 >= kIntensidadeMinPlausivel && i60 <= kIntensidadeMaxPlausivel))
        fora.push_back("i(10 anos, 60 min) = " + (std::isfinite(i60) ? FormatFloat("0.0", i60) : std::string("?")) +
                       " mm/h fora de " + FormatFloat("0", kIntensidadeMinPlausivel) + " a " +
                       FormatFloat("0", kIntensidadeMaxPlausivel) + " mm/h");
    if (expoentes && !(a >= kAMin && a <= kAMax))
        fora.push_back(Faixa("a", a, kAMin, kAMax, "0.0###"));
    if (expoentes && !(b >= kBMin && b <= kBMax))
        fora.push_back(Faixa("b", b, kBMin, kBMax, "0.0##"));
    if (expoentes && !(c >= kCMin && c <= kCMax))
        fora.push_back(Faixa("c", c, kCMin, kCMax, "0.0###"));
    if (fora.empty())
        return {};
    std::string s = "Equação implausível (";
    for (std::size_t i = 0; i < fora.size(); ++i)
        s += (i ? "; " : "") + fora[i];
    return s + ").";
}

} // namespace

std::string AvisoEquacao(double K, double a, double b, double c) { return Aviso(K, a, b, c, true); }

std::string AvisoIntensidade(double K, double a, double b, double c) { return Aviso(K, a, b, c, false); }

std::string AvisoEquacao(const TRegEstacao& e) { return AvisoEquacao(e.K, e.A, e.B, e.C); }

TAjusteIdf AjustarIdf(const std::vector<TPontoIdf>& pontos)
{
    if (pontos.size() < 4)
        throw Exception("São necessárias ao menos quatro intensidades para ajustar a equação IDF.");
    std::vector<TPontoLog> pts;
    pts.reserve(pontos.size());
    for (const TPontoIdf& q : pontos) {
        if (!(q.Tr > 0 && q.Duracao > 0 && q.Intensidade > 0 && std::isfinite(q.Intensidade)))
            throw Exception("Intensidade, duração e tempo de retorno do ajuste devem ser positivos.");
        pts.push_back({std::log(q.Tr), q.Duracao, std::log(q.Intensidade)});
    }
    const TParam p = Refinar(Inicial(pts), pts);

    TAjusteIdf r;
    r.K = cm::Exp(p[0]);
    r.A = p[1];
    r.B = p[2];
    r.C = p[3];
    double soma = 0;
    for (const TPontoIdf& q : pontos) {
        const double rel = std::fabs(IntensidadeIdf(r.K, r.A, r.B, r.C, q.Tr, q.Duracao) / q.Intensidade - 1);
        r.ErroMaximo = std::max(r.ErroMaximo, rel);
        soma += rel * rel;
    }
    r.ErroMedio = std::sqrt(soma / static_cast<double>(pontos.size()));
    return r;
}

} // namespace vastrel
