#pragma once
// Terrace channel cross-section, system type and level terraces.
//
// A level terrace (no drainage) stores the whole runoff of one design storm
// from the strip above it: the runoff depth LES (mm) times the horizontal
// spacing EH (m) gives the volume per metre of terrace, EH·LES/1000 m³, which
// the channel cross-section of height H must hold.
//
// Units: B, H in m; slopes in m/m; Z horizontal per vertical; LES in mm;
// EH in m.

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/Exceptions.h"
#include "engine/Espacamento.h"
#include "engine/SelecaoTipoTerraco.h"
#include "engine/Terreno.h"

namespace vastrel {

class TIniFile;
class TPrecipitacao;

// Failure of a channel dimensioning; the message names the system dimensioned.
class EDimensionamento : public Exception {
public:
    explicit EDimensionamento(const std::string& message) : Exception(message) {}
};

// Which terrace system the project uses.
class TTipoSistema {
public:
    // 0 level terraces, 1 graded terraces, 2 and 3 surface drainage.
    std::uint8_t Tipo = 0;

    void Zerar() { Tipo = 0; }

    // Section "TipoSistema": "Versao" must be "1"; "Tipo" must lie in 0..3.
    bool Ler(TIniFile& ini);
    bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);

    // Name of a system type; empty outside 0..3.
    static std::string Nome(int tipo);
};

// Channel shape: 0 trapezoidal, 1 triangular.
class TTipoCanal {
public:
    std::uint8_t Tipo = 1;
    std::string Nome() const;
};

// Channel cross-section shared by the level and graded terrace systems.
class TCanal {
public:
    TCanal();
    explicit TCanal(const std::string& sufixo);
    virtual ~TCanal();

    TCanal(const TCanal&) = default;
    TCanal& operator=(const TCanal&) = default;

    double B = 0;       // bottom width of the trapezoidal channel, m
    double H = 0;       // theoretical height (level) or flow depth (graded), m
    double Hr = 0;      // recommended height (cm from the dimensioning window, m from the location)
    double CDu = 1;     // coefficient of non-uniformity of the terrain surface, >= 1
    std::string Sufixo; // section-name suffix; empty in the system
    TTipoCanal TipoCanal;
    TReal Sm;           // slope of the upstream face of the ridge, m/m
    TReal Z;            // side slope of the trapezoidal channel, horizontal per vertical

    // B, H, Hr = 0, CDu = 1, Sm and Z = (0, −1), triangular shape.
    virtual void Zerar();

    void SetB(double x);    // x, or 0 when negative
    void SetH(double x);    // x, or 0 when negative
    void SetHr(double x);   // x when positive, else 0
    void SetCDu(double x);  // x when above 1, else 1

    virtual void Dimensionar(TTerreno& terreno, TPrecipitacao& chuva) = 0;

    // Section "Canal"+Sufixo.
    virtual bool Ler(TIniFile& ini);
    virtual bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);
};

// Level terraces (no drainage).
class TTerracosNivel : public TCanal {
public:
    TTerracosNivel();
    explicit TTerracosNivel(const std::string& sufixo);

    TSelecaoTipoTerraco SelecaoTipoTerraco;
    TEspacamento Espacamento;

    // Resets the type selection, the spacing and the channel, in this order.
    void Zerar() override;

    // Theoretical channel height H (m) that stores the runoff of the strip of
    // horizontal spacing EH (m); stores nothing. Any error ends in
    // EDimensionamento "Erro no dimensinamento de canal".
    double DimensionarCom(double EH, TPrecipitacao& chuva, TTerreno& terreno);
    // DimensionarCom on the spacing's EH, stored in H.
    void Dimensionar(TTerreno& terreno, TPrecipitacao& chuva) override;

    using TCanal::Gravar;
    using TCanal::Ler;
    // Ler: "Canal", "TerracosNivel"/"Versao", the spacing, then the terrace
    // type keys. Gravar: "Canal", "ESPAÇAMENTO", "TerracosNivel".
    bool Ler(TIniFile& ini) override;
    bool Gravar(TIniFile& ini) override;

private:
    // Height of the channel that holds the volume per metre EH·LES/1000 m³.
    double AlturaTriangular(double EH, double LES, double St) const;
    double AlturaTrapezoidal(double EH, double LES) const;
    double AlturaRetangular(double EH, double LES) const;
};

// The longest channel a graded terrace may have, m.
inline constexpr std::int32_t kComprimentoMaximoCanal = 1500;

// The recommended height in cm: √CDu × (H × 100) + 10, H in m.
double AlturaRecomendada(double H, double CDu);

} // namespace vastrel
