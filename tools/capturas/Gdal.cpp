// The import/export window with its third format choice, the GIS formats
// through GDAL: a GeoTIFF hillside being imported at 10 m cells (the window
// shows its coordinate system), then the terraces being exported to KML
// with the coordinate system of the elevation raster they were laid out on.

#include "Captura.h"

#include "ImportacaoExportacao.h"
#include "Principal.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <stdexcept>

namespace vastrel::capturas {
namespace {

QString NaPasta(const TAmbienteCena& a, const char* nome)
{
    return QString::fromStdString((a.PastaTrabalho / nome).string());
}

void JanelaGdal(TAmbienteCena& a)
{
    const QString tif = a.Exemplo("examples/gdal/encosta-big-tujunga.tif");
    {
        gui::TFImportExport imp(a.Principal.Contexto(), gis::TModoConversao::Importacao, &a.Principal);
        imp.show();
        imp.RadioButtonGdal->setChecked(true);
        a.Dialogos.Arquivos = {tif, NaPasta(a, "elevacao-encosta.ras")};
        imp.BitBtnAbrir->click();
        imp.BitBtnSalvar->click();
        if (imp.LabelSistema->text().isEmpty())
            throw std::runtime_error("o GeoTIFF do exemplo não foi lido");
        imp.EditCelula->setText(QStringLiteral("10"));
        imp.Edit3->setText(QStringLiteral("Elevação (m), SRTM 30 m reamostrado a 10 m, encosta do Big Tujunga"));
        imp.adjustSize();
        a.Salvar(imp);
    }
    gui::TFImportExport exp(a.Principal.Contexto(), gis::TModoConversao::Exportacao, &a.Principal);
    exp.show();
    exp.RadioButtonGdal->setChecked(true);
    exp.RadioButtonVetor->setChecked(true);
    a.Dialogos.Arquivos = {NaPasta(a, "terracos-encosta.vet"), NaPasta(a, "terracos-encosta.kml"),
                           NaPasta(a, "elevacao-encosta.ras")};
    exp.BitBtnAbrir->click();
    exp.BitBtnSalvar->click();
    exp.BitBtnRasterOrigem->click();
    exp.adjustSize();
    a.Salvar(exp, "exportacao");
}

const TRegistroCena cena("gdal-janela", JanelaGdal);

} // namespace
} // namespace vastrel::capturas
