#include "location/TracadoNivel.h"

#include "common/Exceptions.h"
#include "location/Escoamento.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <numbers>
#include <queue>
#include <thread>
#include <unordered_map>
#include <utility>

namespace vastrel {

namespace {

// The eight neighbours: the four sides first (north, south, east, west),
// then the corners (north-west, north-east, south-west, south-east).
constexpr const int (&kDl)[8] = kDirecaoLinha;
constexpr const int (&kDc)[8] = kDirecaoColuna;

constexpr std::int32_t kSemTarefa = -1;
constexpr std::int32_t kResolvida = -2; // a cell no task will split again
constexpr std::int32_t kFora = -1;      // CompDe: a cell outside the task
constexpr std::int32_t kPropria = -2;   // TComponente::Nova: the task itself goes on as this part

// A piece of land still to be terraced: the cells below the line(s) at
// `Nivel` (a descent) or above them (an ascent, up a hill).
struct TTarefa {
    // Its cells by elevation from the bounding level inward: a descent's
    // highest first, an ascent's lowest first. Cells that another task has
    // taken since, or that are settled, stay in the list and are skipped.
    std::vector<std::uint32_t> Celulas;
    std::size_t Inicio = 0;  // cells before it are all skipped
    double Nivel = 0;        // level of the bounding line(s), m; a piece of the watershed: its summit
    bool Descida = true;
    bool Topo = false;       // a whole piece of the watershed, with no line round it
    double EVPai = 0;        // the spacing in force where it was split off, m (first guess of its own)
    std::vector<std::size_t> LinhasBase;  // lines bounding an ascent from below: they drain its first strip
    std::vector<std::uint32_t> Borda;     // its cells next to the land beyond the bounding line
    std::int64_t Vivas = 0;   // cells it holds
    double SomaDecl = 0;      // the sum of their slopes, %
    std::int64_t NaBorda = 0; // those next to a cell without data or to the raster's edge
};

// A connected part of a task on one side of the next level: above it
// 4-connected, below it 8-connected.
struct TComponente {
    bool Acima = false;
    bool Faixa = false;        // on the side next to the bounding line (walked whole)
    bool Gigante = false;      // the part not walked: the rest of the task
    std::int64_t Celulas = 0;
    double SomaDeclividade = 0;
    float Min = std::numeric_limits<float>::max(), Max = std::numeric_limits<float>::lowest();
    std::int64_t NaBorda = 0;  // cells next to a cell without data or to the raster's edge
    bool TocaLinha = false;    // next to the land beyond the task's bounding line
    bool ContemCume = false;   // holds the task's highest cell
    bool Linha = false;        // its boundary lines are terraces
    bool Continua = false;     // it goes on as a task
    std::int32_t Nova = -1;    // the task it becomes, among the new ones, or kPropria
    std::int32_t Alvo = -1;    // a knob left in the strip: the part below that takes it along
    std::vector<std::uint32_t> Lista; // its cells (not kept for the giant)
    std::vector<std::uint32_t> Borda; // its cells next to the other side of the level
    double Media() const { return Celulas > 0 ? SomaDeclividade / static_cast<double>(Celulas) : 0.0; }
    void Somar(float e, float declividade, bool borda)
    {
        ++Celulas;
        SomaDeclividade += declividade;
        Min = std::min(Min, e);
        Max = std::max(Max, e);
        NaBorda += borda ? 1 : 0;
    }
    void Juntar(TComponente& o)
    {
        if (o.Lista.size() > Lista.size())
            Lista.swap(o.Lista);
        Lista.insert(Lista.end(), o.Lista.begin(), o.Lista.end());
        Borda.insert(Borda.end(), o.Borda.begin(), o.Borda.end());
        Celulas += o.Celulas;
        SomaDeclividade += o.SomaDeclividade;
        Min = std::min(Min, o.Min);
        Max = std::max(Max, o.Max);
        NaBorda += o.NaBorda;
        std::vector<std::uint32_t>().swap(o.Lista);
        std::vector<std::uint32_t>().swap(o.Borda);
    }
};

// A crossing of a terrace line on a cell edge, for the flow that meets it.
struct TCruzamento {
    std::uint64_t Aresta;
    float Nivel;
    std::int32_t Terraco; // index into the result's terraces
    bool operator<(const TCruzamento& o) const { return Aresta < o.Aresta; }
};

// One segment of a contour inside one grid square, between two cell edges.
struct TSegmento {
    std::uint64_t A, B;         // edge keys: 2·cell + 0 (its east edge) or + 1 (its south edge)
    std::int32_t CompAcima;     // component above the level, −1 outside the task
    std::uint32_t CelulaAcima;  // a cell above the level next to the segment
};

// The connected parts of the land on one side of every level at once: a
// union-find forest built by adding the cells in order of elevation (from
// the lowest for the land below a level, 8-connected; from the highest for
// the land above it, 4-connected), each link keeping the level at which it
// joined two parts, union by size and no path compression, so a cell's part
// at level q is the last ancestor reached through links made before q.
class TFloresta {
public:
    void Iniciar(std::size_t n)
    {
        pai_.assign(n, -1);
        nivel_.assign(n, 0);
        tamanho_.assign(n, 1);
        atalho_.resize(n);
        for (std::size_t k = 0; k < n; ++k)
            atalho_[k] = static_cast<std::int32_t>(k);
    }
    void Unir(std::int32_t a, std::int32_t b, float nivel)
    {
        a = Raiz(a);
        b = Raiz(b);
        if (a == b)
            return;
        if (tamanho_[static_cast<std::size_t>(a)] < tamanho_[static_cast<std::size_t>(b)])
            std::swap(a, b);
        pai_[static_cast<std::size_t>(b)] = a;
        nivel_[static_cast<std::size_t>(b)] = nivel;
        tamanho_[static_cast<std::size_t>(a)] += tamanho_[static_cast<std::size_t>(b)];
        atalho_[static_cast<std::size_t>(b)] = a;
    }
    void Concluir()
    {
        std::vector<std::int32_t>().swap(tamanho_);
        std::vector<std::int32_t>().swap(atalho_);
    }
    // The part of cell x in the land below q (abaixo) or at or above q.
    std::int32_t Parte(std::int32_t x, double q, bool abaixo) const
    {
        for (;;) {
            const std::int32_t p = pai_[static_cast<std::size_t>(x)];
            if (p < 0)
                return x;
            const double n = nivel_[static_cast<std::size_t>(x)];
            if (abaixo ? !(n < q) : !(n >= q))
                return x;
            x = p;
        }
    }

private:
    // The current root, through a second parent array compressed by path
    // halving: the links themselves stay as made.
    std::int32_t Raiz(std::int32_t x)
    {
        while (atalho_[static_cast<std::size_t>(x)] != x) {
            auto& a = atalho_[static_cast<std::size_t>(x)];
            a = atalho_[static_cast<std::size_t>(a)];
            x = a;
        }
        return x;
    }
    std::vector<std::int32_t> pai_;
    std::vector<float> nivel_;
    std::vector<std::int32_t> tamanho_, atalho_;
};

class TMotor {
public:
    TMotor(const TMatrixSingle& e, const TMatrixSingle& d, const TOpcoesTracado& op)
        : R_(e.Linhas()), C_(e.Colunas()), N_(static_cast<std::size_t>(R_) * static_cast<std::size_t>(C_)),
          E_(e.Celulas()), S_(d.Celulas()), op_(op)
    {
    }

    TTracadoNivel Executar();

private:
    bool Dado(std::size_t i) const { return E_[i] != 0; }
    std::size_t Idx(std::int32_t r, std::int32_t c) const
    {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(C_) + static_cast<std::size_t>(c);
    }
    // The neighbour d of cell i with data, or false. Cells off the raster's
    // rim step by a fixed offset; only the rim's need their row and column.
    bool Vizinho(std::size_t i, int d, std::size_t& n) const
    {
        if (!margem_[i]) {
            n = static_cast<std::size_t>(static_cast<std::int64_t>(i) + passo_[d]);
            return Dado(n);
        }
        const auto r = static_cast<std::int32_t>(i / static_cast<std::size_t>(C_)) + kDl[d];
        const auto c = static_cast<std::int32_t>(i % static_cast<std::size_t>(C_)) + kDc[d];
        if (r < 0 || r >= R_ || c < 0 || c >= C_)
            return false;
        n = Idx(r, c);
        return Dado(n);
    }
    float Decl(std::size_t i) const { return S_[i]; }

    TEspacamentoFaixa Espacar(double declividade, bool contar);
    void Ordenar(std::vector<std::uint32_t>& celulas, bool descendo) const;
    void PecasDaBacia();
    void Juntar(TFloresta& f, std::uint32_t i, int vizinhos, std::vector<std::uint8_t>& dentro) const;
    std::size_t NovaTarefa(TTarefa t);
    void Processar(std::size_t t);
    void Resolver(std::size_t t);
    double ProximoNivel(std::size_t t, TEspacamentoFaixa& esp);
    void Faixa(std::size_t t, double q, std::size_t fim, std::vector<TComponente>& comps,
               std::vector<std::uint32_t>& sementes);
    void Resto(std::size_t t, double q, const std::vector<std::uint32_t>& sementes, std::vector<TComponente>& comps);
    std::int32_t CompDe(std::size_t t, std::size_t i) const;
    void Decidir(std::size_t t, double q, std::vector<TComponente>& comps);
    void Emitir(std::size_t t, double q, std::size_t fim, std::vector<TComponente>& comps, double ev,
                std::vector<TTarefa>& novas, std::vector<std::size_t>& basePropria);
    void Quadrado(std::int32_t r, std::int32_t c, double q, std::size_t t, const std::vector<TComponente>& comps,
                  std::vector<TSegmento>& segs) const;
    TPonto Cruzamento(std::uint64_t aresta, double q) const;
    std::vector<std::int8_t> Drenagem(const std::vector<std::uint8_t>& sumidouros) const;
    void Escoar(const std::vector<std::int8_t>& destino);
    std::int32_t Cruza(std::size_t u, int d) const;
    void Progredir();

    std::int32_t R_, C_;
    std::size_t N_;
    const std::vector<float>& E_;
    const std::vector<float>& S_;
    const TOpcoesTracado& op_;

    std::vector<TTarefa> tarefas_;
    // Highest level first; among equal levels, the first made.
    std::priority_queue<std::pair<double, std::int64_t>> fila_;
    std::vector<std::int32_t> regiao_;  // the task that holds each cell
    std::vector<std::uint8_t> borda_;   // a cell next to a cell without data or to the raster's edge
    std::vector<std::uint8_t> margem_;  // a cell in the raster's first or last row or column
    std::int64_t passo_[8] = {};        // index offset of each neighbour
    // The part of each cell within the task being split (its index in the
    // parts), valid where marca_ holds the current stamp; the unwalked rest
    // is unmarked.
    std::vector<std::int32_t> comp_;
    std::vector<std::uint32_t> marca_;
    std::vector<std::uint32_t> quadro_; // stamp of the squares looked at, per north-west cell
    std::uint32_t carimbo_ = 0;
    std::int32_t gigante_ = -1; // the part left unwalked
    TFloresta abaixo_, acima_;  // the parts below and above every level
    std::vector<std::uint8_t> sumidouro_; // bottoms of terraced hollows: their water stays
    std::vector<std::uint8_t> arestas_;   // bit 1: a line crosses the cell's east edge; bit 2: its south edge
    std::vector<TCruzamento> cruzamentos_;
    TTracadoNivel res_;
    std::int64_t resolvidas_ = 0;
    TEspacamentoFaixa espBacia_;
};

TEspacamentoFaixa TMotor::Espacar(double declividade, bool contar)
{
    if (!(declividade >= kDeclividadeMinimaFaixa)) {
        if (contar)
            ++res_.FaixasPlanas;
        declividade = kDeclividadeMinimaFaixa;
    }
    const TEspacamentoFaixa e = op_.Espacamento(declividade);
    if (!(e.EV > 0) || !std::isfinite(e.EV) || !(e.EH > 0) || !std::isfinite(e.EH))
        throw Exception("O espaçamento dos terraços para a declividade de uma faixa não é um número positivo.");
    return e;
}

// By elevation: a descent's cells highest first, an ascent's lowest first;
// equal elevations by position.
void TMotor::Ordenar(std::vector<std::uint32_t>& celulas, bool descendo) const
{
    std::vector<std::pair<float, std::uint32_t>> chaves(celulas.size());
    for (std::size_t k = 0; k < celulas.size(); ++k)
        chaves[k] = {descendo ? -E_[celulas[k]] : E_[celulas[k]], celulas[k]};
    std::sort(chaves.begin(), chaves.end());
    for (std::size_t k = 0; k < celulas.size(); ++k)
        celulas[k] = chaves[k].second;
}

std::size_t TMotor::NovaTarefa(TTarefa t)
{
    tarefas_.push_back(std::move(t));
    const std::size_t k = tarefas_.size() - 1;
    for (const std::uint32_t i : tarefas_[k].Celulas)
        regiao_[i] = static_cast<std::int32_t>(k);
    fila_.emplace(tarefas_[k].Nivel, -static_cast<std::int64_t>(k));
    return k;
}

// A list of cells in the order of their positions, put in order of
// elevation (highest first when `descendo`), equal elevations keeping the
// order of their positions: a stable radix sort on the bits of the
// elevation, three passes of 11 bits.
void OrdenarPorCota(std::vector<std::uint32_t>& celulas, const std::vector<float>& e, bool descendo)
{
    const std::size_t n = celulas.size();
    std::vector<std::uint32_t> chave(n), chave2(n), celula2(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::uint32_t u = 0;
        std::memcpy(&u, &e[celulas[k]], sizeof u);
        u = (u & 0x80000000u) ? ~u : (u | 0x80000000u); // the order of the floats
        chave[k] = descendo ? ~u : u;
    }
    for (int deslocamento = 0; deslocamento < 32; deslocamento += 11) {
        std::vector<std::size_t> conta(2049, 0);
        for (std::size_t k = 0; k < n; ++k)
            ++conta[((chave[k] >> deslocamento) & 0x7FFu) + 1];
        for (std::size_t b = 1; b < conta.size(); ++b)
            conta[b] += conta[b - 1];
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t destino = conta[(chave[k] >> deslocamento) & 0x7FFu]++;
            chave2[destino] = chave[k];
            celula2[destino] = celulas[k];
        }
        chave.swap(chave2);
        celulas.swap(celula2);
    }
}

// Each connected piece of land with data (8-connected) is terraced from its
// own summit.
void TMotor::PecasDaBacia()
{
    // The pieces, by a flood; then their cells in the order of positions.
    std::vector<std::int32_t> peca(N_, -1);
    std::vector<std::uint32_t> pilha;
    std::int32_t pecas = 0;
    for (std::size_t s = 0; s < N_; ++s) {
        if (!Dado(s) || peca[s] >= 0)
            continue;
        peca[s] = pecas;
        pilha.assign(1, static_cast<std::uint32_t>(s));
        while (!pilha.empty()) {
            const std::uint32_t i = pilha.back();
            pilha.pop_back();
            for (int d = 0; d < 8; ++d) {
                std::size_t n = 0;
                if (Vizinho(i, d, n) && peca[n] < 0) {
                    peca[n] = pecas;
                    pilha.push_back(static_cast<std::uint32_t>(n));
                }
            }
        }
        ++pecas;
    }
    std::vector<TTarefa> tarefas(static_cast<std::size_t>(pecas));
    for (std::size_t i = 0; i < N_; ++i) {
        if (peca[i] < 0)
            continue;
        TTarefa& t = tarefas[static_cast<std::size_t>(peca[i])];
        t.Celulas.push_back(static_cast<std::uint32_t>(i));
        ++t.Vivas;
        t.SomaDecl += Decl(i);
        t.NaBorda += borda_[i];
    }
    std::vector<std::int32_t>().swap(peca);
    for (TTarefa& t : tarefas) {
        t.Topo = true;
        t.Descida = true;
        t.EVPai = espBacia_.EV;
        OrdenarPorCota(t.Celulas, E_, true);
        t.Nivel = E_[t.Celulas.front()];
    }
    // The forests, one on each core: from the lowest cell up for the land
    // below a level, from the highest down for the land above.
    std::vector<std::uint8_t> dentroAcima(N_, 0), dentroAbaixo(N_, 0);
    std::thread acima([&] {
        for (const TTarefa& t : tarefas)
            for (const std::uint32_t i : t.Celulas)
                Juntar(acima_, i, 4, dentroAcima);
    });
    for (const TTarefa& t : tarefas)
        for (std::size_t k = t.Celulas.size(); k-- > 0;)
            Juntar(abaixo_, t.Celulas[k], 8, dentroAbaixo);
    acima.join();
    abaixo_.Concluir();
    acima_.Concluir();
    for (TTarefa& t : tarefas)
        NovaTarefa(std::move(t));
}

// Adds cell i to a forest: it joins the parts of its neighbours already in
// (`dentro`, 1 for the cells in).
void TMotor::Juntar(TFloresta& f, std::uint32_t i, int vizinhos, std::vector<std::uint8_t>& dentro) const
{
    for (int d = 0; d < vizinhos; ++d) {
        std::size_t n = 0;
        if (Vizinho(i, d, n) && dentro[n])
            f.Unir(static_cast<std::int32_t>(i), static_cast<std::int32_t>(n), E_[i]);
    }
    dentro[i] = 1;
}

// The level of the next lines of a task: EV below its bounding level for a
// descent, above it for an ascent, EV being the spacing for the mean slope
// of the strip between the two levels. The strip depends on EV, so EV is
// sought as the fixed point of strip → slope → spacing, from the spacing in
// force where the task was split off. The strip is the head of the task's
// cell list.
double TMotor::ProximoNivel(std::size_t t, TEspacamentoFaixa& esp)
{
    const TTarefa& tarefa = tarefas_[t];
    const double sinal = tarefa.Descida ? 1.0 : -1.0;
    std::vector<float> distancias;       // from the bounding level into the task, m
    std::vector<double> somas{0.0};      // running sums of their slopes, %
    std::size_t pos = tarefa.Inicio;
    const auto estender = [&](double ate) {
        for (; pos < tarefa.Celulas.size(); ++pos) {
            const std::uint32_t i = tarefa.Celulas[pos];
            if (regiao_[i] != static_cast<std::int32_t>(t))
                continue;
            const double d = sinal * (tarefa.Nivel - E_[i]);
            if (d > ate && !distancias.empty())
                break;
            distancias.push_back(static_cast<float>(d));
            somas.push_back(somas.back() + Decl(i));
        }
    };
    const auto media = [&](double h) {
        std::size_t n = static_cast<std::size_t>(
            std::upper_bound(distancias.begin(), distancias.end(), static_cast<float>(h)) - distancias.begin());
        n = std::max<std::size_t>(n, 1);
        return somas[n] / static_cast<double>(n);
    };
    double ev = tarefa.EVPai > 0 ? tarefa.EVPai : espBacia_.EV;
    double s = 0;
    for (int iteracao = 0; iteracao < 8; ++iteracao) {
        estender(ev);
        s = media(ev);
        const double novo = Espacar(s, false).EV;
        const bool parou = std::fabs(novo - ev) < 0.005;
        ev = novo;
        if (parou)
            break;
    }
    esp = Espacar(s, true);
    esp.EV = ev;
    return tarefa.Nivel - sinal * ev;
}

void TMotor::Progredir()
{
    if (op_.Progresso)
        op_.Progresso(0.9 * static_cast<double>(resolvidas_) /
                          static_cast<double>(std::max<std::int64_t>(1, res_.CelulasBacia)),
                      static_cast<std::int32_t>(res_.Terracos.size()));
}

void TMotor::Resolver(std::size_t t)
{
    TTarefa& tarefa = tarefas_[t];
    for (std::size_t k = tarefa.Inicio; k < tarefa.Celulas.size(); ++k) {
        const std::uint32_t i = tarefa.Celulas[k];
        if (regiao_[i] == static_cast<std::int32_t>(t)) {
            regiao_[i] = kResolvida;
            ++resolvidas_;
        }
    }
    std::vector<std::uint32_t>().swap(tarefa.Celulas);
    tarefa.Inicio = 0;
}

// The part of the task's cell i at the level being split: its index in
// `comps`, kFora outside the task.
std::int32_t TMotor::CompDe(std::size_t t, std::size_t i) const
{
    if (regiao_[i] != static_cast<std::int32_t>(t))
        return kFora;
    if (marca_[i] != carimbo_)
        return gigante_;
    return comp_[i];
}

void TMotor::Processar(std::size_t t)
{
    TEspacamentoFaixa esp;
    const double q = ProximoNivel(t, esp);
    // The lines below an ascent's first strip drain that strip: its spacing
    // is theirs.
    for (const std::size_t k : tarefas_[t].LinhasBase)
        res_.Terracos[k].EV = esp.EV;

    TTarefa& tarefa = tarefas_[t];
    const auto id = static_cast<std::int32_t>(t);
    const auto viva = [&](std::uint32_t i) { return regiao_[i] == id; };
    while (tarefa.Inicio < tarefa.Celulas.size() && !viva(tarefa.Celulas[tarefa.Inicio]))
        ++tarefa.Inicio;
    while (!tarefa.Celulas.empty() && !viva(tarefa.Celulas.back()))
        tarefa.Celulas.pop_back();
    if (tarefa.Inicio >= tarefa.Celulas.size()) {
        Resolver(t);
        return;
    }
    // Land that does not reach the next level is settled: the bottom of a
    // hollow keeps its water, anywhere else the water runs on.
    const float ultima = E_[tarefa.Celulas.back()];
    if (tarefa.Descida ? !(ultima < q) : !(ultima >= q)) {
        if (tarefa.Descida && !tarefa.Topo && tarefa.NaBorda == 0)
            for (std::size_t k = tarefa.Inicio; k < tarefa.Celulas.size(); ++k)
                if (viva(tarefa.Celulas[k]))
                    sumidouro_[tarefa.Celulas[k]] = 1;
        Resolver(t);
        return;
    }

    // The strip: the head of the list, up to the level.
    std::size_t fim = tarefa.Inicio;
    for (; fim < tarefa.Celulas.size(); ++fim) {
        const std::uint32_t i = tarefa.Celulas[fim];
        if (viva(i) && (E_[i] >= q) != tarefa.Descida)
            break;
    }
    ++carimbo_;
    std::vector<TComponente> comps;
    std::vector<std::uint32_t> sementes;
    Faixa(t, q, fim, comps, sementes);
    // The task's cells next to the line above are seeds of the rest too:
    // where the land drops more than EV from one cell to the next, the strip
    // holds no cell there, or none at all.
    for (const std::uint32_t i : tarefa.Borda)
        if (regiao_[i] == static_cast<std::int32_t>(t) && (E_[i] >= q) != tarefa.Descida)
            sementes.push_back(i);
    Resto(t, q, sementes, comps);
    Decidir(t, q, comps);

    // The parts that go on become tasks; the rest of the task goes on as
    // itself.
    std::vector<TTarefa> novas;
    for (TComponente& k : comps) {
        if (!k.Continua)
            continue;
        if (k.Gigante) {
            k.Nova = kPropria;
            continue;
        }
        TTarefa n;
        n.Nivel = q;
        n.Descida = !k.Acima;
        n.EVPai = esp.EV;
        k.Nova = static_cast<std::int32_t>(novas.size());
        novas.push_back(std::move(n));
    }
    std::vector<std::size_t> basePropria;
    Emitir(t, q, fim, comps, esp.EV, novas, basePropria);

    // Each part's cells: to its new task, along with the part below that
    // takes a knob left in the strip, or settled.
    const auto destino = [&](const TComponente& k) {
        std::int32_t nova = k.Nova;
        if (nova == -1 && k.Alvo >= 0)
            nova = comps[static_cast<std::size_t>(k.Alvo)].Nova;
        return nova;
    };
    // In a hollow being terraced, the part holding its lowest cell that gets
    // no line of its own is the hollow's bottom: its water stays there.
    if (tarefa.Descida && !tarefa.Topo && tarefa.NaBorda == 0)
        if (const std::int32_t c = CompDe(t, tarefa.Celulas.back());
            c >= 0 && !comps[static_cast<std::size_t>(c)].Continua) {
            if (comps[static_cast<std::size_t>(c)].Gigante) {
                for (std::size_t pos = fim; pos < tarefa.Celulas.size(); ++pos)
                    if (viva(tarefa.Celulas[pos]) && CompDe(t, tarefa.Celulas[pos]) == c)
                        sumidouro_[tarefa.Celulas[pos]] = 1;
            } else {
                for (const std::uint32_t i : comps[static_cast<std::size_t>(c)].Lista)
                    sumidouro_[i] = 1;
            }
        }
    // Cells next to the land beyond the bounding line stay so in the part
    // they fall in.
    for (const std::uint32_t i : tarefa.Borda)
        if (viva(i) && (E_[i] >= q) != tarefa.Descida)
            if (const std::int32_t c = CompDe(t, i); c >= 0)
                comps[static_cast<std::size_t>(c)].Borda.push_back(i);
    TComponente* gigante = gigante_ >= 0 ? &comps[static_cast<std::size_t>(gigante_)] : nullptr;
    for (TComponente& k : comps) {
        if (k.Gigante)
            continue;
        const std::int32_t nova = destino(k);
        if (nova >= 0) {
            TTarefa& n = novas[static_cast<std::size_t>(nova)];
            n.Celulas.insert(n.Celulas.end(), k.Lista.begin(), k.Lista.end());
            n.Vivas += k.Celulas;
            n.SomaDecl += k.SomaDeclividade;
            n.NaBorda += k.NaBorda;
            if (k.Nova == nova)
                n.Borda.insert(n.Borda.end(), k.Borda.begin(), k.Borda.end());
        } else if (nova == kPropria && gigante) {
            // A knob that goes on with the rest: it keeps its place at the
            // head of the list.
            gigante->Celulas += k.Celulas;
            gigante->SomaDeclividade += k.SomaDeclividade;
            gigante->NaBorda += k.NaBorda;
        } else {
            for (const std::uint32_t i : k.Lista)
                regiao_[i] = kResolvida;
            resolvidas_ += k.Celulas;
        }
    }
    if (gigante && gigante->Continua) {
        tarefa.Nivel = q;
        tarefa.Topo = false;
        tarefa.EVPai = esp.EV;
        tarefa.LinhasBase = std::move(basePropria);
        tarefa.Borda = std::move(gigante->Borda);
        tarefa.Vivas = gigante->Celulas;
        tarefa.SomaDecl = gigante->SomaDeclividade;
        tarefa.NaBorda = gigante->NaBorda;
        fila_.emplace(q, -static_cast<std::int64_t>(t));
    } else {
        // The walked parts have left; what is still the task's is settled.
        for (TComponente& k : comps)
            if (k.Nova >= 0 || destino(k) >= 0)
                for (const std::uint32_t i : k.Lista)
                    regiao_[i] = kSemTarefa; // taken by NovaTarefa below
        Resolver(t);
    }
    for (TTarefa& n : novas) {
        Ordenar(n.Celulas, n.Descida);
        NovaTarefa(std::move(n));
    }
}

// The parts of the strip (the head of the list up to `fim`), walked whole,
// and the cells of the rest next to them (`sementes`).
void TMotor::Faixa(std::size_t t, double q, std::size_t fim, std::vector<TComponente>& comps,
                   std::vector<std::uint32_t>& sementes)
{
    const TTarefa& tarefa = tarefas_[t];
    const auto id = static_cast<std::int32_t>(t);
    const bool acima = tarefa.Descida; // the strip's side of the level
    const int vizinhos = acima ? 4 : 8;
    const std::uint32_t cume = tarefa.Celulas[tarefa.Inicio];
    std::vector<std::uint32_t> pilha;
    for (std::size_t pos = tarefa.Inicio; pos < fim; ++pos) {
        const std::uint32_t s = tarefa.Celulas[pos];
        if (regiao_[s] != id || marca_[s] == carimbo_)
            continue;
        const auto k = static_cast<std::int32_t>(comps.size());
        TComponente comp;
        comp.Acima = acima;
        comp.Faixa = true;
        marca_[s] = carimbo_;
        comp_[s] = k;
        pilha.assign(1, s);
        while (!pilha.empty()) {
            const std::uint32_t i = pilha.back();
            pilha.pop_back();
            comp.Somar(E_[i], Decl(i), borda_[i] != 0);
            comp.Lista.push_back(i);
            if (i == cume)
                comp.ContemCume = true;
            bool naBorda = false;
            for (int d = 0; d < 8; ++d) {
                std::size_t n = 0;
                if (!Vizinho(i, d, n))
                    continue;
                if (regiao_[n] != id) {
                    // Beyond the bounding line: above it for a descent,
                    // below it for an ascent.
                    if (tarefa.Descida ? E_[n] >= tarefa.Nivel : E_[n] < tarefa.Nivel)
                        comp.TocaLinha = true;
                    continue;
                }
                if ((E_[n] >= q) != acima) {
                    naBorda = true;
                    sementes.push_back(static_cast<std::uint32_t>(n));
                    continue;
                }
                if (d >= vizinhos || marca_[n] == carimbo_)
                    continue;
                marca_[n] = carimbo_;
                comp_[n] = k;
                pilha.push_back(static_cast<std::uint32_t>(n));
            }
            if (naBorda)
                comp.Borda.push_back(i);
        }
        comps.push_back(std::move(comp));
    }
}

// The parts of the rest of the task (beyond the level). The seeds, its
// cells next to the strip, are grouped by their part at the level (the
// forests); the part with the most seeds is the rest of the task and is not
// walked: its figures are the task's minus the others'. Every other part is
// walked whole from its seeds.
void TMotor::Resto(std::size_t t, double q, const std::vector<std::uint32_t>& sementes,
                   std::vector<TComponente>& comps)
{
    const TTarefa& tarefa = tarefas_[t];
    const auto id = static_cast<std::int32_t>(t);
    const bool acima = !tarefa.Descida; // the rest's side of the level
    const int vizinhos = acima ? 4 : 8;
    const TFloresta& floresta = acima ? acima_ : abaixo_;
    gigante_ = -1;
    // The parts the seeds lie in, with their seeds.
    std::unordered_map<std::int32_t, std::size_t> indice;
    std::vector<std::vector<std::uint32_t>> grupos;
    for (const std::uint32_t s : sementes) {
        if (marca_[s] == carimbo_)
            continue;
        marca_[s] = carimbo_;
        comp_[s] = -1;
        const auto [it, novo] = indice.try_emplace(floresta.Parte(static_cast<std::int32_t>(s), q, !acima), grupos.size());
        if (novo)
            grupos.emplace_back();
        grupos[it->second].push_back(s);
    }
    std::size_t maior = 0;
    for (std::size_t g = 1; g < grupos.size(); ++g)
        if (grupos[g].size() > grupos[maior].size())
            maior = g;
    std::vector<std::uint32_t> pilha;
    for (std::size_t g = 0; g < grupos.size(); ++g) {
        const auto k = static_cast<std::int32_t>(comps.size());
        TComponente comp;
        comp.Acima = acima;
        comp.Borda = grupos[g];
        for (const std::uint32_t s : grupos[g])
            comp_[s] = k;
        if (g == maior) {
            comp.Gigante = true;
            gigante_ = k;
            comps.push_back(std::move(comp));
            continue;
        }
        pilha = grupos[g];
        for (const std::uint32_t s : grupos[g]) {
            comp.Somar(E_[s], Decl(s), borda_[s] != 0);
            comp.Lista.push_back(s);
        }
        while (!pilha.empty()) {
            const std::uint32_t i = pilha.back();
            pilha.pop_back();
            for (int d = 0; d < vizinhos; ++d) {
                std::size_t n = 0;
                if (!Vizinho(i, d, n) || regiao_[n] != id || (E_[n] >= q) != acima || marca_[n] == carimbo_)
                    continue;
                marca_[n] = carimbo_;
                comp_[n] = k;
                comp.Somar(E_[n], Decl(n), borda_[n] != 0);
                comp.Lista.push_back(static_cast<std::uint32_t>(n));
                pilha.push_back(static_cast<std::uint32_t>(n));
            }
        }
        comps.push_back(std::move(comp));
    }
    if (gigante_ < 0)
        return;
    // The rest's seeds are its own, unwalked: they read as the rest.
    TComponente& resto = comps[static_cast<std::size_t>(gigante_)];
    for (const std::uint32_t s : resto.Borda)
        marca_[s] = 0;
    resto.Celulas = tarefa.Vivas;
    resto.SomaDeclividade = tarefa.SomaDecl;
    resto.NaBorda = tarefa.NaBorda;
    for (const TComponente& k : comps)
        if (!k.Gigante) {
            resto.Celulas -= k.Celulas;
            resto.SomaDeclividade -= k.SomaDeclividade;
            resto.NaBorda -= k.NaBorda;
        }
    // Its far end: the last of the list that is its own.
    for (std::size_t pos = tarefa.Celulas.size(); pos-- > tarefa.Inicio;) {
        const std::uint32_t i = tarefa.Celulas[pos];
        if (regiao_[i] == id && CompDe(t, i) == gigante_) {
            (acima ? resto.Max : resto.Min) = E_[i];
            break;
        }
    }
}

// Which parts bound terraces and which go on as tasks.
//
// Going down: the land above the level next to the line above (or holding
// the summit) is the strip the new lines drain. Another part above the level
// is a knob: a hill of its own, climbed from its rim, when its relief above
// the level reaches the EV of its own slope and it holds a disc of its own
// EH; otherwise it goes on with the land round it. A part below the level
// that reaches the watershed's edge goes on down; one enclosed (a hollow)
// goes on when its depth reaches the EV of its own slope. Either must hold
// a disc of its own EH, or it stays in the strip.
//
// Going up a hill: the land below the level next to the line below is the
// strip that line drains; an enclosed part below the level is a hollow,
// judged as above. A part above the level goes on up when it holds a disc of
// its own EH.
void TMotor::Decidir(std::size_t t, double q, std::vector<TComponente>& comps)
{
    const TTarefa& tarefa = tarefas_[t];
    const auto disco = [&](const TEspacamentoFaixa& e) {
        return std::numbers::pi * e.EH * e.EH / 4 / op_.AreaCelula;
    };
    // Wide enough for a terrace of its own slope's spacing and, when
    // `relevo` is given, deep or high enough for one strip of it.
    constexpr double kSemRelevo = std::numeric_limits<double>::infinity();
    const auto cabe = [&](const TComponente& k, double relevo) {
        if (k.Celulas < 4)
            return false;
        const TEspacamentoFaixa e = Espacar(k.Media(), false);
        return static_cast<double>(k.Celulas) >= disco(e) && relevo >= e.EV;
    };
    for (TComponente& k : comps) {
        if (tarefa.Descida) {
            if (k.Acima) {
                k.Linha = k.TocaLinha || (tarefa.Topo && k.ContemCume);
                if (!k.Linha && cabe(k, k.Max - q))
                    k.Linha = k.Continua = true; // a hill
            } else if (k.NaBorda > 0) {
                k.Linha = k.Continua = cabe(k, kSemRelevo);
            } else {
                k.Linha = k.Continua = cabe(k, q - k.Min); // a hollow
            }
        } else {
            if (!k.Acima) {
                k.Linha = k.TocaLinha;
                if (!k.Linha && cabe(k, q - k.Min))
                    k.Linha = k.Continua = true; // a hollow on the hill
            } else {
                k.Linha = k.Continua = cabe(k, kSemRelevo);
            }
        }
    }
    // Knobs left in the strip go on with a part below them that goes on.
    if (!tarefa.Descida)
        return;
    for (TComponente& k : comps) {
        if (!k.Acima || k.Linha)
            continue;
        for (const std::uint32_t i : k.Borda) {
            for (int d = 0; d < 8 && k.Alvo < 0; ++d) {
                std::size_t n = 0;
                if (!Vizinho(i, d, n))
                    continue;
                const std::int32_t c = CompDe(t, n);
                if (c >= 0 && !comps[static_cast<std::size_t>(c)].Acima && comps[static_cast<std::size_t>(c)].Continua)
                    k.Alvo = c;
            }
            if (k.Alvo >= 0)
                break;
        }
    }
}

// The crossing of level q on a cell edge, in image coordinates (columns and
// rows from 1, cell centres at whole numbers). Computed from the edge's own
// two cells, so the two squares that share the edge agree on it exactly.
TPonto TMotor::Cruzamento(std::uint64_t aresta, double q) const
{
    const std::size_t u = static_cast<std::size_t>(aresta >> 1);
    const bool sul = (aresta & 1) != 0;
    const std::size_t w = sul ? u + static_cast<std::size_t>(C_) : u + 1;
    const double eu = E_[u], ew = E_[w];
    const double f = std::clamp((q - eu) / (ew - eu), 0.0, 1.0);
    const auto r = static_cast<double>(u / static_cast<std::size_t>(C_));
    const auto c = static_cast<double>(u % static_cast<std::size_t>(C_));
    TPonto p;
    p.X = static_cast<float>(c + 1 + (sul ? 0.0 : f));
    p.Y = static_cast<float>(r + 1 + (sul ? f : 0.0));
    p.Z = static_cast<float>(q);
    return p;
}

// The contour segments of level q in the square whose north-west cell is
// (r, c), those that bound the task's parts with terraces. Cells above the
// level meet 4-connected, cells below 8-connected, so a saddle square cuts
// off each of its corners above the level.
void TMotor::Quadrado(std::int32_t r, std::int32_t c, double q, std::size_t t, const std::vector<TComponente>& comps,
                      std::vector<TSegmento>& segs) const
{
    if (r < 0 || c < 0 || r + 1 >= R_ || c + 1 >= C_)
        return;
    // Corners: 0 north-west, 1 north-east, 2 south-east, 3 south-west.
    const std::size_t cel[4] = {Idx(r, c), Idx(r, c + 1), Idx(r + 1, c + 1), Idx(r + 1, c)};
    bool acima[4];
    std::int32_t comp[4];
    for (int k = 0; k < 4; ++k) {
        if (!Dado(cel[k]))
            return; // the watershed's edge: the line ends here
        acima[k] = E_[cel[k]] >= q;
        comp[k] = CompDe(t, cel[k]);
    }
    int nAcima = 0;
    for (const bool a : acima)
        nAcima += a ? 1 : 0;
    if (nAcima == 0 || nAcima == 4)
        return;
    // Edges: 0 north (0–1), 1 east (1–2), 2 south (3–2), 3 west (0–3).
    const std::uint64_t aresta[4] = {2 * static_cast<std::uint64_t>(cel[0]), 2 * static_cast<std::uint64_t>(cel[1]) + 1,
                                     2 * static_cast<std::uint64_t>(cel[3]), 2 * static_cast<std::uint64_t>(cel[0]) + 1};
    // The two edges at each corner.
    static constexpr int kArestasDoCanto[4][2] = {{0, 3}, {0, 1}, {1, 2}, {2, 3}};
    const bool descida = tarefas_[t].Descida;
    const auto linha = [&](int k) { return comp[k] == kFora || comps[static_cast<std::size_t>(comp[k])].Linha; };
    // A segment between the part above (corner a) and the part below
    // (corner b): a terrace when both bound terraces and the side the task
    // goes on with is in the task.
    const auto segmento = [&](int e1, int e2, int a, int b) {
        if ((descida ? comp[b] : comp[a]) == kFora || !linha(a) || !linha(b))
            return;
        segs.push_back({aresta[e1], aresta[e2], comp[a], static_cast<std::uint32_t>(cel[a])});
    };
    if (nAcima == 1 || nAcima == 3) {
        // One corner differs: the segment cuts it off.
        int k = 0;
        while (acima[k] == (nAcima == 3))
            ++k;
        const int vizinho = (k + 1) % 4;
        segmento(kArestasDoCanto[k][0], kArestasDoCanto[k][1], acima[k] ? k : vizinho, acima[k] ? vizinho : k);
        return;
    }
    if (acima[0] == acima[2]) {
        // A saddle: each corner above the level is cut off.
        for (int k = 0; k < 4; ++k)
            if (acima[k])
                segmento(kArestasDoCanto[k][0], kArestasDoCanto[k][1], k, (k + 1) % 4);
        return;
    }
    // Two neighbouring corners above: the segment runs across the square.
    if (acima[0] == acima[1])
        segmento(3, 1, acima[0] ? 0 : 3, acima[0] ? 3 : 0); // west to east
    else
        segmento(0, 2, acima[0] ? 0 : 1, acima[0] ? 1 : 0); // north to south
}
// The terrace lines at level q round the task's parts: the segments of the
// squares along the parts' boundaries, joined into polylines.
void TMotor::Emitir(std::size_t t, double q, std::size_t fimFaixa, std::vector<TComponente>& comps, double ev,
                    std::vector<TTarefa>& novas, std::vector<std::size_t>& basePropria)
{
    const TTarefa& tarefa = tarefas_[t];
    const auto id = static_cast<std::int32_t>(t);
    // The segments lie in the squares round the strip's cells and round the
    // task's cells next to the bounding line (where the strip is thinner
    // than a cell).
    std::vector<TSegmento> segs;
    const auto olhar = [&](std::uint32_t i) {
        const auto r = static_cast<std::int32_t>(i / static_cast<std::size_t>(C_));
        const auto c = static_cast<std::int32_t>(i % static_cast<std::size_t>(C_));
        for (int dr = -1; dr <= 0; ++dr)
            for (int dc = -1; dc <= 0; ++dc) {
                const std::int32_t rq = r + dr, cq = c + dc;
                if (rq < 0 || cq < 0)
                    continue;
                std::uint32_t& marca = quadro_[Idx(rq, cq)];
                if (marca == carimbo_)
                    continue;
                marca = carimbo_;
                Quadrado(rq, cq, q, t, comps, segs);
            }
    };
    for (std::size_t pos = tarefa.Inicio; pos < fimFaixa; ++pos)
        if (regiao_[tarefa.Celulas[pos]] == id)
            olhar(tarefa.Celulas[pos]);
    for (const std::uint32_t i : tarefa.Borda)
        if (regiao_[i] == id && (E_[i] >= q) != tarefa.Descida)
            olhar(i);
    if (segs.empty())
        return;

    // Join the segments: each crossing point is shared by at most two.
    std::unordered_map<std::uint64_t, std::pair<std::int32_t, std::int32_t>> porAresta;
    porAresta.reserve(segs.size() * 2);
    const auto ligar = [&](std::uint64_t a, std::int32_t s) {
        auto [it, novo] = porAresta.try_emplace(a, s, -1);
        if (!novo)
            it->second.second = s;
    };
    for (std::size_t s = 0; s < segs.size(); ++s) {
        ligar(segs[s].A, static_cast<std::int32_t>(s));
        ligar(segs[s].B, static_cast<std::int32_t>(s));
    }
    std::vector<std::uint8_t> usado(segs.size(), 0);
    const auto outro = [&](std::uint64_t a, std::int32_t s) {
        const auto& par = porAresta.at(a);
        return par.first == s ? par.second : par.first;
    };
    for (std::size_t s0 = 0; s0 < segs.size(); ++s0) {
        if (usado[s0])
            continue;
        usado[s0] = 1;
        // Walk forward from B, then backward from A.
        std::vector<std::uint64_t> frente{segs[s0].A, segs[s0].B};
        bool fechada = false;
        for (std::int32_t s = static_cast<std::int32_t>(s0);;) {
            const std::uint64_t fim = frente.back();
            const std::int32_t p = outro(fim, s);
            if (p < 0)
                break;
            if (usado[static_cast<std::size_t>(p)]) {
                fechada = p == static_cast<std::int32_t>(s0);
                break;
            }
            usado[static_cast<std::size_t>(p)] = 1;
            frente.push_back(segs[static_cast<std::size_t>(p)].A == fim ? segs[static_cast<std::size_t>(p)].B
                                                                        : segs[static_cast<std::size_t>(p)].A);
            s = p;
        }
        std::vector<std::uint64_t> tras;
        if (!fechada) {
            for (std::int32_t s = static_cast<std::int32_t>(s0);;) {
                const std::uint64_t fim = tras.empty() ? segs[s0].A : tras.back();
                const std::int32_t p = outro(fim, s);
                if (p < 0 || usado[static_cast<std::size_t>(p)])
                    break;
                usado[static_cast<std::size_t>(p)] = 1;
                tras.push_back(segs[static_cast<std::size_t>(p)].A == fim ? segs[static_cast<std::size_t>(p)].B
                                                                          : segs[static_cast<std::size_t>(p)].A);
                s = p;
            }
        }
        std::vector<std::uint64_t> chaves(tras.rbegin(), tras.rend());
        chaves.insert(chaves.end(), frente.begin(), frente.end());

        TTerracoTracado terraco;
        terraco.Cota = q;
        terraco.EV = ev;
        for (const std::uint64_t a : chaves)
            terraco.Linha.Adicionar(Cruzamento(a, q));
        if (terraco.Linha.Comprimento() <= 0)
            continue;
        if (fechada) {
            // The inside is the side of the cell above the level?
            const std::uint32_t a = segs[s0].CelulaAcima;
            const double x = static_cast<double>(a % static_cast<std::uint32_t>(C_)) + 1;
            const double y = static_cast<double>(a / static_cast<std::uint32_t>(C_)) + 1;
            terraco.Forma = terraco.Linha.Contem(x, y) ? TFormaTerraco::Morro : TFormaTerraco::Depressao;
        }
        const std::size_t indice = res_.Terracos.size();
        terraco.Linha.Numero = static_cast<std::int32_t>(indice + 1);
        // A line below a hill drains the hill's first strip: the hill's
        // spacing is its EV.
        const std::int32_t acima = segs[s0].CompAcima;
        if (acima >= 0) {
            const std::int32_t nova = comps[static_cast<std::size_t>(acima)].Nova;
            if (nova >= 0)
                novas[static_cast<std::size_t>(nova)].LinhasBase.push_back(indice);
            else if (nova == kPropria && !tarefa.Descida)
                basePropria.push_back(indice);
        }
        for (const std::uint64_t a : chaves) {
            cruzamentos_.push_back({a, static_cast<float>(q), static_cast<std::int32_t>(indice)});
            arestas_[static_cast<std::size_t>(a >> 1)] |= (a & 1) ? 2 : 1;
        }
        res_.Terracos.push_back(std::move(terraco));
    }
}

// The terrace whose line the step from cell u to its neighbour d crosses
// first going down (the highest level between the neighbour's and u's
// elevations), −1 when it crosses none. A step along a side crosses the
// lines on that edge; a diagonal step, those on the edges of the square it
// cuts.
std::int32_t TMotor::Cruza(std::size_t u, int d) const
{
    const auto C = static_cast<std::uint64_t>(C_);
    const auto U = static_cast<std::uint64_t>(u);
    std::uint64_t chaves[4];
    int n = 0;
    switch (d) {
    case 0: chaves[n++] = 2 * (U - C) + 1; break; // north: the south edge of the cell above
    case 1: chaves[n++] = 2 * U + 1; break;       // south
    case 2: chaves[n++] = 2 * U; break;           // east
    case 3: chaves[n++] = 2 * (U - 1); break;     // west: the east edge of the cell before
    default: {
        // The square's north-west cell, then its four edges.
        const std::uint64_t nw = d == 4 ? U - C - 1 : d == 5 ? U - C : d == 6 ? U - 1 : U;
        chaves[n++] = 2 * nw;
        chaves[n++] = 2 * (nw + C);
        chaves[n++] = 2 * nw + 1;
        chaves[n++] = 2 * (nw + 1) + 1;
    }
    }
    const std::size_t v = static_cast<std::size_t>(static_cast<std::int64_t>(u) + passo_[d]);
    const float alto = E_[u], baixo = E_[v];
    std::int32_t melhor = -1;
    float nivel = 0;
    for (int k = 0; k < n; ++k) {
        const std::uint64_t a = chaves[k];
        if (!(arestas_[static_cast<std::size_t>(a >> 1)] & ((a & 1) ? 2 : 1)))
            continue;
        const auto [ini, fim] = std::equal_range(cruzamentos_.begin(), cruzamentos_.end(), TCruzamento{a, 0, 0});
        for (auto it = ini; it != fim; ++it)
            if (it->Nivel <= alto && it->Nivel > baixo && (melhor < 0 || it->Nivel > nivel)) {
                melhor = it->Terraco;
                nivel = it->Nivel;
            }
    }
    return melhor;
}

// Where every cell drains: along the steepest descent of the
// depression-filled surface (priority flood from the cells on the edge of
// the land with data and from `sumidouros`, the bottoms of terraced
// hollows), as the neighbour's direction, kFim where the water leaves or
// stays.
std::vector<std::int8_t> TMotor::Drenagem(const std::vector<std::uint8_t>& sumidouros) const
{
    constexpr std::int8_t kNenhum = -1;
    std::vector<float> cheio(E_.begin(), E_.end()); // filled surface, m
    std::vector<std::int8_t> pai(N_, kNenhum);       // direction the flood came from
    std::vector<std::uint8_t> visto(N_, 0);
    // The flood takes the lowest cell of its front first: a bucket queue on
    // the elevation in steps of a millimetre (coarser on a relief of more
    // than 16 km), which the flood never goes back below.
    float lo = std::numeric_limits<float>::max(), hi = std::numeric_limits<float>::lowest();
    for (std::size_t i = 0; i < N_; ++i)
        if (Dado(i)) {
            lo = std::min(lo, E_[i]);
            hi = std::max(hi, E_[i]);
        }
    const double passo = std::max(0.001, (static_cast<double>(hi) - lo) / (1 << 24));
    std::vector<std::int32_t> cabeca(static_cast<std::size_t>((static_cast<double>(hi) - lo) / passo) + 2, -1);
    std::vector<std::int32_t> seguinte(N_, -1);
    std::size_t cursor = 0;
    const auto empilhar = [&](std::size_t i) {
        const auto k = static_cast<std::size_t>((static_cast<double>(E_[i]) - lo) / passo);
        seguinte[i] = cabeca[k];
        cabeca[k] = static_cast<std::int32_t>(i);
        cursor = std::min(cursor, k);
    };
    // Cells flooded at the level of the one that reached them, first in
    // first out, so a flat drains the shortest way to where it was entered.
    std::vector<std::uint32_t> poca;
    std::size_t inicioPoca = 0;
    for (std::size_t i = 0; i < N_; ++i)
        if (Dado(i) && (sumidouros[i] || borda_[i])) {
            visto[i] = 1;
            empilhar(i);
        }
    static constexpr int kOposto[8] = {1, 0, 3, 2, 7, 6, 5, 4};
    for (;;) {
        std::size_t i;
        if (inicioPoca < poca.size()) {
            i = poca[inicioPoca++];
        } else {
            poca.clear();
            inicioPoca = 0;
            while (cursor < cabeca.size() && cabeca[cursor] < 0)
                ++cursor;
            if (cursor >= cabeca.size())
                break;
            i = static_cast<std::size_t>(cabeca[cursor]);
            cabeca[cursor] = seguinte[i];
        }
        for (int d = 0; d < 8; ++d) {
            std::size_t n = 0;
            if (!Vizinho(i, d, n) || visto[n])
                continue;
            visto[n] = 1;
            pai[n] = static_cast<std::int8_t>(kOposto[d]);
            if (E_[n] <= cheio[i]) {
                cheio[n] = cheio[i];
                poca.push_back(static_cast<std::uint32_t>(n));
            } else {
                empilhar(n);
            }
        }
    }
    std::vector<std::int32_t>().swap(seguinte);
    std::vector<std::int32_t>().swap(cabeca);
    const auto vizinho = [this](std::size_t i, int d, std::size_t& n) { return Vizinho(i, d, n); };

    // Where each cell drains: the steepest drop of the filled surface, or,
    // on its flats and in its filled pits, the way the flood came.
    constexpr std::int8_t kFim = -1;
    std::vector<std::int8_t> destino(N_, kFim);
    for (std::size_t i = 0; i < N_; ++i) {
        if (!Dado(i) || sumidouros[i])
            continue;
        double melhor = 0;
        for (int d = 0; d < 8; ++d) {
            std::size_t n = 0;
            if (!vizinho(i, d, n))
                continue;
            const double queda = (static_cast<double>(cheio[i]) - cheio[n]) / (d < 4 ? 1.0 : std::numbers::sqrt2);
            if (queda > melhor) {
                melhor = queda;
                destino[i] = static_cast<std::int8_t>(d);
            }
        }
        if (destino[i] == kFim)
            destino[i] = pai[i];
    }
    return destino;
}

// The strips: every cell drains along `destino` into the first terrace line
// its path crosses going down.
void TMotor::Escoar(const std::vector<std::int8_t>& destino)
{
    std::sort(cruzamentos_.begin(), cruzamentos_.end());
    constexpr std::int8_t kFim = -1;
    const auto vizinho = [this](std::size_t i, int d, std::size_t& n) { return Vizinho(i, d, n); };

    // Each cell takes the terrace its path meets first.
    std::vector<std::int32_t> faixa = FaixasPorEscoamento(
        N_, [this](std::size_t i) { return Dado(i); }, [&](std::size_t i) { return destino[i] == kFim; },
        [&](std::size_t i) {
            std::size_t y = i;
            vizinho(i, destino[i], y);
            return y;
        },
        [&](std::size_t i, std::size_t) { return Cruza(i, destino[i]); });

    // Each strip's size and slope; lines that drain nothing are dropped and
    // the rest renumbered.
    std::vector<std::int64_t> celulas(res_.Terracos.size(), 0);
    std::vector<double> soma(res_.Terracos.size(), 0.0);
    for (std::size_t i = 0; i < N_; ++i) {
        if (faixa[i] > 0) {
            ++celulas[static_cast<std::size_t>(faixa[i] - 1)];
            soma[static_cast<std::size_t>(faixa[i] - 1)] += Decl(i);
        } else if (faixa[i] == 0) {
            ++res_.CelulasRestantes;
        }
    }
    // Numbered from the highest level down, as a technician reads them on
    // the map; lines at one level in the order they were placed.
    std::vector<std::size_t> ordem;
    for (std::size_t k = 0; k < res_.Terracos.size(); ++k)
        if (celulas[k] > 0)
            ordem.push_back(k);
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&](std::size_t a, std::size_t b) { return res_.Terracos[a].Cota > res_.Terracos[b].Cota; });
    std::vector<std::int32_t> novoNumero(res_.Terracos.size(), 0);
    std::vector<TTerracoTracado> terracos;
    for (const std::size_t k : ordem) {
        TTerracoTracado t = std::move(res_.Terracos[k]);
        t.Celulas = celulas[k];
        t.DeclividadeFaixa = soma[k] / static_cast<double>(celulas[k]);
        novoNumero[k] = static_cast<std::int32_t>(terracos.size() + 1);
        t.Linha.Numero = novoNumero[k];
        terracos.push_back(std::move(t));
    }
    res_.Terracos = std::move(terracos);
    if (op_.GuardarFaixas) {
        for (std::int32_t& f : faixa)
            if (f > 0)
                f = novoNumero[static_cast<std::size_t>(f - 1)];
        res_.Faixa = std::move(faixa);
    }
}

TTracadoNivel TMotor::Executar()
{
    regiao_.assign(N_, kSemTarefa);
    abaixo_.Iniciar(N_);
    acima_.Iniciar(N_);
    comp_.assign(N_, -1);
    marca_.assign(N_, 0);
    quadro_.assign(N_, 0);
    borda_.assign(N_, 0);
    margem_.assign(N_, 0);
    for (int d = 0; d < 8; ++d)
        passo_[d] = static_cast<std::int64_t>(kDl[d]) * C_ + kDc[d];
    for (std::int32_t r = 0; r < R_; ++r)
        for (std::int32_t c = 0; c < C_; ++c)
            margem_[Idx(r, c)] = r == 0 || c == 0 || r == R_ - 1 || c == C_ - 1;
    for (std::size_t i = 0; i < N_; ++i)
        if (Dado(i))
            for (int d = 0; d < 8 && !borda_[i]; ++d) {
                std::size_t n = 0;
                borda_[i] = Vizinho(i, d, n) ? 0 : 1;
            }
    sumidouro_.assign(N_, 0);
    arestas_.assign(N_, 0);
    double soma = 0;
    for (std::size_t i = 0; i < N_; ++i)
        if (Dado(i)) {
            ++res_.CelulasBacia;
            soma += Decl(i);
        }
    if (res_.CelulasBacia == 0)
        return res_;
    res_.DeclividadeMedia = soma / static_cast<double>(res_.CelulasBacia);
    espBacia_ = Espacar(res_.DeclividadeMedia, false);

    PecasDaBacia();
    // The drainage of the land as it is, on the other core while the
    // terraces are placed; done again with the bottoms of terraced hollows
    // when there are any.
    const std::vector<std::uint8_t> semSumidouros(N_, 0);
    std::vector<std::int8_t> destino;
    std::exception_ptr falhaDrenagem;
    std::thread drenagem([&] {
        try {
            destino = Drenagem(semSumidouros);
        } catch (...) {
            falhaDrenagem = std::current_exception();
        }
    });
    struct TJuntar {
        std::thread& t;
        ~TJuntar()
        {
            if (t.joinable())
                t.join();
        }
    } juntar{drenagem};
    while (!fila_.empty()) {
        if (op_.Parar && op_.Parar->load()) {
            res_.Interrompido = true;
            break;
        }
        const auto t = static_cast<std::size_t>(-fila_.top().second);
        fila_.pop();
        Processar(t);
        Progredir();
    }
    drenagem.join();
    if (falhaDrenagem)
        std::rethrow_exception(falhaDrenagem);
    if (std::any_of(sumidouro_.begin(), sumidouro_.end(), [](std::uint8_t v) { return v != 0; }))
        destino = Drenagem(sumidouro_);
    Escoar(destino);
    if (op_.GuardarDrenagem)
        res_.Drenagem = std::move(destino);
    if (op_.Progresso)
        op_.Progresso(1.0, static_cast<std::int32_t>(res_.Terracos.size()));
    return std::move(res_);
}

} // namespace

TTracadoNivel TracarTerracosNivel(const TMatrixSingle& elevacao, const TMatrixSingle& declividade,
                                  const TOpcoesTracado& opcoes)
{
    if (declividade.Linhas() != elevacao.Linhas() || declividade.Colunas() != elevacao.Colunas())
        throw Exception("A imagem de declividade não tem o mesmo número de linhas e colunas da imagem de elevação.");
    if (!opcoes.Espacamento)
        throw Exception("Nenhum método de espaçamento foi dado ao traçado dos terraços.");
    TMotor motor(elevacao, declividade, opcoes);
    return motor.Executar();
}

} // namespace vastrel
