#pragma once
// Display units of slopes and of the stable infiltration rate. The engine
// always holds slopes in m/m and infiltration rates in mm/h; a window shows
// stored × multiplier and stores typed ÷ multiplier.

#include <cstdint>
#include <string>

namespace vastrel {

class TIniFile;

struct TUnidades {
    std::string UnidDeclividade = "m/m"; // "m/m" or "%"
    int KDeclividade = 1;                // 1 for "m/m", 100 for "%"
    std::string UnidVIB = "mm/h";        // "mm/h", "m/h" or "m/dia"
    double KVIB = 1.0;                   // 1.0, 0.001 or 0.024
    std::uint8_t IndEstadoPadrao = 0;    // default state of the rainfall database, 0..26

    // The unit texts of the lists of the units dialog, in list order.
    static constexpr const char* kUnidadesDeclividade[] = {"m/m", "%"};
    static constexpr int kMultiplicadoresDeclividade[] = {1, 100};
    static constexpr const char* kUnidadesVIB[] = {"mm/h", "m/h", "m/dia"};
    static constexpr double kMultiplicadoresVIB[] = {1.0, 0.001, 0.024};

    // Chooses a unit by its position in the list and sets its multiplier.
    void SetIndiceDeclividade(int i);
    void SetIndiceVIB(int i);

    double MostrarDeclividade(double stored) const { return stored * KDeclividade; }
    double GuardarDeclividade(double shown) const;
    double MostrarVIB(double stored) const { return stored * KVIB; }
    double GuardarVIB(double shown) const;

    // The four unit keys of the project header (section "VASTREL3") or of
    // the settings file (section "PRINCIPAL"). Missing keys keep the
    // defaults "m/m", 1, "mm/h", 1.0; a multiplier that does not belong to
    // its unit is replaced by the unit's own.
    void LerChaves(const TIniFile& ini, const std::string& secao);
    void GravarChaves(TIniFile& ini, const std::string& secao) const;
};

} // namespace vastrel
