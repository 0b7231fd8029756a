#include "location/LocacaoNivel.h"

#include "common/CheckedMath.h"
#include "common/IniFile.h"
#include "common/Rounding.h"
#include "common/UiHooks.h"
#include "engine/Canal.h"
#include "engine/Precipitacao.h"
#include "engine/Terreno.h"
#include "gis/Bytes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace vastrel {

namespace {

constexpr const char* kSecao = "LOCACAONIVEL";
// How far around a line cell a fill or a search looks for open land on its
// side when no neighbour is better than the cell itself, in cells.
constexpr std::int32_t kRaioVizinhanca = 3;

std::string Nome(const std::filesystem::path& p) { return gis::bytes::NomeArquivo(p); }

std::string Maiusculas(std::string s)
{
    for (char& ch : s)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

// A set of cells of the image kept as one flag per cell, for the cells
// beside contours a search has already traced and refused. A run refuses
// many short contours at every step, so the flags are held by the run and
// only the cells set are cleared, when the set is emptied or goes.
class TCelulasRecusadas {
public:
    TCelulasRecusadas(std::vector<std::uint8_t>& flags, const TMatrix& imagem) : flags_(flags), imagem_(imagem)
    {
        const auto n = static_cast<std::size_t>(imagem.Linhas()) * static_cast<std::size_t>(imagem.Colunas());
        if (flags_.size() != n)
            flags_.assign(n, 0);
    }
    ~TCelulasRecusadas() { Limpar(); }
    TCelulasRecusadas(const TCelulasRecusadas&) = delete;
    TCelulasRecusadas& operator=(const TCelulasRecusadas&) = delete;

    bool Contem(const TPixel& c) const { return flags_[Indice(c.Lin, c.Col)] != 0; }
    void Recusar(std::int32_t lin, std::int32_t col)
    {
        auto& f = flags_[Indice(lin, col)];
        if (!f) {
            f = 1;
            postas_.push_back(Indice(lin, col));
        }
    }
    // The cells at the corners of the square round each point of the line:
    // the cells a contour through them would start from.
    void RecusarVizinhas(const TLinha& linha)
    {
        for (const TPonto& p : linha)
            for (const float x : {std::floor(p.X), std::ceil(p.X)})
                for (const float y : {std::floor(p.Y), std::ceil(p.Y)})
                    if (imagem_.Dentro(static_cast<std::int32_t>(y), static_cast<std::int32_t>(x)))
                        Recusar(static_cast<std::int32_t>(y), static_cast<std::int32_t>(x));
    }
    void Limpar()
    {
        for (const std::size_t k : postas_)
            flags_[k] = 0;
        postas_.clear();
    }

private:
    std::size_t Indice(std::int32_t lin, std::int32_t col) const
    {
        return static_cast<std::size_t>(imagem_.Indice(lin, col));
    }
    std::vector<std::uint8_t>& flags_;
    const TMatrix& imagem_;
    std::vector<std::size_t> postas_;
};

} // namespace

// The objects of a run in progress.
struct TLocacaoNivel::TExecucao {
    TExecucao(TPrecipitacao& chuva, TTerreno& terreno, TTerracosNivel& terracos)
        : Chuva(chuva), Terreno(terreno), Terracos(terracos)
    {
    }
    TPrecipitacao& Chuva;
    TTerreno& Terreno;
    TTerracosNivel& Terracos;
    TImgElevacao Elev;
    TImgDeclive Decl;
    TVET Vet;
    TBDT Tabela;
    std::unique_ptr<TImgApoio> Apoio;
    std::vector<float> Desnivel; // DesnivelMaximo of the elevation image
    std::optional<double> LES; // runoff depth of the design storm, mm (the same for the whole run)
    // Flags of the refused cells of BuscarLinha and of BuscarEnclave, one
    // byte per cell, all 0 between searches.
    std::vector<std::uint8_t> RecusadasLinha, RecusadasEnclave;

    TEspacamento& Espacamento() { return Terracos.Espacamento; }
    double CalcularLES()
    {
        if (!LES)
            LES = Terreno.CalculaLES(Chuva);
        return *LES;
    }
};

TLocacaoNivel::TLocacaoNivel() = default;
TLocacaoNivel::~TLocacaoNivel() = default;

TLocacaoNivel::TLocacaoNivel(const TLocacaoNivel& outra) { *this = outra; }

TLocacaoNivel& TLocacaoNivel::operator=(const TLocacaoNivel& outra)
{
    if (this == &outra)
        return *this;
    fnImgElev = outra.fnImgElev;
    fnImgDecli = outra.fnImgDecli;
    fnVetSaida = outra.fnVetSaida;
    AlturaArbitrada = outra.AlturaArbitrada;
    DeclividadeMedia = outra.DeclividadeMedia;
    EVInicial = outra.EVInicial;
    AreaPixel = outra.AreaPixel;
    AreaLocada = outra.AreaLocada;
    FatorUnidade = outra.FatorUnidade;
    AreaBacia = outra.AreaBacia;
    ImgElevRun = outra.ImgElevRun;
    ImgDecliRun = outra.ImgDecliRun;
    VetSaidaRun = outra.VetSaidaRun;
    NumLocados = outra.NumLocados.load();
    Progresso = outra.Progresso.load();
    Cancelar = outra.Cancelar.load();
    VarreduraCompleta = outra.VarreduraCompleta;
    SetMensagem(outra.Mensagem());
    return *this;
}

std::string TLocacaoNivel::Mensagem() const
{
    std::lock_guard<std::mutex> trava(mutexMensagem_);
    return mensagem_;
}

void TLocacaoNivel::SetMensagem(const std::string& m)
{
    std::lock_guard<std::mutex> trava(mutexMensagem_);
    mensagem_ = m;
}

void TLocacaoNivel::SetProgresso(double p)
{
    Progresso = p;
    ProcessPendingEvents();
}

void TLocacaoNivel::Zerar()
{
    fnImgElev.clear();
    fnImgDecli.clear();
    fnVetSaida.clear();
    AlturaArbitrada = DeclividadeMedia = 0;
    EVInicial = AreaPixel = AreaLocada = FatorUnidade = AreaBacia = 0;
    ImgElevRun.clear();
    ImgDecliRun.clear();
    VetSaidaRun.clear();
    NumLocados = 0;
    Progresso = 0;
    Cancelar = false;
    SetMensagem("");
}

void TLocacaoNivel::Ler(const TIniFile& ini)
{
    fnImgElev = ini.ReadString(kSecao, "fnImgElev", "");
    fnImgDecli = ini.ReadString(kSecao, "fnImgDecli", "");
    fnVetSaida = ini.ReadString(kSecao, "fnVetSaida", "");
    AlturaArbitrada = std::max(0.0, ini.ReadFloat(kSecao, kChaveAlturaArbitrada, 0));
    DeclividadeMedia = std::max(0.0, ini.ReadFloat(kSecao, kChaveDeclividadeMedia, 0));
}

void TLocacaoNivel::Gravar(TIniFile& ini) const
{
    ini.WriteString(kSecao, "fnImgElev", fnImgElev);
    ini.WriteString(kSecao, "fnImgDecli", fnImgDecli);
    ini.WriteString(kSecao, "fnVetSaida", fnVetSaida);
    ini.WriteFloat(kSecao, kChaveAlturaArbitrada, AlturaArbitrada);
    ini.WriteFloat(kSecao, kChaveDeclividadeMedia, DeclividadeMedia);
}

void TLocacaoNivel::Ler(const std::filesystem::path& p)
{
    WithIniFile(p, [this](TIniFile& ini) { Ler(ini); return true; });
}

void TLocacaoNivel::Gravar(const std::filesystem::path& p) const
{
    WithIniFile(p, [this](TIniFile& ini) { Gravar(ini); return true; });
}

std::filesystem::path TLocacaoNivel::CaminhoTabela(const std::filesystem::path& vetSaida)
{
    std::filesystem::path p = vetSaida;
    p.replace_extension(".bdt");
    return p;
}

// ---------------------------------------------------------------------------
// The run

void TLocacaoNivel::Locar(const std::filesystem::path& imgElev, const std::filesystem::path& imgDecli,
                          TPrecipitacao& chuva, TTerreno& terreno, TTerracosNivel& terracos,
                          const std::filesystem::path& vetSaida)
{
    if (run_)
        throw Exception("Já existe uma locação em andamento. Aguarde o seu término.");

    // 1. Reset the run's values.
    NumLocados = 0;
    EVInicial = AreaPixel = AreaLocada = FatorUnidade = AreaBacia = DeclividadeMedia = 0;
    ImgElevRun = gis::bytes::Utf8DeCaminho(imgElev);
    ImgDecliRun = gis::bytes::Utf8DeCaminho(imgDecli);
    VetSaidaRun = gis::bytes::Utf8DeCaminho(vetSaida);
    Progresso = 0;
    SetMensagem(kMsgCarregandoImagens);
    if (vetSaida.empty())
        throw Exception("Nenhum arquivo de saída foi informado para a locação.");

    // The project's objects are left as they were when the run fails.
    const TTerreno terrenoAntes = terreno;
    const TEspacamento espacamentoAntes = terracos.Espacamento;
    const TSelecaoTipoTerraco selecaoAntes = terracos.SelecaoTipoTerraco;
    run_ = std::make_unique<TExecucao>(chuva, terreno, terracos);
    try {
        TExecucao& r = *run_;

        // 2. The images, the vector and the table.
        if (!r.Elev.Carregar(imgElev))
            throw Exception("A imagem de elevação \"" + Nome(imgElev) +
                            "\" não é do tipo real. Converta-a em uma imagem real antes da locação.");
        SetProgresso(30);
        if (!r.Decl.Carregar(imgDecli))
            throw Exception("A imagem de declividade \"" + Nome(imgDecli) +
                            "\" não é do tipo real. Gere-a com o mapa de declividade.");
        if (r.Decl.Linhas() != r.Elev.Linhas() || r.Decl.Colunas() != r.Elev.Colunas())
            throw Exception("A imagem de declividade \"" + Nome(imgDecli) +
                            "\" não tem o mesmo número de linhas e colunas da imagem de elevação \"" +
                            Nome(imgElev) + "\".");
        SetProgresso(60);
        r.Vet.SetUnidade(r.Elev.GetUnidade());
        SetProgresso(70);
        r.Apoio = std::make_unique<TImgApoio>(r.Elev);
        r.Apoio->VarreduraCompleta = VarreduraCompleta;
        r.Desnivel = DesnivelMaximo(r.Elev);
        SetProgresso(100);

        // 3, 4. Units and the area of a cell.
        FatorUnidade = Maiusculas(r.Elev.GetUnidade()) == "KM" ? 1000.0 : 1.0;
        Progresso = 0;
        AreaPixel = (FatorUnidade * r.Elev.ResX) * (FatorUnidade * r.Elev.ResY);
        if (!(AreaPixel > 0) || !std::isfinite(AreaPixel))
            throw Exception("As coordenadas da imagem de elevação \"" + Nome(imgElev) +
                            "\" não dão às células um tamanho válido.");

        // 5. The watershed's mean slope sets the first spacing.
        std::int64_t n = 0;
        const double declividadeMedia = r.Decl.MediaDeclividade(n);
        if (n == 0)
            throw Exception("A imagem de declividade \"" + Nome(imgDecli) + "\" não tem células com dados.");
        AtualizarEspacamento(declividadeMedia);
        AreaBacia = static_cast<double>(n) * AreaPixel / 10000;

        // 6. The offset of every trial contour.
        EVInicial = r.Espacamento().EV;
        if (!(EVInicial > 0))
            throw Exception("O espaçamento vertical dos terraços deve ser maior que zero.");

        // 7, 8. The summit and the recommended terrace type.
        const TPixelS topo = r.Elev.LocalizarTopo();
        terracos.SelecaoTipoTerraco.Seleciona(declividadeMedia);

        // 9, 10. The terraces, from the summit down. No summit (a header
        // maximum that no cell reaches) leaves the run without terraces.
        SetMensagem(kMsgTerracosLocados);
        if (topo.Col >= 1)
            LocarDescendo(topo);

        // 11. The watershed's mean slope: the location keeps it, in
        // percent, for the report.
        DeclividadeMedia = declividadeMedia;

        // 12. The two files.
        if (!r.Vet.GravarVetor(vetSaida))
            throw Exception("Não foi possível gravar o arquivo \"" + Nome(vetSaida) + "\".");
        r.Tabela.Salvar(CaminhoTabela(vetSaida));

        // The slope and spacing of each strip are the run's: the terrain and
        // the spacing go back to the dimensioning's values, so that a saved
        // location leaves the dimensioning of the project as it was.
        terreno = terrenoAntes;
        terracos.Espacamento = espacamentoAntes;
    } catch (...) {
        run_.reset();
        terreno = terrenoAntes;
        terracos.Espacamento = espacamentoAntes;
        terracos.SelecaoTipoTerraco = selecaoAntes;
        throw;
    }
    run_.reset();
}

bool TLocacaoNivel::Arbitrado() const
{
    return run_->Espacamento().Metodologia.IndMetodologia == kMetodoEVArbitrado;
}

// Spacing for the mean slope S (%) of a strip by the method in force. A
// strip of mean slope 0 (flat, or without slope data) keeps the spacing and
// the slope in force.
void TLocacaoNivel::AtualizarEspacamento(double S)
{
    if (S == 0)
        return;
    TExecucao& r = *run_;
    r.Terreno.SetSt(S / 100);
    TEspacamento& esp = r.Espacamento();
    const double les = esp.Metodologia.IndMetodologia == kMetodoAlturaArbitrada ? r.CalcularLES() : 0.0;
    esp.CalculaPorMetodo(r.Terreno.St, les, r.Terracos.Sm.Valor, r.Terracos.CDu, AlturaArbitrada);
}

// The line in map coordinates. Rows and columns count from 1 and a point at
// (x, y) = (k, j) is the centre of that cell, so X = XMin + ResX·(x − ½) and
// Y = YMax − ResY·(y − ½), Y measured down from the northern edge
// (YMax = YMin + ResY·Linhas). Without the half cell every line would sit
// half a cell south-east of its level on the map: 5 m on a 10 m raster,
// enough to stake a terrace off its contour.
TLinha TLocacaoNivel::ParaMapa(const TLinha& L) const
{
    const TImgElevacao& e = run_->Elev;
    const double topo = static_cast<double>(e.YMin) + static_cast<double>(e.ResY) * e.Linhas();
    TLinha m;
    m.Numero = L.Numero;
    for (const TPonto& p : L)
        m.Adicionar(TPonto{static_cast<float>(e.XMin + static_cast<double>(e.ResX) * (p.X - 0.5)),
                           static_cast<float>(topo - static_cast<double>(e.ResY) * (p.Y - 0.5)), p.Z});
    return m;
}

// A terrace: its line into the vector, its record into the table.
void TLocacaoNivel::Registrar(const TLinha& L, double q, double S)
{
    TExecucao& r = *run_;
    const TLinha m = ParaMapa(L);
    r.Vet.AdicionarLinha(m);
    TRegTerr reg;
    reg.Numero = L.Numero;
    reg.EV = r.Espacamento().EV;
    reg.Comprimento = m.Comprimento() * FatorUnidade;
    reg.Cota = q;
    reg.DeclividadeMedia = S;
    r.Tabela.Adicionar(reg);
}

TRegTerr* TLocacaoNivel::Registro(std::int32_t numero)
{
    TBDT& t = run_->Tabela;
    if (numero >= 1 && numero <= t.Quantidade() && t.Item(numero).Numero == numero)
        return &t.Item(numero);
    for (TRegTerr& reg : t)
        if (reg.Numero == numero)
            return &reg;
    return nullptr;
}

// The contributing area A (m²) of a terrace and the height it needs: the
// arbitrated height with method 4, otherwise √CDu·h + 0.1 m, h being the
// height of the triangular channel that stores the runoff of a strip of
// width w = A / length:  h = √(LES/500)·√(Sm·St·w / (St + Sm)).
void TLocacaoNivel::AtribuirArea(std::int32_t numero, double A)
{
    TExecucao& r = *run_;
    TRegTerr* reg = Registro(numero);
    if (reg) {
        reg->AreaInfluencia = A;
        if (r.Espacamento().Metodologia.IndMetodologia == kMetodoAlturaArbitrada) {
            reg->Altura = AlturaArbitrada;
        } else {
            try {
                const double w = reg->Comprimento > 0 ? A / reg->Comprimento : 0.0;
                const double st = r.Terreno.St, sm = r.Terracos.Sm.Valor;
                const double les = r.CalcularLES();
                const double h =
                    st + sm > 0 ? cm::Sqrt(les / 500) * cm::Sqrt(cm::Div(sm * st * w, st + sm)) : 0.0;
                reg->Altura = cm::Finite(cm::Sqrt(r.Terracos.CDu) * h + 0.1);
            } catch (const Exception&) {
                throw EDimensionamento("Erro no dimensinamento de canal");
            }
        }
    }
    AtualizarProgresso(A);
}

void TLocacaoNivel::AtualizarProgresso(double A)
{
    AreaLocada += A;
    const double total = AreaBacia * 10000;
    if (total > 0) {
        // Hollow rims share their strip's area, so the sum may pass the
        // watershed's area; the bar stops at 100.
        const double p = std::min(100.0, AreaLocada / total * 100);
        Progresso = static_cast<double>(RoundHalfEven(p));
    }
    ProcessPendingEvents();
}

double TLocacaoNivel::Contar() const
{
    return static_cast<double>(run_->Apoio->ContarMarcadas()) * AreaPixel;
}

// One step up (sentido 0) or down (1) from X onto the side of X's line,
// whose level is `nivel`. Normally the highest (lowest) neighbour; when X is
// a closed cell with no neighbour beyond it, the highest (lowest) open cell
// near X on the line's side, so that a fill or a search never starts on a
// closed cell. Column −1 when there is none.
TPixelS TLocacaoNivel::Passo(const TPixelS& X, int sentido, double nivel) const
{
    const TImgElevacao& e = run_->Elev;
    const TImgApoio& apoio = *run_->Apoio;
    TPixelS s = X;
    e.VizinhoExtremo(s, apoio, sentido);
    if (apoio.Dezena(s.Col, s.Lin) != 0)
        return s;
    for (std::int32_t raio = 1; raio <= kRaioVizinhanca; ++raio) {
        bool achou = false;
        TPixelS melhor;
        for (std::int32_t l = X.Lin - raio; l <= X.Lin + raio; ++l)
            for (std::int32_t c = X.Col - raio; c <= X.Col + raio; ++c) {
                if (std::max(std::abs(l - X.Lin), std::abs(c - X.Col)) != raio)
                    continue;
                if (apoio.Dezena(c, l) == 0)
                    continue;
                const float v = e.GetValor(l, c);
                if (v == 0 || (sentido == 0 ? v < nivel : v > nivel))
                    continue;
                if (!achou || (sentido == 0 ? v > melhor.Valor : v < melhor.Valor)) {
                    achou = true;
                    melhor.Col = c;
                    melhor.Lin = l;
                    melhor.Valor = v;
                }
            }
        if (achou)
            return melhor;
    }
    s.Col = s.Lin = -1;
    return s;
}

// Search below (sentido 1) or above (0) X for level q; the result into P
// (column −1 when not found). nivelX is the level of the line X lies on.
void TLocacaoNivel::Buscar(TPixelS& P, const TPixelS& X, int sentido, double q, double nivelX)
{
    const TPixelS s = Passo(X, sentido, nivelX);
    if (s.Col < 1) {
        P.Col = P.Lin = -1;
        return;
    }
    run_->Apoio->BuscarNivel(s.Col, s.Lin, sentido, P, run_->Elev, static_cast<float>(q));
}

// The lowest (sentido 1) or highest (0) cell of the open land one step
// below (above) X, whose line lies at level `nivel`; column −1 when there
// is none.
TPixel TLocacaoNivel::Alvo(const TPixelS& X, int sentido, double nivel) const
{
    const TPixelS s = Passo(X, sentido, nivel);
    if (s.Col < 1)
        return TPixel{-1, -1};
    return run_->Apoio->ExtremoDaRegiao(s.Col, s.Lin, run_->Elev, sentido);
}

// Whether the closed line L at level q, traced from the cell `inicio`, parts
// the land the search comes from (the cell `origem`, on the side above the
// level when the search looks below, sentido 1) from the region's extreme
// cell `alvo` (column −1: none known). The tracer keeps its start cell on
// the line's left, so the sign of the line's area tells whether that cell
// is inside, and its elevation which side of the level the inside is.
bool TLocacaoNivel::Separa(const TLinha& L, const TPixel& inicio, double q, int sentido, const TPixelS& origem,
                           const TPixel& alvo) const
{
    const double v = run_->Elev.GetValor(inicio.Lin, inicio.Col);
    if (v == static_cast<double>(static_cast<float>(q)))
        return true; // the start cell lies on the level: no side to read
    const bool inicioDentro = L.AreaOrientada() < 0;
    const bool dentroAcima = inicioDentro == (v > q);
    const bool origemDentro = dentroAcima == (sentido == 1);
    if (L.Contem(origem.Col, origem.Lin) != origemDentro)
        return false;
    return alvo.Col < 1 || L.Contem(alvo.Col, alvo.Lin) != origemDentro;
}

// An enclave worth terraces of its own holds at least a disc whose diameter
// is the horizontal spacing in force (a closed line), or runs at least that
// spacing from outline to outline; a smaller knob or pit stays in its strip.
bool TLocacaoNivel::EnclaveTerraceavel(const TLinha& E, const TResultadoTraco& traco) const
{
    const double eh = run_->Terracos.Espacamento.EH;
    if (!(eh > 0))
        return true;
    if (traco.Fechada) {
        const double area = std::fabs(E.AreaOrientada()) / 2 * AreaPixel;
        return area >= std::numbers::pi * eh * eh / 4;
    }
    const double lado = std::sqrt(AreaPixel); // m per cell
    return E.Comprimento() * lado >= eh;
}

// Search from X for a cell beyond level q (sentido 1 below, 0 above) next
// to the level, and the contour there into L; P receives the line's start
// cell (the rounded start point) and `achada` the cell the search found.
// The next line must part the land the search comes from from the region's
// lowest (highest) cell `alvo`: a closed contour that leaves `alvo` on the
// near side rings a hollow (a knob) met on the way. The search passes over
// it and goes on; the hollow stays in the strip, where it is found again as
// an enclave. Cells beside a contour passed over are not traced again.
// False (P's column −1) when there is no line.
bool TLocacaoNivel::BuscarLinha(TPixelS& P, const TPixelS& X, int sentido, double q, double nivelX, TLinha& L,
                                const TPixel& alvo, TPixelS* achada)
{
    TExecucao& r = *run_;
    TImgApoio& apoio = *r.Apoio;
    TCelulasRecusadas recusadas(r.RecusadasLinha, r.Elev);
    TPixelS inicio;
    const TPixelS s = Passo(X, sentido, nivelX); // where the search starts
    // A cell on the near side of the line: X itself when open (the summit),
    // otherwise the start of the search, beside X's line.
    const TPixel perto = apoio.Dezena(X.Col, X.Lin) != 0 ? TPixel{X.Col, X.Lin} : TPixel{s.Col, s.Lin};
    const auto aceitar = [&](const TPixel& c) {
        if (recusadas.Contem(c))
            return false;
        inicio.Col = c.Col;
        inicio.Lin = c.Lin;
        inicio.Valor = static_cast<float>(q);
        const TResultadoTraco traco = r.Elev.TracarCurvaNivel(inicio, L, apoio);
        const bool tracou = L.Quantidade() >= 2 && L.Comprimento() > 0;
        const TPixel alvoAberto = apoio.Dezena(alvo.Col, alvo.Lin) != 0 ? alvo : TPixel{-1, -1};
        // A closed line is read by its sides, a line from outline to outline
        // parts the land; any other must leave no way round its ends from
        // where the search started to `alvo` (where the strips are thinner
        // than a cell, lines run into each other and a piece of contour
        // parts nothing).
        if (tracou && (traco.Fechada ? Separa(L, c, q, sentido, X, alvoAberto)
                                     : traco.Isola() || alvoAberto.Col < 1 ||
                                           !apoio.Alcanca(perto.Col, perto.Lin, alvoAberto, L)))
            return true;
        recusadas.Recusar(c.Lin, c.Col);
        recusadas.RecusarVizinhas(L);
        return false;
    };
    TPixelS celula;
    if (s.Col >= 1)
        apoio.BuscarNivel(s.Col, s.Lin, sentido, celula, r.Elev, static_cast<float>(q), aceitar);
    if (s.Col < 1 || celula.Col == -1) {
        P.Col = P.Lin = -1;
        return false;
    }
    if (achada)
        *achada = celula;
    P = inicio;
    return true;
}

void TLocacaoNivel::MarcarAcima(const TPixelS& X, double nivel)
{
    const TPixelS s = Passo(X, 0, nivel);
    if (s.Col >= 1)
        run_->Apoio->Inundar(s.Col, s.Lin);
}

void TLocacaoNivel::MarcarAbaixo(const TPixelS& X, double nivel)
{
    const TPixelS s = Passo(X, 1, nivel);
    if (s.Col >= 1)
        run_->Apoio->Inundar(s.Col, s.Lin);
}

// The trial contour below P at level q: the strip between the line P lies
// on (level nivelP) and the trial line is marked; the result is its mean
// slope, or −1 (and P's column −1) when there is no contour at q.
double TLocacaoNivel::CurvaTesteAbaixo(TPixelS& P, double q, double nivelP, TLinha& L, const TPixel& alvo)
{
    TExecucao& r = *run_;
    if (!BuscarLinha(P, P, 1, q, nivelP, L, alvo))
        return -1;
    r.Apoio->MarcarLinha(L, kApoioLinha);
    MarcarAcima(P, q);
    return r.Apoio->MediaMarcada(r.Decl);
}

// The trial contour above P at level p, a being P's copy kept by the caller
// and nivelP the level of P's line. Found: the strip between P's line and
// the trial line L′ is marked. Not found: the whole hilltop above P's line
// is marked and P's column and row become −1. The result is the mean slope
// of the marked cells.
double TLocacaoNivel::CurvaTesteAcima(TPixelS& P, const TPixelS& a, double p, double nivelP, TLinha& L,
                                      const TPixel& alvo)
{
    TExecucao& r = *run_;
    if (!BuscarLinha(P, P, 0, p, nivelP, L, alvo)) {
        P = a;
        MarcarAcima(P, nivelP);
        P.Col = P.Lin = -1;
    } else {
        r.Apoio->MarcarLinha(L, kApoioLinha);
        MarcarAbaixo(P, p);
    }
    return r.Apoio->MediaMarcada(r.Decl);
}

// The terraces down from a start cell, whose Valor is the level to start
// below: each level is EV below the elevation of the cell where the
// previous contour was found.
void TLocacaoNivel::LocarDescendo(TPixelS inicio)
{
    TExecucao& r = *run_;
    TImgApoio& apoio = *r.Apoio;
    TEspacamento& esp = r.Espacamento();
    TLinha L;
    TPixelS P = inicio;
    double q = P.Valor - EVInicial;
    // The lowest cell of the land below the start: the outlet, or the
    // bottom of a hollow.
    const TPixel alvo = Alvo(inicio, 1, inicio.Valor);

    // The first terrace below the start.
    double S = CurvaTesteAbaixo(P, q, inicio.Valor, L, alvo);
    if (Cancelar || P.Col == -1)
        return;
    if (Arbitrado()) {
        // The trial line, at the arbitrated EV, is the terrace.
        L.Numero = ++NumLocados;
        if (r.Terreno.St > 0)
            esp.SetEH(esp.EV / r.Terreno.St);
    } else {
        AtualizarEspacamento(S);
        P = inicio;
        q = P.Valor - esp.EV;
        apoio.Restaurar();
        if (Cancelar)
            return;
        if (!BuscarLinha(P, P, 1, q, inicio.Valor, L, alvo) || Cancelar)
            return;
        L.Numero = ++NumLocados;
        apoio.MarcarLinha(L, kApoioLinha);
        MarcarAcima(P, q);
    }
    // The land above the first terrace drains into it.
    Registrar(L, q, S);
    AtribuirArea(L.Numero, Contar());
    apoio.Consolidar();

    for (;;) {
        const TPixelS B = P;
        const double qAnterior = q;
        q = P.Valor - EVInicial;
        if (q <= r.Elev.ValorMin || Cancelar)
            break;
        S = CurvaTesteAbaixo(P, q, qAnterior, L, alvo);
        if (P.Col == -1)
            break;
        if (Arbitrado()) {
            L.Numero = ++NumLocados;
            if (r.Terreno.St > 0)
                esp.SetEH(esp.EV / r.Terreno.St);
        } else {
            // The strip of the trial line sets EV; the terrace goes EV
            // below the last one.
            AtualizarEspacamento(S);
            P = B;
            q = P.Valor - esp.EV;
            apoio.Restaurar();
            if (Cancelar)
                break;
            if (!BuscarLinha(P, P, 1, q, qAnterior, L, alvo))
                break;
            L.Numero = ++NumLocados;
            apoio.MarcarLinha(L, kApoioLinha);
            MarcarAcima(P, q);
        }
        Registrar(L, q, S);
        const std::int32_t k = L.Numero;
        if (Cancelar)
            break;
        // The strip between the last terrace and this one, once its hills
        // and hollows have terraces of their own.
        const double A = MedirFaixa(L, P, qAnterior, q);
        if (Cancelar)
            break;
        AtribuirArea(k, A);
        apoio.Consolidar();
    }
}

// The terraces up a hill that rises from the line E at level x, B being E's
// start cell. On a hill each line drains the strip above it, so a line's
// area is known once the next line up is placed; the top line drains the
// hilltop.
void TLocacaoNivel::LocarSubindo(TPixelS B, TLinha E, double x)
{
    TExecucao& r = *run_;
    TImgApoio& apoio = *r.Apoio;
    TEspacamento& esp = r.Espacamento();

    ProcessPendingEvents();
    if (Cancelar)
        return;
    TPixelS a = B;
    TPixelS P = a;
    double p = P.Valor + EVInicial;
    // The highest cell of the hill.
    const TPixel alvo = Alvo(B, 0, x);
    TLinha Lt; // the trial line, then the next line up
    double S = CurvaTesteAcima(P, a, p, x, Lt, alvo);
    r.Terreno.SetSt(S / 100);

    if (P.Col == -1) {
        // No line above E: E drains the whole hilltop, marked by the trial.
        if (S >= 0) {
            AtualizarEspacamento(S);
            Registrar(E, x, S);
            AtribuirArea(E.Numero, Contar());
        }
        apoio.Consolidar();
        return;
    }
    AtualizarEspacamento(S);
    Registrar(E, x, S);
    apoio.Restaurar();
    if (Arbitrado()) {
        a = P;
        P.Valor = static_cast<float>(p);
    } else {
        P = a;
        p = P.Valor + esp.EV;
        TPixelS achada;
        if (!BuscarLinha(P, P, 0, p, x, Lt, alvo, &achada)) {
            P = a;
            MarcarAcima(P, x);
            AtribuirArea(E.Numero, Contar());
            apoio.Consolidar();
            return;
        }
        a = achada;
    }

    TPixelS C = B; // start of the line below the strip
    C.Valor = static_cast<float>(x);
    std::int32_t numeroC = E.Numero;
    double l = p; // level of the line above the strip
    B = P;
    TLinha Lk = Lt;
    for (;;) {
        apoio.MarcarLinha(Lk, kApoioLinha);
        P = a;
        p = P.Valor + EVInicial;
        S = CurvaTesteAcima(P, a, p, l, Lt, alvo);
        r.Terreno.SetSt(S / 100);
        const bool achou = P.Col != -1;
        if (achou) {
            AtualizarEspacamento(S);
            Lk.Numero = ++NumLocados;
            Registrar(Lk, l, S);
            apoio.Restaurar();
        } else if (S > 0) {
            // Lk is the top line of the hill and drains the hilltop.
            AtualizarEspacamento(S);
            Lk.Numero = ++NumLocados;
            Registrar(Lk, l, S);
            AtribuirArea(Lk.Numero, Contar());
            apoio.Consolidar();
        } else {
            apoio.Restaurar();
        }
        if (achou)
            apoio.MarcarLinha(Lk, kApoioLinha);
        // The strip between the line below and Lk.
        MarcarAcima(C, C.Valor);
        if (Cancelar)
            return;
        const double A = MedirFaixa(Lk, C, l, C.Valor);
        if (Cancelar)
            return;
        AtribuirArea(numeroC, A);
        apoio.Consolidar();
        if (achou) {
            if (Arbitrado()) {
                a = P;
                P.Valor = static_cast<float>(p);
            } else {
                P = a;
                p = P.Valor + esp.EV;
                TPixelS achada;
                if (BuscarLinha(P, P, 0, p, l, Lt, alvo, &achada)) {
                    a = achada;
                } else {
                    // No line above Lk: it drains the hilltop.
                    P.Col = P.Lin = -1;
                    MarcarAcima(a, l);
                    AtribuirArea(Lk.Numero, Contar());
                    apoio.Consolidar();
                }
            }
        }
        C = B;
        C.Valor = static_cast<float>(l);
        numeroC = Lk.Numero;
        l = p;
        B = P;
        if (P.Col == -1)
            break;
        Lk = Lt;
    }
}

// The contributing area (m²) of the strip just marked between the line L and
// the line below it, C being the start cell of the strip's lower line (its
// Valor the lower level, nivelC the level of that line) and qSuperior the
// level of its upper line, once the hills and hollows inside the strip have
// terraces of their own. Drawing L again and marking above from C marks
// exactly what is left of the strip.
double TLocacaoNivel::MedirFaixa(const TLinha& L, const TPixelS& C, double qSuperior, double nivelC)
{
    TExecucao& r = *run_;
    TImgApoio& apoio = *r.Apoio;
    double A = Contar();
    const auto remarcar = [&] {
        apoio.Restaurar();
        apoio.MarcarLinha(L, kApoioLinha);
        MarcarAcima(C, nivelC);
        A = Contar();
    };
    // Hills rising to the upper level.
    for (;;) {
        const std::int32_t borda = BuscarEnclave(0, qSuperior);
        ProcessPendingEvents();
        if (Cancelar || !borda)
            break;
        remarcar();
        ProcessPendingEvents();
        if (Cancelar)
            return A;
    }
    if (Cancelar)
        return A;
    // Hollows sinking below the lower level; each rim drains what is left
    // of the strip.
    for (;;) {
        const std::int32_t borda = BuscarEnclave(1, C.Valor);
        ProcessPendingEvents();
        if (!borda)
            break;
        if (Cancelar)
            return A;
        remarcar();
        const double S = apoio.MediaMarcada(r.Decl);
        AtualizarEspacamento(S);
        if (TRegTerr* reg = Registro(borda)) {
            reg->EV = r.Espacamento().EV;
            reg->DeclividadeMedia = S;
        }
        AtribuirArea(borda, A);
        ProcessPendingEvents();
        if (Cancelar)
            return A;
    }
    return A;
}

// A closed contour at level q inside the marked strip, enclosing a hill
// (modo 0) or a hollow (modo 1), gets its line and its own terraces.
// Candidates are marked cells whose elevation equals q to the centimetre, in
// row-major order, away from any barrier by n = Trunc(5 / AreaPixel) cells
// in each of eight directions. A candidate is an enclave only when the
// contour through it cuts off land by itself: it closes on itself, or runs
// from the watershed outline to the outline. A contour that meets a line is
// the edge of the strip, not an enclave. Returns the number of the
// enclave's line, 0 when there is none.
std::int32_t TLocacaoNivel::BuscarEnclave(int modo, double q)
{
    TExecucao& r = *run_;
    TImgApoio& apoio = *r.Apoio;
    const std::int32_t maximo = std::max(r.Elev.Linhas(), r.Elev.Colunas()) + 1;
    const auto n = static_cast<std::int32_t>(TruncChecked(std::min(5 / AreaPixel, static_cast<double>(maximo))));
    // North, south, east, west, north-west, north-east, south-west, south-east.
    static constexpr std::int32_t kDl[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
    static constexpr std::int32_t kDc[8] = {0, 0, 1, -1, -1, 1, -1, 1};
    const auto livre = [&](const TPixel& c) {
        for (int d = 0; d < 8; ++d)
            for (std::int32_t k = 1; k <= n; ++k)
                if (apoio.Dezena(c.Col + kDc[d] * k, c.Lin + kDl[d] * k) == 0)
                    return false;
        return true;
    };

    // Cells beside a contour already traced and refused: a candidate there
    // would trace the same contour again.
    TCelulasRecusadas recusadas(r.RecusadasEnclave, r.Elev);
    for (const TPixel& c : apoio.CandidatosEnclave(q, r.Elev, &r.Desnivel)) {
        if (recusadas.Contem(c) || !livre(c))
            continue;
        TPixelS P;
        P.Col = c.Col;
        P.Lin = c.Lin;
        P.Valor = static_cast<float>(q);
        TLinha E;
        const TResultadoTraco traco = r.Elev.TracarCurvaNivel(P, E, apoio);
        if (E.Quantidade() < 2 || !(E.Comprimento() > 0) || !traco.Isola() || !EnclaveTerraceavel(E, traco)) {
            recusadas.RecusarVizinhas(E);
            continue;
        }
        // The enclave's terraces search for enclaves of their own with the
        // same flags; this search looks no further.
        recusadas.Limpar();
        // The trace met no closed cell but the outline, so it is the same
        // with the strip's marks and line undone.
        apoio.Restaurar();
        // A cell found beside the crossing rather than on the level: the
        // enclave's terraces count from its level.
        if (RoundHalfEven(static_cast<double>(r.Elev.GetValor(c.Lin, c.Col)) * 100) != RoundHalfEven(q * 100))
            P.Valor = static_cast<float>(q);
        E.Numero = ++NumLocados;
        apoio.MarcarLinha(E, kApoioFechado);
        if (modo == 0) {
            const std::int32_t numero = E.Numero;
            LocarSubindo(P, std::move(E), q);
            return numero;
        } else {
            // The rim is recorded at once; its slope, spacing and area are
            // those of what is left of the strip (MedirFaixa).
            const TLinha m = ParaMapa(E);
            r.Vet.AdicionarLinha(m);
            TRegTerr reg;
            reg.Numero = E.Numero;
            reg.Comprimento = m.Comprimento() * FatorUnidade;
            reg.Cota = q;
            r.Tabela.Adicionar(reg);
            LocarDescendo(P);
        }
        return E.Numero;
    }
    return 0;
}

} // namespace vastrel
