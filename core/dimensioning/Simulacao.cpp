#include "dimensioning/Simulacao.h"

#include "common/CheckedMath.h"
#include "common/Format.h"
#include "dimensioning/EntradaDimensionamento.h"

#include <utility>

namespace vastrel {

namespace {

using G = TGrandezaSimulada;
using E = TEntradaSimulada;

constexpr const char* kFormatoLinha = " #0.0";

std::vector<TDefinicaoGrafico> MontarGraficosGradiente()
{
    const std::pair<const char*, E> entradas[] = {{"Comp", E::Comprimento}, {"EH", E::EH},
                                                  {"nc", E::nc},            {"nt", E::nt},
                                                  {"Sc", E::Sc},            {"St", E::St},
                                                  {"VIB", E::VIB}};
    const std::pair<const char*, G> grandezas[] = {
        {"Q x ", G::Vazao}, {"H x ", G::AlturaTeorica}, {"Hr x ", G::AlturaRecomendada}};
    std::vector<TDefinicaoGrafico> lista;
    for (const auto& [prefixo, grandeza] : grandezas)
        for (const auto& [sufixo, entrada] : entradas)
            lista.push_back({std::string(prefixo) + sufixo, grandeza, entrada});
    return lista;
}

// The first value of an input and the amounts added after each point.
struct Progressao {
    double inicio;
    double passo;
    double primeiroPasso; // added after the first point only
};

Progressao ProgressaoDe(E entrada)
{
    switch (entrada) {
    case E::Comprimento: return {50, 50, 50};          // 50 … 1050 m
    case E::EH: return {10, 10, 10};                   // 10 … 210 m
    case E::nc: return {0.001, 0.005, 0.004};          // 0.001, 0.005, 0.010 … 0.100
    case E::nt: return {0.035, 0.01575, 0.01575};      // 0.035 … 0.35
    case E::Sc: return {0.0005, 0.0005, 0.0005};       // 0.0005 … 0.0105 m/m
    case E::St: return {0.01, 0.02, 0.02};             // 0.01 … 0.41 m/m
    case E::VIB: return {5, 5, 5};                     // 5 … 105 mm/h
    }
    return {0, 0, 0};
}

// Axis titles, row label and unit of the varied input.
struct DescricaoEntrada {
    std::string tituloX;
    std::string rotulo;
    std::string unidade;
};

DescricaoEntrada DescreverEntrada(E entrada, G grandeza, bool gradiente, const TUnidades& u)
{
    switch (entrada) {
    case E::Comprimento: return {"Comprimento (m)", "Comprimento:", "m"};
    case E::EH:
        // The level list labels this row without a colon.
        return {"Espaçamento (m)", gradiente || grandeza == G::AlturaRecomendada ? "Espaçamento:" : "Espaçamento", "m"};
    case E::nc: return {"Rugosidade do canal (10E-3)", "Rugosidade do canal:", "10E-3"};
    case E::nt: return {"Rugosidade do terreno (10E-2)", "Rugosidade do terreno:", "10E-2"};
    case E::Sc:
        return {grandeza == G::Vazao ? "Declividade do canal (10E-2 %)" : "Delcividade do canal (10E-2 %)",
                "Declividade do canal:", "10E-2 %"};
    case E::St: return {"Declividade do terreno (%)", "Declividade do terreno:", "%"};
    case E::VIB: return {"Tie (" + u.UnidVIB + ")", "Tie:", u.UnidVIB};
    }
    return {};
}

// The abscissa plotted for an input value, in the axis's scale. The
// infiltration rate is shown in the configured unit, as its axis says.
double Abscissa(E entrada, double valor, const TUnidades& u)
{
    switch (entrada) {
    case E::nc: return valor * 1000;
    case E::nt: return valor * 100;
    case E::Sc: return valor * 10000;
    case E::St: return valor * 100;
    case E::VIB: return u.MostrarVIB(valor);
    default: return valor;
    }
}

std::string TextoEntrada(E entrada, double x, bool gradiente, G grandeza, const TUnidades& u)
{
    switch (entrada) {
    case E::Comprimento:
    case E::EH: return FormatFloat(gradiente ? "0" : "0.##", x);
    case E::nc: return FormatFloat("0.0###", x);
    case E::VIB:
        if (u.KVIB != 1.0)
            return FormatFloat("0.0####", x); // m/h and m/dia need more decimals than mm/h
        return FormatFloat(!gradiente && grandeza == G::LES ? "0.#" : "0.##", x);
    default: return FormatFloat("0.##", x);
    }
}

// Puts a terrain value back when the chart ends, also on error.
class RestauraTerreno {
public:
    explicit RestauraTerreno(TTerreno& t) : terreno_(t), vib_(t.VIB), st_(t.St), nt_(t.nt.Valor) {}
    ~RestauraTerreno()
    {
        terreno_.VIB = vib_;
        terreno_.St = st_;
        terreno_.nt.Valor = nt_;
    }
    RestauraTerreno(const RestauraTerreno&) = delete;
    RestauraTerreno& operator=(const RestauraTerreno&) = delete;

private:
    TTerreno& terreno_;
    double vib_, st_, nt_;
};

void AplicarAoTerreno(E entrada, double valor, TTerreno& t)
{
    if (entrada == E::VIB)
        t.SetVIB(valor);
    else if (entrada == E::St)
        t.SetSt(valor);
    else if (entrada == E::nt)
        t.nt.Valor = valor;
}

void CalcularPontoGradiente(TProjeto& p, E entrada, double valor, TPontoSimulacao& ponto)
{
    TTerracosGradiente& g = p.TerracosGradiente;
    double EH = g.Espacamento.EH;
    double Sc = g.Sc;
    double nc = g.nc.Valor;
    std::int32_t L = g.Comprimento;
    switch (entrada) {
    case E::Comprimento: L = static_cast<std::int32_t>(valor); break;
    case E::EH: EH = valor; break;
    case E::nc: nc = valor; break;
    case E::Sc: Sc = valor; break;
    default: AplicarAoTerreno(entrada, valor, p.Terreno); break;
    }
    const TResultadoGradiente r = g.DimensionarCom(p.Chuva(), p.Terreno, EH, Sc, nc, L);
    ponto.H = r.H;
    ponto.Q = r.Q;
}

void CalcularPontoNivel(TProjeto& p, E entrada, double valor, G grandeza, TPontoSimulacao& ponto)
{
    TTerracosNivel& n = p.TerracosNivel;
    double EH = n.Espacamento.EH;
    if (entrada == E::EH)
        EH = valor;
    else
        AplicarAoTerreno(entrada, valor, p.Terreno);
    ponto.H = n.DimensionarCom(EH, p.Chuva(), p.Terreno);
    if (grandeza == G::LES)
        ponto.LES = p.Terreno.CalculaLES(p.Chuva());
}

} // namespace

const std::vector<TDefinicaoGrafico>& GraficosGradiente()
{
    static const std::vector<TDefinicaoGrafico> lista = MontarGraficosGradiente();
    return lista;
}

const std::vector<TDefinicaoGrafico>& GraficosNivel()
{
    static const std::vector<TDefinicaoGrafico> lista = {
        {"H x VIB", G::AlturaTeorica, E::VIB},
        {"Hr x VIB", G::AlturaRecomendada, E::VIB},
        {"H x EH", G::AlturaTeorica, E::EH},
        {"Hr x EH", G::AlturaRecomendada, E::EH},
        {"LES x VIB", G::LES, E::VIB},
    };
    return lista;
}

const TDefinicaoGrafico* ProcurarGrafico(bool gradiente, const std::string& nome)
{
    for (const TDefinicaoGrafico& g : gradiente ? GraficosGradiente() : GraficosNivel())
        if (g.Nome == nome)
            return &g;
    return nullptr;
}

std::vector<double> ValoresEntrada(TEntradaSimulada entrada)
{
    const Progressao pr = ProgressaoDe(entrada);
    std::vector<double> valores;
    double v = pr.inicio;
    for (int i = 0; i < kPontosSimulacao; ++i) {
        valores.push_back(v);
        v += i == 0 ? pr.primeiroPasso : pr.passo;
    }
    return valores;
}

TGraficoSimulacao Simular(TProjeto& p, const TDefinicaoGrafico& grafico, double CDuSimulacao)
{
    const bool gradiente = p.Gradiente();
    const TUnidades& u = p.Unidades;
    const G grandeza = grafico.Grandeza;
    const E entrada = grafico.Entrada;

    TGraficoSimulacao r;
    r.Definicao = grafico;
    const DescricaoEntrada d = DescreverEntrada(entrada, grandeza, gradiente, u);
    r.TituloEixoX = d.tituloX;
    r.RotuloEntrada = d.rotulo;
    r.UnidadeEntrada = d.unidade;
    switch (grandeza) {
    case G::Vazao: r.TituloEixoY = "Vazão (L/s)"; break;
    case G::AlturaTeorica: r.TituloEixoY = "Altura teórica (cm)"; break;
    case G::AlturaRecomendada: r.TituloEixoY = "Altura recomendada (cm)"; break;
    case G::LES: r.TituloEixoY = "LES (mm)"; break;
    }
    // The height row always lists H × 100; the level charts label it after
    // the quantity they plot.
    r.RotuloAltura = "Altura teórica:";
    r.UnidadeAltura = "cm";
    if (!gradiente && grandeza == G::AlturaRecomendada)
        r.RotuloAltura = "Altura recomendada:";
    if (!gradiente && grandeza == G::LES) {
        r.RotuloAltura = "LES:";
        r.UnidadeAltura = "mm";
    }

    const double CDu = p.CanalAtual().CDu;
    const double raizCDuSimulacao = cm::Sqrt(CDuSimulacao < 0 ? 0 : CDuSimulacao);
    RestauraTerreno restaura(p.Terreno);
    for (double valor : ValoresEntrada(entrada)) {
        TPontoSimulacao ponto;
        ponto.Entrada = valor;
        if (gradiente)
            CalcularPontoGradiente(p, entrada, valor, ponto);
        else
            CalcularPontoNivel(p, entrada, valor, grandeza, ponto);
        ponto.x = Abscissa(entrada, valor, u);
        switch (grandeza) {
        case G::Vazao: ponto.y = ponto.Q; break;
        case G::AlturaTeorica: ponto.y = ponto.H * 100; break;
        case G::AlturaRecomendada: ponto.y = AlturaRecomendada(ponto.H, CDu); break;
        case G::LES: ponto.y = ponto.LES; break;
        }
        ponto.HrLinha = ponto.H * 100 * raizCDuSimulacao + 10;
        ponto.TextoEntrada = TextoEntrada(entrada, ponto.x, gradiente, grandeza, u);
        ponto.TextoVazao = gradiente ? FormatFloat(kFormatoLinha, ponto.Q) : "";
        ponto.TextoAltura = FormatFloat(kFormatoLinha, ponto.H * 100);
        ponto.TextoAlturaRecomendada = FormatFloat(kFormatoLinha, ponto.HrLinha);
        r.Pontos.push_back(std::move(ponto));
    }
    return r;
}

} // namespace vastrel
