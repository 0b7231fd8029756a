#pragma once
// The slope map window ("Declividade") and the frame it shares with the
// filter window: an input image, an output image, a title and "&Processar".
// The computation is the core's; the window gathers the choices, shows the
// messages and keeps a second run from starting while one is going.
#include "Dialogos.h"
#include "Modulos.h"
#include "gis/Progresso.h"

#include <QDialog>
#include <filesystem>
#include <string>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace vastrel::gui {

class TFProcessoRaster : public TDialogoProcesso {
    Q_OBJECT
public:
    QLineEdit* EditEntrada = nullptr;   // read-only input path
    QLineEdit* EditSaida = nullptr;     // read-only output path
    QLineEdit* EditTitulo = nullptr;
    QPushButton* BotaoAbrir = nullptr;
    QPushButton* BotaoSalvar = nullptr;
    QPushButton* BotaoProcessar = nullptr;
    QPushButton* BotaoFechar = nullptr;
    QPushButton* BotaoAjuda = nullptr;
    QProgressBar* Barra = nullptr;

protected:
    TFProcessoRaster(TContextoPrograma& contexto, const QString& legenda, int topicoAjuda, QWidget* pai);
    // Builds the controls; `topo` is laid out above the three group boxes.
    void Montar(QWidget* topo = nullptr);

    // Runs the computation; returns the completion message.
    virtual std::string Executar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                                 const std::string& titulo, const gis::TProgressoGis& progresso) = 0;
    // The title proposed for a chosen input file.
    virtual std::string TituloPadrao(const std::filesystem::path& entrada) const = 0;
    // A byte image is refused with a warning (slope map) or an error (filter).
    virtual bool ByteComoAviso() const = 0;
    // After a completed run: whether the chosen names are forgotten.
    virtual bool EsquecerNomesApos(char tipoCelula) const = 0;
    // Each step reported by the run (caption and progress bar).
    virtual void MostrarEtapa(double fracao, const std::string& etapa);

    TContextoPrograma& Contexto;
    QString Legenda;   // the caption outside a run

private slots:
    void BotaoAbrirClick();
    void BotaoSalvarClick();
    void BotaoProcessarClick();

private:
    void Habilitar(bool livre);

    int topico_;
    std::filesystem::path entrada_;   // chosen input, empty when none
    std::filesystem::path saida_;     // confirmed output, empty when none
};

class TFDeclividade : public TFProcessoRaster {
    Q_OBJECT
public:
    explicit TFDeclividade(TContextoPrograma& contexto, QWidget* pai = nullptr);

protected:
    std::string Executar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                         const std::string& titulo, const gis::TProgressoGis& progresso) override;
    std::string TituloPadrao(const std::filesystem::path& entrada) const override;
    bool ByteComoAviso() const override { return true; }
    bool EsquecerNomesApos(char tipoCelula) const override { return tipoCelula == 'R'; }
};

} // namespace vastrel::gui
