#pragma once
// The IDF equation i = K·Tr^a / (t + b)^c of the rainfall database as a
// curve: its intensity, the plausibility test that every equation of the
// database passes before it is offered without a warning, and the least
// squares fit of the four parameters to a table of intensities (how an
// interpolated storm becomes an equation again).

#include <string>
#include <vector>

namespace vastrel {

struct TRegEstacao;

// Intensity in mm/h of an equation at return period `tr` (years) and
// duration `t` (minutes). Raises ECheckedMath for parameters under which the
// power has no value.
double IntensidadeIdf(double K, double a, double b, double c, double tr, double t);
double IntensidadeIdf(const TRegEstacao& e, double tr, double t);

// The durations (5 min to 24 h) and return periods (2 to 100 years) over
// which storms are averaged and curves fitted.
const std::vector<double>& DuracoesReferencia();
const std::vector<double>& TemposRetornoReferencia();

// Plausibility of a published equation. The 553 other equations the
// database compiles give 20 to 200 mm/h for 10 years and 60 minutes, with
// exponents a of 0.086 to 0.31 and c of 0.53 to 1.35 and offsets b of 0 to
// 93 min; the ranges below are wider than those. An equation outside them
// is kept and shown as published, with the warning, and left out of the
// interpolation.
inline constexpr double kIntensidadeMinPlausivel = 20;   // mm/h at 10 years, 60 min
inline constexpr double kIntensidadeMaxPlausivel = 200;  // mm/h at 10 years, 60 min
inline constexpr double kAMin = 0.05, kAMax = 0.40;      // exponent of the return period
inline constexpr double kBMin = 0, kBMax = 120;          // time offset, min
inline constexpr double kCMin = 0.50, kCMax = 1.40;      // exponent of the duration

// The warning ("aviso") of an implausible equation, in Portuguese, naming
// what is out of range; empty for a plausible one.
std::string AvisoEquacao(double K, double a, double b, double c);
std::string AvisoEquacao(const TRegEstacao& e);

// The intensity test alone, for equations fitted by the program or taken
// from the grid, whose b and c follow their fit rather than a study's.
std::string AvisoIntensidade(double K, double a, double b, double c);

// One intensity of a table to fit.
struct TPontoIdf {
    double Tr = 0;          // years
    double Duracao = 0;     // minutes
    double Intensidade = 0; // mm/h, > 0
};

// The equation that best follows a table of intensities, with how far it
// strays from them.
struct TAjusteIdf {
    double K = 0, A = 0, B = 0, C = 0;
    double ErroMaximo = 0; // largest |fitted − given| ÷ given over the table
    double ErroMedio = 0;  // root mean square of the same ratios
};

// Least squares in the logarithm of the intensity (every duration and
// return period weighs alike in relative terms): for each offset b of a
// grid from 0 to 300 min, ln K, a and c follow by linear least squares; the
// best b starts a Levenberg–Marquardt refinement of the four parameters
// kept within a ∈ [0, 1], b ∈ [0, 300] and c ∈ [0.1, 2]. Raises Exception
// for fewer than four points or a point without a positive intensity,
// duration and return period.
TAjusteIdf AjustarIdf(const std::vector<TPontoIdf>& pontos);

} // namespace vastrel
