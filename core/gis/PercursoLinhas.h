#pragma once
// The row-streaming driver shared by the slope map and the filters. The
// input image (a file read row by row, or a loaded image) passes through
// three row buffers (the row above, the current
// row and the row below), each padded with one cell on either side:
//
//     acima:   [0] nw  n  ne ... [n+1]
//     atual:   [0]  w  c  e  ... [n+1]
//     abaixo:  [0] sw  s  se ... [n+1]
//
// The padding cells, and the rows above the first and below the last, hold
// 0: a neighbour outside the image is a cell without data, the one edge
// and no-data policy of every kernel. A kernel is a function of the 3 × 3
// window (TJanela3x3) giving the output cell.

#include "gis/Declividade.h"
#include "gis/LinhasRaster.h"
#include "gis/ErrosGis.h"
#include "gis/MemoryRaster.h"
#include "gis/Progresso.h"

#include "common/Exceptions.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vastrel::gis::detalhe {

// The no-data policy of every kernel, on the bits of the value so that the
// cells of a row compile to vector integer operations (a floating-point
// comparison or selection would keep the compiler from computing cells
// side by side): 1 for a cell with data, any value but 0 (either sign of
// zero); 0 for a cell without data.
inline std::int32_t ComDados(float v)
{
    return static_cast<std::int32_t>(((std::bit_cast<std::uint32_t>(v) & 0x7fffffffu) + 0x7fffffffu) >> 31);
}

// v when `manter` is 1, +0 when it is 0.
inline float SoSe(std::int32_t manter, float v)
{
    return std::bit_cast<float>(std::bit_cast<std::int32_t>(v) & -manter);
}

// The larger of two values that are not negative (their bit patterns sort
// as the values do).
inline float MaiorNaoNegativo(float a, float b)
{
    return std::bit_cast<float>(std::max(std::bit_cast<std::int32_t>(a), std::bit_cast<std::int32_t>(b)));
}

// True when every one of the n values is a finite number.
inline bool LinhaFinita(const float* v, std::size_t n)
{
    std::uint32_t naoFinito = 0;
    for (std::size_t i = 0; i < n; ++i)
        naoFinito |= static_cast<std::uint32_t>((std::bit_cast<std::uint32_t>(v[i]) & 0x7f800000u) == 0x7f800000u);
    return naoFinito == 0;
}

// Extremes of an output image over its cells with data, its ValorMin and
// ValorMax (both 0 when no cell has data).
struct TExtremos {
    float Min = 0, Max = 0;
};

// Runs `kernel` over every cell of the image read from `entrada` and writes
// the output rows to `saida`, north first; returns the extremes of the
// output. Progress is reported, pending window events run and the stop flag
// is looked at every few rows (about every 64 Ki cells), the fraction going
// from `inicio` to `inicio + fracao`.
template <class Kernel>
TExtremos PercorrerLinhas(TFonteLinhas& entrada, TDestinoLinhas& saida, Kernel kernel,
                          const TProgressoGis& progresso, double inicio, double fracao, const std::string& etapa)
{
    const std::int32_t linhas = entrada.Cabecalho().Linhas;
    const std::int32_t colunas = entrada.Cabecalho().Colunas;
    if (linhas <= 0 || colunas <= 0)
        throw EArquivoGis("A imagem não tem células.");
    const auto n = static_cast<std::size_t>(colunas);

    std::vector<float> b0(n + 2, 0.0f), b1(n + 2, 0.0f), b2(n + 2, 0.0f), resultado(n);
    float* acima = b0.data();
    float* atual = b1.data();
    float* abaixo = b2.data();

    auto lerLinha = [&](std::int32_t linha, float* destino) {
        if (linha >= linhas) {
            std::fill(destino + 1, destino + 1 + n, 0.0f);
            return;
        }
        entrada.Ler(linha, destino + 1);
        if (!LinhaFinita(destino + 1, n))
            throw EArquivoGis("A imagem contém valores inválidos (não numéricos ou infinitos) na linha " +
                              std::to_string(linha + 1) + ".");
    };

    lerLinha(0, atual);
    lerLinha(1, abaixo);

    const std::int32_t passo = static_cast<std::int32_t>(std::max<std::size_t>(1, 65536 / n));
    TExtremos ext;
    bool comDados = false;
    for (std::int32_t linha = 0; linha < linhas; ++linha) {
        for (std::size_t i = 0; i < n; ++i) {
            const TJanela3x3 j{acima[i],  acima[i + 1],  acima[i + 2],
                               atual[i],  atual[i + 1],  atual[i + 2],
                               abaixo[i], abaixo[i + 1], abaixo[i + 2]};
            resultado[i] = kernel(j);
        }
        if (!LinhaFinita(resultado.data(), n))
            throw EMathError("Estouro numérico no cálculo da linha " + std::to_string(linha + 1) + " da imagem.");
        // The extremes of the cells with data: a 0 marks a cell without
        // data, and an elevation raster whose header read 0 as its lowest
        // elevation would be drawn and read from 0.
        for (std::size_t i = 0; i < n; ++i) {
            const float v = resultado[i];
            if (v == 0)
                continue;
            ext.Min = comDados ? std::min(ext.Min, v) : v;
            ext.Max = comDados ? std::max(ext.Max, v) : v;
            comDados = true;
        }
        saida.Gravar(linha, resultado.data());

        // Shift the window one row down: the current row becomes the upper
        // one, the lower one the current, and the next row is read.
        std::swap(acima, atual);
        std::swap(atual, abaixo);
        lerLinha(linha + 2, abaixo);

        if ((linha + 1) % passo == 0 || linha + 1 == linhas)
            PontoDeControle(progresso, inicio + fracao * (linha + 1) / linhas, etapa);
    }
    return ext;
}

// The kernel run over a loaded image into a new real image with its header.
template <class Kernel>
TMemoryRaster PercorrerImagem(const TMemoryRaster& entrada, const std::string& titulo, Kernel kernel,
                              const TProgressoGis& progresso, double inicio, double fracao, const std::string& etapa)
{
    TMemoryRaster saida;
    static_cast<TCabecalhoRaster&>(saida) = CabecalhoDeSaida(entrada, titulo);
    saida.AlocarCelulas();
    TFonteMemoria fonte(entrada);
    TDestinoMemoria destino(saida);
    const TExtremos e = PercorrerLinhas(fonte, destino, kernel, progresso, inicio, fracao, etapa);
    saida.ValorMin = e.Min;
    saida.ValorMax = e.Max;
    return saida;
}

} // namespace vastrel::gis::detalhe
