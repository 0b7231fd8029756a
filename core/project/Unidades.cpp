#include "project/Unidades.h"

#include "common/CheckedMath.h"
#include "common/IniFile.h"

namespace vastrel {

namespace {

// Position of a unit in its list: by its text when the text is known,
// otherwise by its multiplier, otherwise the first unit.
template <std::size_t N, typename K>
int IndiceCombinado(const std::string& unidade, K multiplicador, const char* const (&unidades)[N],
                    const K (&multiplicadores)[N])
{
    for (std::size_t i = 0; i < N; ++i)
        if (unidade == unidades[i])
            return static_cast<int>(i);
    for (std::size_t i = 0; i < N; ++i)
        if (multiplicador == multiplicadores[i])
            return static_cast<int>(i);
    return 0;
}

} // namespace

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
    // The program always writes a unit with its own multiplier. A file
    // edited by hand may not: the unit text, which the user sees beside
    // every value, then decides the multiplier, so that values are never
    // shown in one unit and labelled with another.
    SetIndiceDeclividade(IndiceCombinado(UnidDeclividade, KDeclividade, kUnidadesDeclividade,
                                         kMultiplicadoresDeclividade));
    SetIndiceVIB(IndiceCombinado(UnidVIB, KVIB, kUnidadesVIB, kMultiplicadoresVIB));
}

void TUnidades::GravarChaves(TIniFile& ini, const std::string& secao) const
{
    ini.WriteString(secao, "UDecli", UnidDeclividade);
    ini.WriteInteger(secao, "KDecli", KDeclividade);
    ini.WriteString(secao, "UVIB", UnidVIB);
    ini.WriteFloat(secao, "KVIB", KVIB);
}

} // namespace vastrel
