#pragma once
// The import/export window: one window in two modes that converts between
// the system's raster and vector files and the IDRISI, Surfer and GIS files
// (the formats GDAL reads and writes).
#include "Dialogos.h"
#include "Modulos.h"
#include "gis/ImportExport.h"

#include <QDialog>
#include <filesystem>

class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QPushButton;
class QRadioButton;

namespace vastrel::gui {

class TFImportExport : public TDialogoProcesso {
    Q_OBJECT
public:
    TFImportExport(TContextoPrograma& contexto, gis::TModoConversao modo, QWidget* pai = nullptr);

    gis::TModoConversao Modo() const { return modo_; }

    QGroupBox* GroupBox1;                 // foreign format
    QRadioButton* RadioButtonIdrisi;
    QRadioButton* RadioButtonSurfer;
    QRadioButton* RadioButtonGdal;        // GIS formats through GDAL
    QGroupBox* GroupBox5;                 // kind of data
    QRadioButton* RadioButtonRaster;
    QRadioButton* RadioButtonVetor;
    QGroupBox* GroupBox6;                 // distance unit of Surfer imports
    QRadioButton* RadioButtonMetro;
    QRadioButton* RadioButtonKilom;
    QGroupBox* GroupBox2;                 // title
    QLineEdit* Edit3;
    QGroupBox* GroupBox3;                 // input
    QLineEdit* Edit1;
    QPushButton* BitBtnAbrir;
    QGroupBox* GroupBox4;                 // output
    QLineEdit* Edit2;
    QPushButton* BitBtnSalvar;
    QGroupBox* GroupBoxGdal;              // options of the GIS formats
    QLabel* LabelSistema;                 // input's system and the output's
    QSpinBox* SpinEditBanda;              // band of the input raster
    QLineEdit* EditCelula;                // output cell size, m
    QLineEdit* EditRecorte;               // clip polygon (read-only)
    QPushButton* BitBtnRecorte;           // "Polígono..."
    QPushButton* BitBtnSemRecorte;        // "Sem recorte"
    QLineEdit* EditRasterOrigem;          // raster whose system a vector takes (read-only)
    QPushButton* BitBtnRasterOrigem;      // "Raster..."
    QPushButton* BitBtnImport;
    QPushButton* BitBtnExport;
    QPushButton* BitBtn4;                 // "&Fechar"
    QPushButton* BitBtn5;                 // "Aj&uda"

protected:

private slots:
    void FormatoOuTipoAlterado();
    void BitBtnAbrirClick();
    void BitBtnSalvarClick();
    void BitBtnConverterClick();
    void BitBtnRecorteClick();
    void BitBtnRasterOrigemClick();

private:
    gis::TFormatoExterno Formato() const;
    gis::TTipoDadoGis Tipo() const;
    void Esquecer();
    void Habilitar(bool livre);
    void MostrarOpcoesGdal();
    bool InspecionarGdal(const std::filesystem::path& p);
    gis::TOpcoesGdal OpcoesGdal() const;

    TContextoPrograma& contexto_;
    gis::TModoConversao modo_;
    QString legenda_;
    std::filesystem::path entrada_;   // chosen input, empty when none
    std::filesystem::path saida_;     // confirmed output, empty when none
    std::filesystem::path recorte_;   // clip polygon, empty when none
    std::filesystem::path rasterOrigem_; // raster whose system an exported vector takes
};

} // namespace vastrel::gui
