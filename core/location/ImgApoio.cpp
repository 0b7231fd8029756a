#include "location/ImgApoio.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vastrel {

namespace {

std::uint8_t CodigoRestaurado(std::uint8_t c)
{
    const int d = c / 10, u = c % 10;
    if (d != 0 && u == 0)
        return 0;
    if (d != 1 && u == 1)
        return kApoioAberto;
    return c;
}

std::uint8_t CodigoConsolidado(std::uint8_t c)
{
    const int d = c / 10, u = c % 10;
    if ((d == 0 && u != 0) || d == 3)
        return 0;
    return c;
}

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

void TImgApoio::Restaurar()
{
    ParaCadaTocada([this](std::int64_t k) {
        auto& c = celulas_[static_cast<std::size_t>(k)];
        c = CodigoRestaurado(c);
    });
    Esquecer();
}

void TImgApoio::Consolidar()
{
    ParaCadaTocada([this](std::int64_t k) {
        auto& c = celulas_[static_cast<std::size_t>(k)];
        c = CodigoConsolidado(c);
    });
    Esquecer();
}

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

// Walks breadth first the 4-connected region of cells with a non-zero tens
// digit from the cell `inicio`, calling visitar(k) on each cell until it
// returns true. Cells already in `fila` are barriers, not entered. Every
// cell flagged on the way, barriers included, is unflagged at the end.
template <class F>
bool TImgApoio::Percorrer(std::int64_t inicio, std::vector<std::int64_t>& fila, F&& visitar) const
{
    const std::size_t barreiras = fila.size();
    const auto inicioU = static_cast<std::size_t>(inicio);
    if (!visitada_[inicioU]) {
        visitada_[inicioU] = 1;
        fila.push_back(inicio);
    }
    bool parou = false;
    for (std::size_t i = barreiras; i < fila.size(); ++i) {
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
    if (visitada_.size() != celulas_.size())
        visitada_.assign(celulas_.size(), 0);
    std::vector<std::int64_t> fila;
    CelulasDaLinha(barreira, [&](std::int32_t l, std::int32_t c) {
        const auto k = static_cast<std::size_t>(Indice(l, c));
        if (!visitada_[k]) {
            visitada_[k] = 1;
            fila.push_back(static_cast<std::int64_t>(k));
        }
    });
    const std::int64_t inicio = Indice(lin, col);
    if (visitada_[static_cast<std::size_t>(inicio)]) { // the start lies on the barrier
        for (const std::int64_t k : fila)
            visitada_[static_cast<std::size_t>(k)] = 0;
        return false;
    }
    const std::int64_t destino = Indice(alvo.Lin, alvo.Col);
    return Percorrer(inicio, fila, [&](std::int64_t k) { return k == destino; });
}

TPixel TImgApoio::ExtremoDaRegiao(std::int32_t col, std::int32_t lin, const TMatrixSingle& E, int sentido) const
{
    TPixel melhor{-1, -1};
    if (Dezena(col, lin) == 0)
        return melhor;
    if (visitada_.size() != celulas_.size())
        visitada_.assign(celulas_.size(), 0);
    std::vector<std::int64_t> fila;
    float extremo = 0;
    Percorrer(Indice(lin, col), fila, [&](std::int64_t k) {
        const auto l = static_cast<std::int32_t>(k / colunas_) + 1, c = static_cast<std::int32_t>(k % colunas_) + 1;
        const float v = E.GetValor(l, c);
        if (melhor.Col < 0 || (sentido == 0 ? v > extremo : v < extremo)) {
            extremo = v;
            melhor = TPixel{c, l};
        }
        return false;
    });
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

bool TImgApoio::Atravessa(std::int32_t col, std::int32_t lin, const TMatrixSingle& E, float T) const
{
    const float v = E.GetValor(lin, col);
    if (v == 0)
        return false;
    static constexpr std::int32_t kDl[4] = {-1, 1, 0, 0};
    static constexpr std::int32_t kDc[4] = {0, 0, 1, -1};
    for (int i = 0; i < 4; ++i) {
        const std::int32_t c = col + kDc[i], l = lin + kDl[i];
        if (!Aberto(c, l))
            continue;
        const float w = E.GetValor(l, c);
        if (v == T || (v < T && T <= w) || (w <= T && T < v))
            return true;
    }
    return false;
}

void TImgApoio::Inundar(std::int32_t col, std::int32_t lin)
{
    // A fill never starts on a closed cell: it could not mark it, and its
    // seed would never be settled.
    if (Dezena(col, lin) == 0)
        return;
    std::vector<TPixel> sementes{TPixel{col, lin}};
    std::size_t primeira = 0;
    const auto semear = [&](std::int32_t c, std::int32_t l) {
        const int d = Dezena(c, l);
        if (d != 0 && d != 3)
            sementes.push_back(TPixel{c, l});
    };
    const auto marcar = [&](std::int32_t c, std::int32_t r) {
        SetValor(r, c, kApoioMarcado);
        if (r - 1 >= 1)
            semear(c, r - 1);
        if (r + 1 <= linhas_)
            semear(c, r + 1);
    };
    while (primeira < sementes.size()) {
        const TPixel s = sementes[primeira];
        // Eastward from the seed, then westward from the cell before it;
        // both passes walk on through cells already marked.
        for (std::int32_t pos = s.Col; Dezena(pos, s.Lin) != 0; ++pos) {
            marcar(pos, s.Lin);
            if (pos + 1 > colunas_)
                break;
        }
        if (s.Col - 1 >= 1)
            for (std::int32_t pos = s.Col - 1; Dezena(pos, s.Lin) != 0; --pos) {
                marcar(pos, s.Lin);
                if (pos - 1 < 1)
                    break;
            }
        // Seeds whose cell is marked are settled for good, so dropping them
        // from the front as they come keeps the order of a full rescan.
        ++primeira;
        while (primeira < sementes.size() && Codigo(sementes[primeira].Col, sementes[primeira].Lin) == kApoioMarcado)
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

std::vector<TPixel> TImgApoio::CandidatosEnclave(double q, const TMatrixSingle& E) const
{
    const std::int64_t alvo = RoundHalfEven(q * 100);
    const std::vector<float>& e = E.Celulas();
    std::vector<std::int64_t> indices;
    const auto T = static_cast<float>(q);
    ParaCadaTocada([&](std::int64_t k) {
        const auto i = static_cast<std::size_t>(k);
        if (celulas_[i] / 10 != 3 || i >= e.size())
            return;
        if (RoundHalfEven(static_cast<double>(e[i]) * 100) == alvo ||
            Atravessa(static_cast<std::int32_t>(k % colunas_) + 1, static_cast<std::int32_t>(k / colunas_) + 1, E, T))
            indices.push_back(k);
    });
    std::sort(indices.begin(), indices.end());
    std::vector<TPixel> r;
    r.reserve(indices.size());
    for (const std::int64_t k : indices)
        r.push_back(TPixel{static_cast<std::int32_t>(k % colunas_) + 1, static_cast<std::int32_t>(k / colunas_) + 1});
    return r;
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
