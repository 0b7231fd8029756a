#include "location/LocacaoNivel.h"

#include "common/IniFile.h"

namespace vastrel {

namespace {
constexpr const char* kSecao = "LOCACAONIVEL";
} // namespace

void TLocacaoNivel::Zerar()
{
    fnImgElev.clear();
    fnImgDecli.clear();
    fnVetSaida.clear();
}

void TLocacaoNivel::Ler(const TIniFile& ini)
{
    fnImgElev = ini.ReadString(kSecao, "fnImgElev", "");
    fnImgDecli = ini.ReadString(kSecao, "fnImgDecli", "");
    fnVetSaida = ini.ReadString(kSecao, "fnVetSaida", "");
}

void TLocacaoNivel::Gravar(TIniFile& ini) const
{
    ini.WriteString(kSecao, "fnImgElev", fnImgElev);
    ini.WriteString(kSecao, "fnImgDecli", fnImgDecli);
    ini.WriteString(kSecao, "fnVetSaida", fnVetSaida);
}

void TLocacaoNivel::Ler(const std::filesystem::path& p)
{
    WithIniFile(p, [this](TIniFile& ini) { Ler(ini); return true; });
}

void TLocacaoNivel::Gravar(const std::filesystem::path& p) const
{
    WithIniFile(p, [this](TIniFile& ini) { Gravar(ini); return true; });
}

} // namespace vastrel
