#include "dimensioning/RegrasEspacamento.h"

#include <algorithm>
#include <cmath>

#include "common/Format.h"
#include "common/Rounding.h"

namespace vastrel {

namespace {

// Both methods are recommended up to 20 % of land slope.
constexpr double kDeclividadeMaximaBentleyParana = 0.20;
constexpr int kMinimoDeclividadeDialogo = 1;
constexpr const char* kFormatoEspacamento = "0.0#";

} // namespace

int MaximoDeclividadeDialogo(int metodo) { return metodo == kMetodoParana ? 20 : 100; }

TDeclividadeDialogo::TDeclividadeDialogo(double stMedida, int maximo) : medida_(stMedida)
{
    const double percentual = std::isfinite(stMedida) ? stMedida * 100 : 0;
    const double limitado = std::clamp(percentual, double(kMinimoDeclividadeDialogo), double(maximo));
    mostrada_ = static_cast<int>(RoundHalfEven(limitado));
}

double TDeclividadeDialogo::St(int escolhida) const
{
    const bool medida = std::isfinite(medida_) && medida_ > 0;
    if (medida && escolhida == mostrada_)
        return medida_;
    return escolhida / 100.0;
}

std::string_view AvisoDeclividadeMetodo(int metodo, double St, bool percentual)
{
    if (!(St > kDeclividadeMaximaBentleyParana))
        return {};
    if (metodo == kMetodoBentley)
        return percentual ? "Para o metódo de Bentley, a declividade máxima recomendada é de 20 %"
                          : "Para o metódo de Bentley, a declividade máxima recomendada é de 0,20 m/m";
    if (metodo == kMetodoParana)
        return percentual ? "Para o método de Paraná, a declividade máxima permitida é de 20 %"
                          : "Para o método de Paraná, a declividade máxima permitida é de 0,20 m/m";
    return {};
}

std::string AvisoErosaoSistemaNivel(bool gradiente, int indErosao)
{
    if (gradiente || (indErosao != 2 && indErosao != 3))
        return {};
    return std::string("Conforme recomendação de Lombardi Neto, no solo do tipo ") + (indErosao == 2 ? "C" : "D") +
           " não deve ser implantado o " +
           "sistema de terraceamento em nível. Neste caso, deve ser utilizado " +
           " o terraceamento com gradiente.";
}

std::string EVDoEH(const std::string& decliTer, const std::string& eh, int kDeclividade)
{
    const auto st = ParseFloat(decliTer);
    const auto h = ParseFloat(eh);
    if (!st || !h || kDeclividade == 0)
        return {};
    const double ev = *st * *h / kDeclividade;
    return std::isfinite(ev) ? FormatFloat(kFormatoEspacamento, ev) : std::string();
}

std::string EHDoEV(const std::string& decliTer, const std::string& ev, int kDeclividade)
{
    const auto st = ParseFloat(decliTer);
    const auto v = ParseFloat(ev);
    if (!st || !v || *st == 0 || kDeclividade == 0)
        return {};
    const double eh = *v / (*st / kDeclividade);
    return std::isfinite(eh) ? FormatFloat(kFormatoEspacamento, eh) : std::string();
}

} // namespace vastrel
