#pragma once
// The report window: an HTML report shown in a viewer, printed with a page
// range, or saved as an HTML page or a PDF document.

#include <QDialog>
#include <QImage>
#include <QTemporaryDir>

#include <string>

class QTextBrowser;
class QToolBar;

namespace vastrel::gui {

struct TContextoPrograma;

class TFRelatorio : public QDialog {
    Q_OBJECT
public:
    // `nome`: the report's name, after "Relatório - " in the title. `html`
    // (UTF-8) names its chart picture "Bit.bmp", written from `grafico`
    // into the window's own folder when the picture is not null.
    TFRelatorio(TContextoPrograma& c, const QString& nome, const std::string& html, const QImage& grafico,
                QWidget* pai = nullptr);

    // The dimensioning report of the project as it stands; `grafico` is the
    // chart of the simulation page, or a null picture.
    static void MostrarDimensionamento(TContextoPrograma& c, const QImage& grafico, QWidget* pai);

    QTextBrowser* Texto() const { return texto_; }
    const QString& Html() const { return html_; }
    QString PastaFigura() const { return pasta_.path(); }

    void ImprimirClick();
    void SalvarClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TContextoPrograma& c_;
    QTemporaryDir pasta_;
    QString html_;
    bool comFigura_ = false;
    bool carregado_ = false;
    QTextBrowser* texto_ = nullptr;
};

} // namespace vastrel::gui
