#pragma once
// The import/export window: one window in two modes that converts between
// the system's raster and vector files and the IDRISI and Surfer files.
#include "Modulos.h"
#include "gis/ImportExport.h"
#include <QDialog>
#include <filesystem>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vastrel::gui {

class TFImportExport : public QDialog {
    Q_OBJECT
public:
    TFImportExport(TContextoPrograma& contexto, gis::TModoConversao modo, QWidget* pai = nullptr);

    gis::TModoConversao Modo() const { return modo_; }
    bool Executando() const { return executando_; }

    QGroupBox* GroupBox1;                 // foreign format
    QRadioButton* RadioButtonIdrisi;
    QRadioButton* RadioButtonSurfer;
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
    QPushButton* BitBtnImport;
    QPushButton* BitBtnExport;
    QPushButton* BitBtn4;                 // "&Fechar"
    QPushButton* BitBtn5;                 // "Aj&uda"

protected:
    void reject() override;
    void closeEvent(QCloseEvent* e) override;

private slots:
    void FormatoOuTipoAlterado();
    void BitBtnAbrirClick();
    void BitBtnSalvarClick();
    void BitBtnConverterClick();

private:
    gis::TFormatoExterno Formato() const;
    gis::TTipoDadoGis Tipo() const;
    void Esquecer();
    void Habilitar(bool livre);

    TContextoPrograma& contexto_;
    gis::TModoConversao modo_;
    QString legenda_;
    std::filesystem::path entrada_;   // chosen input, empty when none
    std::filesystem::path saida_;     // confirmed output, empty when none
    bool executando_ = false;
};

} // namespace vastrel::gui
