// Channel cross-section, system type and the dimensioning of level terraces.

#include "engine/Canal.h"

#include <algorithm>
#include <array>
#include <limits>

#include "common/CheckedMath.h"
#include "common/IniFile.h"
#include "engine/Precipitacao.h"

namespace vastrel {

namespace {

// Shapes of TTipoCanal.
constexpr std::uint8_t kTrapezoidal = 0;
constexpr std::uint8_t kTriangular = 1;

constexpr std::array<const char*, 4> kNomesTipoSistema = {
    "Terraços em Nível (sem drenagem)",
    "Terraços com Gradiente (com drenagem)",
    "Drenagem de Superfície com Inundação Parcial",
    "Drenagem de Superfície sem Inundação Parcial",
};

constexpr const char* kErroDimensionamento = "Erro no dimensinamento de canal";
constexpr const char* kSecaoTerracosNivel = "TerracosNivel";

} // namespace

// ---------------------------------------------------------------------------
// TTipoSistema

bool TTipoSistema::Ler(TIniFile& ini)
{
    if (ini.ReadString("TipoSistema", "Versao", "0") != "1")
        return false;
    const long long tipo = ini.ReadInteger("TipoSistema", "Tipo", -1);
    if (tipo < 0 || tipo > 3)
        return false;
    Tipo = static_cast<std::uint8_t>(tipo);
    return true;
}

bool TTipoSistema::Gravar(TIniFile& ini)
{
    ini.WriteString("TipoSistema", "Versao", "1");
    ini.WriteInteger("TipoSistema", "Tipo", Tipo);
    return true;
}

bool TTipoSistema::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TTipoSistema::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

std::string TTipoSistema::Nome(int tipo)
{
    return tipo >= 0 && tipo < static_cast<int>(kNomesTipoSistema.size()) ? kNomesTipoSistema[tipo] : "";
}

// ---------------------------------------------------------------------------
// TTipoCanal

std::string TTipoCanal::Nome() const
{
    switch (Tipo) {
    case kTrapezoidal: return "Trapezoidal";
    case kTriangular: return "Triangular";
    default: return "";
    }
}

// ---------------------------------------------------------------------------
// TCanal

TCanal::TCanal()
{
    TCanal::Zerar();
}

TCanal::TCanal(const std::string& sufixo) : Sufixo(sufixo)
{
    TCanal::Zerar();
}

TCanal::~TCanal() = default;

void TCanal::Zerar()
{
    B = 0;
    H = 0;
    Hr = 0;
    CDu = 1;
    Sm = TReal{0, -1};
    Z = TReal{0, -1};
    TipoCanal.Tipo = kTriangular;
}

void TCanal::SetB(double x) { B = x >= 0 ? x : 0; }
void TCanal::SetH(double x) { H = x >= 0 ? x : 0; }
void TCanal::SetHr(double x) { Hr = x > 0 ? x : 0; }
void TCanal::SetCDu(double x) { CDu = x > 1 ? x : 1; }

namespace {

// Reads a reference record: the index (default −2; below −1 fails the read),
// then the value.
bool LerValorIndexado(const TIniFile& ini, const std::string& secao, const char* chaveIndice,
                      const char* chaveValor, TReal& destino)
{
    const long long indice = ini.ReadInteger(secao, chaveIndice, -2);
    if (indice < -1)
        return false;
    destino.Indice = static_cast<std::int8_t>(indice);
    destino.Valor = ini.ReadFloat(secao, chaveValor, 0);
    return true;
}

void GravarValorIndexado(TIniFile& ini, const std::string& secao, const char* chaveIndice,
                         const char* chaveValor, const TReal& origem)
{
    ini.WriteInteger(secao, chaveIndice, origem.Indice);
    ini.WriteFloat(secao, chaveValor, origem.Valor);
}

} // namespace

bool TCanal::Ler(TIniFile& ini)
{
    const std::string secao = "Canal" + Sufixo;
    if (ini.ReadString(secao, "Versao", "0") != "1")
        return false;
    SetH(ini.ReadFloat(secao, "H", 0));
    SetHr(ini.ReadFloat(secao, "Hr", 0));
    SetB(ini.ReadFloat(secao, "B", 0));
    SetCDu(ini.ReadFloat(secao, "CDu", 0));
    if (!LerValorIndexado(ini, secao, "IndZ", "ValorZ", Z))
        return false;
    if (!LerValorIndexado(ini, secao, "IndSm", "ValorSm", Sm))
        return false;
    const long long tipo = ini.ReadInteger(secao, "TipoCanal", -1);
    if (tipo != kTrapezoidal && tipo != kTriangular)
        return false;
    TipoCanal.Tipo = static_cast<std::uint8_t>(tipo);
    return true;
}

bool TCanal::Gravar(TIniFile& ini)
{
    const std::string secao = "Canal" + Sufixo;
    ini.WriteString(secao, "Versao", "1");
    ini.WriteFloat(secao, "H", H);
    ini.WriteFloat(secao, "Hr", Hr);
    ini.WriteFloat(secao, "B", B);
    ini.WriteFloat(secao, "CDu", CDu);
    GravarValorIndexado(ini, secao, "IndZ", "ValorZ", Z);
    GravarValorIndexado(ini, secao, "IndSm", "ValorSm", Sm);
    ini.WriteInteger(secao, "TipoCanal", TipoCanal.Tipo);
    return true;
}

bool TCanal::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TCanal::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

// ---------------------------------------------------------------------------
// TTerracosNivel

TTerracosNivel::TTerracosNivel() = default;

TTerracosNivel::TTerracosNivel(const std::string& sufixo) : TCanal(sufixo) {}

void TTerracosNivel::Zerar()
{
    SelecaoTipoTerraco.Zerar();
    Espacamento.Zerar();
    TCanal::Zerar();
}

// Triangular channel bounded by the land surface (slope St) and the upstream
// face of the ridge (slope Sm): area H²·(1/St + 1/Sm)/2 = EH·LES/1000, so
//   H = √(LES/500)·√(EH·St·Sm/(St + Sm)).
double TTerracosNivel::AlturaTriangular(double EH, double LES, double St) const
{
    const double sm = Sm.Valor;
    return cm::Sqrt(LES / 500) * cm::Sqrt(cm::Div(EH * St * sm, St + sm));
}

// Trapezoidal channel of bottom width B and side slope Z: area
// B·H + Z·H² = EH·LES/1000, so H = (√(B² + 4·Z·EH·LES/1000) − B)/(2·Z).
double TTerracosNivel::AlturaTrapezoidal(double EH, double LES) const
{
    const double z = Z.Valor;
    return cm::Div(cm::Sqrt(B * B + 4 * z * EH * LES / 1000) - B, 2 * z);
}

// Rectangular channel (trapezoidal with Z = 0): B·H = EH·LES/1000.
double TTerracosNivel::AlturaRetangular(double EH, double LES) const
{
    return cm::Div(EH * (LES / 1000), B);
}

double TTerracosNivel::DimensionarCom(double EH, TPrecipitacao& chuva, TTerreno& terreno)
{
    try {
        const double LES = terreno.CalculaLES(chuva);
        double altura = 0;
        if (TipoCanal.Tipo == kTriangular)
            altura = AlturaTriangular(EH, LES, terreno.St);
        else if (TipoCanal.Tipo == kTrapezoidal)
            altura = Z.Valor != 0 ? AlturaTrapezoidal(EH, LES) : AlturaRetangular(EH, LES);
        else
            throw Exception(kErroDimensionamento);  // a shape this class cannot size
        return cm::Finite(altura);
    } catch (const Exception&) {
        throw EDimensionamento(kErroDimensionamento);
    }
}

void TTerracosNivel::Dimensionar(TTerreno& terreno, TPrecipitacao& chuva)
{
    H = DimensionarCom(Espacamento.EH, chuva, terreno);
}

bool TTerracosNivel::Ler(TIniFile& ini)
{
    if (!TCanal::Ler(ini))
        return false;
    if (ini.ReadString(kSecaoTerracosNivel, "Versao", "0") != "1")
        return false;
    if (!Espacamento.Ler(ini))
        return false;
    const long long metodo = ini.ReadInteger(kSecaoTerracosNivel, "MetTipoTerraco", -1);
    if (metodo < -1 || metodo > 3)
        return false;
    // −1 (no source recorded) is kept as the byte 255, which names no source.
    SelecaoTipoTerraco.MetTipoTerraco = static_cast<std::uint8_t>(metodo);
    const long long arbitrado = ini.ReadInteger(kSecaoTerracosNivel, "TipoArbitrado", -2);
    if (arbitrado < -2)
        return false;
    SelecaoTipoTerraco.SetTipoArbitrado(
        static_cast<int>(std::min<long long>(arbitrado, std::numeric_limits<int>::max())));
    return true;
}

bool TTerracosNivel::Gravar(TIniFile& ini)
{
    TCanal::Gravar(ini);
    Espacamento.Gravar(ini);
    ini.WriteString(kSecaoTerracosNivel, "Versao", "1");
    // Written as a signed byte so that "no source" (255) reads back as −1,
    // the one value outside 0..3 that the reader accepts.
    ini.WriteInteger(kSecaoTerracosNivel, "MetTipoTerraco",
                     static_cast<std::int8_t>(SelecaoTipoTerraco.MetTipoTerraco));
    ini.WriteInteger(kSecaoTerracosNivel, "TipoArbitrado", SelecaoTipoTerraco.TipoArbitrado);
    return true;
}

double AlturaRecomendada(double H, double CDu)
{
    return cm::Finite(cm::Sqrt(CDu) * (H * 100) + 10);
}

} // namespace vastrel
