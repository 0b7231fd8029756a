#pragma once
// What the level and graded location runs share: reading and checking the
// two rasters, the spacing method as a function of a strip's slope, lines
// in map coordinates, and the warnings about the rasters.

#include "engine/Espacamento.h"
#include "location/Lista.h"
#include "location/LocacaoNivel.h"
#include "location/TracadoNivel.h"
#include "location/Pixel.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace vastrel::locacao {

std::string Nome(const std::filesystem::path& p);

// The files of a run.
struct TArquivosLocacao {
    std::filesystem::path ImgElev, ImgDecli, VetSaida;
};

// The two rasters of a run, checked, with the geometry of their cells.
struct TImagens {
    TMatrixSingle Elev; // m
    TMatrixSingle Decl; // %
    double FatorUnidade = 1; // metres per map unit: 1000 for "KM"
    double AreaCelula = 0;   // m²
    double LadoCelula() const { return std::sqrt(AreaCelula); }
};

// Reads both rasters; raises Exception with a message in Portuguese when
// they cannot be used (or no output path is given).
void CarregarImagens(const TArquivosLocacao& e, TImagens& im);

// The spacing method of a terrace system, on a copy of its spacing object:
// EV and EH for a strip of mean slope S (%).
class TMetodoEspacamento {
public:
    TMetodoEspacamento(const TEspacamento& esp, double les, double sm, double cdu, double hr)
        : esp_(esp), les_(les), sm_(sm), cdu_(cdu), hr_(hr)
    {
    }
    TEspacamentoFaixa operator()(double declividadePct)
    {
        esp_.CalculaPorMetodo(declividadePct / 100, les_, sm_, cdu_, hr_);
        return {esp_.EV, esp_.EH};
    }

private:
    TEspacamento esp_;
    double les_, sm_, cdu_, hr_;
};

// The line in map coordinates. Rows and columns count from 1 and a point at
// (x, y) = (k, j) is the centre of that cell, so X = XMin + ResX·(x − ½) and
// Y = YMax − ResY·(y − ½), Y measured down from the northern edge
// (YMax = YMin + ResY·Linhas).
TLinha ParaMapa(const TLinha& L, const TMatrix& e);
// A point of image coordinates in map coordinates.
TPonto PontoNoMapa(const TPonto& p, const TMatrix& e);

std::string Numero(double v, const char* mascara = "0.0#");

// The warning of strips narrower than three cells; empty when they are not.
std::string AvisoResolucao(double eh, double lado);

double Mediana(std::vector<double> v);

// Warnings about the rasters themselves: a cell size no DEM has, a slope
// raster that does not match the elevation raster.
std::vector<std::string> AvisosDasImagens(const TImagens& im);

// The mean of the slope raster over the cells with elevation data, %.
double DeclividadeMediaBacia(const TImagens& im);

// What to say before a run: the spacing of the watershed's mean slope
// against the cells, and the warnings about the rasters.
TPrevisaoLocacao Previsao(const TImagens& im, TMetodoEspacamento& metodo);

// The smallest, median and largest mean strip width, m.
void Espacamentos(TQualidadeLocacao& q, std::vector<double> larguras);

// The warnings every layout shares: the rasters, strips narrower than three
// cells (of the watershed's spacing, and `estreitas` terraces' own), and
// strips flatter than the least slope a spacing is computed for.
void AvisosComuns(TResultadoLocacao& r, const TImagens& im, std::int32_t estreitas, std::int32_t faixasPlanas);

} // namespace vastrel::locacao
