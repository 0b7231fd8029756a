#pragma once
// The " Precipitação " group of the dimensioning and location windows: the
// return period and the K, a, b, c of the design storm's IDF equation
// i = K·Tr^a/(t + b)^c, the place's latitude and longitude, and the
// "Consulta" button that takes them from the rainfall database.

#include <QGroupBox>

class QLineEdit;
class QPushButton;

namespace vastrel::gui {

struct TContextoPrograma;

// What differs between the two windows: object names and hints.
struct TOpcoesPrecipitacao {
    const char* NomeTr;         // object name of the return-period field
    const char* DicaLatitude;   // hint of the latitude field (UTF-8)
    const char* TextoConsulta;  // caption of the button, with its access key
    const char* NomeConsulta;   // object name of the button
    const char* DicaConsulta;   // hint of the button (UTF-8)
    int Largura;                // maximum width of the number fields, pixels
};

class TGrupoPrecipitacao : public QGroupBox {
    Q_OBJECT
public:
    TGrupoPrecipitacao(TContextoPrograma& c, const TOpcoesPrecipitacao& o, QWidget* pai);

    QLineEdit* Tr;
    QLineEdit* K;
    QLineEdit* A;
    QLineEdit* B;
    QLineEdit* C;
    QLineEdit* Latitude;
    QLineEdit* Longitude;
    QPushButton* Consulta;

    // K, a, b, c and the place go into the design storm and the rainfall
    // database (T does not), which shows its consultation window; the place
    // the user takes comes back into the fields and marks the project
    // modified. A field that is not a number is reported and nothing opens.
    void ConsultaClick();

private:
    TContextoPrograma& c_;
};

} // namespace vastrel::gui
