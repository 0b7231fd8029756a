#include "engine/Espacamento.h"

#include <array>

#include "common/CheckedMath.h"
#include "common/IniFile.h"
#include "engine/TabelasEspacamento.h"

namespace vastrel {

namespace {

const char* const kSecao = "ESPAÇAMENTO";

const char* const kIndiceSoloInvalido =
    "Erro. Valor inválido do índice do solo. Valores válidos: 0, 1 ou 2.";

// Exponent of the slope in the Lombardi Neto and Paraná formulas.
constexpr double kExpoenteDeclividade = 0.58;
// Coefficient of the Lombardi Neto and Paraná formulas, m.
constexpr double kCoeficienteEV = 0.4518;
// Feet to metres in the Bentley formula.
constexpr double kPesParaMetros = 0.305;
// Freeboard added to the theoretical channel height, m: Hr = H·√CDu + 0.10.
constexpr double kFolgaAltura = 0.1;

// Runs a spacing computation: any error it raises, floating-point faults
// included, becomes ECalculaEspacamento with the fixed message.
template <typename Calculo>
void ComGuarda(Calculo calculo)
{
    try {
        calculo();
    } catch (...) {
        throw ECalculaEspacamento();
    }
}

// The soil class value X of `lista` for the stored soil index.
double ValorSolo(const std::array<TClasseSolo, 3>& lista, std::uint8_t indSolo)
{
    if (indSolo >= lista.size())
        throw Exception(kIndiceSoloInvalido);
    return lista[indSolo].X;
}

// D^0.58 for the land slope D in percent, as exp(0.58·ln D); D <= 0 raises.
double PotenciaDeclividade(double St)
{
    return cm::Power(100.0 * St, kExpoenteDeclividade);
}

// Index read from the file as the byte it is kept in.
std::uint8_t ComoByte(long long valor)
{
    return static_cast<std::uint8_t>(valor);
}

} // namespace

ECalculaEspacamento::ECalculaEspacamento() : Exception("Erro no cálculo do espaçamento.") {}

std::string TMetodologiaEspacamento::Nome() const
{
    if (IndMetodologia >= NomesMetodologiaEspacamento.size())
        return {};
    return std::string(NomesMetodologiaEspacamento[IndMetodologia]);
}

void TCultura::Zerar()
{
    Cultura.clear();
    IndCultura = 0;
    IndiceU = 0.5;
}

void TErosao::Zerar()
{
    GrupoSolo.clear();
    IndErosao = 0;
    IndiceK = 1.25;
}

void TPreparo::Zerar()
{
    GrupoPreparo.clear();
    PreparoPrimario.clear();
    PreparoSecundario.clear();
    RestosCulturais.clear();
    IndPreparo = 0;
    IndiceM = 0.5;
}

TSolo::TSolo()
{
    SetIndSolo(0);
}

std::uint8_t ListaSoloDoMetodo(int indMetodologia)
{
    switch (indMetodologia) {
    case 0: return 1;  // Bentley
    case 2: return 2;  // Paraná
    default: return 0;
    }
}

void TSolo::SetIndSolo(int index)
{
    if (index < 0 || index > 2)
        throw Exception(kIndiceSoloInvalido);
    IndSolo = static_cast<std::uint8_t>(index);
    if (Metodo == 0)
        throw Exception("Erro. Metodologia de espaçamento não definida.");
    const TClasseSolo& classe = (Metodo == 1 ? SolosBentley : SolosParana)[IndSolo];
    TipoSolo = classe.TipoSolo;
    IndiceSolo = classe.X;
}

void TSolo::Zerar()
{
    SetIndSolo(0);
}

void TEspacamento::SetEH(double x)
{
    EH = x > 0 ? x : 0.0;
}

void TEspacamento::SetEV(double x)
{
    EV = x > 0 ? x : 0.0;
}

void TEspacamento::CalculaBentley(double St)
{
    ComGuarda([&] {
        // EV = (D/X + 2)·0.305, D in percent, X by soil texture.
        const double X = ValorSolo(SolosBentley, Solo.IndSolo);
        SetEV(cm::Finite((cm::Div(100.0 * St, X) + 2.0) * kPesParaMetros));
        SetEH(cm::Div(EV, St));
    });
}

void TEspacamento::CalculaLombardiNeto(double St)
{
    ComGuarda([&] {
        // EV = 0.4518·K·D^0.58·(u + m)/2.
        const double usoManejo = (Cultura.IndiceU + Preparo.IndiceM) / 2.0;
        SetEV(cm::Finite(kCoeficienteEV * Erosao.IndiceK * PotenciaDeclividade(St) * usoManejo));
        SetEH(cm::Div(EV, St));
    });
}

void TEspacamento::CalculaParana(double St)
{
    ComGuarda([&] {
        // EV = 0.4518·X·D^0.58, X by soil class.
        const double X = ValorSolo(SolosParana, Solo.IndSolo);
        SetEV(cm::Finite(kCoeficienteEV * X * PotenciaDeclividade(St)));
        SetEH(cm::Div(EV, St));
    });
}

void TEspacamento::CalculaPorAltura(double LES, double Sm, double CDu, double Hr, double St)
{
    ComGuarda([&] {
        // Theoretical height from the recommended one: H = (Hr − 0.1)/√CDu, m.
        const double H = cm::Div(Hr - kFolgaAltura, cm::Sqrt(CDu));
        // Per metre of terrace the strip of width EH yields 0.001·LES·EH m³
        // of runoff; the triangular channel of height H between the land
        // slope St and the ridge face Sm holds H²·(St + Sm)/(2·St·Sm) m³.
        // Equal volumes: EH = 500·H²·(St + Sm)/(LES·St·Sm).
        const double numerador = cm::Finite(500.0 * H * H * (St + Sm));
        SetEH(cm::Div(numerador, cm::Finite(LES * St * Sm)));
        SetEV(cm::Finite(St * EH));
    });
}

void TEspacamento::CalculaPorMetodo(double St, double LES, double Sm, double CDu, double Hr)
{
    switch (Metodologia.IndMetodologia) {
    case 0: CalculaBentley(St); break;
    case 1: CalculaLombardiNeto(St); break;
    case 2: CalculaParana(St); break;
    case 3: ComGuarda([&] { SetEH(cm::Div(EV, St)); }); break;
    case 4: CalculaPorAltura(LES, Sm, CDu, Hr, St); break;
    default:
        // No formula belongs to this index.
        throw ECalculaEspacamento();
    }
}

void TEspacamento::SetIndCultura(int indice)
{
    const TLinhaCultura& linha = LinhaCultura(indice);
    Cultura.Cultura = linha.Cultura;
    Cultura.IndCultura = static_cast<std::uint8_t>(indice);
    Cultura.IndiceU = linha.IndiceU;
}

void TEspacamento::SetIndErosao(int indice)
{
    const TLinhaErosao& linha = LinhaErosao(indice);
    Erosao.GrupoSolo = linha.GrupoSolo;
    Erosao.IndErosao = static_cast<std::uint8_t>(indice);
    Erosao.IndiceK = linha.IndiceK;
}

void TEspacamento::SetIndPreparo(int indice)
{
    const TLinhaPreparo& linha = LinhaPreparo(indice);
    Preparo.GrupoPreparo = linha.GrupoPreparo;
    Preparo.PreparoPrimario = linha.PreparoPrimario;
    Preparo.PreparoSecundario = linha.PreparoSecundario;
    Preparo.RestosCulturais = linha.RestosCulturais;
    Preparo.IndPreparo = static_cast<std::uint8_t>(indice);
    Preparo.IndiceM = linha.IndiceM;
}

void TEspacamento::Zerar()
{
    EH = 0;
    EV = 0;
    Metodologia.Zerar();
    Cultura.Zerar();
    Erosao.Zerar();
    Preparo.Zerar();
    Solo.Zerar();
}

namespace {

// A list index of the section: missing (-1) or negative fails the read;
// otherwise it is stored as the byte it fits in.
bool LerIndice(const TIniFile& ini, const char* chave, std::uint8_t& destino)
{
    const long long v = ini.ReadInteger(kSecao, chave, -1);
    if (v < 0)
        return false;
    destino = ComoByte(v);
    return true;
}

} // namespace

bool TEspacamento::Ler(TIniFile& ini)
{
    if (ini.ReadString(kSecao, "Versao", "0") != "1")
        return false;
    SetEH(ini.ReadFloat(kSecao, "EH", 0));
    SetEV(ini.ReadFloat(kSecao, "EV", 0));

    const long long metodologia = ini.ReadInteger(kSecao, "IndMetodologia", -1);
    if (metodologia < 0 || metodologia > 5)
        return false;
    Metodologia.IndMetodologia = ComoByte(metodologia);
    // The soil name and X must come from the list of the method read, not
    // from whatever list the object held before.
    if (const std::uint8_t lista = ListaSoloDoMetodo(Metodologia.IndMetodologia))
        Solo.Metodo = lista;

    if (!LerIndice(ini, "IndCultura", Cultura.IndCultura))
        return false;
    Cultura.Cultura = ini.ReadString(kSecao, "Cultura", "");
    Cultura.IndiceU = ini.ReadFloat(kSecao, "IndiceU", 0);

    if (!LerIndice(ini, "IndErosao", Erosao.IndErosao))
        return false;
    Erosao.GrupoSolo = ini.ReadString(kSecao, "GrupoSolo", "");
    Erosao.IndiceK = ini.ReadFloat(kSecao, "IndiceK", 0);

    if (!LerIndice(ini, "IndPreparo", Preparo.IndPreparo))
        return false;
    Preparo.GrupoPreparo = ini.ReadString(kSecao, "GrupoPreparo", "");
    Preparo.IndiceM = ini.ReadFloat(kSecao, "IndiceM", 0);

    // The soil list is not stored: name and X come from the list that the
    // soil's Metodo selects now (set above for Bentley and Paraná).
    const long long solo = ini.ReadInteger(kSecao, "IndSolo", -1);
    if (solo < 0)
        return false;
    // Any value above 2 is refused by SetIndSolo; 3 stands for all of them so
    // that the narrowing to int cannot turn a huge value into a valid one.
    Solo.SetIndSolo(solo > 2 ? 3 : static_cast<int>(solo));
    return true;
}

bool TEspacamento::Gravar(TIniFile& ini)
{
    ini.WriteString(kSecao, "Versao", "1");
    ini.WriteFloat(kSecao, "EH", EH);
    ini.WriteFloat(kSecao, "EV", EV);
    ini.WriteInteger(kSecao, "IndMetodologia", Metodologia.IndMetodologia);
    ini.WriteInteger(kSecao, "IndCultura", Cultura.IndCultura);
    ini.WriteString(kSecao, "Cultura", Cultura.Cultura);
    ini.WriteFloat(kSecao, "IndiceU", Cultura.IndiceU);
    ini.WriteInteger(kSecao, "IndErosao", Erosao.IndErosao);
    ini.WriteString(kSecao, "GrupoSolo", Erosao.GrupoSolo);
    ini.WriteFloat(kSecao, "IndiceK", Erosao.IndiceK);
    ini.WriteInteger(kSecao, "IndPreparo", Preparo.IndPreparo);
    ini.WriteString(kSecao, "GrupoPreparo", Preparo.GrupoPreparo);
    ini.WriteFloat(kSecao, "IndiceM", Preparo.IndiceM);
    ini.WriteInteger(kSecao, "IndSolo", Solo.IndSolo);
    ini.WriteString(kSecao, "TipoSolo", Solo.TipoSolo);
    ini.WriteFloat(kSecao, "IndiceSolo", Solo.IndiceSolo);
    return true;
}

bool TEspacamento::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TEspacamento::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

} // namespace vastrel
