#pragma once
// Rules of the spacing on the dimensioning entry page and in its method
// dialogs, kept apart from the widgets: the slope the method dialogs show
// and the one they keep, the warnings before and inside them, and the tie
// EV = EH·St between the two spacing fields.

#include <string>
#include <string_view>

#include "engine/Espacamento.h"

namespace vastrel {

// The methods the dimensioning window offers (the height-arbitrated method
// belongs to the location only).
constexpr int kMetodosDimensionamento = 4;

// The slope spin of a method dialog holds whole percent from 1 to this
// maximum: 20 % for Paraná (the method's limit), 100 % otherwise.
int MaximoDeclividadeDialogo(int metodo);

// The slope of a method dialog. It shows the measured land slope St (m/m)
// in whole percent, rounded (halves to even) and held in the spin range,
// but it keeps what was measured: the slope the dialog computes with and
// stores is St itself until the user picks another value. A slope not
// measured (zero, negative, not a number) takes the value shown.
class TDeclividadeDialogo {
public:
    TDeclividadeDialogo(double stMedida, int maximo);

    int Mostrada() const { return mostrada_; }
    // St (m/m) for the spin value `escolhida`: the measured St while it is
    // the value first shown, escolhida/100 otherwise.
    double St(int escolhida) const;

private:
    double medida_;
    int mostrada_;
};

// The information shown before the Bentley or Paraná dialog opens, when the
// slope St (m/m) exceeds 0.20; empty for any other method or slope.
// `percentual`: the slope unit is "%" (otherwise "m/m").
std::string_view AvisoDeclividadeMetodo(int metodo, double St, bool percentual);

// Level terraces are not recommended on the erosion groups C and D of the
// Lombardi Neto method: the message, empty when the group is allowed. The
// dialog then falls back to group A.
std::string AvisoErosaoSistemaNivel(bool gradiente, int indErosao);

// The spacing pair, EV = EH·St, with the slope as typed in the display unit
// (St = decliTer ÷ kDeclividade). Each gives the other field's text with the
// format "0.0#", or an empty text when a text is not a number (or, for EH,
// when the slope is 0).
std::string EVDoEH(const std::string& decliTer, const std::string& eh, int kDeclividade);
std::string EHDoEV(const std::string& decliTer, const std::string& ev, int kDeclividade);

} // namespace vastrel
