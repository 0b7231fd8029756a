#include "location/TracadoGradiente.h"

#include "location/Escoamento.h"
#include "common/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace vastrel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The elevation grid read at any point, with its cells' size.
class TTerrenoGrade {
public:
    TTerrenoGrade(const TMatrixSingle& e, double dx, double dy)
        : e_(e.Celulas().data()), R_(e.Linhas()), C_(e.Colunas()), dx_(dx), dy_(dy)
    {
    }

    std::int32_t Linhas() const { return R_; }
    std::int32_t Colunas() const { return C_; }
    double DX() const { return dx_; }
    double DY() const { return dy_; }

    // Bilinear elevation at image coordinates (x, y) (cell centres at whole
    // numbers from 1); NaN when a cell of the square lacks data.
    double Cota(double x, double y) const
    {
        double cx = x - 1, cy = y - 1;
        if (!(cx >= 0 && cy >= 0 && cx <= C_ - 1 && cy <= R_ - 1))
            return kNaN;
        auto c0 = static_cast<std::int32_t>(std::floor(cx));
        auto r0 = static_cast<std::int32_t>(std::floor(cy));
        if (c0 == C_ - 1 && C_ > 1)
            --c0;
        if (r0 == R_ - 1 && R_ > 1)
            --r0;
        const double fx = cx - c0, fy = cy - r0;
        const std::int32_t c1 = std::min(c0 + 1, C_ - 1), r1 = std::min(r0 + 1, R_ - 1);
        // Cells of no weight (a point on a row or column of centres) may
        // lack data.
        const double w[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
        const double z[4] = {At(r0, c0), At(r0, c1), At(r1, c0), At(r1, c1)};
        double soma = 0;
        for (int k = 0; k < 4; ++k) {
            if (w[k] == 0)
                continue;
            if (z[k] == 0)
                return kNaN;
            soma += w[k] * z[k];
        }
        return soma;
    }

    // Whether a cell without data (or the raster's edge) lies within a cell
    // and a half of the point.
    bool NaBorda(const TPonto& p) const
    {
        const auto c0 = static_cast<std::int32_t>(std::floor(p.X)) - 1;
        const auto r0 = static_cast<std::int32_t>(std::floor(p.Y)) - 1;
        for (std::int32_t r = r0 - 1; r <= r0 + 2; ++r)
            for (std::int32_t c = c0 - 1; c <= c0 + 2; ++c)
                if (r < 0 || c < 0 || r >= R_ || c >= C_ || At(r, c) == 0)
                    return true;
        return false;
    }

    // Distance between two points in image coordinates, m.
    double Distancia(const TPonto& a, const TPonto& b) const
    {
        return std::hypot((static_cast<double>(a.X) - b.X) * dx_, (static_cast<double>(a.Y) - b.Y) * dy_);
    }

private:
    double At(std::int32_t r, std::int32_t c) const { return e_[static_cast<std::size_t>(r) * C_ + c]; }
    const float* e_;
    std::int32_t R_, C_;
    double dx_, dy_;
};

std::size_t Receptor(std::size_t i, std::int8_t d, std::int32_t C)
{
    return static_cast<std::size_t>(static_cast<std::int64_t>(i) + static_cast<std::int64_t>(kDirecaoLinha[d]) * C +
                                    kDirecaoColuna[d]);
}

// Cells draining through each cell (itself included), over the drainage
// directions.
std::vector<std::uint32_t> Acumulacao(const std::vector<std::int8_t>& dren, std::int32_t C)
{
    const std::size_t N = dren.size();
    std::vector<std::uint32_t> entram(N, 0), acc(N, 0);
    for (std::size_t i = 0; i < N; ++i)
        if (dren[i] != kDrenagemFim)
            ++entram[Receptor(i, dren[i], C)];
    std::vector<std::uint32_t> fila;
    fila.reserve(N);
    for (std::size_t i = 0; i < N; ++i)
        if (entram[i] == 0)
            fila.push_back(static_cast<std::uint32_t>(i));
    for (std::size_t k = 0; k < fila.size(); ++k) {
        const std::size_t i = fila[k];
        ++acc[i];
        if (dren[i] == kDrenagemFim)
            continue;
        const std::size_t j = Receptor(i, dren[i], C);
        acc[j] += acc[i];
        if (--entram[j] == 0)
            fila.push_back(static_cast<std::uint32_t>(j));
    }
    return acc;
}

// One end of a stretch of level line: an outlet on a drainage line, or
// where the line meets the edge of the land.
struct TFim {
    double S = 0;            // arc position, m
    bool Saida = false;      // an outlet on a drainage line
    std::int64_t Celula = -1;
    std::uint32_t Agua = 0;  // cells draining there
};

// A terrace along a level line: from its outlet to its upstream end.
struct TTrecho {
    double SSaida = 0, SMontante = 0; // arc positions, m
    TFim Saida;                       // the end it drains to
    bool MontanteNaBorda = false;     // its upstream end is where the level line meets the edge
};

// A level line as a polyline with its arc positions and the water that
// crosses it at each vertex.
class TLinhaNivel {
public:
    TLinhaNivel(const TTerracoTracado& t, const TTerrenoGrade& g, const std::vector<std::uint32_t>& acc,
                const std::vector<float>& elev)
        : fechada_(t.Forma != TFormaTerraco::Aberto)
    {
        v_.assign(t.Linha.begin(), t.Linha.end());
        s_.assign(v_.size(), 0);
        for (std::size_t i = 1; i < v_.size(); ++i)
            s_[i] = s_[i - 1] + g.Distancia(v_[i - 1], v_[i]);
        total_ = s_.empty() ? 0 : s_.back() + (fechada_ ? g.Distancia(v_.back(), v_.front()) : 0);
        agua_.assign(v_.size(), 0);
        celula_.assign(v_.size(), -1);
        for (std::size_t i = 0; i < v_.size(); ++i) {
            // The cell that draws most water among the four round the vertex.
            const auto c0 = static_cast<std::int32_t>(std::floor(v_[i].X)) - 1;
            const auto r0 = static_cast<std::int32_t>(std::floor(v_[i].Y)) - 1;
            for (std::int32_t r = r0; r <= r0 + 1; ++r)
                for (std::int32_t c = c0; c <= c0 + 1; ++c) {
                    if (r < 0 || c < 0 || r >= g.Linhas() || c >= g.Colunas())
                        continue;
                    const std::size_t k = static_cast<std::size_t>(r) * g.Colunas() + c;
                    if (elev[k] != 0 && acc[k] > agua_[i]) {
                        agua_[i] = acc[k];
                        celula_[i] = static_cast<std::int64_t>(k);
                    }
                }
        }
    }

    bool Fechada() const { return fechada_; }
    double Total() const { return total_; }
    std::size_t Vertices() const { return v_.size(); }
    double S(std::size_t i) const { return s_[i]; }
    std::uint32_t Agua(std::size_t i) const { return agua_[i]; }

    TFim FimEm(std::size_t i, bool saida) const { return TFim{s_[i], saida, celula_[i], agua_[i]}; }

    // The point at arc position s (taken round a closed line).
    TPonto Ponto(double s) const
    {
        if (fechada_)
            s = Modulo(s);
        if (s <= 0)
            return v_.front();
        const auto it = std::upper_bound(s_.begin(), s_.end(), s);
        const std::size_t j = static_cast<std::size_t>(it - s_.begin());
        const TPonto& a = v_[j - 1];
        const TPonto& b = j < v_.size() ? v_[j] : v_.front();
        const double sb = j < v_.size() ? s_[j] : total_;
        const double f = sb > s_[j - 1] ? (s - s_[j - 1]) / (sb - s_[j - 1]) : 0.0;
        return TPonto{static_cast<float>(a.X + f * (b.X - a.X)), static_cast<float>(a.Y + f * (b.Y - a.Y)), a.Z};
    }

    // The vertices strictly between two arc positions (from < to; on a
    // closed line `to` may pass the total), in order from `from`.
    std::vector<std::size_t> Entre(double de, double ate) const
    {
        std::vector<std::size_t> r;
        const std::size_t n = v_.size();
        for (std::size_t volta = 0; volta < (fechada_ ? 2u : 1u); ++volta)
            for (std::size_t i = 0; i < n; ++i) {
                const double s = s_[i] + static_cast<double>(volta) * total_;
                if (s > de && s < ate)
                    r.push_back(i);
            }
        return r;
    }

    // The polyline from arc position a to b (either order; on a closed
    // line the way that runs forward from a when b > a, and b may pass the
    // total).
    std::vector<TPonto> Trecho(double a, double b) const
    {
        std::vector<TPonto> p;
        const bool inverso = b < a;
        const double de = inverso ? b : a, ate = inverso ? a : b;
        p.push_back(Ponto(de));
        for (const std::size_t i : Entre(de, ate))
            p.push_back(v_[i]);
        p.push_back(Ponto(ate));
        if (inverso)
            std::reverse(p.begin(), p.end());
        return p;
    }

private:
    double Modulo(double s) const
    {
        if (total_ <= 0)
            return 0;
        s = std::fmod(s, total_);
        return s < 0 ? s + total_ : s;
    }
    std::vector<TPonto> v_;
    std::vector<double> s_;
    std::vector<std::uint32_t> agua_;
    std::vector<std::int64_t> celula_;
    double total_ = 0;
    bool fechada_;
};

bool Cortam(const TPonto& a, const TPonto& b, const TPonto& c, const TPonto& d)
{
    const auto orient = [](const TPonto& p, const TPonto& q, const TPonto& s) {
        const double v = (static_cast<double>(q.X) - p.X) * (static_cast<double>(s.Y) - p.Y) -
                         (static_cast<double>(q.Y) - p.Y) * (static_cast<double>(s.X) - p.X);
        return v > 0 ? 1 : v < 0 ? -1 : 0;
    };
    const int o1 = orient(a, b, c), o2 = orient(a, b, d), o3 = orient(c, d, a), o4 = orient(c, d, b);
    return o1 * o2 < 0 && o3 * o4 < 0;
}


// Pairs of polylines (indices, the smaller first) that cross, touching at
// a shared point not counted.
std::vector<std::pair<std::int32_t, std::int32_t>> ParesQueSeCruzam(const std::vector<std::vector<TPonto>>& linhas)
{
    // Segments bucketed by the whole cells their boxes cover.
    std::unordered_map<std::int64_t, std::vector<std::pair<std::uint32_t, std::uint32_t>>> baldes;
    const auto chave = [](std::int64_t x, std::int64_t y) { return (x << 32) ^ (y & 0xffffffff); };
    for (std::size_t k = 0; k < linhas.size(); ++k)
        for (std::size_t j = 0; j + 1 < linhas[k].size(); ++j) {
            const TPonto& a = linhas[k][j];
            const TPonto& b = linhas[k][j + 1];
            for (auto x = static_cast<std::int64_t>(std::floor(std::min(a.X, b.X)));
                 x <= static_cast<std::int64_t>(std::floor(std::max(a.X, b.X))); ++x)
                for (auto y = static_cast<std::int64_t>(std::floor(std::min(a.Y, b.Y)));
                     y <= static_cast<std::int64_t>(std::floor(std::max(a.Y, b.Y))); ++y)
                    baldes[chave(x, y)].push_back({static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(j)});
        }
    std::set<std::pair<std::int32_t, std::int32_t>> pares;
    for (const auto& [_, segs] : baldes)
        for (std::size_t i = 0; i < segs.size(); ++i)
            for (std::size_t j = i + 1; j < segs.size(); ++j) {
                const auto [ka, sa] = segs[i];
                const auto [kb, sb] = segs[j];
                if (ka == kb)
                    continue;
                if (Cortam(linhas[ka][sa], linhas[ka][sa + 1], linhas[kb][sb], linhas[kb][sb + 1]))
                    pares.insert({static_cast<std::int32_t>(std::min(ka, kb)), static_cast<std::int32_t>(std::max(ka, kb))});
            }
    return {pares.begin(), pares.end()};
}

// A terrace placed, before the strips are known.
struct TColocado {
    std::vector<TPonto> P;   // outlet first; Z the bed, m
    double Comprimento = 0;  // m
    std::size_t Linha = 0;   // level line
    std::int32_t Saida = -1;
    std::int32_t Par = -1;   // the terrace it meets at its upstream end
};

class TGradiente {
public:
    TGradiente(const TMatrixSingle& elev, const TOpcoesGradiente& op) : g_(elev, op.DX, op.DY), op_(op), elev_(elev) {}

    TTracadoGradiente Executar(const TMatrixSingle& decl);

private:
    void Dividir(const TLinhaNivel& l, const TFim& a, const TFim& b, double lmax, std::vector<TTrecho>& out) const;
    std::int32_t SaidaDe(std::size_t linha, const TLinhaNivel& l, const TFim& f, double cota);
    bool Colocar(const TLinhaNivel& l, const TTerracoTracado& nivel, const TTrecho& t, std::vector<TPonto>& p) const;
    void ColocarLinha(std::size_t k, const TTerracoTracado& nivel);
    bool Igualar(const TLinhaNivel& l, const TTerracoTracado& nivel, std::vector<TTrecho>& partes,
                 std::vector<std::vector<TPonto>>& pontos) const;
    std::vector<std::int32_t> Faixas(const std::vector<std::int8_t>& dren) const;
    void Montante(const std::vector<std::int8_t>& dren);

    TTerrenoGrade g_;
    const TOpcoesGradiente& op_;
    const TMatrixSingle& elev_;
    std::vector<std::uint32_t> acc_;
    std::uint32_t limiar_ = 0;
    std::vector<TColocado> colocados_;
    std::vector<TSaidaGradiente> saidas_;
    std::map<std::pair<std::size_t, std::int64_t>, std::int32_t> saidaPorPonto_;
    std::int32_t descartados_ = 0;
};

// Splits the stretch between two ends into terraces of at most lmax metres,
// adding an outlet where the most water crosses when needed.
void TGradiente::Dividir(const TLinhaNivel& l, const TFim& a, const TFim& b, double lmax,
                         std::vector<TTrecho>& out) const
{
    const double len = b.S - a.S;
    if (len <= 0)
        return;
    const double meio = (a.S + b.S) / 2;
    if (a.Saida && b.Saida && len / 2 <= lmax) {
        out.push_back({a.S, meio, a});
        out.push_back({b.S, meio, b});
        return;
    }
    if (a.Saida != b.Saida && len <= 2 * lmax) {
        const TFim& s = a.Saida ? a : b;
        const TFim& o = a.Saida ? b : a;
        if (len <= lmax) {
            out.push_back({s.S, o.S, s, true});
        } else {
            out.push_back({s.S, meio, s});
            out.push_back({o.S, meio, o});
        }
        return;
    }
    if (!a.Saida && !b.Saida && len <= 2 * lmax) {
        if (len <= lmax) {
            const TFim& s = b.Agua > a.Agua ? b : a;
            out.push_back({s.S, s.S == a.S ? b.S : a.S, s, true});
        } else {
            out.push_back({a.S, meio, a});
            out.push_back({b.S, meio, b});
        }
        return;
    }
    // One more outlet, where the most water crosses inside the stretch.
    const double margem = std::min(lmax / 2, len / 4);
    std::int64_t melhor = -1;
    for (const std::size_t i : l.Entre(a.S + margem, b.S - margem))
        if (melhor < 0 || l.Agua(i) > l.Agua(static_cast<std::size_t>(melhor)))
            melhor = static_cast<std::int64_t>(i);
    if (melhor < 0) {
        out.push_back({a.S, meio, a});
        out.push_back({b.S, meio, b});
        return;
    }
    TFim m = l.FimEm(static_cast<std::size_t>(melhor), true);
    if (m.S <= a.S)
        m.S += l.Total(); // round a closed line
    Dividir(l, a, m, lmax, out);
    Dividir(l, m, b, lmax, out);
}

std::int32_t TGradiente::SaidaDe(std::size_t linha, const TLinhaNivel& l, const TFim& f, double cota)
{
    const double s = l.Fechada() && l.Total() > 0 ? std::fmod(f.S, l.Total()) : f.S;
    const auto chave = std::make_pair(linha, static_cast<std::int64_t>(std::llround(s * 1000)));
    if (const auto it = saidaPorPonto_.find(chave); it != saidaPorPonto_.end())
        return it->second;
    TSaidaGradiente sg;
    sg.Ponto = l.Ponto(f.S);
    sg.Ponto.Z = static_cast<float>(cota);
    sg.Celula = f.Celula;
    sg.Borda = !f.Saida;
    saidas_.push_back(sg);
    const auto n = static_cast<std::int32_t>(saidas_.size() - 1);
    saidaPorPonto_[chave] = n;
    return n;
}

// The terrace on the ground at the grade: each vertex of the level line
// moved up its upslope normal to where the ground stands Sc·s above the
// outlet, s measured along the graded line itself.
bool TGradiente::Colocar(const TLinhaNivel& l, const TTerracoTracado& nivel, const TTrecho& t,
                         std::vector<TPonto>& p) const
{
    const std::vector<TPonto> q = l.Trecho(t.SSaida, t.SMontante);
    const std::size_t n = q.size();
    if (n < 2)
        return false;
    const double dx = g_.DX(), dy = g_.DY();
    const double lado = std::min(dx, dy);
    // Upslope unit normals, in metres.
    std::vector<double> nx(n), ny(n);
    double votos = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const TPonto& a = q[i == 0 ? 0 : i - 1];
        const TPonto& b = q[i + 1 < n ? i + 1 : n - 1];
        double tx = (static_cast<double>(b.X) - a.X) * dx, ty = (static_cast<double>(b.Y) - a.Y) * dy;
        const double m = std::hypot(tx, ty);
        if (m > 0) {
            tx /= m;
            ty /= m;
        }
        nx[i] = -ty;
        ny[i] = tx;
        const double e = 0.3 * lado;
        const double mais = g_.Cota(q[i].X + e * nx[i] / dx, q[i].Y + e * ny[i] / dy);
        const double menos = g_.Cota(q[i].X - e * nx[i] / dx, q[i].Y - e * ny[i] / dy);
        if (std::isfinite(mais) && std::isfinite(menos))
            votos += mais > menos ? 1 : mais < menos ? -1 : 0;
    }
    const double sinal = votos >= 0 ? 1.0 : -1.0;
    const double cota = nivel.Cota;
    const double declividade = std::max(nivel.DeclividadeFaixa, kDeclividadeMinimaFaixa) / 100;
    const double alcance = std::min(std::max(2.5 * nivel.EV / declividade, 4 * lado), 400 * lado);
    const double passo = 0.25 * lado;

    // Vertex i moved up its normal to where the ground stands at `alvo`:
    // 0 done, 1 the land ends first, 2 the ground does not rise so far.
    const auto colocarVertice = [&](std::size_t i, double alvo, TPonto& saida) {
        const double ux = sinal * nx[i] / dx, uy = sinal * ny[i] / dy;
        const auto chao = [&](double d) { return g_.Cota(q[i].X + d * ux, q[i].Y + d * uy); };
        const double z0 = chao(0);
        if (!std::isfinite(z0))
            return 1;
        // Up the normal; down it when the point (between the level line's
        // vertices, off the cell edges) already stands above the bed.
        const double sentido = z0 <= alvo ? 1.0 : -1.0;
        double d0 = 0, d1 = kNaN;
        for (double d = passo; d <= alcance; d += passo) {
            const double z = chao(sentido * d);
            if (!std::isfinite(z))
                return 1;
            if ((z >= alvo) == (sentido > 0)) {
                d1 = sentido * d;
                break;
            }
            d0 = sentido * d;
        }
        if (std::isnan(d1))
            return 2;
        for (int k = 0; k < 40; ++k) {
            const double m = (d0 + d1) / 2;
            const double z = chao(m);
            if (!std::isfinite(z))
                return 1; // along the very edge of the land
            ((z >= alvo) == (sentido > 0) ? d1 : d0) = m;
        }
        const double d = (d0 + d1) / 2;
        if (!(std::fabs(chao(d) - alvo) < 0.005))
            return 1;
        saida.X = static_cast<float>(q[i].X + d * ux);
        saida.Y = static_cast<float>(q[i].Y + d * uy);
        return 0;
    };

    // First with the arc of the level line: which vertices reach the
    // ground. Those next to the outlet whose normal leaves the land (an
    // outlet on the edge) are left out; a longer run of them further up is
    // where the terrace meets the edge and ends; a short one (a notch of
    // the edge) is stepped over.
    std::vector<double> sq(n, 0.0);
    for (std::size_t i = 1; i < n; ++i)
        sq[i] = sq[i - 1] + g_.Distancia(q[i - 1], q[i]);
    p = q;
    std::vector<int> estado(n, 0);
    for (std::size_t i = 1; i < n; ++i) {
        estado[i] = colocarVertice(i, cota + op_.Sc * sq[i], p[i]);
        if (estado[i] == 2)
            return false;
    }
    std::vector<std::size_t> usados{0};
    bool borda = false; // the terrace runs into the edge of the land before its end
    std::size_t i = 1;
    while (i < n && estado[i] == 1)
        ++i;
    while (i < n) {
        if (estado[i] == 0) {
            usados.push_back(i++);
            continue;
        }
        std::size_t j = i;
        while (j < n && estado[j] == 1)
            ++j;
        if (j == n || sq[j - 1] - sq[i] > 2 * lado) {
            borda = true;
            break;
        }
        i = j;
    }
    // Then with the arc of the graded line itself, until it settles. Where
    // the upslope normals converge (round a spur) a point may land behind
    // the one before it: it is left out, so the line never doubles back.
    const auto arco = [&](std::vector<double>& sa) {
        sa.assign(usados.size(), 0.0);
        for (std::size_t k = 1; k < usados.size(); ++k)
            sa[k] = sa[k - 1] + g_.Distancia(p[usados[k - 1]], p[usados[k]]);
    };
    const auto recua = [&](std::size_t k) {
        // Along the level line's course at vertex usados[k].
        const std::size_t i0 = usados[k - 1], i1 = usados[k];
        const double tx = (static_cast<double>(q[i1].X) - q[i0].X) * dx, ty = (static_cast<double>(q[i1].Y) - q[i0].Y) * dy;
        const double px = (static_cast<double>(p[i1].X) - p[i0].X) * dx, py = (static_cast<double>(p[i1].Y) - p[i0].Y) * dy;
        return tx * px + ty * py <= 0;
    };
    std::vector<double> s;
    bool assentou = false;
    for (int volta = 0; volta < 8 && usados.size() >= 2 && !assentou; ++volta) {
        for (std::size_t k = 1; k < usados.size();) {
            if (k + 1 < usados.size() && recua(k))
                usados.erase(usados.begin() + static_cast<std::ptrdiff_t>(k));
            else
                ++k;
        }
        arco(s);
        const double antes = s.back();
        for (std::size_t k = 1; k < usados.size(); ++k) {
            const int r = colocarVertice(usados[k], cota + op_.Sc * s[k], p[usados[k]]);
            if (r == 2)
                return false;
            if (r == 1) {
                usados.resize(k);
                borda = true;
                break;
            }
        }
        arco(s);
        assentou = volta >= 1 && std::fabs(s.back() - antes) < 0.01 * lado;
    }
    // A line that keeps moving (the ground along it hardly steeper than the
    // grade) has no place at this grade.
    if (!assentou)
        return false;
    if (usados.size() < 2)
        return false;
    {
        std::vector<TPonto> r;
        for (const std::size_t k : usados)
            r.push_back(p[k]);
        p = std::move(r);
    }
    s.assign(p.size(), 0.0);
    for (std::size_t k = 1; k < p.size(); ++k)
        s[k] = s[k - 1] + g_.Distancia(p[k - 1], p[k]);
    const std::size_t fim = p.size();
    if (borda || t.MontanteNaBorda) {
        // On along its own course to the edge, a few cells at most, each
        // step put back on the ground at its own bed elevation.
        const TPonto a = p[fim - 2], b = p[fim - 1];
        const double tx = (static_cast<double>(b.X) - a.X) * dx, ty = (static_cast<double>(b.Y) - a.Y) * dy;
        const double m = std::hypot(tx, ty);
        if (m > 0) {
            const double ux = tx / m, uy = ty / m; // unit, metres
            TPonto ultimo = b;
            double dUltimo = 0; // along the course, m: its bed is Sc·d above b's
            for (double d = passo; d <= 8 * lado; d += passo) {
                const double bx = b.X + d * ux / dx, by = b.Y + d * uy / dy;
                const double alvo = cota + op_.Sc * (s.back() + d);
                // Across the course, within a cell and a half each way.
                const auto f = [&](double w) {
                    return g_.Cota(bx - w * uy / dx, by + w * ux / dy) - alvo;
                };
                // The widest bracket that stays on the land and holds the
                // ground's crossing of the bed.
                double w0 = 0, w1 = 0, f0 = kNaN;
                bool achou = false;
                for (const double largura : {3.0, 1.5, 0.75, 0.4}) {
                    w0 = -largura * lado;
                    w1 = largura * lado;
                    f0 = f(w0);
                    const double f1 = f(w1);
                    if (std::isfinite(f0) && std::isfinite(f1) && (f0 > 0) != (f1 > 0)) {
                        achou = true;
                        break;
                    }
                }
                if (!achou)
                    break;
                for (int k = 0; k < 40; ++k) {
                    const double w = (w0 + w1) / 2;
                    const double fw = f(w);
                    if (!std::isfinite(fw))
                        break;
                    ((fw > 0) == (f0 > 0) ? w0 : w1) = w;
                }
                const double w = (w0 + w1) / 2;
                const TPonto c{static_cast<float>(bx - w * uy / dx), static_cast<float>(by + w * ux / dy), 0};
                const double z = g_.Cota(c.X, c.Y);
                if (!std::isfinite(z) || std::fabs(z - alvo) > 0.005)
                    break;
                ultimo = c;
                dUltimo = d;
            }
            if (dUltimo > 0) {
                p.push_back(ultimo);
                s.push_back(s.back() + dUltimo);
            }
        }
    }
    if ((borda || t.MontanteNaBorda) && !g_.NaBorda(p.back()))
        return false; // it would end short of the edge, inside the field
    for (std::size_t k = 0; k < p.size(); ++k)
        p[k].Z = static_cast<float>(cota + op_.Sc * s[k]);
    return true;
}


double Comprimento(const std::vector<TPonto>& p, const TTerrenoGrade& g)
{
    double c = 0;
    for (std::size_t j = 1; j < p.size(); ++j)
        c += g.Distancia(p[j - 1], p[j]);
    return c;
}

// Two terraces that meet at their upstream ends: the meeting point moved
// along the level line until both are equally long, so that both beds reach
// the same elevation there and both lines end at one point. False when a
// pair does not meet (within a cell, and a centimetre of bed).
bool TGradiente::Igualar(const TLinhaNivel& l, const TTerracoTracado& nivel, std::vector<TTrecho>& partes,
                         std::vector<std::vector<TPonto>>& pontos) const
{
    const double lado = std::min(g_.DX(), g_.DY());
    for (std::size_t i = 0; i + 1 < partes.size(); ++i) {
        const std::size_t j = i + 1;
        if (partes[i].SMontante != partes[j].SMontante)
            continue;
        const double lo = std::min(partes[i].SSaida, partes[j].SSaida) + lado;
        const double hi = std::max(partes[i].SSaida, partes[j].SSaida) - lado;
        for (int volta = 0; volta < 4; ++volta) {
            const double li = Comprimento(pontos[i], g_), lj = Comprimento(pontos[j], g_);
            if (std::fabs(li - lj) < 0.01 * lado)
                break;
            const double sinal = partes[i].SMontante > partes[i].SSaida ? 1.0 : -1.0;
            const double novo = std::clamp(partes[i].SMontante + sinal * (lj - li) / 2, lo, hi);
            TTrecho a = partes[i], b = partes[j];
            a.SMontante = b.SMontante = novo;
            std::vector<TPonto> pa, pb;
            if (!(lo < hi) || !Colocar(l, nivel, a, pa) || !Colocar(l, nivel, b, pb))
                break;
            partes[i] = a;
            partes[j] = b;
            pontos[i] = std::move(pa);
            pontos[j] = std::move(pb);
        }
        const double li = Comprimento(pontos[i], g_), lj = Comprimento(pontos[j], g_);
        if (g_.Distancia(pontos[i].back(), pontos[j].back()) > 0.1 * lado || op_.Sc * std::fabs(li - lj) > 0.005)
            return false;
    }
    return true;
}

// Two terraces that meet at their upstream ends come up a spur from both
// sides, where the upslope normals converge: their last points may fall on
// each other's side. Those points are left out (each kept point keeps its
// bed elevation, on the ground), until the two lines no longer cross.
void Desembaracar(std::vector<TPonto>& a, std::vector<TPonto>& b, const TTerrenoGrade& g)
{
    const auto cruza = [](const std::vector<TPonto>& x, const std::vector<TPonto>& y) {
        const std::size_t nx = x.size(), ny = y.size();
        for (std::size_t i = nx > 12 ? nx - 12 : 0; i + 1 < nx; ++i)
            for (std::size_t j = ny > 12 ? ny - 12 : 0; j + 1 < ny; ++j)
                if (Cortam(x[i], x[i + 1], y[j], y[j + 1]))
                    return true;
        return false;
    };
    for (int volta = 0; volta < 16 && cruza(a, b); ++volta) {
        const bool deA = a.size() > 2 && (b.size() <= 2 || g.Distancia(a[a.size() - 2], a.back()) <=
                                                                g.Distancia(b[b.size() - 2], b.back()));
        std::vector<TPonto>& v = deA ? a : b;
        if (v.size() <= 2)
            break;
        v.erase(v.end() - 2);
    }
}

void TGradiente::ColocarLinha(std::size_t k, const TTerracoTracado& nivel)
{
    const TLinhaNivel l(nivel, g_, acc_, elev_.Celulas());
    if (l.Vertices() < 2 || !(l.Total() > 0))
        return;
    // The outlets: where the line crosses a main drainage line, at the
    // vertex that draws most water of each crossing.
    std::vector<TFim> saidas;
    const std::size_t n = l.Vertices();
    std::size_t inicio = 0;
    if (l.Fechada())
        while (inicio < n && l.Agua(inicio) >= limiar_)
            ++inicio;
    if (inicio == n)
        inicio = 0;
    for (std::size_t j = 0; j < n;) {
        const std::size_t i = (inicio + j) % n;
        if (l.Agua(i) < limiar_) {
            ++j;
            continue;
        }
        std::size_t melhor = i;
        while (j < n && l.Agua((inicio + j) % n) >= limiar_) {
            if (l.Agua((inicio + j) % n) > l.Agua(melhor))
                melhor = (inicio + j) % n;
            ++j;
        }
        saidas.push_back(l.FimEm(melhor, true));
    }
    std::sort(saidas.begin(), saidas.end(), [](const TFim& a, const TFim& b) { return a.S < b.S; });
    // Crossings of one drainage line (a wide or braided channel, or two
    // threads less than a strip apart): one outlet, where the most water
    // crosses.
    const double eh = nivel.EV / (std::max(nivel.DeclividadeFaixa, kDeclividadeMinimaFaixa) / 100);
    const double perto = std::max({10.0, 4 * std::max(g_.DX(), g_.DY()), std::min(eh, 0.25 * op_.ComprimentoMaximo)});
    std::vector<TFim> unidas;
    for (const TFim& f : saidas) {
        if (!unidas.empty() && f.S - unidas.back().S < perto) {
            if (f.Agua > unidas.back().Agua)
                unidas.back() = f;
        } else {
            unidas.push_back(f);
        }
    }
    if (l.Fechada() && unidas.size() > 1 && unidas.front().S + l.Total() - unidas.back().S < perto) {
        if (unidas.back().Agua > unidas.front().Agua)
            unidas.front() = unidas.back();
        unidas.pop_back();
    }
    saidas = std::move(unidas);
    if (l.Fechada() && saidas.empty()) {
        std::size_t melhor = 0;
        for (std::size_t i = 1; i < n; ++i)
            if (l.Agua(i) > l.Agua(melhor))
                melhor = i;
        saidas.push_back(l.FimEm(melhor, true));
    }
    // The stretches between the ends.
    std::vector<std::pair<TFim, TFim>> trechos;
    if (l.Fechada()) {
        for (std::size_t i = 0; i < saidas.size(); ++i) {
            TFim b = saidas[(i + 1) % saidas.size()];
            if (i + 1 == saidas.size())
                b.S += l.Total();
            trechos.emplace_back(saidas[i], b);
        }
    } else {
        std::vector<TFim> fins{l.FimEm(0, false)};
        fins.insert(fins.end(), saidas.begin(), saidas.end());
        fins.push_back(l.FimEm(n - 1, false));
        for (std::size_t i = 0; i + 1 < fins.size(); ++i)
            trechos.emplace_back(fins[i], fins[i + 1]);
    }
    // The longest terrace: the channel's, and short enough that its rise
    // Sc·L stays below the strip's vertical interval.
    const double lado = std::min(g_.DX(), g_.DY());
    const double lmaxLinha = std::max(std::min(op_.ComprimentoMaximo, 0.95 * nivel.EV / op_.Sc), 2 * lado);
    for (const auto& [a, b] : trechos) {
        // Where the ground does not rise enough for a terrace (under a
        // summit), shorter ones rise less; when even a quarter of the
        // length will not do, the stretch gets no terrace and its land
        // drains to the terrace below.
        std::vector<TTrecho> partes;
        std::vector<std::vector<TPonto>> pontos;
        bool colocou = false;
        for (int tentativa = 0; tentativa < 3 && !colocou; ++tentativa) {
            partes.clear();
            Dividir(l, a, b, lmaxLinha / (1 << tentativa), partes);
            pontos.assign(partes.size(), {});
            colocou = true;
            for (std::size_t i = 0; i < partes.size() && colocou; ++i)
                colocou = Colocar(l, nivel, partes[i], pontos[i]);
            colocou = colocou && Igualar(l, nivel, partes, pontos);
            // Two terraces tangled where they meet (round a tight spur) give
            // the stretch up: leaving out their crossed points would steepen
            // their beds there by more than a centimetre.
            for (std::size_t i = 0; colocou && i + 1 < partes.size(); ++i) {
                if (partes[i].SMontante != partes[i + 1].SMontante)
                    continue;
                const double antes = Comprimento(pontos[i], g_) + Comprimento(pontos[i + 1], g_);
                Desembaracar(pontos[i], pontos[i + 1], g_);
                colocou = op_.Sc * (antes - Comprimento(pontos[i], g_) - Comprimento(pontos[i + 1], g_)) <= 0.01;
            }
        }
        if (!colocou) {
            ++descartados_;
            continue;
        }
        {
            std::map<std::int64_t, std::size_t> porMontante; // upstream ends shared by two terraces
            for (std::size_t i = 0; i < partes.size(); ++i) {
                TColocado c;
                c.P = std::move(pontos[i]);
                c.Linha = k;
                c.Comprimento = Comprimento(c.P, g_);
                c.Saida = SaidaDe(k, l, partes[i].Saida, nivel.Cota);
                const auto chave = static_cast<std::int64_t>(std::llround(partes[i].SMontante * 1000));
                const auto it = porMontante.find(chave);
                if (it != porMontante.end() &&
                    g_.Distancia(colocados_[it->second].P.back(), c.P.back()) <= 0.1 * lado) {
                    // The two meet at one point.
                    TColocado& o = colocados_[it->second];
                    // The first one's end, on the ground at its bed; the
                    // other's bed there differs by less than a few mm.
                    c.P.back().X = o.P.back().X;
                    c.P.back().Y = o.P.back().Y;
                    c.Comprimento = Comprimento(c.P, g_);
                    c.Par = static_cast<std::int32_t>(it->second);
                    o.Par = static_cast<std::int32_t>(colocados_.size());
                } else {
                    porMontante[chave] = colocados_.size();
                }
                colocados_.push_back(std::move(c));
            }
        }
    }
}

// Segments of the terraces, registered with every cell whose square meets
// their bounding box, to find which flow steps cross them.
class TIndiceSegmentos {
public:
    TIndiceSegmentos(const std::vector<TColocado>& t, std::int32_t R, std::int32_t C) : R_(R), C_(C)
    {
        const std::size_t N = static_cast<std::size_t>(R) * static_cast<std::size_t>(C);
        inicio_.assign(N + 1, 0);
        for (int fase = 0; fase < 2; ++fase) {
            std::vector<std::uint32_t> pos;
            if (fase == 1) {
                for (std::size_t i = 0; i < N; ++i)
                    inicio_[i + 1] += inicio_[i];
                lista_.resize(inicio_[N]);
                pos.assign(inicio_.begin(), inicio_.end() - 1);
            }
            for (std::size_t k = 0; k < t.size(); ++k)
                for (std::size_t j = 0; j + 1 < t[k].P.size(); ++j) {
                    const TPonto& a = t[k].P[j];
                    const TPonto& b = t[k].P[j + 1];
                    const auto c0 = std::max<std::int32_t>(0, static_cast<std::int32_t>(std::ceil(std::min(a.X, b.X) - 1.5)));
                    const auto c1 = std::min<std::int32_t>(C - 1, static_cast<std::int32_t>(std::floor(std::max(a.X, b.X) - 0.5)));
                    const auto r0 = std::max<std::int32_t>(0, static_cast<std::int32_t>(std::ceil(std::min(a.Y, b.Y) - 1.5)));
                    const auto r1 = std::min<std::int32_t>(R - 1, static_cast<std::int32_t>(std::floor(std::max(a.Y, b.Y) - 0.5)));
                    for (std::int32_t r = r0; r <= r1; ++r)
                        for (std::int32_t c = c0; c <= c1; ++c) {
                            const std::size_t i = static_cast<std::size_t>(r) * C + c;
                            if (fase == 0)
                                ++inicio_[i + 1];
                            else
                                lista_[pos[i]++] = {static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(j)};
                        }
                }
        }
    }

    // The terrace the step from the centre of cell u to that of cell v
    // crosses nearest to u, −1 when none.
    std::int32_t Cruza(std::size_t u, std::size_t v, const std::vector<TColocado>& t) const
    {
        const double ux = static_cast<double>(u % C_) + 1, uy = static_cast<double>(u / C_) + 1;
        const double vx = static_cast<double>(v % C_) + 1, vy = static_cast<double>(v / C_) + 1;
        double melhor = 2;
        std::int32_t terraco = -1;
        for (const std::size_t cel : {u, v})
            for (std::uint32_t k = inicio_[cel]; k < inicio_[cel + 1]; ++k) {
                const auto [ti, si] = lista_[k];
                const TPonto& a = t[ti].P[si];
                const TPonto& b = t[ti].P[si + 1];
                const double rx = vx - ux, ry = vy - uy, sx = b.X - a.X, sy = b.Y - a.Y;
                const double den = rx * sy - ry * sx;
                if (den == 0)
                    continue;
                const double qx = a.X - ux, qy = a.Y - uy;
                const double tt = (qx * sy - qy * sx) / den;
                const double uu = (qx * ry - qy * rx) / den;
                if (tt >= 0 && tt < 1 && uu >= 0 && uu <= 1 && tt < melhor) {
                    melhor = tt;
                    terraco = static_cast<std::int32_t>(ti);
                }
            }
        return terraco;
    }

private:
    std::int32_t R_, C_;
    std::vector<std::uint32_t> inicio_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> lista_;
};

// Per cell: 1 + the placed terrace whose strip holds it, 0 when none, −1
// without data.
std::vector<std::int32_t> TGradiente::Faixas(const std::vector<std::int8_t>& dren) const
{
    const std::int32_t C = elev_.Colunas();
    const TIndiceSegmentos indice(colocados_, elev_.Linhas(), C);
    const auto& e = elev_.Celulas();
    return FaixasPorEscoamento(
        e.size(), [&](std::size_t i) { return e[i] != 0; }, [&](std::size_t i) { return dren[i] == kDrenagemFim; },
        [&](std::size_t i) { return Receptor(i, dren[i], C); },
        [&](std::size_t i, std::size_t j) { return indice.Cruza(i, j, colocados_); });
}

// Which outlets' water flows down through each outlet of a drainage line.
void TGradiente::Montante(const std::vector<std::int8_t>& dren)
{
    const std::int32_t C = elev_.Colunas(), R = elev_.Linhas();
    std::unordered_map<std::int64_t, std::vector<std::int32_t>> perto;
    for (std::size_t k = 0; k < saidas_.size(); ++k) {
        if (saidas_[k].Borda || saidas_[k].Celula < 0)
            continue;
        const std::int64_t r = saidas_[k].Celula / C, c = saidas_[k].Celula % C;
        for (std::int64_t dr = -1; dr <= 1; ++dr)
            for (std::int64_t dc = -1; dc <= 1; ++dc)
                if (r + dr >= 0 && r + dr < R && c + dc >= 0 && c + dc < C)
                    perto[(r + dr) * C + c + dc].push_back(static_cast<std::int32_t>(k));
    }
    for (std::size_t k = 0; k < saidas_.size(); ++k) {
        if (saidas_[k].Borda || saidas_[k].Celula < 0)
            continue;
        std::unordered_set<std::int32_t> vistos{static_cast<std::int32_t>(k)};
        auto x = static_cast<std::size_t>(saidas_[k].Celula);
        for (std::size_t passos = 0; passos < dren.size(); ++passos) {
            if (const auto it = perto.find(static_cast<std::int64_t>(x)); it != perto.end())
                for (const std::int32_t o : it->second)
                    if (vistos.insert(o).second)
                        saidas_[static_cast<std::size_t>(o)].Montante.push_back(static_cast<std::int32_t>(k));
            if (dren[x] == kDrenagemFim)
                break;
            x = Receptor(x, dren[x], C);
        }
    }
}

TTracadoGradiente TGradiente::Executar(const TMatrixSingle& decl)
{
    TOpcoesTracado opNivel = op_.Nivel;
    opNivel.GuardarDrenagem = true;
    opNivel.GuardarFaixas = false;
    const auto progresso = op_.Nivel.Progresso;
    opNivel.Progresso = [&](double f, std::int32_t n) {
        if (progresso)
            progresso(0.7 * f, n);
    };
    TTracadoNivel nivel = TracarTerracosNivel(elev_, decl, opNivel);
    TTracadoGradiente r;
    r.CelulasBacia = nivel.CelulasBacia;
    r.DeclividadeMedia = nivel.DeclividadeMedia;
    r.FaixasPlanas = nivel.FaixasPlanas;
    r.Interrompido = nivel.Interrompido;
    if (nivel.CelulasBacia == 0)
        return r;

    // The main drainage lines.
    const double areaCelula = g_.DX() * g_.DY();
    acc_ = Acumulacao(nivel.Drenagem, elev_.Colunas());
    r.AreaDrenagem = op_.AreaDrenagem > 0
                         ? op_.AreaDrenagem
                         : std::max({0.05 * static_cast<double>(nivel.CelulasBacia) * areaCelula, 10000.0,
                                     20 * areaCelula});
    limiar_ = static_cast<std::uint32_t>(std::min(std::ceil(r.AreaDrenagem / areaCelula), 4.0e9));

    // The terraces along each level line.
    for (std::size_t k = 0; k < nivel.Terracos.size(); ++k) {
        if (op_.Nivel.Parar && op_.Nivel.Parar->load()) {
            r.Interrompido = true;
            break;
        }
        ColocarLinha(k, nivel.Terracos[k]);
        if (progresso)
            progresso(0.7 + 0.2 * static_cast<double>(k + 1) / static_cast<double>(nivel.Terracos.size()),
                      static_cast<std::int32_t>(colocados_.size()));
    }

    // Terraces that cross (a line rising into the one above where two
    // parts of the land meet): the lower one gives way, with the terrace it
    // meets at its upstream end; its land drains to the terrace below.
    for (int volta = 0; volta < 8; ++volta) {
        std::vector<std::vector<TPonto>> linhas;
        for (const TColocado& c : colocados_)
            linhas.push_back(c.P);
        const auto pares = ParesQueSeCruzam(linhas);
        if (pares.empty())
            break;
        std::vector<std::uint8_t> sai(colocados_.size(), 0);
        for (const auto& [a, b] : pares) {
            const TColocado& ca = colocados_[static_cast<std::size_t>(a)];
            const TColocado& cb = colocados_[static_cast<std::size_t>(b)];
            const bool aMaisBaixo = ca.P.front().Z < cb.P.front().Z ||
                                    (ca.P.front().Z == cb.P.front().Z && ca.Comprimento < cb.Comprimento);
            const std::int32_t k = aMaisBaixo ? a : b;
            sai[static_cast<std::size_t>(k)] = 1;
            if (colocados_[static_cast<std::size_t>(k)].Par >= 0)
                sai[static_cast<std::size_t>(colocados_[static_cast<std::size_t>(k)].Par)] = 1;
        }
        std::vector<std::int32_t> novo(colocados_.size(), -1);
        std::vector<TColocado> ficam;
        for (std::size_t k = 0; k < colocados_.size(); ++k)
            if (!sai[k]) {
                novo[k] = static_cast<std::int32_t>(ficam.size());
                ficam.push_back(std::move(colocados_[k]));
            } else {
                ++descartados_;
            }
        for (TColocado& c : ficam)
            c.Par = c.Par >= 0 ? novo[static_cast<std::size_t>(c.Par)] : -1;
        colocados_ = std::move(ficam);
    }

    // The strips; terraces that drain nothing are dropped.
    std::vector<std::int32_t> faixa = Faixas(nivel.Drenagem);
    const auto& dc = decl.Celulas();
    std::vector<std::int64_t> celulas(colocados_.size(), 0);
    std::vector<double> soma(colocados_.size(), 0.0);
    for (std::size_t i = 0; i < faixa.size(); ++i)
        if (faixa[i] > 0) {
            ++celulas[static_cast<std::size_t>(faixa[i] - 1)];
            soma[static_cast<std::size_t>(faixa[i] - 1)] += dc[i];
        } else if (faixa[i] == 0) {
            ++r.CelulasRestantes;
        }
    // A terrace that drains nothing is dropped, unless the terrace it meets
    // at its upstream end drains something: the two make one line.
    std::vector<std::size_t> ordem;
    for (std::size_t k = 0; k < colocados_.size(); ++k) {
        const std::int32_t par = colocados_[k].Par;
        if (celulas[k] > 0 || (par >= 0 && celulas[static_cast<std::size_t>(par)] > 0))
            ordem.push_back(k);
        else
            ++descartados_;
    }
    // Numbered from the highest outlet down, then along the level line.
    std::stable_sort(ordem.begin(), ordem.end(), [&](std::size_t a, std::size_t b) {
        const double ca = nivel.Terracos[colocados_[a].Linha].Cota, cb = nivel.Terracos[colocados_[b].Linha].Cota;
        return ca != cb ? ca > cb : colocados_[a].Linha < colocados_[b].Linha;
    });
    // Outlets that keep a terrace, renumbered in the order first met.
    Montante(nivel.Drenagem);
    std::vector<std::int32_t> novaSaida(saidas_.size(), -1);
    std::vector<std::int32_t> novoNumero(colocados_.size(), 0);
    for (const std::size_t k : ordem) {
        const TColocado& c = colocados_[k];
        const TTerracoTracado& l = nivel.Terracos[c.Linha];
        TTerracoGradiente t;
        for (auto it = c.P.rbegin(); it != c.P.rend(); ++it)
            t.Linha.Adicionar(*it);
        t.Linha.Numero = static_cast<std::int32_t>(r.Terracos.size() + 1);
        novoNumero[k] = t.Linha.Numero;
        t.CotaSaida = c.P.front().Z;
        t.CotaMontante = c.P.back().Z;
        t.Comprimento = c.Comprimento;
        t.EV = l.EV;
        t.Forma = l.Forma;
        t.Celulas = celulas[k];
        t.DeclividadeFaixa = celulas[k] > 0 ? soma[k] / static_cast<double>(celulas[k]) : l.DeclividadeFaixa;
        t.LinhaNivel = static_cast<std::int32_t>(c.Linha);
        auto& ns = novaSaida[static_cast<std::size_t>(c.Saida)];
        if (ns < 0) {
            ns = static_cast<std::int32_t>(r.Saidas.size());
            r.Saidas.push_back(saidas_[static_cast<std::size_t>(c.Saida)]);
        }
        t.Saida = ns;
        r.Terracos.push_back(std::move(t));
    }
    for (TSaidaGradiente& s : r.Saidas) {
        std::vector<std::int32_t> m;
        for (const std::int32_t o : s.Montante)
            if (novaSaida[static_cast<std::size_t>(o)] >= 0)
                m.push_back(novaSaida[static_cast<std::size_t>(o)]);
        std::sort(m.begin(), m.end());
        s.Montante = std::move(m);
    }
    if (op_.Nivel.GuardarFaixas) {
        for (std::int32_t& f : faixa)
            if (f > 0)
                f = novoNumero[static_cast<std::size_t>(f - 1)];
        r.Faixa = std::move(faixa);
    }
    r.Descartados = descartados_;
    r.Cruzamentos = ContarCruzamentos(r.Terracos);
    r.LinhasNivel = std::move(nivel.Terracos);
    if (progresso)
        progresso(1.0, static_cast<std::int32_t>(r.Terracos.size()));
    return r;
}

} // namespace

std::int32_t ContarCruzamentos(const std::vector<TTerracoGradiente>& terracos,
                               std::vector<std::pair<std::int32_t, std::int32_t>>* quais)
{
    std::vector<std::vector<TPonto>> linhas;
    for (const TTerracoGradiente& t : terracos)
        linhas.emplace_back(t.Linha.begin(), t.Linha.end());
    const std::vector<std::pair<std::int32_t, std::int32_t>> pares = ParesQueSeCruzam(linhas);
    if (quais)
        *quais = pares;
    return static_cast<std::int32_t>(pares.size());
}

TTracadoGradiente TracarTerracosGradiente(const TMatrixSingle& elevacao, const TMatrixSingle& declividade,
                                          const TOpcoesGradiente& opcoes)
{
    if (!(opcoes.Sc > 0) || !std::isfinite(opcoes.Sc))
        throw Exception("O gradiente do canal (Sc) deve ser maior que zero.");
    if (!(opcoes.ComprimentoMaximo > 0) || !std::isfinite(opcoes.ComprimentoMaximo))
        throw Exception("O comprimento máximo do canal deve ser maior que zero.");
    if (!(opcoes.DX > 0) || !(opcoes.DY > 0))
        throw Exception("As células da imagem de elevação não têm tamanho válido.");
    TGradiente g(elevacao, opcoes);
    return g.Executar(declividade);
}

} // namespace vastrel
