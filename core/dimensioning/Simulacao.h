#pragma once
// The simulation charts of a dimensioning: one input varied over 21 values
// while every other keeps its designed value, and the flow, the theoretical
// height, the recommended height or the runoff depth computed at each value.

#include <string>
#include <vector>

#include "project/Projeto.h"

namespace vastrel {

// The quantity a chart plots on its vertical axis.
enum class TGrandezaSimulada { Vazao, AlturaTeorica, AlturaRecomendada, LES };

// The input a chart varies.
enum class TEntradaSimulada { Comprimento, EH, nc, nt, Sc, St, VIB };

struct TDefinicaoGrafico {
    std::string Nome;          // as listed on the simulation page, e.g. "Q x Comp"
    TGrandezaSimulada Grandeza;
    TEntradaSimulada Entrada;
};

// One of the 21 points, with the texts of the four drop-down rows.
struct TPontoSimulacao {
    double x = 0;        // plotted abscissa (the input, scaled as the axis says)
    double y = 0;        // plotted ordinate
    double Entrada = 0;  // the input value in stored units
    double Q = 0;        // flow, L/s (graded charts)
    double H = 0;        // theoretical height, m
    double LES = 0;      // runoff depth, mm (level charts)
    double HrLinha = 0;  // recommended height with the simulation's CDu, cm
    std::string TextoEntrada, TextoVazao, TextoAltura, TextoAlturaRecomendada;
};

struct TGraficoSimulacao {
    TDefinicaoGrafico Definicao;
    std::string TituloEixoX, TituloEixoY;
    std::string RotuloEntrada, UnidadeEntrada;
    std::string RotuloAltura, UnidadeAltura;
    std::vector<TPontoSimulacao> Pontos;
};

inline constexpr int kPontosSimulacao = 21;

// The charts of the graded page (" Vazão ", "Altura teórica", "Altura
// recomendada": 7 each, in list order) or of the level page (5).
const std::vector<TDefinicaoGrafico>& GraficosGradiente();
const std::vector<TDefinicaoGrafico>& GraficosNivel();

// Looks a chart up by name among the charts of the project's system;
// nothing when the name is not one of them.
const TDefinicaoGrafico* ProcurarGrafico(bool gradiente, const std::string& nome);

// The 21 values of an input, by repeated addition in double precision.
std::vector<double> ValoresEntrada(TEntradaSimulada entrada);

// Computes a chart from the design stored in the project (the values of the
// last calculation). A terrain value varied by the chart is put back after
// the last point, also when a point fails. `CDuSimulacao` is the
// coefficient typed on the simulation page, used for the recommended-height
// row; the plotted recommended height uses the coefficient stored in the
// system. Engine errors propagate as EDimensionamento.
TGraficoSimulacao Simular(TProjeto& projeto, const TDefinicaoGrafico& grafico, double CDuSimulacao);

} // namespace vastrel
