#pragma once
// Terrace spacing: the vertical spacing EV (difference of elevation between
// two successive terraces) and the horizontal spacing EH (distance between
// them on the map), related through the land slope St by EV = EH·St.
//
// Methods (D = 100·St, the land slope in percent):
//   0 Bentley:        EV = (D/X + 2)·0.305, X = 2.5, 3.0 or 3.5 by soil
//                     texture; the formula gives feet, 0.305 turns them
//                     into metres.
//   1 Lombardi Neto:  EV = 0.4518·K·D^0.58·(u + m)/2, with the soil
//                     erodibility index K, the crop's use-and-management
//                     index u and the preparation-and-residue index m.
//   2 Paraná:         EV = 0.4518·X·D^0.58, X = 0.835, 0.954 or 1.212 by
//                     soil class.
//   3 arbitrated:     EV or EH given by the user.
//   4 height:         the spacing whose runoff fills a triangular channel of
//                     a given recommended height.
// In methods 0 to 2, EH = EV/St.
//
// Units: EV, EH and heights in m, slopes in m/m, runoff depth LES in mm.

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/Exceptions.h"

namespace vastrel {

class TIniFile;

// Any fault of a spacing computation, floating-point faults included.
class ECalculaEspacamento : public Exception {
public:
    // "Erro no cálculo do espaçamento."
    ECalculaEspacamento();
    explicit ECalculaEspacamento(const std::string& message) : Exception(message) {}
};

// Spacing method indices (IndMetodologia), named by NomesMetodologiaEspacamento.
inline constexpr int kMetodoBentley = 0;
inline constexpr int kMetodoLombardiNeto = 1;
inline constexpr int kMetodoParana = 2;
inline constexpr int kMetodoEVArbitrado = 3;     // spacing given: EH typed (dimensioning) or EV typed (location)
inline constexpr int kMetodoAlturaArbitrada = 4; // recommended height Hr given (level triangular channel; the location's, in m)
inline constexpr int kMetodoUltimo = kMetodoAlturaArbitrada;

// The spacing method, 0..4 (the file format admits 5, which names none).
class TMetodologiaEspacamento {
public:
    std::uint8_t IndMetodologia = 1;

    // "Bentley", "Lombardi Neto", "Paraná", "Espaçamento arbitrado",
    // "Altura do terraço arbitrada"; empty for any other index.
    std::string Nome() const;
    void Zerar() { IndMetodologia = 1; }
    bool operator==(const TMetodologiaEspacamento&) const = default;
};

// The crop of the Lombardi Neto method.
class TCultura {
public:
    std::string Cultura;          // crop name
    std::uint8_t IndCultura = 0;  // index in the crop list
    double IndiceU = 0.5;         // use-and-management index u

    void Zerar();
    bool operator==(const TCultura&) const = default;
};

// The erosion-resistance group of the Lombardi Neto method.
class TErosao {
public:
    std::string GrupoSolo;        // the group's caption
    std::uint8_t IndErosao = 0;   // 0..3 for groups A..D
    double IndiceK = 1.25;        // erodibility index K

    void Zerar();
    bool operator==(const TErosao&) const = default;
};

// The soil-preparation group of the Lombardi Neto method.
class TPreparo {
public:
    std::string GrupoPreparo;       // the group's caption
    std::string PreparoPrimario;    // primary tillage
    std::string PreparoSecundario;  // secondary tillage
    std::string RestosCulturais;    // crop residues
    std::uint8_t IndPreparo = 0;    // 0..4 for groups 1..5
    double IndiceM = 0.5;           // preparation-and-residue index m

    void Zerar();
    bool operator==(const TPreparo&) const = default;
};

// The soil list of a spacing method: 1 (Bentley list) for Bentley, 2
// (Paraná list) for Paraná, 0 for the methods that take no soil class.
std::uint8_t ListaSoloDoMetodo(int indMetodologia);

// The soil class of the Bentley and Paraná methods.
class TSolo {
public:
    TSolo();

    std::string TipoSolo;        // soil class name
    double IndiceSolo = 0;       // soil class value X
    std::uint8_t IndSolo = 0;    // 0..2
    std::uint8_t Metodo = 1;     // soil list: 1 Bentley, other non-zero Paraná, 0 undefined

    // Stores the index and takes name and value from the list that Metodo
    // selects. An index outside 0..2 raises Exception and changes nothing;
    // Metodo 0 raises Exception after the index was stored.
    void SetIndSolo(int index);
    // SetIndSolo(0); Metodo unchanged.
    void Zerar();
    bool operator==(const TSolo&) const = default;
};

class TEspacamento {
public:
    double EH = 0;  // horizontal spacing, m, never negative
    double EV = 0;  // vertical spacing, m, never negative
    TMetodologiaEspacamento Metodologia;
    TCultura Cultura;
    TErosao Erosao;
    TPreparo Preparo;
    TSolo Solo;

    // Store x, or 0 when x is negative (or not a number).
    void SetEH(double x);
    void SetEV(double x);

    // The published formulas; St is the land slope in m/m. Each computes EV,
    // stores it, then stores EH = EV/St. Any fault raises ECalculaEspacamento;
    // a fault after EV was stored leaves the new EV with the old EH.
    void CalculaBentley(double St);
    void CalculaLombardiNeto(double St);
    void CalculaParana(double St);

    // Spacing for an arbitrated recommended height Hr (m) of a triangular
    // channel: runoff depth LES (mm), upstream ridge face slope Sm (m/m),
    // coefficient of non-uniformity CDu (>= 1), land slope St (m/m).
    // EH first, then EV = St·EH. Faults raise ECalculaEspacamento.
    void CalculaPorAltura(double LES, double Sm, double CDu, double Hr, double St);

    // Computes the spacing by the method index: 0 Bentley, 1 Lombardi Neto,
    // 2 Paraná, 3 EH = EV/St with EV unchanged, 4 CalculaPorAltura. Any other
    // index, and any fault, raises ECalculaEspacamento.
    void CalculaPorMetodo(double St, double LES, double Sm, double CDu, double Hr);

    // Apply a row of the Lombardi Neto tables (TabelasEspacamento.h). An
    // index outside the table raises Exception and changes nothing.
    void SetIndCultura(int indice);  // name, index, u
    void SetIndErosao(int indice);   // caption, index, K
    void SetIndPreparo(int indice);  // caption, three descriptions, index, m

    // EH = EV = 0, method 1, crop, erosion and preparation reset, soil Zerar.
    void Zerar();
    // Every field equal (the spacings and all choices).
    bool operator==(const TEspacamento&) const = default;

    // Section "ESPAÇAMENTO". Ler stops at the first invalid key and returns
    // false, keeping what it stored before; the soil index goes through
    // SetIndSolo, whose errors propagate. The soil list is not stored: a
    // Bentley or Paraná method selects its own list before the soil index is
    // applied, any other method keeps the list held. Gravar always returns
    // true.
    bool Ler(TIniFile& ini);
    bool Gravar(TIniFile& ini);
    bool Ler(const std::filesystem::path& p);
    bool Gravar(const std::filesystem::path& p);
};

} // namespace vastrel
