#include "project/Unidades.h"

#include "common/CheckedMath.h"
#include "common/IniFile.h"

namespace vastrel {

void TUnidades::SetIndiceDeclividade(int i)
{
    const int k = i == 1 ? 1 : 0;
    UnidDeclividade = kUnidadesDeclividade[k];
    KDeclividade = kMultiplicadoresDeclividade[k];
}

void TUnidades::SetIndiceVIB(int i)
{
    const int k = (i >= 0 && i <= 2) ? i : 0;
    UnidVIB = kUnidadesVIB[k];
    KVIB = kMultiplicadoresVIB[k];
}

double TUnidades::GuardarDeclividade(double shown) const
{
    return cm::Div(shown, KDeclividade);
}

double TUnidades::GuardarVIB(double shown) const { return cm::Div(shown, KVIB); }

void TUnidades::LerChaves(const TIniFile& ini, const std::string& secao)
{
    UnidDeclividade = ini.ReadString(secao, "UDecli", "m/m");
    KDeclividade = static_cast<int>(ini.ReadInteger(secao, "KDecli", 1));
    UnidVIB = ini.ReadString(secao, "UVIB", "mm/h");
    KVIB = ini.ReadFloat(secao, "KVIB", 1.0);
    // A multiplier of zero would turn every typed value into a division by
    // zero; such a file was edited by hand, so fall back to the unit's own.
    if (KDeclividade == 0)
        SetIndiceDeclividade(UnidDeclividade == "%" ? 1 : 0);
    if (KVIB == 0)
        SetIndiceVIB(UnidVIB == "m/h" ? 1 : UnidVIB == "m/dia" ? 2 : 0);
}

void TUnidades::GravarChaves(TIniFile& ini, const std::string& secao) const
{
    ini.WriteString(secao, "UDecli", UnidDeclividade);
    ini.WriteInteger(secao, "KDecli", KDeclividade);
    ini.WriteString(secao, "UVIB", UnidVIB);
    ini.WriteFloat(secao, "KVIB", KVIB);
}

} // namespace vastrel
