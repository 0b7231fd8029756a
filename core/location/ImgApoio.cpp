#include "location/ImgApoio.h"

#include "common/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vastrel {

namespace {

constexpr std::uint8_t CodigoRestaurado(std::uint8_t c)
{
    const int d = c / 10, u = c % 10;
    if (d != 0 && u == 0)
        return 0;
    if (d != 1 && u == 1)
        return kApoioAberto;
    return c;
}

constexpr std::uint8_t CodigoConsolidado(std::uint8_t c)
{
    const int d = c / 10, u = c % 10;
    if ((d == 0 && u != 0) || d == 3)
        return 0;
    return c;
}

// The new code of every code, so that a cycle rewrites each touched cell
// with one load.
template <std::uint8_t (*Regra)(std::uint8_t)>
constexpr std::array<std::uint8_t, 256> TabelaDeCodigos()
{
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[static_cast<std::size_t>(c)] = Regra(static_cast<std::uint8_t>(c));
    return t;
}
constexpr std::array<std::uint8_t, 256> kRestaurado = TabelaDeCodigos<CodigoRestaurado>();
constexpr std::array<std::uint8_t, 256> kConsolidado = TabelaDeCodigos<CodigoConsolidado>();

// Reals from this magnitude on are rounded only to report that they do not
// fit (RoundHalfEven raises from 2^63 on).
constexpr double kMaiorArredondavel = 9.0e18;

bool PrecisaLembrar(std::uint8_t c) { return c != kApoioFechado && c != kApoioAberto; }

} // namespace

TImgApoio::TImgApoio(const TMatrixSingle& elevacao)
{
    SetUnidade(elevacao.GetUnidade());
    SetColunas(elevacao.Colunas());
    SetLinhas(elevacao.Linhas());
    XMin = elevacao.XMin;
    YMin = elevacao.YMin;
    ResX = elevacao.ResX;
    ResY = elevacao.ResY;
    ValorMax = 31;
    ValorMin = 0;
    const std::vector<float>& e = elevacao.Celulas();
    for (std::size_t k = 0; k < celulas_.size(); ++k)
        celulas_[k] = e[k] != 0 ? kApoioAberto : kApoioFechado;
}

void TImgApoio::Lembrar(std::int64_t indice)
{
    auto& flag = lembrada_[static_cast<std::size_t>(indice)];
    if (!flag) {
        flag = 1;
        tocadas_.push_back(indice);
    }
}

void TImgApoio::SetLinhas(std::int32_t n)
{
    TMatrixByte::SetLinhas(n);
    Relembrar();
}

void TImgApoio::SetColunas(std::int32_t n)
{
    TMatrixByte::SetColunas(n);
    Relembrar();
}

void TImgApoio::Relembrar()
{
    tocadas_.clear();
    lembrada_.assign(celulas_.size(), 0);
    for (std::size_t k = 0; k < celulas_.size(); ++k)
        if (PrecisaLembrar(celulas_[k]))
            Lembrar(static_cast<std::int64_t>(k));
}

void TImgApoio::SetValor(std::int32_t lin, std::int32_t col, std::uint8_t codigo)
{
    if (!Dentro(lin, col))
        return;
    const std::int64_t k = Indice(lin, col);
    celulas_[static_cast<std::size_t>(k)] = codigo;
    if (PrecisaLembrar(codigo))
        Lembrar(k);
}

template <class F>
void TImgApoio::ParaCadaTocada(F&& f) const
{
    if (VarreduraCompleta) {
        for (std::size_t k = 0; k < celulas_.size(); ++k)
            f(static_cast<std::int64_t>(k));
    } else {
        for (const std::int64_t k : tocadas_)
            f(k);
    }
}

void TImgApoio::Esquecer()
{
    for (const std::int64_t k : tocadas_)
        lembrada_[static_cast<std::size_t>(k)] = 0;
    tocadas_.clear();
}

void TImgApoio::Reescrever(const std::array<std::uint8_t, 256>& tabela)
{
    if (VarreduraCompleta) {
        for (std::uint8_t& c : celulas_)
            c = tabela[c];
        Esquecer();
        return;
    }
    for (const std::int64_t k : tocadas_) {
        const auto i = static_cast<std::size_t>(k);
        celulas_[i] = tabela[celulas_[i]];
        lembrada_[i] = 0;
    }
    tocadas_.clear();
}

void TImgApoio::Restaurar() { Reescrever(kRestaurado); }

void TImgApoio::Consolidar() { Reescrever(kConsolidado); }

template <class F>
void TImgApoio::CelulasDaLinha(const TLinha& linha, F&& f) const
{
    bool temAnterior = false;
    std::int64_t linAnt = 0, colAnt = 0;
    for (const TPonto& p : linha) {
        const std::int64_t lin = RoundHalfEven(p.Y);
        const std::int64_t col = RoundHalfEven(p.X);
        if (temAnterior) {
            // Cells between two points that fall on cells not touching each
            // other, stepping at most one row and one column at a time.
            const std::int64_t dl = lin - linAnt, dc = col - colAnt;
            const std::int64_t n = std::max(std::llabs(dl), std::llabs(dc));
            for (std::int64_t k = 1; k < n; ++k) {
                const std::int64_t l = linAnt + RoundHalfEven(static_cast<double>(dl * k) / static_cast<double>(n));
                const std::int64_t c = colAnt + RoundHalfEven(static_cast<double>(dc * k) / static_cast<double>(n));
                if (l >= 1 && l <= linhas_ && c >= 1 && c <= colunas_)
                    f(static_cast<std::int32_t>(l), static_cast<std::int32_t>(c));
            }
        }
        if (lin >= 1 && lin <= linhas_ && col >= 1 && col <= colunas_)
            f(static_cast<std::int32_t>(lin), static_cast<std::int32_t>(col));
        linAnt = lin;
        colAnt = col;
        temAnterior = true;
    }
}

void TImgApoio::MarcarLinha(const TLinha& linha, std::uint8_t u)
{
    const auto codigo = static_cast<std::uint8_t>(u % 10);
    CelulasDaLinha(linha, [&](std::int32_t l, std::int32_t c) { SetValor(l, c, codigo); });
}

void TImgApoio::GarantirVisitada() const
{
    if (visitada_.size() != celulas_.size())
        visitada_.assign(celulas_.size(), 0);
}

// Walks breadth first the 4-connected region of cells with a non-zero tens
// digit from the cell `inicio`, calling visitar(k) on each cell until it
// returns true. Every cell flagged on the way is unflagged at the end.
template <class F>
bool TImgApoio::Percorrer(std::int64_t inicio, F&& visitar) const
{
    GarantirVisitada();
    std::vector<std::int64_t>& fila = fila_;
    fila.clear();
    visitada_[static_cast<std::size_t>(inicio)] = 1;
    fila.push_back(inicio);
    bool parou = false;
    for (std::size_t i = 0; i < fila.size(); ++i) {
        const std::int64_t k = fila[i];
        if (visitar(k)) {
            parou = true;
            break;
        }
        const auto l = static_cast<std::int32_t>(k / colunas_) + 1, c = static_cast<std::int32_t>(k % colunas_) + 1;
        static constexpr std::int32_t kDl[4] = {-1, 1, 0, 0};
        static constexpr std::int32_t kDc[4] = {0, 0, 1, -1};
        for (int d = 0; d < 4; ++d) {
            const std::int32_t lv = l + kDl[d], cv = c + kDc[d];
            if (Dezena(cv, lv) == 0)
                continue;
            const auto kv = static_cast<std::size_t>(Indice(lv, cv));
            if (!visitada_[kv]) {
                visitada_[kv] = 1;
                fila.push_back(static_cast<std::int64_t>(kv));
            }
        }
    }
    for (const std::int64_t k : fila)
        visitada_[static_cast<std::size_t>(k)] = 0;
    return parou;
}

bool TImgApoio::Alcanca(std::int32_t col, std::int32_t lin, const TPixel& alvo, const TLinha& barreira) const
{
    if (Dezena(col, lin) == 0 || Dezena(alvo.Col, alvo.Lin) == 0)
        return false;
    GarantirVisitada();
    // Flagged cells: the barrier, then every cell put in a bucket; all are
    // unflagged before returning.
    std::vector<std::int64_t>& flagadas = fila_;
    flagadas.clear();
    const auto flagar = [&](std::int64_t k) {
        auto& v = visitada_[static_cast<std::size_t>(k)];
        if (v)
            return false;
        v = 1;
        flagadas.push_back(k);
        return true;
    };
    CelulasDaLinha(barreira, [&](std::int32_t l, std::int32_t c) { flagar(Indice(l, c)); });

    // Reachability does not depend on the order in which the region is
    // walked, so the walk takes first the cells nearest to the target (a
    // bucket per row-plus-column distance, the last cell put in a bucket
    // taken first): it runs straight for the target and only spreads where a
    // barrier is in the way. The smallest non-empty bucket is `menor`; a
    // cell's neighbours are one closer or one farther, so it only ever
    // steps back by one.
    const std::size_t nBaldes = static_cast<std::size_t>(linhas_) + static_cast<std::size_t>(colunas_);
    if (baldes_.size() < nBaldes)
        baldes_.resize(nBaldes);
    const auto distancia = [&](std::int32_t l, std::int32_t c) {
        return static_cast<std::size_t>(std::abs(l - alvo.Lin) + std::abs(c - alvo.Col));
    };
    const std::int64_t destino = Indice(alvo.Lin, alvo.Col);
    std::size_t menor = distancia(lin, col), maior = menor;
    bool achou = false;
    if (flagar(Indice(lin, col))) { // not on the barrier
        baldes_[menor].push_back(Indice(lin, col));
        while (menor <= maior) {
            std::vector<std::int64_t>& balde = baldes_[menor];
            if (balde.empty()) {
                ++menor;
                continue;
            }
            const std::int64_t k = balde.back();
            balde.pop_back();
            if (k == destino) {
                achou = true;
                break;
            }
            const auto l = static_cast<std::int32_t>(k / colunas_) + 1, c = static_cast<std::int32_t>(k % colunas_) + 1;
            static constexpr std::int32_t kDl[4] = {-1, 1, 0, 0};
            static constexpr std::int32_t kDc[4] = {0, 0, 1, -1};
            for (int d = 0; d < 4; ++d) {
                const std::int32_t lv = l + kDl[d], cv = c + kDc[d];
                if (Dezena(cv, lv) == 0 || !flagar(Indice(lv, cv)))
                    continue;
                const std::size_t dv = distancia(lv, cv);
                baldes_[dv].push_back(Indice(lv, cv));
                menor = std::min(menor, dv);
                maior = std::max(maior, dv);
            }
        }
        for (std::size_t b = 0; b <= maior && b < nBaldes; ++b)
            baldes_[b].clear();
    }
    for (const std::int64_t k : flagadas)
        visitada_[static_cast<std::size_t>(k)] = 0;
    return achou;
}

TPixel TImgApoio::ExtremoDaRegiao(std::int32_t col, std::int32_t lin, const TMatrixSingle& E, int sentido) const
{
    TPixel melhor{-1, -1};
    if (Dezena(col, lin) == 0)
        return melhor;
    float extremo = 0;
    Percorrer(Indice(lin, col), [&](std::int64_t k) {
        const auto l = static_cast<std::int32_t>(k / colunas_) + 1, c = static_cast<std::int32_t>(k % colunas_) + 1;
        const float v = E.GetValor(l, c);
        if (melhor.Col < 0 || (sentido == 0 ? v > extremo : v < extremo)) {
            extremo = v;
            melhor = TPixel{c, l};
        }
        return false;
    });
    // This walk may cover the whole watershed, once per descent: its queue,
    // of the size of the land, is not kept for the short walks of Alcanca.
    std::vector<std::int64_t>().swap(fila_);
    return melhor;
}

std::int64_t TImgApoio::ContarMarcadas() const
{
    std::int64_t n = 0;
    ParaCadaTocada([&](std::int64_t k) {
        if (celulas_[static_cast<std::size_t>(k)] / 10 == 3)
            ++n;
    });
    return n;
}

double TImgApoio::MediaMarcada(const TMatrixSingle& M) const
{
    const std::vector<float>& m = M.Celulas();
    double soma = 0;
    std::int64_t n = 0;
    ParaCadaTocada([&](std::int64_t k) {
        if (celulas_[static_cast<std::size_t>(k)] / 10 == 3) {
            if (static_cast<std::size_t>(k) < m.size())
                soma += m[static_cast<std::size_t>(k)];
            ++n;
        }
    });
    return n > 0 ? soma / static_cast<double>(n) : 0.0;
}

bool TImgApoio::Interior(std::int32_t col, std::int32_t lin) const
{
    for (std::int32_t dl = -1; dl <= 1; ++dl)
        for (std::int32_t dc = -1; dc <= 1; ++dc) {
            if (dl == 0 && dc == 0)
                continue;
            // Outside the image the code reads as 0.
            if (Dezena(col + dc, lin + dl) == 0)
                return false;
        }
    return true;
}

namespace {

// The level between the elevation v of a cell and w of its neighbour, or on v.
bool CruzaNivel(float v, float w, float T) { return v == T || (v < T && T <= w) || (w <= T && T < v); }

// Both digits non-zero.
bool CodigoAberto(std::uint8_t c) { return c / 10 != 0 && c % 10 != 0; }

} // namespace

bool TImgApoio::Atravessa(std::int32_t col, std::int32_t lin, const TMatrixSingle& E, float T) const
{
    const float v = E.GetValor(lin, col);
    if (v == 0)
        return false;
    static constexpr std::int32_t kDl[4] = {-1, 1, 0, 0};
    static constexpr std::int32_t kDc[4] = {0, 0, 1, -1};
    for (int i = 0; i < 4; ++i) {
        const std::int32_t c = col + kDc[i], l = lin + kDl[i];
        if (CruzaNivel(v, E.GetValor(l, c), T) && Aberto(c, l))
            return true;
    }
    return false;
}

bool TImgApoio::AtravessaNaGrade(std::size_t i, const std::vector<float>& e, float T) const
{
    const float v = e[i];
    if (v == 0)
        return false;
    const auto C = static_cast<std::size_t>(colunas_);
    const std::size_t col = i % C;
    const auto cruza = [&](std::size_t j) { return CruzaNivel(v, e[j], T) && CodigoAberto(celulas_[j]); };
    return (i >= C && cruza(i - C)) || (i + C < celulas_.size() && cruza(i + C)) || (col + 1 < C && cruza(i + 1)) ||
           (col > 0 && cruza(i - 1));
}

void TImgApoio::Inundar(std::int32_t col, std::int32_t lin)
{
    // A fill never starts on a closed cell: it could not mark it, and its
    // seed would never be settled.
    if (Dezena(col, lin) == 0)
        return;
    // Every seed lies inside the image, and so does every cell a pass
    // reaches, so the cells are read by index; a tens digit other than 0 is
    // a code of 10 or more.
    std::uint8_t* const cel = celulas_.data();
    const auto C = static_cast<std::size_t>(colunas_);
    std::vector<TPixel>& sementes = sementes_;
    sementes.assign(1, TPixel{col, lin});
    std::size_t primeira = 0;
    const auto semear = [&](std::size_t k, std::int32_t c, std::int32_t l) {
        const int d = cel[k] / 10;
        if (d != 0 && d != 3)
            sementes.push_back(TPixel{c, l});
    };
    const auto marcar = [&](std::size_t k, std::int32_t c, std::int32_t r) {
        cel[k] = kApoioMarcado;
        Lembrar(static_cast<std::int64_t>(k));
        if (r - 1 >= 1)
            semear(k - C, c, r - 1);
        if (r + 1 <= linhas_)
            semear(k + C, c, r + 1);
    };
    const auto indice = [&](const TPixel& p) { return static_cast<std::size_t>(Indice(p.Lin, p.Col)); };
    while (primeira < sementes.size()) {
        const TPixel s = sementes[primeira];
        const std::size_t inicio = indice(s);
        // Eastward from the seed, then westward from the cell before it;
        // both passes walk on through cells already marked.
        for (std::int32_t pos = s.Col; cel[inicio + static_cast<std::size_t>(pos - s.Col)] >= 10; ++pos) {
            marcar(inicio + static_cast<std::size_t>(pos - s.Col), pos, s.Lin);
            if (pos + 1 > colunas_)
                break;
        }
        if (s.Col - 1 >= 1)
            for (std::int32_t pos = s.Col - 1; cel[inicio - static_cast<std::size_t>(s.Col - pos)] >= 10; --pos) {
                marcar(inicio - static_cast<std::size_t>(s.Col - pos), pos, s.Lin);
                if (pos - 1 < 1)
                    break;
            }
        // Seeds whose cell is marked are settled for good, so dropping them
        // from the front as they come keeps the order of a full rescan.
        ++primeira;
        while (primeira < sementes.size() && cel[indice(sementes[primeira])] == kApoioMarcado)
            ++primeira;
    }
}

void TImgApoio::BuscarNivel(std::int32_t col, std::int32_t lin, int sentido, TPixelS& pixel,
                            const TMatrixSingle& E, float T, const std::function<bool(const TPixel&)>& aceitar)
{
    const auto alem = [&](std::int32_t c, std::int32_t l) {
        const float v = E.GetValor(l, c);
        return v != 0 && (sentido == 0 ? v > T : v < T);
    };
    // A contour can start from the cell found: open, away from barriers,
    // and straddling the level with a neighbour.
    const auto aceitavel = [&](std::int32_t c, std::int32_t l) {
        return Aberto(c, l) && Interior(c, l) && Atravessa(c, l, E, T) && (!aceitar || aceitar(TPixel{c, l}));
    };

    std::vector<TPixel> sementes{TPixel{col, lin}};
    std::size_t primeira = 0;
    std::vector<std::int64_t> visitadas;
    bool achou = false;
    TPixel achada;

    while (primeira < sementes.size() && !achou) {
        const TPixel s = sementes[primeira];
        if (alem(s.Col, s.Lin) && aceitavel(s.Col, s.Lin)) {
            achou = true;
            achada = s;
            break;
        }
        for (const int passo : {1, -1}) {
            std::int32_t pos = passo > 0 ? s.Col : s.Col - 1;
            if (pos < 1)
                continue;
            while (!achou && Aberto(pos, s.Lin)) {
                // The search's own marks are undone before it returns, so
                // they are written without being remembered.
                const std::int64_t k = Indice(s.Lin, pos);
                visitadas.push_back(k);
                celulas_[static_cast<std::size_t>(k)] = kApoioMarcado;
                if (s.Lin - 1 >= 1 && Codigo(pos, s.Lin - 1) == kApoioAberto)
                    sementes.push_back(TPixel{pos, s.Lin - 1});
                if (s.Lin + 1 <= linhas_ && Codigo(pos, s.Lin + 1) == kApoioAberto)
                    sementes.push_back(TPixel{pos, s.Lin + 1});
                const std::int32_t proxima = pos + passo;
                if (proxima < 1 || proxima > colunas_)
                    break;
                const std::int32_t anterior = pos;
                pos = proxima;
                if (alem(pos, s.Lin)) {
                    // Of the two cells beside the crossing, the one whose
                    // elevation is nearer to the level.
                    const double dAnt = std::fabs(static_cast<double>(T) - E.GetValor(s.Lin, anterior));
                    const double dNova = std::fabs(static_cast<double>(T) - E.GetValor(s.Lin, pos));
                    const std::int32_t candidata = dAnt < dNova ? anterior : pos;
                    if (aceitavel(candidata, s.Lin)) {
                        achou = true;
                        achada = TPixel{candidata, s.Lin};
                    }
                }
            }
            if (achou)
                break;
        }
        ++primeira;
        while (primeira < sementes.size() && (Dezena(sementes[primeira].Col, sementes[primeira].Lin) == 3 ||
                                               Dezena(sementes[primeira].Col, sementes[primeira].Lin) == 0))
            ++primeira;
    }

    for (const std::int64_t k : visitadas)
        celulas_[static_cast<std::size_t>(k)] = kApoioAberto;
    if (achou) {
        pixel.Col = achada.Col;
        pixel.Lin = achada.Lin;
        pixel.Valor = E.GetValor(achada.Lin, achada.Col);
    } else {
        pixel.Col = -1;
        pixel.Lin = -1;
    }
}

bool TImgApoio::CandidataEnclave(std::size_t i, const TNivelEnclave& n, const TMatrixSingle& E,
                                 const std::vector<float>* desnivel) const
{
    const std::vector<float>& e = E.Celulas();
    const bool mesmaGrade = E.Linhas() == linhas_ && E.Colunas() == colunas_;
    // Two reals that round to the same integer lie within 1 of each other,
    // so only elevations within a centimetre of the level (or too large to
    // round, which must still be reported) are rounded.
    const double x = static_cast<double>(e[i]) * 100;
    if ((std::fabs(x - n.Q100) <= 1 || !(std::fabs(x) < kMaiorArredondavel)) && RoundHalfEven(x) == n.Alvo)
        return true;
    // v < T ≤ w gives T − v ≤ w − v, and v > T ≥ w gives v − T ≤ v − w;
    // rounding keeps both, so a level farther than the steepest edge
    // crosses none.
    if (desnivel && mesmaGrade && desnivel->size() == e.size() &&
        std::fabs(static_cast<double>(e[i]) - static_cast<double>(n.T)) > static_cast<double>((*desnivel)[i]))
        return false;
    if (mesmaGrade)
        return AtravessaNaGrade(i, e, n.T);
    const auto C = static_cast<std::size_t>(colunas_);
    return Atravessa(static_cast<std::int32_t>(i % C) + 1, static_cast<std::int32_t>(i / C) + 1, E, n.T);
}

std::vector<TPixel> TImgApoio::CandidatosEnclave(double q, const TMatrixSingle& E,
                                                 const std::vector<float>* desnivel) const
{
    const TNivelEnclave n{q * 100, RoundHalfEven(q * 100), static_cast<float>(q)};
    const std::vector<float>& e = E.Celulas();
    std::vector<std::int64_t> indices;
    ParaCadaTocada([&](std::int64_t k) {
        const auto i = static_cast<std::size_t>(k);
        if (celulas_[i] / 10 == 3 && i < e.size() && CandidataEnclave(i, n, E, desnivel))
            indices.push_back(k);
    });
    std::sort(indices.begin(), indices.end());
    std::vector<TPixel> r;
    r.reserve(indices.size());
    for (const std::int64_t k : indices)
        r.push_back(TPixel{static_cast<std::int32_t>(k % colunas_) + 1, static_cast<std::int32_t>(k / colunas_) + 1});
    return r;
}

std::vector<float> DesnivelMaximo(const TMatrixSingle& E)
{
    const std::vector<float>& e = E.Celulas();
    const auto C = static_cast<std::size_t>(E.Colunas());
    std::vector<float> d(e.size(), 0.0f);
    for (std::size_t i = 0; i < e.size(); ++i) {
        const double v = e[i];
        double maior = 0;
        const auto considerar = [&](std::size_t j) { maior = std::max(maior, std::fabs(v - static_cast<double>(e[j]))); };
        if (i >= C)
            considerar(i - C);
        if (i + C < e.size())
            considerar(i + C);
        if (i % C + 1 < C)
            considerar(i + 1);
        if (i % C > 0)
            considerar(i - 1);
        float f = static_cast<float>(maior);
        if (static_cast<double>(f) < maior)
            f = std::nextafter(f, std::numeric_limits<float>::infinity());
        d[i] = f;
    }
    return d;
}

// ---------------------------------------------------------------------------
// TImgDeclive

double TImgDeclive::MediaDeclividade(std::int64_t& n) const
{
    double soma = 0;
    n = 0;
    for (const float v : celulas_)
        if (v != 0) {
            soma += v;
            ++n;
        }
    return n > 0 ? soma / static_cast<double>(n) : 0.0;
}

} // namespace vastrel
