// Terrain, land cover and infiltration: curve-number initial abstraction,
// the time at which a storm fills it, and the runoff depth LES of one storm.

#include "engine/Terreno.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "common/CheckedMath.h"
#include "common/IniFile.h"
#include "engine/Precipitacao.h"

namespace vastrel {

// ---------------------------------------------------------------------------
// TReal and the cover classes

void TReal::Assign(const TReal& origem)
{
    Valor = origem.Valor;
    Indice = origem.Indice;
}

const std::array<std::string_view, 6> NomesUsoTerra = {
    "Sem cultivo",
    "Cultivo em fileiras",
    "Cultivo em fileiras estreitas",
    "Leguminosas em fileiras estreitas",
    "Pastagem para pastoreio",
    "Floresta",
};

const std::array<std::string_view, 4> NomesTratamento = {
    "", "Fileiras retas", "Com curvas de nível", "Curvas de nível e terraço",
};

const std::array<std::string_view, 4> NomesCondicaoHidrologica = {
    "", "Má", "Regular", "Boa",
};

namespace {

// Name of index `i` in a list of names; empty outside the list.
template <std::size_t N>
std::string NomeDaLista(const std::array<std::string_view, N>& nomes, std::size_t i)
{
    return i < N ? std::string(nomes[i]) : std::string();
}

} // namespace

std::string TUsoTerra::Nome() const { return NomeDaLista(NomesUsoTerra, Indice); }
std::string TTratamento::Nome() const { return NomeDaLista(NomesTratamento, Indice); }
std::string TCondicaoHidrologica::Nome() const
{
    return NomeDaLista(NomesCondicaoHidrologica, Indice);
}

// ---------------------------------------------------------------------------
// TCobertura

void TCobertura::Zerar()
{
    UsoTerra.Zerar();
    Tratamento.Zerar();
    CondicaoHidrologica.Zerar();
}

void TCobertura::Assign(const TCobertura& origem)
{
    UsoTerra.Assign(origem.UsoTerra);
    Tratamento.Assign(origem.Tratamento);
    CondicaoHidrologica.Assign(origem.CondicaoHidrologica);
}

namespace {

// Reads an index key (default −1) and stores it when it lies in 0..maximo.
bool LerIndice(const TIniFile& ini, const std::string& secao, const char* chave,
               long long maximo, std::uint8_t& destino)
{
    const long long valor = ini.ReadInteger(secao, chave, -1);
    if (valor < 0 || valor > maximo)
        return false;
    destino = static_cast<std::uint8_t>(valor);
    return true;
}

} // namespace

bool TCobertura::Ler(TIniFile& ini)
{
    const std::string secao = "Cobertura" + Sufixo;
    return ini.ReadString(secao, "Versao", "0") == "1"
        && LerIndice(ini, secao, "IndUso", 5, UsoTerra.Indice)
        && LerIndice(ini, secao, "IndCond", 3, CondicaoHidrologica.Indice)
        && LerIndice(ini, secao, "IndTrat", 3, Tratamento.Indice);
}

bool TCobertura::Gravar(TIniFile& ini)
{
    const std::string secao = "Cobertura" + Sufixo;
    ini.WriteString(secao, "Versao", "1");
    ini.WriteInteger(secao, "IndUso", UsoTerra.Indice);
    ini.WriteInteger(secao, "IndCond", CondicaoHidrologica.Indice);
    ini.WriteInteger(secao, "IndTrat", Tratamento.Indice);
    return true;
}

bool TCobertura::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TCobertura::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

// ---------------------------------------------------------------------------
// TTerreno

TTerreno::TTerreno() = default;

TTerreno::TTerreno(const std::string& sufixo) : Sufixo(sufixo), Cobertura(sufixo) {}

TTerreno::~TTerreno() = default;

void TTerreno::Assign(const TTerreno& origem)
{
    VIB = origem.VIB;
    St = origem.St;
    Cobertura.Assign(origem.Cobertura);
    nt.Assign(origem.nt);
}

void TTerreno::SetVIB(double x)
{
    VIB = x >= 0 ? x : 0;
}

void TTerreno::SetSt(double x)
{
    St = x;
}

void TTerreno::Zerar()
{
    Cobertura.Zerar();
    nt = TReal{};
    VIB = 0;
    St = 0;
}

namespace {

// A treatment or condition that the row does not consult.
constexpr int kQualquer = -1;

// One row of the curve-number table: land use, treatment and hydrologic
// condition, and CN for the four infiltration columns (VIB ≤ 3, ≤ 40, ≤ 190,
// > 190 mm/h). The first row that matches wins.
struct TLinhaNumeroCurva {
    int uso;
    int tratamento;
    int condicao;
    std::array<int, 4> cn;
};

// Curve numbers of the curve-number method (USDA-SCS) for the land uses,
// treatments and conditions of the cover dialog; the columns run from the
// least permeable soils to the most permeable, told apart by their stable
// infiltration rate.
constexpr std::array<TLinhaNumeroCurva, 28> kTabelaNumeroCurva = {{
    {0, kQualquer, kQualquer, {98, 97, 94, 89}},
    {1, 1, 1, {97, 95, 92, 86}},
    {1, 1, 3, {96, 94, 90, 83}},
    {1, 2, 1, {95, 93, 91, 85}},
    {1, 2, 3, {94, 92, 88, 82}},
    {1, 3, 1, {92, 91, 88, 82}},
    {1, 3, 3, {92, 90, 86, 79}},
    {2, 1, 1, {95, 93, 89, 82}},
    {2, 1, 3, {95, 93, 88, 80}},
    {2, 2, 1, {94, 92, 88, 80}},
    {2, 2, kQualquer, {93, 92, 87, 78}},
    {2, 3, 1, {92, 91, 86, 78}},
    {2, 3, 3, {92, 90, 85, 77}},
    {3, 1, 1, {96, 94, 89, 82}},
    {3, 1, 3, {94, 92, 86, 76}},
    {3, 2, 1, {94, 93, 88, 81}},
    {3, 2, 3, {93, 90, 84, 74}},
    {3, 3, 1, {93, 91, 87, 80}},
    {3, 3, 3, {91, 89, 83, 70}},
    {4, 1, 1, {96, 94, 91, 84}},
    {4, 1, 2, {93, 91, 84, 69}},
    {4, 1, 3, {91, 88, 78, 59}},
    {4, 2, 1, {95, 92, 83, 67}},
    {4, 2, 2, {93, 88, 77, 43}},
    {4, 2, 3, {91, 85, 55, 15}},
    {5, kQualquer, 1, {93, 89, 82, 65}},
    {5, kQualquer, 2, {91, 87, 78, 56}},
    {5, kQualquer, 3, {89, 85, 74, 43}},
}};

// Column of the table for the stable infiltration rate (mm/h); each bound
// belongs to the column on its left.
std::size_t ColunaNumeroCurva(double vib)
{
    if (vib <= 3) return 0;
    if (vib <= 40) return 1;
    if (vib <= 190) return 2;
    return 3;
}

bool Confere(int daLinha, int indice)
{
    return daLinha == kQualquer || daLinha == indice;
}

} // namespace

int TTerreno::NumeroCurva() const
{
    const std::size_t coluna = ColunaNumeroCurva(VIB);
    for (const TLinhaNumeroCurva& linha : kTabelaNumeroCurva) {
        if (linha.uso == Cobertura.UsoTerra.Indice
            && Confere(linha.tratamento, Cobertura.Tratamento.Indice)
            && Confere(linha.condicao, Cobertura.CondicaoHidrologica.Indice))
            return linha.cn[coluna];
    }
    return 0;
}

namespace {

// Classes of one kind (treatment or condition) named by the rows of the
// table that `aplica` accepts: none when no such row names one (the class
// is not consulted), all three when a row names one and another takes any.
template <class Aplica, class Classe>
std::vector<int> ClassesDasLinhas(Aplica aplica, Classe classe)
{
    std::array<bool, 4> nomeada{};
    bool algumaNomeada = false, algumaQualquer = false;
    for (const TLinhaNumeroCurva& linha : kTabelaNumeroCurva) {
        if (!aplica(linha))
            continue;
        const int c = classe(linha);
        if (c == kQualquer) {
            algumaQualquer = true;
        } else {
            nomeada[static_cast<std::size_t>(c)] = true;
            algumaNomeada = true;
        }
    }
    std::vector<int> r;
    for (int c = 1; c <= 3; ++c)
        if (nomeada[static_cast<std::size_t>(c)] || (algumaNomeada && algumaQualquer))
            r.push_back(c);
    return r;
}

bool Contem(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

// Bare soil: no row consults the treatment, recorded as straight rows.
constexpr int kUsoSemCultivo = 0;
constexpr int kUsoPastagem = 4;
constexpr int kUsoFloresta = 5;
constexpr int kFileirasRetas = 1;
constexpr int kComCurvasDeNivel = 2;
constexpr int kCondicaoMa = 1;

} // namespace

std::vector<int> TratamentosPermitidos(int usoTerra)
{
    if (usoTerra == kUsoSemCultivo)
        return {kFileirasRetas};
    return ClassesDasLinhas([usoTerra](const TLinhaNumeroCurva& l) { return l.uso == usoTerra; },
                            [](const TLinhaNumeroCurva& l) { return l.tratamento; });
}

std::vector<int> CondicoesPermitidas(int usoTerra, int tratamento)
{
    return ClassesDasLinhas(
        [usoTerra, tratamento](const TLinhaNumeroCurva& l) {
            return l.uso == usoTerra && Confere(l.tratamento, tratamento);
        },
        [](const TLinhaNumeroCurva& l) { return l.condicao; });
}

TEscolhaCobertura CoberturaAoEscolherUso(int usoTerra)
{
    TEscolhaCobertura e{usoTerra, 0, 0};
    const std::vector<int> tratamentos = TratamentosPermitidos(usoTerra);
    // Pasture is preset on the contour, as the usual practice on it.
    const int preferido = usoTerra == kUsoPastagem ? kComCurvasDeNivel : kFileirasRetas;
    if (Contem(tratamentos, preferido))
        e.Tratamento = preferido;
    if (Contem(CondicoesPermitidas(usoTerra, e.Tratamento), kCondicaoMa))
        e.CondicaoHidrologica = kCondicaoMa;
    return e;
}

TEscolhaCobertura CoberturaAoEscolherTratamento(TEscolhaCobertura e, int tratamento)
{
    e.Tratamento = tratamento;
    const std::vector<int> condicoes = CondicoesPermitidas(e.UsoTerra, tratamento);
    if (!Contem(condicoes, e.CondicaoHidrologica))
        e.CondicaoHidrologica = condicoes.empty() ? 0 : condicoes.front();
    return e;
}

TEscolhaCobertura CoberturaConfirmada(TEscolhaCobertura e)
{
    if (e.UsoTerra == kUsoFloresta)
        e.Tratamento = 0;
    if (e.UsoTerra == kUsoSemCultivo)
        e.CondicaoHidrologica = 0;
    return e;
}

// Ia = 0.2·S with the potential retention S = 25400/CN − 254 mm, that is
// Ia = (100/CN − 1)·50.8 mm.
double TTerreno::AbstracaoInicial() const
{
    const int cn = NumeroCurva();
    if (cn == 0)
        return 0;
    return (100.0 / cn - 1) * 50.8;
}

namespace {

// IDF storm: Newton's method from t = 1 min on t·i(t) = 60·Ia, whose
// derivative is j(t). No convergence in 201 steps counts the abstraction as
// filled at the start of the storm. Faults propagate.
double TempoPreenchimentoIDF(TPrecipitacaoExponencialNegativa& chuva, double ia)
{
    double t = 1;
    double passo = 0;
    int contador = 0;
    do {
        const double residuo = cm::Finite(t * chuva.IntensidadeMedia(t) - 60 * ia);
        passo = cm::Div(residuo, chuva.IntensidadeInstantanea(t));
        t = cm::Finite(t - passo);
        ++contador;
    } while (!(std::fabs(passo) < 1e-7) && contador <= 200);
    return contador > 200 ? 0 : t;
}

// Any other storm: bisection on [0, 2·60·Duracao] min for P(t) = Ia, or the
// end of the storm when its total depth never exceeds Ia.
double TempoPreenchimentoGenerico(TPrecipitacao& chuva, double ia)
{
    const double fim = cm::Finite(60 * chuva.Duracao);
    if (!(chuva.PrecipitacaoTotal > ia))
        return fim;
    double inferior = 0;
    double superior = cm::Finite(2 * fim);
    double t = 0;
    do {
        t = (inferior + superior) / 2;
        // A midpoint equal to one end means the bracket cannot shrink any
        // further at this magnitude.
        if (t == inferior || t == superior)
            break;
        if (chuva.LaminaPrecipitada(t) > ia)
            superior = t;
        else
            inferior = t;
    } while (superior - inferior >= 1e-5);
    return t;
}

} // namespace

double TTerreno::TempoPreenchimento(TPrecipitacao& chuva)
{
    const double ia = AbstracaoInicial();
    if (auto* idf = dynamic_cast<TPrecipitacaoExponencialNegativa*>(&chuva))
        return TempoPreenchimentoIDF(*idf, ia);
    return TempoPreenchimentoGenerico(chuva, ia);
}

// Runoff excess lasts from the filling of Ia (tp) to the time tf at which the
// instantaneous intensity falls to VIB:
//   LES = P(tf) − VIB·(tf − tp)/60 − Ia   (mm)
// It is not clamped and can be negative when the storm barely exceeds Ia.
double TTerreno::CalculaLES(TPrecipitacao& chuva)
{
    const double tf = chuva.TempoDaIntensidade(VIB);
    const double tp = TempoPreenchimento(chuva);
    if (tf <= 0 || tf - tp <= 0)
        return 0;
    const double chuvaAteTf = tf * chuva.IntensidadeMedia(tf) / 60;
    const double infiltrada = VIB * (tf - tp) / 60;
    return cm::Finite(chuvaAteTf - infiltrada - AbstracaoInicial());
}

// ---------------------------------------------------------------------------
// Persistence

bool TTerreno::Ler(TIniFile& ini)
{
    const std::string secao = "Terreno" + Sufixo;
    if (ini.ReadString(secao, "Versao", "0") != "1")
        return false;
    if (!Cobertura.Ler(ini))
        return false;
    SetVIB(ini.ReadFloat(secao, "VIB", 0));
    SetSt(ini.ReadFloat(secao, "St", 0));
    nt.Valor = ini.ReadFloat(secao, "nt", 0);
    const long long indice = ini.ReadInteger(secao, "Indnt", -1);
    if (indice < 0)
        return false;
    nt.Indice = static_cast<std::int8_t>(indice);
    return true;
}

bool TTerreno::Gravar(TIniFile& ini)
{
    Cobertura.Gravar(ini);
    const std::string secao = "Terreno" + Sufixo;
    ini.WriteString(secao, "Versao", "1");
    ini.WriteFloat(secao, "VIB", VIB);
    ini.WriteFloat(secao, "St", St);
    ini.WriteFloat(secao, "nt", nt.Valor);
    ini.WriteInteger(secao, "Indnt", nt.Indice);
    return true;
}

bool TTerreno::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TTerreno::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

} // namespace vastrel
