#include "location/ImgApoio.h"

#include "location/ImgElevacao.h"
#include "core/location/Relevos.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace vastrel;
using vastrel::test::Relevo;

namespace {

std::vector<std::uint8_t> Codigos(const TImgApoio& a) { return a.Celulas(); }

TLinha Linha(std::initializer_list<std::pair<float, float>> pontos)
{
    TLinha l;
    for (const auto& [x, y] : pontos)
        l.Adicionar({x, y, 0});
    return l;
}

TEST(ImgApoio, CriacaoAPartirDaElevacao)
{
    const TImgElevacao e = Relevo(4, 5, [](int l, int c) { return l == 1 || c == 5 ? 0.0 : 10.0 + l; }, 10, "km");
    const TImgApoio a(e);
    EXPECT_EQ(a.Linhas(), 4);
    EXPECT_EQ(a.Colunas(), 5);
    EXPECT_EQ(a.GetUnidade(), "km");
    EXPECT_FLOAT_EQ(a.ResX, 10);
    EXPECT_EQ(a.ValorMax, 31);
    EXPECT_EQ(a.ValorMin, 0);
    for (int l = 1; l <= 4; ++l)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(a.Codigo(c, l), l == 1 || c == 5 ? 0 : 11);
    EXPECT_EQ(a.Codigo(0, 2), 0); // outside the image: closed
    EXPECT_FALSE(a.Aberto(6, 2));
}

// A 10 × 10 watershed split by a vertical line at column 5, then a fill
// on its west side.
TEST(ImgApoio, CicloDosCodigos)
{
    const TImgElevacao e = Relevo(10, 10, [](int l, int c) { return (l == 10 && c == 10) ? 0.0 : 50.0; });
    TImgApoio a(e);
    const auto antes = Codigos(a);
    const TLinha linha = Linha({{5, 1}, {5, 4}, {5, 7}, {5, 10}}); // cells between points filled in
    a.MarcarLinha(linha, kApoioLinha);
    for (int l = 1; l <= 10; ++l)
        EXPECT_EQ(a.Codigo(5, l), kApoioLinha);
    a.Inundar(2, 3);
    EXPECT_EQ(a.ContarMarcadas(), 40);
    for (int l = 1; l <= 10; ++l)
        for (int c = 1; c <= 10; ++c)
            if (c != 5) {
                EXPECT_EQ(a.Codigo(c, l), c < 5 ? kApoioMarcado : (l == 10 && c == 10) ? 0 : 11);
            }

    TImgApoio b = a;
    a.Restaurar();
    EXPECT_EQ(Codigos(a), antes);
    EXPECT_EQ(a.ContarMarcadas(), 0);

    b.Consolidar();
    for (int l = 1; l <= 10; ++l)
        for (int c = 1; c <= 10; ++c)
            EXPECT_EQ(b.Codigo(c, l), c <= 5 || (l == 10 && c == 10) ? 0 : 11);
}

TEST(ImgApoio, InundacaoNaoAtravessaLinhaDiagonal)
{
    // A line from the north-west corner to the south-east one, cell to
    // cell diagonally: the 4-connected fill stays on its side.
    const TImgElevacao e = Relevo(8, 8, [](int, int) { return 10.0; });
    TImgApoio a(e);
    a.MarcarLinha(Linha({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}}), kApoioLinha);
    a.Inundar(8, 1); // north-east corner, above the diagonal
    EXPECT_EQ(a.ContarMarcadas(), 28);
    for (int l = 1; l <= 8; ++l)
        for (int c = 1; c <= 8; ++c)
            EXPECT_EQ(a.Dezena(c, l) == 3, c > l);
}

TEST(ImgApoio, InundacaoNasBordasDaImagem)
{
    // The region touches every edge of the image.
    const TImgElevacao e = Relevo(5, 7, [](int l, int c) { return l == 3 && c == 3 ? 0.0 : 1.0; });
    TImgApoio a(e);
    a.Inundar(7, 5);
    EXPECT_EQ(a.ContarMarcadas(), 34);
    // A fill started on a closed cell marks nothing and ends.
    TImgApoio b(e);
    b.Inundar(3, 3);
    b.Inundar(0, 0);
    b.Inundar(8, 6);
    EXPECT_EQ(b.ContarMarcadas(), 0);
}

TEST(ImgApoio, Interior)
{
    const TImgElevacao e = Relevo(5, 5, [](int, int) { return 1.0; });
    TImgApoio a(e);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_FALSE(a.Interior(k, 1));
        EXPECT_FALSE(a.Interior(k, 5));
        EXPECT_FALSE(a.Interior(1, k));
        EXPECT_FALSE(a.Interior(5, k));
    }
    EXPECT_TRUE(a.Interior(3, 3));
    a.SetValor(2, 4, kApoioLinha); // a diagonal neighbour on a line
    EXPECT_FALSE(a.Interior(3, 3));
}

// A plane falling 1 m per column eastward: column c at 100 − c.
TImgElevacao PlanoLeste(int linhas = 9, int colunas = 12)
{
    return Relevo(linhas, colunas, [](int, int c) { return 100.0 - c; });
}

TEST(BuscarNivel, CelulaMaisProximaDoNivel)
{
    const TImgElevacao e = PlanoLeste();
    TImgApoio a(e);
    const auto antes = Codigos(a);
    // Below 93.3: between columns 6 (94) and 7 (93); 93 is nearer.
    TPixelS p;
    a.BuscarNivel(2, 5, 1, p, e, 93.3f);
    EXPECT_EQ(p.Col, 7);
    EXPECT_EQ(p.Lin, 5);
    EXPECT_FLOAT_EQ(p.Valor, 93);
    // Below 93.7: 94 is nearer.
    a.BuscarNivel(2, 5, 1, p, e, 93.7f);
    EXPECT_EQ(p.Col, 6);
    EXPECT_FLOAT_EQ(p.Valor, 94);
    EXPECT_EQ(Codigos(a), antes);
}

TEST(BuscarNivel, CandidataNaBordaDaRegiaoNaoServe)
{
    // A line cell at (8, 5) takes the interior away from column 7 in rows
    // 4 to 6: the search goes on to row 3. Further along rows 4 and 6 the
    // cells beyond the level are interior but have no crossing beside them
    // (column 10, 90 m, between 91 and 89): they are not taken either.
    const TImgElevacao e = PlanoLeste();
    TImgApoio a(e);
    a.SetValor(5, 8, kApoioLinha);
    TPixelS p;
    a.BuscarNivel(2, 5, 1, p, e, 93.3f);
    EXPECT_EQ(p.Col, 7);
    EXPECT_EQ(p.Lin, 3);
    EXPECT_FLOAT_EQ(p.Valor, 93);
}

TEST(BuscarNivel, NadaAlemDoNivel)
{
    const TImgElevacao e = PlanoLeste();
    TImgApoio a(e);
    TPixelS p;
    p.Valor = 7;
    a.BuscarNivel(2, 5, 1, p, e, 50);
    EXPECT_EQ(p.Col, -1);
    EXPECT_EQ(p.Lin, -1);
    EXPECT_FLOAT_EQ(p.Valor, 7);
    for (const auto c : a.Celulas())
        EXPECT_EQ(c, 11);
    // Above 120 (sentido 0): nothing either.
    a.BuscarNivel(2, 5, 0, p, e, 120);
    EXPECT_EQ(p.Col, -1);
}

TEST(BuscarNivel, CelulaAchadaTemCruzamentoAoLado)
{
    // A steep hollow: the search starts beyond the level and the first row
    // runs are all beyond it. Every cell found must have the level on one
    // of its edges, so that the trace can start.
    const TImgElevacao e =
        Relevo(21, 21, [](int l, int c) { return 100 + 3 * std::hypot(l - 11, c - 11); });
    TImgApoio a(e);
    TPixelS p;
    a.BuscarNivel(11, 11, 1, p, e, 115);
    ASSERT_GE(p.Col, 1);
    EXPECT_LT(p.Valor, 115);
    EXPECT_TRUE(a.Atravessa(p.Col, p.Lin, e, 115));
    TLinha l;
    p.Valor = 115;
    const TResultadoTraco r = e.TracarCurvaNivel(p, l, a);
    EXPECT_TRUE(r.Fechada);
}

TEST(BuscarNivel, NivelIgualAoValorDasCelulas)
{
    // An integer DEM and a whole-metre level: a neighbour on the level
    // counts as the crossing.
    const TImgElevacao e = Relevo(12, 12, [](int l, int) { return 100.0 - l; });
    TImgApoio a(e);
    TPixelS p;
    a.BuscarNivel(6, 2, 1, p, e, 95);
    ASSERT_EQ(p.Lin, 6); // 94, its northern neighbour on 95
    p.Valor = 95;
    TLinha l;
    e.TracarCurvaNivel(p, l, a);
    ASSERT_GE(l.Quantidade(), 2);
    for (const TPonto& q : l)
        EXPECT_FLOAT_EQ(q.Y, 5);
}

TEST(ImgApoio, MediasSemCelulas)
{
    const TImgElevacao e = Relevo(1, 3, [](int, int c) { return (c - 1) * 10.0; });
    TImgDeclive d = Relevo<TImgDeclive>(1, 3, [](int, int c) { return (c - 1) * 10.0; });
    std::int64_t n = -1;
    EXPECT_DOUBLE_EQ(d.MediaDeclividade(n), 15);
    EXPECT_EQ(n, 2);
    const TImgDeclive vazia = Relevo<TImgDeclive>(2, 2, [](int, int) { return 0.0; });
    EXPECT_DOUBLE_EQ(vazia.MediaDeclividade(n), 0);
    EXPECT_EQ(n, 0);
    TImgApoio a(e);
    EXPECT_DOUBLE_EQ(a.MediaMarcada(d), 0);
    a.Inundar(2, 1);
    EXPECT_DOUBLE_EQ(a.MediaMarcada(d), 15);
}

// The scans confined to the cells a step touched give what the scans of the
// whole image give, through a long mixed sequence of operations.
TEST(ImgApoio, VarreduraDaRegiaoIgualAVarreduraCompleta)
{
    std::uint32_t semente = 7;
    const auto sorteio = [&](int n) {
        semente = semente * 1103515245u + 12345u;
        return static_cast<int>((semente >> 16) % static_cast<std::uint32_t>(n));
    };
    const TImgElevacao e = Relevo(40, 50, [](int l, int c) {
        return std::hypot(l - 20, c - 25) > 22 ? 0.0 : 100 + 0.01 * std::round(100 * std::sin(l * 0.3) * std::cos(c * 0.2));
    });
    TImgApoio regiao(e), completa(e);
    completa.VarreduraCompleta = true;
    const std::vector<float> desnivel = DesnivelMaximo(e);
    for (int passo = 0; passo < 300; ++passo) {
        const int op = sorteio(6);
        const int c = 1 + sorteio(50), l = 1 + sorteio(40);
        for (TImgApoio* a : {&regiao, &completa}) {
            switch (op) {
            case 0: a->MarcarLinha(Linha({{float(c), float(l)}, {float(c + 4), float(l + 3)}}), kApoioLinha); break;
            case 1: a->MarcarLinha(Linha({{float(c), float(l)}, {float(c), float(l + 5)}}), kApoioFechado); break;
            case 2: a->Inundar(c, l); break;
            case 3: a->Restaurar(); break;
            case 4: a->Consolidar(); break;
            default: {
                TPixelS p;
                a->BuscarNivel(c, l, sorteio(2), p, e, 100.005f);
                break;
            }
            }
        }
        ASSERT_EQ(regiao.Celulas(), completa.Celulas()) << "passo " << passo;
        ASSERT_EQ(regiao.ContarMarcadas(), completa.ContarMarcadas());
        ASSERT_EQ(regiao.MediaMarcada(e), completa.MediaMarcada(e));
        // Levels on the cells' values and between them; the cells passed
        // over by the steepest-edge bound change nothing.
        const double q = 100 + 0.01 * sorteio(3) + (sorteio(2) ? 0.0 : 0.0037);
        const auto cr = regiao.CandidatosEnclave(q, e), cc = completa.CandidatosEnclave(q, e),
                   cd = regiao.CandidatosEnclave(q, e, &desnivel);
        ASSERT_EQ(cr.size(), cc.size());
        ASSERT_EQ(cr.size(), cd.size());
        for (std::size_t i = 0; i < cr.size(); ++i) {
            EXPECT_EQ(cr[i].Col, cc[i].Col);
            EXPECT_EQ(cr[i].Lin, cc[i].Lin);
            EXPECT_EQ(cr[i].Col, cd[i].Col);
            EXPECT_EQ(cr[i].Lin, cd[i].Lin);
        }
    }
}

// Alcanca, which walks towards its target, answers as a plain breadth-first
// walk of the open land with the barrier closed, whether the barrier parts
// the land or leaves a way round, on land cut by lines already fixed.
TEST(ImgApoio, AlcancaIgualABuscaEmLargura)
{
    std::uint32_t semente = 11;
    const auto sorteio = [&](int n) {
        semente = semente * 1103515245u + 12345u;
        return static_cast<int>((semente >> 16) % static_cast<std::uint32_t>(n));
    };
    const TImgElevacao e = Relevo(40, 50, [](int l, int c) { return std::hypot(l - 20, c - 25) > 22 ? 0.0 : 100.0 + l; });
    TImgApoio a(e);
    a.MarcarLinha(Linha({{5, 12}, {30, 12}}), kApoioFechado);
    a.MarcarLinha(Linha({{20, 25}, {45, 25}}), kApoioFechado);
    a.MarcarLinha(Linha({{25, 30}, {25, 40}}), kApoioFechado);
    a.MarcarLinha(Linha({{10, 5}, {10, 35}}), kApoioLinha);
    const std::vector<std::uint8_t> antes = a.Celulas();
    int separadas = 0, ligadas = 0;
    for (int caso = 0; caso < 400; ++caso) {
        const auto ponto = [&] { return std::pair<float, float>{float(1 + sorteio(50)), float(1 + sorteio(40))}; };
        const TLinha barreira = sorteio(2) ? Linha({ponto(), ponto()}) : Linha({ponto(), ponto(), ponto(), ponto()});
        const TPixel de{1 + sorteio(50), 1 + sorteio(40)}, para{1 + sorteio(50), 1 + sorteio(40)};

        TImgApoio fechada = a;
        fechada.MarcarLinha(barreira, kApoioFechado);
        bool esperado = false;
        if (a.Dezena(de.Col, de.Lin) != 0 && a.Dezena(para.Col, para.Lin) != 0 && fechada.Dezena(de.Col, de.Lin) != 0) {
            std::vector<std::uint8_t> vista(50 * 40, 0);
            std::vector<TPixel> fila{de};
            vista[static_cast<std::size_t>((de.Lin - 1) * 50 + de.Col - 1)] = 1;
            for (std::size_t i = 0; i < fila.size() && !esperado; ++i) {
                const TPixel p = fila[i];
                esperado = p.Col == para.Col && p.Lin == para.Lin;
                for (const auto& [dc, dl] : {std::pair{0, -1}, std::pair{0, 1}, std::pair{1, 0}, std::pair{-1, 0}}) {
                    const TPixel v{p.Col + dc, p.Lin + dl};
                    if (fechada.Dezena(v.Col, v.Lin) == 0)
                        continue;
                    auto& f = vista[static_cast<std::size_t>((v.Lin - 1) * 50 + v.Col - 1)];
                    if (!f) {
                        f = 1;
                        fila.push_back(v);
                    }
                }
            }
        }
        ASSERT_EQ(a.Alcanca(de.Col, de.Lin, para, barreira), esperado) << "caso " << caso;
        (esperado ? ligadas : separadas) += 1;
    }
    EXPECT_EQ(a.Celulas(), antes); // nothing changed
    EXPECT_GT(ligadas, 50);
    EXPECT_GT(separadas, 50);
}

} // namespace
