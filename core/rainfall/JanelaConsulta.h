#pragma once
// The consultation window of the rainfall database as the rainfall component
// sees it. The desktop program implements it with its modal window; the
// component (TNimbra21::Consultar) fills it, shows it and, when the user
// confirms, takes the chosen place and parameters back.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "rainfall/BDPrecipitacao.h"
#include "rainfall/Estados.h"

namespace vastrel {

// What the window is given before it is shown.
struct TPreparoConsulta {
    TEstado Estado;                // state to select
    std::int16_t IndEstacao = -1;  // station position to preselect, -1 none
    std::int16_t IndLocalidade = -1; // locality position to preselect, -1 none
    bool ShowAbout = false;        // show the about screen on the first activation
    // The current record: K, A, B and C of the design storm where they are
    // not zero, zero otherwise; no name, source or coordinates.
    TRegEstacao Registro;
    // Coordinate texts to put into the latitude and longitude fields (and
    // to interpolate for when neither a station nor a locality is chosen);
    // empty when the component has none.
    std::string Latitude;
    std::string Longitude;
    // Texts of the four parameter fields: K "0.000", a "0.0000", b "0.000",
    // c "0.0000" of the current record, with the locale's separator.
    std::string TextoK, TextoA, TextoB, TextoC;
};

// What the component takes back when the user confirms.
struct TRetornoConsulta {
    int IndEstado = -1;            // state shown
    // Texts of the four parameter fields as shown (the only carrier of the
    // chosen parameters: stations in full, interpolations with 3 decimals).
    std::string TextoK, TextoA, TextoB, TextoC;
    std::string Fonte;             // source label ("Autor" caption), empty when none
    std::string Latitude;          // coordinate texts of the place
    std::string Longitude;
    std::int16_t IndEstacao = -1;  // list selections, -1 none
    std::int16_t IndLocalidade = -1;
    std::string Cidade;            // place name: station, locality or "Não definida"
    // The whole source of the equation shown (TBDPrecipitacao::FonteCompleta).
    std::string FonteCompleta;
};

class TJanelaConsulta {
public:
    virtual ~TJanelaConsulta() = default;
    virtual void Preparar(const TPreparoConsulta& preparo) = 0;
    // Shows the window modally; true when the user confirmed ("&Fechar").
    virtual bool Executar() = 0;
    virtual TRetornoConsulta Retorno() const = 0;
};

// Creates the window with the help topic of its "&Ajuda" button. Creating it
// reads the station file, so it may raise the database's errors.
using FabricaJanelaConsulta = std::function<std::unique_ptr<TJanelaConsulta>(int helpContext)>;

} // namespace vastrel
