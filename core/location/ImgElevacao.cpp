#include "location/ImgElevacao.h"

#include "common/Rounding.h"

#include <cmath>
#include <vector>

namespace vastrel {

namespace {

// ---------------------------------------------------------------------------
// Directions and cells

enum TDirecao : int { kLeste = 0, kOeste = 1, kSul = 2, kNorte = 3 };

constexpr std::int32_t kPassoCol[4] = {1, -1, 0, 0};
constexpr std::int32_t kPassoLin[4] = {0, 0, 1, -1};
constexpr TDirecao kDireita[4] = {kSul, kNorte, kOeste, kLeste};
constexpr TDirecao kEsquerda[4] = {kNorte, kSul, kLeste, kOeste};

struct TCelula {
    std::int32_t Col = 0, Lin = 0;
    friend bool operator==(const TCelula&, const TCelula&) = default;
};

TCelula operator+(TCelula c, TDirecao d) { return {c.Col + kPassoCol[d], c.Lin + kPassoLin[d]}; }

// The eight neighbours in the order of their numbers 1..8.
constexpr std::int32_t kVizCol[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr std::int32_t kVizLin[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

// ---------------------------------------------------------------------------
// Set of walk states, cleared in constant time between walks.

class TConjuntoEstados {
public:
    // False when the key was already there.
    bool Inserir(std::uint64_t chave)
    {
        if ((quantos_ + 1) * 2 > chaves_.size())
            Crescer();
        return InserirSemCrescer(chave);
    }
    void Limpar()
    {
        quantos_ = 0;
        if (++geracao_ == 0) { // wrapped: forget every old generation
            std::fill(geracoes_.begin(), geracoes_.end(), 0u);
            geracao_ = 1;
        }
    }

private:
    bool InserirSemCrescer(std::uint64_t chave)
    {
        const std::size_t mascara = chaves_.size() - 1;
        std::size_t i = static_cast<std::size_t>((chave * 0x9E3779B97F4A7C15ull) >> 17) & mascara;
        while (geracoes_[i] == geracao_) {
            if (chaves_[i] == chave)
                return false;
            i = (i + 1) & mascara;
        }
        geracoes_[i] = geracao_;
        chaves_[i] = chave;
        ++quantos_;
        return true;
    }
    void Crescer()
    {
        std::vector<std::uint64_t> chaves;
        std::vector<std::uint32_t> geracoes;
        chaves.swap(chaves_);
        geracoes.swap(geracoes_);
        const std::size_t n = chaves.empty() ? 256 : chaves.size() * 2;
        chaves_.assign(n, 0);
        geracoes_.assign(n, 0);
        const std::uint32_t atual = geracao_;
        geracao_ = 1;
        quantos_ = 0;
        for (std::size_t i = 0; i < chaves.size(); ++i)
            if (geracoes[i] == atual)
                InserirSemCrescer(chaves[i]);
    }

    std::vector<std::uint64_t> chaves_;
    std::vector<std::uint32_t> geracoes_;
    std::uint32_t geracao_ = 1;
    std::size_t quantos_ = 0;
};

// ---------------------------------------------------------------------------
// The contour tracer of one call.

class TTracador {
public:
    TTracador(const TImgElevacao& e, const TImgApoio& apoio, float T, TLinha& linha)
        : e_(e), apoio_(apoio), T_(T), linha_(linha)
    {
    }

    TResultadoTraco Tracar(TPixelS& pixel);

private:
    struct TEscolha {
        bool Valida = false;
        double Distancia = 0;
        float X = 0, Y = 0;
        TDirecao Direcao = kLeste;
        TCelula A, B; // the new edge
    };

    float V(TCelula c) const { return e_.GetValor(c.Lin, c.Col); }
    bool Aberta(TCelula c) const { return apoio_.Aberto(c.Col, c.Lin); }

    // Crossing of the level on the edge u → w: u + t·(w − u) with
    // t = |(T − v(u)) / (v(w) − v(u))| in single precision; an edge whose
    // ends are equal (both on the level) gives its first end.
    void Cruzamento(TCelula u, TCelula w, float& x, float& y) const
    {
        const double vu = V(u), vw = V(w);
        float t = 0;
        if (vw != vu)
            t = static_cast<float>(std::fabs((static_cast<double>(T_) - vu) / (vw - vu)));
        x = static_cast<float>(u.Col + static_cast<double>(t) * (w.Col - u.Col));
        y = static_cast<float>(u.Lin + static_cast<double>(t) * (w.Lin - u.Lin));
    }
    // T between the two elevations, ends included.
    bool Entre(TCelula u, TCelula w) const
    {
        const float vu = V(u), vw = V(w);
        return (vu <= T_ && T_ <= vw) || (vw <= T_ && T_ <= vu);
    }
    // The side edges: v(u) < T ≤ v(w) or v(w) ≤ T < v(u).
    bool MeioAberto(TCelula u, TCelula w) const
    {
        const float vu = V(u), vw = V(w);
        return (vu < T_ && T_ <= vw) || (vw <= T_ && T_ < vu);
    }
    // A candidate replaces the choice when its edge is as gentle or gentler.
    void Considerar(TEscolha& escolha, bool cruza, TCelula u, TCelula w, TDirecao d, TCelula na, TCelula nb) const
    {
        if (!cruza)
            return;
        const double distancia = std::fabs(static_cast<double>(V(u)) - V(w));
        if (escolha.Valida && distancia > escolha.Distancia)
            return;
        escolha.Valida = true;
        escolha.Distancia = distancia;
        Cruzamento(u, w, escolha.X, escolha.Y);
        escolha.Direcao = d;
        escolha.A = na;
        escolha.B = nb;
    }
    // The cell nearest to the level; a later one replaces only when strictly nearer.
    template <std::size_t N>
    int MaisProxima(const TCelula (&celulas)[N]) const
    {
        int melhor = 0;
        double menor = std::fabs(static_cast<double>(V(celulas[0])) - T_);
        for (int i = 1; i < static_cast<int>(N); ++i) {
            const double d = std::fabs(static_cast<double>(V(celulas[i])) - T_);
            if (d < menor) {
                menor = d;
                melhor = i;
            }
        }
        return melhor;
    }
    void Adicionar(float x, float y) { linha_.Adicionar(TPonto{x, y, T_}); }
    void AdicionarCentro(TCelula c) { Adicionar(static_cast<float>(c.Col), static_cast<float>(c.Lin)); }
    // Why a walk stops before the closed cells x, y: a line (or closed land,
    // which has elevations) or the outline of the watershed.
    TFimCaminhada Fechamento(TCelula x, TCelula y) const
    {
        const auto linha = [&](TCelula c) { return !Aberta(c) && e_.Dentro(c.Lin, c.Col) && V(c) != 0; };
        return linha(x) || linha(y) ? TFimCaminhada::Linha : TFimCaminhada::Contorno;
    }

    TFimCaminhada Caminhar(TDirecao F, TCelula a, TCelula b);

    const TImgElevacao& e_;
    const TImgApoio& apoio_;
    const float T_;
    TLinha& linha_;
    TCelula inicioA_, inicioB_; // the start edge
    float inicioX_ = 0, inicioY_ = 0;
    bool cantoDireito_ = false, cantoEsquerdo_ = false;
    TConjuntoEstados estados_;
};

TResultadoTraco TTracador::Tracar(TPixelS& pixel)
{
    TResultadoTraco r;
    linha_.Limpar();
    const TCelula p{pixel.Col, pixel.Lin};
    const float vp = V(p);
    pixel.Valor = vp;
    if (!e_.Dentro(p.Lin, p.Col))
        return r;

    // The start edge: the gentlest open neighbour, in the order north,
    // south, east, west (the earlier wins a tie). A cell on the level may
    // start towards any open neighbour; otherwise the level must cross the
    // edge, a neighbour on the level counting as crossed.
    constexpr TDirecao kOrdem[4] = {kNorte, kSul, kLeste, kOeste};
    int escolhida = -1;
    double menor = 0;
    for (int i = 0; i < 4; ++i) {
        const TCelula n = p + kOrdem[i];
        if (!Aberta(n))
            continue;
        const float vn = V(n);
        if (vp != T_ && !((vp < T_ && T_ <= vn) || (vn <= T_ && T_ < vp)))
            continue;
        const double d = std::fabs(static_cast<double>(vp) - vn);
        if (escolhida < 0 || d < menor) {
            escolhida = i;
            menor = d;
        }
    }
    if (escolhida < 0)
        return r;
    const TDirecao dir = kOrdem[escolhida];
    const TCelula n = p + dir;
    if (vp == T_) {
        inicioX_ = static_cast<float>(p.Col);
        inicioY_ = static_cast<float>(p.Lin);
    } else {
        Cruzamento(p, n, inicioX_, inicioY_);
        pixel.Col = static_cast<std::int32_t>(RoundHalfEven(inicioX_));
        pixel.Lin = static_cast<std::int32_t>(RoundHalfEven(inicioY_));
    }
    Adicionar(inicioX_, inicioY_);
    inicioA_ = p;
    inicioB_ = n;

    // The first walk keeps p on its right-hand side.
    TDirecao primeira = kLeste, segunda = kOeste;
    switch (dir) {
    case kNorte: primeira = kLeste; segunda = kOeste; break;
    case kSul: primeira = kOeste; segunda = kLeste; break;
    case kLeste: primeira = kSul; segunda = kNorte; break;
    case kOeste: primeira = kNorte; segunda = kSul; break;
    }
    r.Fim1 = Caminhar(primeira, p, n);
    // Reversed, the points run towards the start point, with the start cell
    // on their left; a closed contour ends here, walked once.
    linha_.Inverter();
    if (r.Fim1 == TFimCaminhada::Fechou) {
        r.Fechada = true;
        return r;
    }
    // The same edge seen from the other side, walked the other way.
    cantoDireito_ = cantoEsquerdo_ = false;
    r.Fim2 = Caminhar(segunda, n, p);
    r.Fechada = r.Fim2 == TFimCaminhada::Fechou;
    return r;
}

TFimCaminhada TTracador::Caminhar(TDirecao F, TCelula a, TCelula b)
{
    estados_.Limpar();
    for (;;) {
        // A walk that comes back to a state it has been in would repeat
        // itself for ever. The state is the right-hand cell, the direction
        // (which give the left-hand cell) and the corner flags.
        const std::uint64_t estado =
            ((static_cast<std::uint64_t>(e_.Indice(a.Lin, a.Col)) * 4 + F) * 4) +
            (cantoDireito_ ? 2u : 0u) + (cantoEsquerdo_ ? 1u : 0u);
        if (!estados_.Inserir(estado))
            return TFimCaminhada::Repeticao;

        const TDirecao R = kDireita[F], L = kEsquerda[F];
        const TCelula a1 = a + F, b1 = b + F;
        if (!Aberta(a1) || !Aberta(b1))
            return Fechamento(a1, b1);
        const float va = V(a), vb = V(b);

        TEscolha escolha;
        if (va == T_ || cantoDireito_) {
            // The level meets the right-hand corner: look one cell further right.
            cantoDireito_ = false;
            const TCelula e = a + R, e1 = a1 + R;
            if (!Aberta(e) || !Aberta(e1))
                return Fechamento(e, e1);
            Considerar(escolha, MeioAberto(b, b1), b, b1, L, b1, b);
            Considerar(escolha, Entre(e, e1), e, e1, R, e, e1);
            Considerar(escolha, Entre(b1, a1), b1, a1, F, a1, b1);
            Considerar(escolha, Entre(a1, e1), a1, e1, F, e1, a1);
            if (!escolha.Valida) {
                const TCelula celulas[4] = {b1, a1, e1, e};
                const int k = MaisProxima(celulas);
                cantoDireito_ = true;
                AdicionarCentro(celulas[k]);
                if (k == 3) {
                    F = R;
                    a = e;
                    b = e1;
                } else if (k == 2) {
                    a = e1;
                    b = a1;
                } else {
                    a = a1;
                    b = b1;
                }
                continue;
            }
        } else if (vb == T_ || cantoEsquerdo_) {
            // The level meets the left-hand corner: look one cell further left.
            cantoEsquerdo_ = false;
            const TCelula d = b + L, d1 = b1 + L;
            if (!Aberta(d) || !Aberta(d1))
                return Fechamento(d, d1);
            Considerar(escolha, Entre(d1, b1), d1, b1, F, b1, d1);
            Considerar(escolha, Entre(d, d1), d, d1, L, d1, d);
            Considerar(escolha, Entre(b1, a1), b1, a1, F, a1, b1);
            Considerar(escolha, MeioAberto(a, a1), a, a1, R, a, a1);
            if (!escolha.Valida) {
                const TCelula celulas[4] = {a1, b1, d1, d};
                const int k = MaisProxima(celulas);
                cantoEsquerdo_ = true;
                AdicionarCentro(celulas[k]);
                if (k == 3) {
                    F = L;
                    a = d1;
                    b = d;
                } else if (k == 2) {
                    a = b1;
                    b = d1;
                } else {
                    a = a1;
                    b = b1;
                }
                continue;
            }
        } else {
            const float va1 = V(a1), vb1 = V(b1);
            const bool sa = va > T_, sb = vb > T_, sa1 = va1 > T_, sb1 = vb1 > T_;
            if (va1 != T_ && vb1 != T_ && sa != sb && sa1 == sb && sb1 == sa) {
                // A saddle: the level crosses all four sides. The corners on
                // the side of the centre value are joined across the
                // square; the level turns round the other two.
                const double media = (static_cast<double>(va) + vb + va1 + vb1) / 4;
                if ((media > T_) == sa)
                    Considerar(escolha, true, b, b1, L, b1, b);
                else
                    Considerar(escolha, true, a, a1, R, a, a1);
            } else {
                Considerar(escolha, MeioAberto(b, b1), b, b1, L, b1, b);
                Considerar(escolha, Entre(b1, a1), b1, a1, F, a1, b1);
                Considerar(escolha, MeioAberto(a, a1), a, a1, R, a, a1);
            }
            if (!escolha.Valida) {
                const TCelula celulas[4] = {a, a1, b, b1};
                const int k = MaisProxima(celulas);
                if (k == 0 || k == 1) {
                    cantoDireito_ = true;
                    cantoEsquerdo_ = false;
                } else {
                    cantoEsquerdo_ = true;
                    cantoDireito_ = false;
                }
                AdicionarCentro(celulas[k]);
                if (k == 1 || k == 3) {
                    a = a1;
                    b = b1;
                }
                continue;
            }
        }

        // A crossing: the line closes when it comes back to its start edge
        // (the crossing computed from the other end of the edge may differ
        // from the start point in the last bit) or onto its start point.
        const bool voltouAresta = (escolha.A == inicioA_ && escolha.B == inicioB_) ||
                                  (escolha.A == inicioB_ && escolha.B == inicioA_);
        if (voltouAresta || (escolha.X == inicioX_ && escolha.Y == inicioY_)) {
            Adicionar(inicioX_, inicioY_);
            return TFimCaminhada::Fechou;
        }
        Adicionar(escolha.X, escolha.Y);
        F = escolha.Direcao;
        a = escolha.A;
        b = escolha.B;
    }
}

} // namespace

// ---------------------------------------------------------------------------
// TImgElevacao

TPixelS TImgElevacao::LocalizarTopo() const
{
    TPixelS topo;
    for (std::int32_t l = 1; l <= linhas_; ++l)
        for (std::int32_t c = 1; c <= colunas_; ++c) {
            const float v = celulas_[static_cast<std::size_t>(Indice(l, c))];
            if (v != 0 && std::fabs(static_cast<double>(v) - ValorMax) < 0.05) {
                topo.Col = c;
                topo.Lin = l;
                topo.Valor = ValorMax;
                return topo;
            }
        }
    return topo;
}

void TImgElevacao::VizinhoExtremo(TPixelS& pixel, const TImgApoio& apoio, int sentido) const
{
    float melhor = GetValor(pixel.Lin, pixel.Col);
    int escolhido = -1;
    for (int i = 0; i < 8; ++i) {
        const std::int32_t c = pixel.Col + kVizCol[i], l = pixel.Lin + kVizLin[i];
        if (!Dentro(l, c) || apoio.Dezena(c, l) == 0)
            continue;
        const float v = GetValor(l, c);
        if (v == 0)
            continue;
        if (sentido == 0 ? v > melhor : v < melhor) {
            melhor = v;
            escolhido = i;
        }
    }
    if (escolhido < 0)
        return;
    pixel.Col += kVizCol[escolhido];
    pixel.Lin += kVizLin[escolhido];
    pixel.Valor = melhor;
}

TResultadoTraco TImgElevacao::TracarCurvaNivel(TPixelS& pixel, TLinha& linha, const TImgApoio& apoio) const
{
    TTracador t(*this, apoio, pixel.Valor, linha);
    return t.Tracar(pixel);
}

} // namespace vastrel
