#include "CamposCoordenadas.h"

#include "Dialogos.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vastrel::gui {

TCamposCoordenadas MontarCoordenadas(QWidget* grupo, QGridLayout* grade, int linha, const char* dicaLatitude)
{
    constexpr int kLargura = 110;
    TCamposCoordenadas c{CampoTexto(grupo, "PrecLa1", dicaLatitude, kLargura),
                         CampoTexto(grupo, "PrecLo1", "Longitude", kLargura)};
    // Degrees, minutes and seconds as typed: "9" a required digit, "#" an
    // optional digit or sign.
    c.Latitude->setInputMask(QStringLiteral("99°99'99\\\";_"));
    c.Longitude->setInputMask(QStringLiteral("##°##'##\\\";_"));
    grade->addWidget(Rotulo(grupo, QStringLiteral("Latitude:"), c.Latitude), linha, 0);
    grade->addWidget(c.Latitude, linha, 1, 1, 2);
    grade->addWidget(Rotulo(grupo, QStringLiteral("Longitude:"), c.Longitude), linha + 1, 0);
    grade->addWidget(c.Longitude, linha + 1, 1, 1, 2);
    return c;
}

} // namespace vastrel::gui
