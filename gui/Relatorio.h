#pragma once
// The report window: an HTML report shown in a viewer, printed with a page
// range, or saved as an HTML page or a PDF document.

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string>

class QPrinter;
class QTextBrowser;
class QTextDocument;
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

    // The report with its pictures inside it ("data:" addresses): what a
    // saved page holds, and what the printed pages are laid out from.
    QString HtmlComFiguras() const;

    void ImprimirClick();
    // Saves as an HTML page or a PDF document, by the extension typed or,
    // without one, by the type chosen in the dialog; asks before replacing
    // a file and says where the report went.
    void SalvarClick();

    // The report laid out on the printer's pages (Paginar), and printed.
    std::unique_ptr<QTextDocument> DocumentoImpresso(QPrinter& impressora) const;
    void Imprimir(QPrinter& impressora) const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    bool Gravar(const QString& arquivo, bool pdf);

    TContextoPrograma& c_;
    QTemporaryDir pasta_;
    QImage grafico_;
    QString html_;
    bool carregado_ = false;
    QTextBrowser* texto_ = nullptr;
};

// Lays `doc` out on pages of `pagina` (document units): a picture wider or
// taller than a page shrinks to fit, keeping its proportions, and a heading
// never stays alone at the foot of a page but moves to the next with what
// it heads.
void Paginar(QTextDocument& doc, const QSizeF& pagina);

// Headings of `doc` (bold lines outside tables, table rows of one bold cell)
// whose page is not that of the first line they head; empty when the pages
// are sound.
QStringList CabecalhosIsolados(QTextDocument& doc);

} // namespace vastrel::gui
