#pragma once
// The latitude and longitude fields of the design storm's place, as the
// dimensioning and location windows lay them out: masked degrees, minutes
// and seconds on rows `linha` and `linha` + 1 of the storm group's grid.

class QGridLayout;
class QLineEdit;
class QWidget;

namespace vastrel::gui {

struct TCamposCoordenadas {
    QLineEdit* Latitude;
    QLineEdit* Longitude;
};

// `dicaLatitude`: the latitude field's hint (UTF-8).
TCamposCoordenadas MontarCoordenadas(QWidget* grupo, QGridLayout* grade, int linha, const char* dicaLatitude);

} // namespace vastrel::gui
