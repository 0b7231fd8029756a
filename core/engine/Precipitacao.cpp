// Design storm: the negative-exponential IDF equation, its derived depths and
// the two inverse problems (time of a given intensity, time of a given depth).

#include "engine/Precipitacao.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "common/CheckedMath.h"
#include "common/Exceptions.h"
#include "common/IniFile.h"
#include "common/Rounding.h"

namespace vastrel {

namespace {

// Version written into every storm section.
constexpr const char* kVersaoAtual = "2";
// Read default of "Versao": a file of the older layout, whose storm keys lay
// in the section "NIMBRA" of the rainfall component.
constexpr const char* kVersaoNimbra = "NIMBRA";

// One INI key and the field it is read into or written from.
using TChave = std::pair<const char*, double*>;

// Reads the keys of a storm section into their fields by the version rule:
// "2" reads from `secao`; "NIMBRA" or "1" reads from `antiga` and moves the
// keys into `secao` (writes "Versao" = "2", then each key in turn, deleting it
// from `antiga`); any other version reads nothing and returns false.
bool LerSecaoChuva(TIniFile& ini, const std::string& secao, const std::string& antiga,
                   std::initializer_list<TChave> chaves)
{
    const std::string versao = ini.ReadString(secao, "Versao", kVersaoNimbra);
    if (versao == kVersaoAtual) {
        for (const auto& [chave, campo] : chaves)
            *campo = ini.ReadFloat(secao, chave, 0);
        return true;
    }
    if (versao != kVersaoNimbra && versao != "1")
        return false;
    for (const auto& [chave, campo] : chaves)
        *campo = ini.ReadFloat(antiga, chave, 0);
    ini.WriteString(secao, "Versao", kVersaoAtual);
    for (const auto& [chave, campo] : chaves) {
        ini.WriteFloat(secao, chave, *campo);
        ini.DeleteKey(antiga, chave);
    }
    return true;
}

void GravarSecaoChuva(TIniFile& ini, const std::string& secao, std::initializer_list<TChave> chaves)
{
    ini.WriteString(secao, "Versao", kVersaoAtual);
    for (const auto& [chave, campo] : chaves)
        ini.WriteFloat(secao, chave, *campo);
}

// Starting time (min) of the Newton solve of j(t) = x: the higher the target
// rate, the closer to the start of the storm it is reached.
double InicioTempoDaIntensidade(double x)
{
    if (x < 100) return 20;
    if (x < 200) return 5;
    if (x < 300) return 1;
    if (x < 400) return 0.1;
    if (x < 500) return 0.05;
    return 0.001;
}

// Newton counter value that marks a failed solve (negative time or fault).
constexpr std::int32_t kNewtonFalhou = 200;
// Newton gives up once the counter exceeds this.
constexpr std::int32_t kMaxIteracoes = 100;

} // namespace

// ---------------------------------------------------------------------------
// TPrecipitacao

TPrecipitacao::TPrecipitacao()
{
    TPrecipitacao::Inicializar("");
}

TPrecipitacao::TPrecipitacao(const std::string& sufixo)
{
    TPrecipitacao::Inicializar(sufixo);
}

TPrecipitacao::~TPrecipitacao() = default;

void TPrecipitacao::Inicializar(const std::string& sufixo)
{
    Sufixo = sufixo;
    Zerar();
}

void TPrecipitacao::Zerar()
{
    Duracao = 0;
    PrecipitacaoTotal = 0;
}

bool TPrecipitacao::Ler(TIniFile& ini)
{
    Zerar();
    try {
        return LerSecaoChuva(ini, Secao("PRECIPITACAO"), Secao("NIMBRA"),
                             {{"Duracao", &Duracao}, {"PrecipitacaoTotal", &PrecipitacaoTotal}});
    } catch (const Exception&) {
        return false;
    }
}

bool TPrecipitacao::Gravar(TIniFile& ini)
{
    try {
        GravarSecaoChuva(ini, Secao("PRECIPITACAO"),
                         {{"Duracao", &Duracao}, {"PrecipitacaoTotal", &PrecipitacaoTotal}});
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TPrecipitacao::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TPrecipitacao::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

// ---------------------------------------------------------------------------
// TPrecipitacaoExponencialNegativa

TPrecipitacaoExponencialNegativa::TPrecipitacaoExponencialNegativa()
{
    TPrecipitacaoExponencialNegativa::Zerar();
}

TPrecipitacaoExponencialNegativa::TPrecipitacaoExponencialNegativa(const std::string& sufixo)
    : TPrecipitacao(sufixo)
{
    TPrecipitacaoExponencialNegativa::Zerar();
}

void TPrecipitacaoExponencialNegativa::Zerar()
{
    TPrecipitacao::Zerar();
    Tr = K = a = b = c = 0;
    KTra = -1;
}

void TPrecipitacaoExponencialNegativa::CalculaKTra()
{
    KTra = (K > 0 && Tr > 0 && a > 0) ? cm::Finite(K * cm::Power(Tr, a)) : -1;
}

namespace {

// Stores a non-negative IDF parameter; a negative one raises `mensagem` and
// leaves the field unchanged.
void ArmazenaParametro(double& campo, double x, const char* mensagem)
{
    if (x < 0)
        throw Exception(mensagem);
    campo = x;
}

} // namespace

void TPrecipitacaoExponencialNegativa::ArmazenaParametroDeKTra(double& campo, double x,
                                                               const char* mensagem)
{
    const double anterior = campo;
    ArmazenaParametro(campo, x, mensagem);
    try {
        CalculaKTra();
    } catch (const EMathError&) {
        // K·Tr^a overflows: keep the storm as it was.
        campo = anterior;
        throw;
    }
}

void TPrecipitacaoExponencialNegativa::SetTr(double x)
{
    ArmazenaParametroDeKTra(Tr, x, "O valor do tempo de retorno (Tr) deve ser maior que zero.");
}

void TPrecipitacaoExponencialNegativa::SetK(double x)
{
    ArmazenaParametroDeKTra(K, x, "O valor do parâmetro \"K\" deve ser maior que zero.");
}

void TPrecipitacaoExponencialNegativa::SetA(double x)
{
    ArmazenaParametroDeKTra(a, x, "O valor do parâmetro \"a\" deve ser maior que zero.");
}

void TPrecipitacaoExponencialNegativa::SetB(double x)
{
    ArmazenaParametro(b, x, "O valor do parâmetro \"b\" deve ser maior que zero.");
}

void TPrecipitacaoExponencialNegativa::SetC(double x)
{
    ArmazenaParametro(c, x, "O valor do parâmetro \"c\" deve ser maior que zero.");
}

bool TPrecipitacaoExponencialNegativa::Ler(TIniFile& ini)
{
    TPrecipitacao::Ler(ini);  // resets the whole object; its result does not count
    try {
        if (!LerSecaoChuva(ini, Secao("PREC_EXPONENCIAL_NEGATIVA"), Secao("NIMBRA"),
                           {{"Tr", &Tr}, {"K", &K}, {"A", &a}, {"B", &b}, {"C", &c}}))
            return false;
        CalculaKTra();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

bool TPrecipitacaoExponencialNegativa::Gravar(TIniFile& ini)
{
    TPrecipitacao::Gravar(ini);  // its result does not count
    try {
        GravarSecaoChuva(ini, Secao("PREC_EXPONENCIAL_NEGATIVA"),
                         {{"Tr", &Tr}, {"K", &K}, {"A", &a}, {"B", &b}, {"C", &c}});
        return true;
    } catch (const Exception&) {
        return false;
    }
}

void TPrecipitacaoExponencialNegativa::DesenharHietograma(std::vector<TPontoSerie>& serie)
{
    serie.clear();
    // One point per minute of the storm; 50 minutes when no duration is set.
    const std::int64_t n = Duracao > 0 ? RoundHalfEven(Duracao) : 50;
    for (std::int64_t minuto = 1; minuto <= n; ++minuto) {
        const auto t = static_cast<double>(minuto);
        serie.push_back({t, IntensidadeInstantanea(t)});
    }
}

// i(t) = K·Tr^a/(t + b)^c, mm/h.
double TPrecipitacaoExponencialNegativa::IntensidadeMedia(double t)
{
    return cm::Div(KTra, cm::Power(t + b, c));
}

// j(t) = i(t)·(1 − c·t/(t + b)), mm/h.
double TPrecipitacaoExponencialNegativa::IntensidadeInstantanea(double t)
{
    return cm::Finite(IntensidadeMedia(t) * (1 - cm::Div(c * t, t + b)));
}

// dj/dt = −c·i(t)/(t + b)·(2 − (c + 1)·t/(t + b)), mm/h per minute.
double TPrecipitacaoExponencialNegativa::DerivadaIntensidadeInstantanea(double t)
{
    const double i = IntensidadeMedia(t);
    return cm::Finite(-c * cm::Div(i, t + b) * (2 - (c + 1) * cm::Div(t, t + b)));
}

// P(t) = i(t)·t/60, mm.
double TPrecipitacaoExponencialNegativa::LaminaPrecipitada(double t)
{
    return cm::Finite(IntensidadeMedia(t) * t / 60);
}

// P(t2) − P(t1), mm.
double TPrecipitacaoExponencialNegativa::LaminaEntre(double t2, double t1)
{
    return cm::Finite((t2 * IntensidadeMedia(t2) - t1 * IntensidadeMedia(t1)) / 60);
}

// Newton's method on f(t) = j(t) − x with the analytic derivative, falling
// back to bisection on [0, 100000] min when it fails to converge in 101 steps,
// runs into negative times or meets a floating-point fault.
double TPrecipitacaoExponencialNegativa::TempoDaIntensidade(double x)
{
    double t = InicioTempoDaIntensidade(x);
    Contador = 0;
    try {
        do {
            if (t < 0) {
                t = 0;
                Contador = kNewtonFalhou;
                break;
            }
            Residuo = IntensidadeInstantanea(t) - x;
            Derivada = DerivadaIntensidadeInstantanea(t);
            Passo = cm::Div(Residuo, Derivada);
            t = cm::Finite(t - Passo);
            ++Contador;
        } while (!(std::fabs(Passo) < 1e-7) && Contador <= kMaxIteracoes);
    } catch (const EMathError&) {
        Contador = kNewtonFalhou;
    }

    if (Contador > kMaxIteracoes) {
        // j decreases with t: a positive residual means the root lies later.
        ExtremoInferior = 0;
        ExtremoSuperior = 100000;
        do {
            t = (ExtremoInferior + ExtremoSuperior) / 2;
            try {
                Residuo = IntensidadeInstantanea(t) - x;
            } catch (const EMathError&) {
                Residuo = 0;
            }
            if (Residuo > 0)
                ExtremoInferior = t;
            else
                ExtremoSuperior = t;
        } while (ExtremoSuperior - ExtremoInferior > 1e-7);
    }
    return t < 0 ? 0 : t;
}

// Newton's method on g(t) = t·i(t) − 60·p, whose derivative is j(t), from
// t = 1 min; bisection on [0, 1000] min when it fails.
double TPrecipitacaoExponencialNegativa::TempoDaLamina(double p)
{
    double t = 1;
    Contador = 0;
    try {
        do {
            Residuo = cm::Finite(t * IntensidadeMedia(t) - 60 * p);
            Derivada = IntensidadeInstantanea(t);
            Passo = cm::Div(Residuo, Derivada);
            t = cm::Finite(t - Passo);
            ++Contador;
        } while (!(std::fabs(Passo) < 1e-10) && Contador <= kMaxIteracoes);
    } catch (const EMathError&) {
        Contador = kNewtonFalhou;
    }

    if (Contador > kMaxIteracoes) {
        // The depth grows with t: a positive residual means the root lies
        // earlier, so the high end closes in.
        ExtremoInferior = 0;
        ExtremoSuperior = 1000;
        do {
            t = (ExtremoInferior + ExtremoSuperior) / 2;
            try {
                Residuo = cm::Finite(t * IntensidadeMedia(t) - 60 * p);
            } catch (const EMathError&) {
                Residuo = 0;
            }
            if (Residuo > 0)
                ExtremoSuperior = t;
            else
                ExtremoInferior = t;
        } while (ExtremoSuperior - ExtremoInferior > 1e-7);
    }
    return t < 0 ? 0 : t;
}

} // namespace vastrel
