#include "rainfall/Nimbra21.h"

#include "common/IniFile.h"

#include <limits>

namespace vastrel {

namespace {

// A 16-bit position read from the file; anything outside the range a
// position can take is treated as "none".
std::int16_t LerPosicao(const TIniFile& ini, const std::string& secao, const char* chave)
{
    const long long v = ini.ReadInteger(secao, chave, -1);
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max())
        return -1;
    return static_cast<std::int16_t>(v);
}

} // namespace

void TNimbra21::Zerar()
{
    Precipitacao.Zerar();
    HelpContext = 0;
    Latitude.clear();
    Longitude.clear();
    IndLocalidade = 0;
    IndEstacao = 0;
    StrCidade.clear();
    IndEstado = -1;
    StrEstado.clear();
    ShowAbout = false;
    Secao.clear();
}

bool TNimbra21::Ler(TIniFile& ini)
{
    // The version is always looked up in the plain section name.
    if (ini.ReadString("NIMBRA", "Versao", "0") != "1")
        return false;
    Precipitacao.Ler(ini); // the storm's result does not decide the project's
    const std::string secao = "NIMBRA" + Secao;
    Latitude = ini.ReadString(secao, "Latitude", "");
    Longitude = ini.ReadString(secao, "Longitude", "");
    IndEstacao = LerPosicao(ini, secao, "IndEstacao");
    IndLocalidade = LerPosicao(ini, secao, "IndLocalidade");
    StrCidade = ini.ReadString(secao, "StrCidade", "");
    IndEstado = LerPosicao(ini, secao, "IndEstado");
    StrEstado = ini.ReadString(secao, "StrEstado", "");
    return true;
}

bool TNimbra21::Gravar(TIniFile& ini)
{
    const std::string secao = "NIMBRA" + Secao;
    ini.WriteString(secao, "Versao", "1");
    Precipitacao.Gravar(ini);
    ini.WriteString(secao, "Latitude", Latitude);
    ini.WriteString(secao, "Longitude", Longitude);
    ini.WriteInteger(secao, "IndEstacao", IndEstacao);
    ini.WriteInteger(secao, "IndLocalidade", IndLocalidade);
    ini.WriteString(secao, "StrCidade", StrCidade);
    ini.WriteInteger(secao, "IndEstado", IndEstado);
    ini.WriteString(secao, "StrEstado", StrEstado);
    return true;
}

bool TNimbra21::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TNimbra21::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

} // namespace vastrel
