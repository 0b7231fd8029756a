#include "gis/Visualizacao.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace vastrel::gis {

namespace {

// Picture coordinates are kept within ±2^24 pixels: far outside any picture,
// yet safe to round and to hand to the painter.
constexpr double kLimiteCoordenada = 16777216.0;
constexpr int kLadoMaximoVetor = 8192;

std::int32_t ArredondarPixel(double x)
{
    if (std::isnan(x))
        return 0;
    return static_cast<std::int32_t>(RoundHalfEven(std::clamp(x, -kLimiteCoordenada, kLimiteCoordenada)));
}

// The fraction of the way from lo to hi, or ½ when there is no way.
double Fracao(double v, double lo, double hi)
{
    const double extensao = hi - lo;
    return extensao != 0 ? (v - lo) / extensao : 0.5;
}

using TMapeamento = std::function<TPontoImagem(float x, float y)>;

// From the first record: consecutive records of one line number make a line.
std::vector<TLinhaImagem> LerLinhas(TVetor& vetor, const TMapeamento& mapear)
{
    std::vector<TLinhaImagem> linhas;
    vetor.IrParaInicio();
    TRegistroVetor r;
    while (vetor.LerRegistro(r)) {
        if (linhas.empty() || linhas.back().Numero != r.NumLinha)
            linhas.push_back({r.NumLinha, {}});
        linhas.back().Pontos.push_back(mapear(r.X, r.Y));
    }
    return linhas;
}

int LadoVetor(std::int64_t lado)
{
    return static_cast<int>(std::clamp<std::int64_t>(lado, kLadoMinimoVetor, kLadoMaximoVetor));
}

} // namespace

// --- Colours ----------------------------------------------------------------

int IndiceCor(double v, double lo, double hi)
{
    if (v == 0 || !std::isfinite(v))
        return kSemCor;
    if (hi == lo)
        return 0;
    const double x = (v - lo) / (hi - lo) * 255;
    if (!std::isfinite(x))
        return kSemCor;
    // Beyond 2^53 every double is a whole number, and fmod is exact.
    const double inteiro = std::fabs(x) < 9.0e15 ? static_cast<double>(RoundHalfEven(x)) : x;
    double resto = std::fmod(inteiro, 256.0);
    if (resto < 0)
        resto += 256.0;
    return static_cast<int>(resto);
}

std::uint32_t CorArgb(const TPaleta& paleta, int indice)
{
    if (indice < 0 || indice >= kCoresPaleta)
        return kBranco;
    const TCor& c = paleta[static_cast<std::size_t>(indice)];
    return 0xFF000000u | std::uint32_t{c.R} << 16 | std::uint32_t{c.G} << 8 | c.B;
}

void ConstruirImagem(const TMemoryRaster& raster, const TPaleta& paleta, std::uint32_t* destino,
                     std::ptrdiff_t pixelsPorLinha)
{
    const char tipo = raster.TipoCelula;
    if (LarguraCelula(tipo) == 0)
        throw EArquivoGis(std::string("Tipo de dado desconhecido no arquivo raster: ") + tipo + ".");
    const int colunas = std::max(raster.Colunas, 0);
    std::vector<float> linha(static_cast<std::size_t>(colunas));

    // Integer and byte cells take their colour from a table of every value
    // the type can hold; real cells are mapped one by one.
    std::vector<std::uint32_t> tabela;
    if (tipo == 'I' || tipo == 'B') {
        const int menor = tipo == 'I' ? -32768 : 0;
        const int maior = tipo == 'I' ? 32767 : 255;
        const double lo = tipo == 'I' ? raster.ValorMinInteiro : raster.ValorMinByte;
        const double hi = tipo == 'I' ? raster.ValorMaxInteiro : raster.ValorMaxByte;
        tabela.resize(static_cast<std::size_t>(maior - menor + 1));
        for (int v = menor; v <= maior; ++v)
            tabela[static_cast<std::size_t>(v - menor)] = CorArgb(paleta, IndiceCor(v, lo, hi));
        for (std::int32_t l = 0; l < raster.Linhas; ++l) {
            raster.LerLinhaComoReal(l, linha.data());
            std::uint32_t* saida = destino + l * pixelsPorLinha;
            for (int c = 0; c < colunas; ++c)
                saida[c] = tabela[static_cast<std::size_t>(static_cast<int>(linha[static_cast<std::size_t>(c)]) - menor)];
        }
        return;
    }
    const double lo = raster.ValorMin, hi = raster.ValorMax;
    for (std::int32_t l = 0; l < raster.Linhas; ++l) {
        raster.LerLinhaComoReal(l, linha.data());
        std::uint32_t* saida = destino + l * pixelsPorLinha;
        for (int c = 0; c < colunas; ++c)
            saida[c] = CorArgb(paleta, IndiceCor(linha[static_cast<std::size_t>(c)], lo, hi));
    }
}

// --- Zoom and sizes -----------------------------------------------------------

int ZoomMais(int zoom)
{
    return std::min(zoom < 100 ? zoom + 25 : zoom + 50, kZoomMaximo);
}

int ZoomMenos(int zoom)
{
    return std::max(zoom > 100 ? zoom - 50 : zoom - 25, kZoomMinimo);
}

int TamanhoExibido(int tamanho, int zoom)
{
    return static_cast<int>(RoundHalfEven(static_cast<double>(tamanho) * zoom / 100.0));
}

TTamanho TamanhoJanela(const TGeometriaJanela& g)
{
    TTamanho t;
    if (g.Exibido.Largura < g.ClientePrincipal.Largura)
        t.Largura = g.Exibido.Largura + g.Moldura.Largura;
    else
        t.Largura = g.ClientePrincipal.Largura - g.PX;
    if (g.Exibido.Altura < g.ClientePrincipal.Altura - g.PY)
        t.Altura = g.Exibido.Altura + g.Moldura.Altura;
    else
        t.Altura = g.ClientePrincipal.Altura - g.PY - (g.SoVetor ? 0 : 14);
    // Room at least for the frame and a little of the picture.
    t.Largura = std::max(t.Largura, g.Moldura.Largura + 1);
    t.Altura = std::max(t.Altura, g.Moldura.Altura + 1);
    return t;
}

// --- Pointer and value probe -------------------------------------------------

TCelula CelulaSobPonteiro(int x, int y, int rolagemX, int rolagemY, int zoom)
{
    if (zoom <= 0)
        zoom = 100;
    return {static_cast<int>((static_cast<std::int64_t>(x) + rolagemX) * 100 / zoom),
            static_cast<int>((static_cast<std::int64_t>(y) + rolagemY) * 100 / zoom)};
}

std::optional<TCoordenadas> CoordenadasRaster(const TCabecalhoRaster& raster, TCelula c)
{
    if (raster.Colunas <= 0 || raster.Linhas <= 0 || c.Coluna < 0 || c.Linha < 0 ||
        c.Coluna > raster.Colunas || c.Linha > raster.Linhas)
        return std::nullopt;
    const double xmin = raster.XMin, xmax = raster.XMax, ymin = raster.YMin, ymax = raster.YMax;
    return TCoordenadas{(xmax - xmin) / raster.Colunas * c.Coluna + xmin,
                        ymax - (ymax - ymin) / raster.Linhas * c.Linha};
}

std::optional<TCoordenadas> CoordenadasVetor(const TVetor& vetor, TCelula c, TTamanho exibido)
{
    if (exibido.Largura <= 0 || exibido.Altura <= 0 || c.Coluna < 0 || c.Linha < 0 ||
        c.Coluna > exibido.Largura || c.Linha > exibido.Altura)
        return std::nullopt;
    const double xmin = vetor.XMin, xmax = vetor.XMax, ymin = vetor.YMin, ymax = vetor.YMax;
    return TCoordenadas{xmin + (xmax - xmin) / exibido.Largura * c.Coluna,
                        ymax - (ymax - ymin) / exibido.Altura * c.Linha};
}

std::string ValorCelula(const TMemoryRaster& raster, TCelula c)
{
    if (c.Coluna < 0 || c.Linha < 0 || c.Coluna >= raster.Colunas || c.Linha >= raster.Linhas)
        return {};
    const std::int64_t k = static_cast<std::int64_t>(c.Linha) * raster.Colunas + c.Coluna;
    switch (raster.TipoCelula) {
    case 'R':
        return FormatoGeral(raster.LerCelulaReal(k), 7);
    case 'I':
        return std::to_string(raster.LerCelulaInteira(k));
    case 'B':
        return std::to_string(raster.LerCelulaByte(k));
    default:
        return {};
    }
}

std::string FormatoGeral(double valor, int digitos)
{
    if (std::isnan(valor))
        return "NAN";
    if (std::isinf(valor))
        return valor < 0 ? "-INF" : "INF";
    return FormatGeneral(valor, digitos);
}

// --- Vector lines -------------------------------------------------------------

std::vector<TLinhaImagem> LinhasSobreRaster(TVetor& vetor, const TCabecalhoRaster& raster)
{
    const double xmin = raster.XMin, xmax = raster.XMax, ymin = raster.YMin, ymax = raster.YMax;
    const double colunas = raster.Colunas, linhas = raster.Linhas;
    return LerLinhas(vetor, [&](float x, float y) {
        return TPontoImagem{ArredondarPixel(Fracao(x, xmin, xmax) * colunas),
                            ArredondarPixel(linhas - Fracao(y, ymin, ymax) * linhas)};
    });
}

TTamanho TamanhoImagemVetor(const TVetor& vetor, int cw, int ch, int px, int py, int b)
{
    const double f = MetrosPorUnidade(vetor.Unidade) == 1000 ? 1000.0 : 1.0;
    const double dx = static_cast<double>(vetor.XMax) - vetor.XMin;
    const double dy = static_cast<double>(vetor.YMax) - vetor.YMin;
    const double ex = std::fabs(dx) < kLimiteCoordenada ? static_cast<double>(RoundHalfEven(dx)) : dx;
    const double ey = std::fabs(dy) < kLimiteCoordenada ? static_cast<double>(RoundHalfEven(dy)) : dy;
    auto inteiro = [](double v) {
        return std::isfinite(v) ? RoundHalfEven(std::clamp(v, -kLimiteCoordenada, kLimiteCoordenada)) : 0;
    };
    std::int64_t largura = 0, altura = 0;
    if (cw > ex * f && ch > ey * f) {
        largura = inteiro(dx * f) - px;
        altura = inteiro(dy * f) - py - b;
    } else if (cw < ex * f && ch > ey * f) {
        largura = cw - px;
        altura = inteiro(static_cast<double>(largura) * dy / dx);
    } else {
        altura = ch - py - b - 15;
        largura = dy != 0 ? inteiro(static_cast<double>(altura) * dx / dy) : cw - px;
    }
    return {LadoVetor(largura), LadoVetor(altura)};
}

std::vector<TLinhaImagem> LinhasDoVetor(TVetor& vetor, TTamanho imagem)
{
    const double xmin = vetor.XMin, xmax = vetor.XMax, ymin = vetor.YMin, ymax = vetor.YMax;
    const double largura = imagem.Largura, altura = imagem.Altura;
    return LerLinhas(vetor, [&](float x, float y) {
        return TPontoImagem{ArredondarPixel(largura * Fracao(x, xmin, xmax)),
                            static_cast<std::int32_t>(imagem.Altura - ArredondarPixel(altura * Fracao(y, ymin, ymax)))};
    });
}

std::size_t PontoDoRotulo(std::size_t n)
{
    return n >= 2 ? n / 2 - 1 : 0;
}

TEstiloSobreposicao EstiloSobreposicao(int zoom)
{
    if (zoom < 100)
        return {1, 8};
    return {static_cast<int>(RoundHalfEven(zoom / 100.0)), static_cast<int>(RoundHalfEven(zoom * 8 / 100.0))};
}

// --- Saving, printing, properties ----------------------------------------------

std::string ExtensaoArquivo(std::string_view nome)
{
    const std::size_t ponto = nome.find_last_of('.');
    if (ponto == std::string_view::npos)
        return {};
    const std::size_t pasta = nome.find_last_of("/\\:");
    if (pasta != std::string_view::npos && pasta > ponto)
        return {};
    return std::string(nome.substr(ponto));
}

bool GravarComoJpeg(std::string_view nome)
{
    return ExtensaoArquivo(nome) == ".jpg";
}

TTamanho TamanhoImpressao(TTamanho imagem, TTamanho pagina)
{
    const int largura = std::max(pagina.Largura - 50, 1);
    const int altura = std::max(pagina.Altura - 50, 1);
    if (imagem.Largura <= 0 || imagem.Altura <= 0)
        return {0, 0};
    const double proporcao = static_cast<double>(imagem.Largura) / imagem.Altura;
    double l = 0, a = 0;
    if (imagem.Largura < imagem.Altura) {
        a = altura;
        l = a * proporcao;
    } else {
        l = largura;
        a = l / proporcao;
    }
    // The other side must stay on the page too.
    if (l > largura) {
        a *= largura / l;
        l = largura;
    }
    if (a > altura) {
        l *= altura / a;
        a = altura;
    }
    return {static_cast<int>(RoundHalfEven(l)), static_cast<int>(RoundHalfEven(a))};
}

std::string NomeTipoCelula(char tipoCelula)
{
    switch (tipoCelula) {
    case 'R':
        return "Real";
    case 'I':
        return "Inteiro";
    case 'B':
        return "Byte";
    default:
        return std::string(1, tipoCelula);
    }
}

TCoordenadas TamanhoPixel(const TCabecalhoRaster& raster)
{
    const double f = MetrosPorUnidade(raster.Unidade) == 1000 ? 1000.0 : 1.0;
    TCoordenadas t;
    if (raster.Colunas > 0)
        t.X = (static_cast<double>(raster.XMax) - raster.XMin) / raster.Colunas * f;
    if (raster.Linhas > 0)
        t.Y = (static_cast<double>(raster.YMax) - raster.YMin) / raster.Linhas * f;
    return t;
}

} // namespace vastrel::gis
