#include "Regional.h"

#include "common/Locale.h"

#include <QLocale>
#include <QString>

namespace vastrel::gui {

void AplicarFormatoRegional()
{
    const QLocale sistema = QLocale::system();
    const char decimal = sistema.decimalPoint() == QStringLiteral(",") ? ',' : '.';
    SetDecimalSeparator(decimal);
    // The thousands separator never equals the decimal one (some locales
    // group with a space, which the format masks do not write).
    const QString milhar = sistema.groupSeparator();
    char grupo = decimal == ',' ? '.' : ',';
    if (milhar == QStringLiteral(".") || milhar == QStringLiteral(","))
        grupo = milhar.at(0).toLatin1() == decimal ? grupo : milhar.at(0).toLatin1();
    SetThousandSeparator(grupo);
}

} // namespace vastrel::gui
