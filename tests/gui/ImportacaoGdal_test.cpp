// The third format choice of the import/export window, the GIS formats
// through GDAL: its options, a GeoTIFF in degrees imported at a chosen band
// and cell size, the refusals, and a vector exported to KML.
#include "DialogosRoteiro.h"
#include "ImportacaoExportacao.h"
#include "Principal.h"
#include "gis/Gdal.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"
#include "project/Projeto.h"
#include "support/TempDir.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <fstream>

using namespace vastrel;
using namespace vastrel::gui;
using vastrel::test::TDialogosRoteiro;
using vastrel::test::TempDir;

namespace {

QString Caminho(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

// A GeoTIFF of 2 bands in WGS 84 longitude/latitude near Piracicaba (SP),
// 1 arc-second cells; band b holds b × (500 + 1 m per 0.001° eastwards).
void GeoTiffEmGraus(const std::filesystem::path& p)
{
    GDALAllRegister();
    const int n = 60;
    const double passo = 1.0 / 3600, lon0 = -47.6, lat1 = -22.7;
    GDALDataset* d = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(p.string().c_str(), n, n, 2,
                                                                              GDT_Float32, nullptr);
    double gt[6] = {lon0, passo, 0, lat1, 0, -passo};
    d->SetGeoTransform(gt);
    OGRSpatialReference s;
    s.importFromEPSG(4326);
    d->SetSpatialRef(&s);
    std::vector<float> linha(n);
    for (int b = 1; b <= 2; ++b)
        for (int l = 0; l < n; ++l) {
            for (int c = 0; c < n; ++c)
                linha[static_cast<std::size_t>(c)] = static_cast<float>(b * (500 + 1000 * (c + 0.5) * passo));
            QCOMPARE(d->GetRasterBand(b)->RasterIO(GF_Write, 0, l, n, 1, linha.data(), n, 1, GDT_Float32, 0, 0,
                                                   nullptr),
                     CE_None);
        }
    GDALClose(GDALDataset::ToHandle(d));
}

} // namespace

class TesteImportacaoGdal : public QObject {
    Q_OBJECT
private:
    TDialogosRoteiro dialogos_;
    TempDir dir_;
    std::unique_ptr<TFPrincipal> principal_;

private slots:
    void init()
    {
        principal_ = std::make_unique<TFPrincipal>(dialogos_, dir_ / "Vastrel3.ini");
        dialogos_.Mensagens.clear();
        dialogos_.Respostas.clear();
        dialogos_.Arquivos.clear();
    }
    void cleanup() { principal_.reset(); }

    // GDAL is one choice with Idrisi and Surfer; its options show only where
    // they apply: a raster import (band, cell, clip), a vector export (the
    // raster of the coordinate system).
    void TerceiraEscolhaEOpcoes()
    {
        TFImportExport imp(principal_->Contexto(), gis::TModoConversao::Importacao);
        QVERIFY(imp.RadioButtonIdrisi->isChecked());
        QVERIFY(imp.GroupBoxGdal->isHidden());
        imp.RadioButtonGdal->setChecked(true);
        QVERIFY(!imp.RadioButtonIdrisi->isChecked() && !imp.RadioButtonSurfer->isChecked());
        QVERIFY(!imp.GroupBoxGdal->isHidden());
        QVERIFY(!imp.SpinEditBanda->isHidden() && !imp.EditCelula->isHidden() && !imp.BitBtnRecorte->isHidden());
        QVERIFY(imp.EditRasterOrigem->isHidden());
        QVERIFY(imp.GroupBox2->isEnabled()); // the title of the ".ras"
        imp.RadioButtonVetor->setChecked(true);
        QVERIFY(imp.GroupBoxGdal->isHidden());
        imp.RadioButtonSurfer->setChecked(true);
        QVERIFY(!imp.RadioButtonGdal->isChecked());

        TFImportExport exp(principal_->Contexto(), gis::TModoConversao::Exportacao);
        exp.RadioButtonGdal->setChecked(true);
        QVERIFY(!exp.GroupBox2->isEnabled());
        QVERIFY(exp.GroupBoxGdal->isHidden()); // raster export: nothing to choose
        exp.RadioButtonVetor->setChecked(true);
        QVERIFY(!exp.GroupBoxGdal->isHidden());
        QVERIFY(!exp.EditRasterOrigem->isHidden() && exp.SpinEditBanda->isHidden());
    }

    // A GeoTIFF in degrees: the window shows the UTM zone it goes to and
    // proposes 30 m cells; band 2 at 20 m is imported with its system.
    void ImportaGeoTiffEmGraus()
    {
        const auto tif = dir_ / "graus.tif";
        const auto ras = dir_ / "elev.ras";
        GeoTiffEmGraus(tif);
        TFImportExport imp(principal_->Contexto(), gis::TModoConversao::Importacao);
        imp.RadioButtonGdal->setChecked(true);
        dialogos_.Arquivos = {Caminho(tif)};
        imp.BitBtnAbrir->click();
        QCOMPARE(imp.Edit1->text(), Caminho(tif));
        QCOMPARE(imp.Edit3->text(), QStringLiteral("Arquivo gerado da importação do arquivo graus.tif"));
        QVERIFY2(imp.LabelSistema->text().contains(QStringLiteral("SIRGAS 2000 / UTM zone 23S (EPSG:31983)")),
                 qPrintable(imp.LabelSistema->text()));
        QCOMPARE(imp.EditCelula->text(), QStringLiteral("30"));
        QCOMPARE(imp.SpinEditBanda->maximum(), 2);

        imp.SpinEditBanda->setValue(2);
        imp.EditCelula->setText(QStringLiteral("20"));
        dialogos_.Arquivos = {Caminho(ras)};
        imp.BitBtnSalvar->click();
        imp.BitBtnImport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"info: Importação finalizada com sucesso."});
        gis::TMemoryRaster r;
        QVERIFY(r.CarregarRaster(ras));
        QCOMPARE(r.TipoCelula, 'R');
        QCOMPARE((static_cast<double>(r.XMax) - r.XMin) / r.Colunas, 20.0);
        QVERIFY(r.ValorMin > 999 && r.ValorMax < 1034); // band 2: twice 500 to 516.7
        QVERIFY(gis::LerSistemaCoordenadas(ras).find("UTM zone 23S") != std::string::npos);
    }

    // Refusals: a file GDAL does not read is not taken as input; an absurd
    // cell size stops the import with its message and writes nothing.
    void Recusas()
    {
        const auto tif = dir_ / "graus.tif";
        const auto texto = dir_ / "texto.tif";
        const auto ras = dir_ / "x.ras";
        GeoTiffEmGraus(tif);
        std::ofstream(texto) << "não é um raster\n";
        TFImportExport imp(principal_->Contexto(), gis::TModoConversao::Importacao);
        imp.RadioButtonGdal->setChecked(true);
        dialogos_.Arquivos = {Caminho(texto)};
        imp.BitBtnAbrir->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: O GDAL não reconhece como raster o arquivo 'texto.tif'."});
        QVERIFY(imp.Edit1->text().isEmpty());

        dialogos_.Mensagens.clear();
        dialogos_.Arquivos = {Caminho(tif), Caminho(ras)};
        imp.BitBtnAbrir->click();
        imp.BitBtnSalvar->click();
        for (const char* celula : {"abc", "0", "-30", "100000"}) {
            dialogos_.Mensagens.clear();
            imp.EditCelula->setText(QString::fromUtf8(celula));
            imp.BitBtnImport->click();
            QCOMPARE(dialogos_.Mensagens.size(), 1);
            QVERIFY2(dialogos_.Mensagens[0].startsWith(QStringLiteral("erro: Tamanho de célula inválido")),
                     qPrintable(dialogos_.Mensagens[0]));
            QVERIFY(!std::filesystem::exists(ras));
        }
    }

    // A vector exported to KML takes the system of the raster it came from;
    // without one, KML is refused.
    void ExportaVetorParaKml()
    {
        const auto tif = dir_ / "graus.tif";
        const auto ras = dir_ / "elev.ras";
        const auto vet = dir_ / "linhas.vet";
        const auto kml = dir_ / "linhas.kml";
        GeoTiffEmGraus(tif);
        gis::ImportarRasterGdal(tif, ras, "elev", {});
        gis::TVetor v;
        v.Unidade = "M";
        v.IrParaInicio();
        v.GravarRegistro(1, 232900, 7487300, 510);
        v.GravarRegistro(1, 233000, 7487300, 510);
        v.GravarVetor(vet);

        TFImportExport exp(principal_->Contexto(), gis::TModoConversao::Exportacao);
        exp.RadioButtonGdal->setChecked(true);
        exp.RadioButtonVetor->setChecked(true);
        dialogos_.Arquivos = {Caminho(vet), Caminho(kml)};
        exp.BitBtnAbrir->click();
        exp.BitBtnSalvar->click();
        exp.BitBtnExport->click();
        QCOMPARE(dialogos_.Mensagens.size(), 1);
        QVERIFY2(dialogos_.Mensagens[0].contains(QStringLiteral("KML e GPX exigem longitude e latitude")),
                 qPrintable(dialogos_.Mensagens[0]));
        QVERIFY(!std::filesystem::exists(kml));

        dialogos_.Mensagens.clear();
        dialogos_.Arquivos = {Caminho(ras)};
        exp.BitBtnRasterOrigem->click();
        QCOMPARE(exp.EditRasterOrigem->text(), Caminho(ras));
        exp.BitBtnExport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"info: Exportação finalizada com sucesso."});
        std::ifstream in(kml);
        const std::string k((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        QVERIFY(k.find("Terraço 1") != std::string::npos);
        QVERIFY(k.find("-47.5") != std::string::npos); // longitudes, not UTM metres

        // A vector laid out by the location carries the coordinate system
        // of its elevation raster beside it: it exports with no raster named.
        std::filesystem::copy_file(gis::CaminhoSistemaCoordenadas(ras), gis::CaminhoSistemaCoordenadas(vet),
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(kml);
        dialogos_.Mensagens.clear();
        TFImportExport outra(principal_->Contexto(), gis::TModoConversao::Exportacao);
        outra.RadioButtonGdal->setChecked(true);
        outra.RadioButtonVetor->setChecked(true);
        dialogos_.Arquivos = {Caminho(vet), Caminho(kml)};
        outra.BitBtnAbrir->click();
        outra.BitBtnSalvar->click();
        QCOMPARE(outra.EditRasterOrigem->text(), QString());
        outra.BitBtnExport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"info: Exportação finalizada com sucesso."});
        QVERIFY(std::filesystem::exists(kml));
    }
};

QTEST_MAIN(TesteImportacaoGdal)
#include "ImportacaoGdal_test.moc"
