#pragma once
// Terrain, land cover and infiltration.
//
// Infiltration model: no runoff until the initial abstraction Ia of the
// curve-number method (USDA-SCS, National Engineering Handbook, Section 4)
// has been filled by the storm, then infiltration at the constant stable
// rate VIB, with runoff wherever the instantaneous intensity exceeds VIB.
// The runoff depth of one storm, LES, is the depth a level terrace must store.
//
// Units: VIB in mm/h, St in m/m, depths in mm, times in minutes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vastrel {

class TIniFile;
class TPrecipitacao;

// A value with the index of the reference option it was chosen from.
struct TReal {
    double Valor = 0;        // the value
    std::int8_t Indice = 0;  // option index; 0 typed; −1 none chosen
    void Assign(const TReal& origem);
};

// Names of the cover classes, by index: land use 0..5, treatment and
// hydrologic condition 0..3 (index 0, none, has an empty name).
extern const std::array<std::string_view, 6> NomesUsoTerra;
extern const std::array<std::string_view, 4> NomesTratamento;
extern const std::array<std::string_view, 4> NomesCondicaoHidrologica;

// Land use, 0..5.
class TUsoTerra {
public:
    std::uint8_t Indice = 0;
    std::string Nome() const;
    void Zerar() { Indice = 0; }
    void Assign(const TUsoTerra& origem) { Indice = origem.Indice; }
};

// Conservation treatment, 0..3 (0 none).
class TTratamento {
public:
    std::uint8_t Indice = 0;
    std::string Nome() const;
    void Zerar() { Indice = 0; }
    void Assign(const TTratamento& origem) { Indice = origem.Indice; }
};

// Hydrologic condition, 0..3 (0 none).
class TCondicaoHidrologica {
public:
    std::uint8_t Indice = 0;
    std::string Nome() const;
    void Zerar() { Indice = 0; }
    void Assign(const TCondicaoHidrologica& origem) { Indice = origem.Indice; }
};

// Land cover: the three indices that select a curve number.
class TCobertura {
public:
    TCobertura() = default;
    explicit TCobertura(const std::string& sufixo) : Sufixo(sufixo) {}

    std::string Sufixo;  // section-name suffix; empty in the system
    TUsoTerra UsoTerra;
    TTratamento Tratamento;
    TCondicaoHidrologica CondicaoHidrologica;

    void Zerar();
    void Assign(const TCobertura& origem);

    // Section "Cobertura"+Sufixo. Ler stores each index in turn and fails at
    // the first one out of range, keeping those stored before it.
    bool Ler(TIniFile& ini);
    bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);
};

// The land-cover choices the cover dialog offers, derived from the rows of
// the curve-number table so that every offered combination has a curve
// number and every row can be reached. A class that no row of the land use
// consults is not offered (the condition of "Sem cultivo", the treatment of
// "Floresta"), except that bare soil is recorded as tilled in straight rows
// ("Sem cultivo" offers "Fileiras retas").
struct TEscolhaCobertura {
    int UsoTerra = 0;
    int Tratamento = 0;           // 0 none
    int CondicaoHidrologica = 0;  // 0 none
    bool operator==(const TEscolhaCobertura&) const = default;
};

// Treatments 1..3 offered for a land use 0..5; empty when none is.
std::vector<int> TratamentosPermitidos(int usoTerra);
// Conditions 1..3 offered for a land use and treatment; empty when none is.
std::vector<int> CondicoesPermitidas(int usoTerra, int tratamento);
// What choosing a land use presets: treatment "Fileiras retas" ("Com
// curvas de nível" for pasture, none for forest) and condition "Má", each
// where it is offered.
TEscolhaCobertura CoberturaAoEscolherUso(int usoTerra);
// Choosing a treatment keeps the condition when the treatment offers it,
// otherwise takes the first condition offered (or none).
TEscolhaCobertura CoberturaAoEscolherTratamento(TEscolhaCobertura escolha, int tratamento);
// What the dialog's OK stores: forest has no treatment, bare soil no
// condition; every other choice is kept as it is.
TEscolhaCobertura CoberturaConfirmada(TEscolhaCobertura escolha);

// The field on which the terraces are built.
class TTerreno {
public:
    TTerreno();
    explicit TTerreno(const std::string& sufixo);
    virtual ~TTerreno();

    TTerreno(const TTerreno&) = default;
    TTerreno& operator=(const TTerreno&) = default;

    double VIB = 0;     // stable (basic) infiltration rate, mm/h, never negative
    double St = 0;      // land slope, m/m
    std::string Sufixo; // section-name suffix; empty in the system
    TCobertura Cobertura;
    TReal nt;           // Manning roughness of the overland flow surface, s/m^(1/3)

    // Copies VIB, St, the cover indices and nt (not the suffix).
    virtual void Assign(const TTerreno& origem);
    // Stores x, or 0 when x is negative.
    void SetVIB(double x);
    // Stores x unchanged.
    void SetSt(double x);
    virtual void Zerar();

    // Curve number of the cover for the column of VIB; 0 for a combination
    // without a row of the table.
    int NumeroCurva() const;
    // Initial abstraction Ia = S/5 = (100/CN − 1)·50.8 mm; 0 when CN is 0.
    double AbstracaoInicial() const;
    // Time (min) from the start of the storm at which the fallen depth equals Ia.
    double TempoPreenchimento(TPrecipitacao& chuva);
    // Runoff depth of one storm, mm.
    double CalculaLES(TPrecipitacao& chuva);

    // Ler: "Terreno"+Sufixo/"Versao", then the cover, then the own keys.
    // Gravar: the cover, then "Terreno"+Sufixo.
    bool Ler(TIniFile& ini);
    bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);
};

} // namespace vastrel
