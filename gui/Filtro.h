#pragma once
// The filter window ("Filtro"): a number of passes of the 3 × 3 mean filter
// over an image, in the frame of the slope map window.
#include "Declividade.h"

class QSpinBox;

namespace vastrel::gui {

class TFFiltro : public TFProcessoRaster {
    Q_OBJECT
public:
    explicit TFFiltro(TContextoPrograma& contexto, QWidget* pai = nullptr);

    QSpinBox* SpinFiltragens = nullptr;   // number of passes, 0 to 50

protected:
    std::string Executar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                         const std::string& titulo, const gis::TProgressoGis& progresso) override;
    std::string TituloPadrao(const std::filesystem::path& entrada) const override;
    bool ByteComoAviso() const override { return false; }
    bool EsquecerNomesApos(char) const override { return false; }
    // The caption tells the pass being run.
    void MostrarEtapa(double fracao, const std::string& etapa) override;
};

} // namespace vastrel::gui
