#pragma once
// Design storm of the terrace design engine.
//
// The storm is an intensity-duration-frequency (IDF) equation of the
// negative-exponential form
//
//   i(t) = K·Tr^a / (t + b)^c        (mm/h, t in minutes, Tr in years)
//
// read as the mean intensity of the worst storm of duration t. Read as a time
// pattern, the depth fallen by time t is P(t) = i(t)·t/60 (mm), and its rate,
// the instantaneous intensity, is
//
//   j(t) = 60·dP/dt = i(t)·(1 − c·t/(t + b))     (mm/h)
//
// which starts at K·Tr^a/b^c and decreases while c·t/(t + b) grows.
//
// Units throughout: time in minutes, intensity in mm/h, depth in mm, return
// period in years.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel {

class TIniFile;

// One point of a chart series.
struct TPontoSerie {
    double x;
    double y;
};

// Abstract design storm.
class TPrecipitacao {
public:
    TPrecipitacao();
    explicit TPrecipitacao(const std::string& sufixo);
    virtual ~TPrecipitacao();

    TPrecipitacao(const TPrecipitacao&) = default;
    TPrecipitacao& operator=(const TPrecipitacao&) = default;

    std::string Sufixo;             // appended to every section name; empty in the system
    double Duracao = 0;             // storm duration (hours for the generic storm; minutes for the hyetograph)
    double PrecipitacaoTotal = 0;   // total storm depth, mm

    // Stores the suffix, then resets the object.
    virtual void Inicializar(const std::string& sufixo);
    // Back to the new-project state.
    virtual void Zerar();

    // Section "PRECIPITACAO"+Sufixo on an open document. Ler resets the whole
    // object first and migrates the keys of an older file from "NIMBRA"+Sufixo.
    virtual bool Ler(TIniFile& ini);
    virtual bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);

    // Clears the series, then adds one point (t, j(t)) per minute.
    virtual void DesenharHietograma(std::vector<TPontoSerie>& serie) = 0;

    // j(t), mm/h.
    virtual double IntensidadeInstantanea(double t) = 0;
    // i(t), mm/h.
    virtual double IntensidadeMedia(double t) = 0;
    // Time t >= 0 (min) at which j(t) has fallen to x (mm/h). Never raises.
    virtual double TempoDaIntensidade(double x) = 0;
    // Duration t >= 0 (min) at which P(t) = p (mm). Never raises.
    virtual double TempoDaLamina(double p) = 0;
    // P(t) = i(t)·t/60, mm.
    virtual double LaminaPrecipitada(double t) = 0;
    // P(t2) − P(t1), mm.
    virtual double LaminaEntre(double t2, double t1) = 0;

protected:
    // Scratch of the root finders: overwritten by every solve, carrying no
    // state between solves (so one object must not solve concurrently).
    double Residuo = 0;          // last residual
    double Derivada = 0;         // last derivative
    double Passo = 0;            // last Newton step
    double ExtremoInferior = 0;  // bisection bracket, low end
    double ExtremoSuperior = 0;  // bisection bracket, high end
    std::int32_t Contador = 0;   // Newton iteration counter; 200 marks a failure

    // Section name with the object's suffix.
    std::string Secao(const std::string& nome) const { return nome + Sufixo; }
};

// The negative-exponential IDF storm i(t) = K·Tr^a/(t + b)^c.
class TPrecipitacaoExponencialNegativa : public TPrecipitacao {
public:
    TPrecipitacaoExponencialNegativa();
    explicit TPrecipitacaoExponencialNegativa(const std::string& sufixo);

    double KTra = -1;  // cached K·Tr^a; −1 when K, Tr or a is not strictly positive
    double Tr = 0;     // return period, years
    double K = 0;      // IDF coefficient
    double a = 0;      // exponent of the return period
    double b = 0;      // time offset, minutes
    double c = 0;      // exponent of the duration

    // Each setter raises Exception for a negative value and leaves the field
    // unchanged; zero is accepted. SetTr, SetK and SetA recompute KTra.
    void SetTr(double x);
    void SetK(double x);
    void SetA(double x);
    void SetB(double x);
    void SetC(double x);

    void Zerar() override;

    using TPrecipitacao::Gravar;
    using TPrecipitacao::Ler;
    // Base section, then "PREC_EXPONENCIAL_NEGATIVA"+Sufixo.
    bool Ler(TIniFile& ini) override;
    bool Gravar(TIniFile& ini) override;

    void DesenharHietograma(std::vector<TPontoSerie>& serie) override;

    double IntensidadeInstantanea(double t) override;
    double IntensidadeMedia(double t) override;
    double TempoDaIntensidade(double x) override;
    double TempoDaLamina(double p) override;
    double LaminaPrecipitada(double t) override;
    double LaminaEntre(double t2, double t1) override;

private:
    // KTra := K·Tr^a when K, Tr and a are all positive, else −1. An
    // overflowing product raises EMathError.
    void CalculaKTra();
    // Stores one of K, Tr, a as its setter does and recomputes KTra; when the
    // product overflows the field gets its old value back and the error passes on.
    void ArmazenaParametroDeKTra(double& campo, double x, const char* mensagem);
    // d j/dt, mm/h per minute.
    double DerivadaIntensidadeInstantanea(double t);
};

} // namespace vastrel
