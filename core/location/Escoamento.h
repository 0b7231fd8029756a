#pragma once
// The strips of terrace lines by the flow of the water: every cell follows
// its drainage direction down until its path crosses a line, and belongs to
// the first line crossed.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vastrel {

// Per cell (row-major): 1 + the index of the first line its flow path
// crosses going down, 0 when the path ends (leaves the land or stays in a
// pit) without crossing one, −1 for a cell without data. `dado(i)` tells a
// cell with data; `fim(i)` a cell whose water goes no further; `seguinte(i)`
// the cell it drains to; `cruza(i, j)` the line the step from i to j
// crosses first, or −1. Each cell is walked once: the cells of a path take
// the label found at its end.
template <class Dado, class Fim, class Seguinte, class Cruza>
std::vector<std::int32_t> FaixasPorEscoamento(std::size_t n, Dado dado, Fim fim, Seguinte seguinte, Cruza cruza)
{
    constexpr std::int32_t kDesconhecida = -3;
    std::vector<std::int32_t> faixa(n, kDesconhecida);
    std::vector<std::uint32_t> caminho;
    for (std::size_t c0 = 0; c0 < n; ++c0) {
        if (!dado(c0)) {
            faixa[c0] = -1;
            continue;
        }
        caminho.clear();
        std::size_t x = c0;
        while (faixa[x] == kDesconhecida) {
            if (fim(x)) {
                faixa[x] = 0;
                break;
            }
            const std::size_t y = seguinte(x);
            const std::int32_t t = cruza(x, y);
            if (t >= 0) {
                faixa[x] = t + 1;
                break;
            }
            caminho.push_back(static_cast<std::uint32_t>(x));
            x = y;
        }
        for (const std::uint32_t y : caminho)
            faixa[y] = faixa[x];
    }
    return faixa;
}

} // namespace vastrel
