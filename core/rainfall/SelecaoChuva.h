#pragma once
// What the consultation window of the rainfall database has chosen, and the
// rules by which a choice changes it: the state, a station, a locality or a
// point (clicked or typed), the place's name and coordinates and the storm
// that goes with them. The window shows this state and hands the user's
// gestures to it; it keeps none of its own.

#include <optional>
#include <string>

#include "rainfall/BDPrecipitacao.h"

namespace vastrel {

inline constexpr const char* kCidadeNaoDefinida = "Não definida";

class TSelecaoChuva {
public:
    // The database must outlive the selection; its stations (and, for
    // points far from any station, its grid) must be loaded.
    explicit TSelecaoChuva(const TBDPrecipitacao& bd) : bd_(bd) {}

    // A new state forgets the place chosen in the previous one: no station,
    // locality, name, coordinates or storm. Raises ENumeroEstado.
    void MudarEstado(int estado);

    // A station of the current state by its position: its published
    // equation, as it stands (with its warning, if any). Out of range: no
    // change, false.
    bool EscolherEstacao(int posicao);

    // A locality of the current state (its record, as read for the state):
    // the storm the point's rule gives (TBDPrecipitacao::ChuvaNoPonto).
    void EscolherLocalidade(int posicao, const TRegLocalidade& localidade);

    // A point clicked on the state map or typed. `naArea`: whether the
    // point falls on the state's own area of its map; a point off it (a
    // coastal town on a sea pixel, a point just across a border) still
    // gets the storm of its coordinates, with a note saying so.
    void EscolherPonto(const std::string& latitude, const std::string& longitude, bool naArea);

    // Back to no storm at all (the window's parameters emptied by hand).
    void Esquecer();

    int Estado() const { return estado_; }
    int Estacao() const { return estacao_; }
    int Localidade() const { return localidade_; }
    const std::string& Cidade() const { return cidade_; }
    const std::string& Latitude() const { return latitude_; }
    const std::string& Longitude() const { return longitude_; }
    // The storm of the place, when one is chosen.
    const std::optional<TChuvaLocal>& Chuva() const { return chuva_; }
    // Shorthands of the storm: its source label ("Interpolação", the grid's,
    // a station's), its whole source, warning and note; empty without one.
    std::string Fonte() const;
    std::string FonteCompleta() const;
    std::string Aviso() const;
    std::string Nota() const;

private:
    // The new place and its storm, forgetting the previous ones.
    void Lembrar(TChuvaLocal chuva, const std::string& cidade, const std::string& latitude,
                 const std::string& longitude);

    const TBDPrecipitacao& bd_;
    int estado_ = -1;
    int estacao_ = -1;
    int localidade_ = -1;
    std::string cidade_;
    std::string latitude_, longitude_;
    std::optional<TChuvaLocal> chuva_;
};

} // namespace vastrel
