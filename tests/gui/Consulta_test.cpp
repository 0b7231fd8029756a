// The consultation window of the rainfall database on the database and maps
// that the build lays in "Arquivos Comuns": states with and without a map,
// stations, localities, map clicks and typed coordinates, the country map,
// the source citations, the report, and the whole way from the
// dimensioning window's "Consulta" button back to its fields.

#include "Ajuda.h"
#include "Consulta.h"
#include "Dimensionamento.h"
#include "Relatorio.h"
#include "gui/ContextoTeste.h"

#include "common/Format.h"
#include "common/Locale.h"
#include "common/Pastas.h"
#include "common/Rounding.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/Fontes.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>

using namespace vastrel;
using namespace vastrel::gui;

namespace {

using test::AoAbrirModal;

constexpr int kMG = 12, kGO = 8, kSE = 25, kBA = 4, kAC = 0, kES = 7, kDF = 6;

using TAmbiente = test::TContextoTeste;

// A consultation window on state `estado`, shown (so activated) with no
// place chosen before.
struct TJanela : TAmbiente {
    std::unique_ptr<TfrmFoConsulta> j;
    explicit TJanela(int estado, int estacao = -1, int localidade = -1)
    {
        j = std::make_unique<TfrmFoConsulta>(contexto, 0);
        TPreparoConsulta p;
        p.Estado.SetIndice(estado);
        p.IndEstacao = static_cast<std::int16_t>(estacao);
        p.IndLocalidade = static_cast<std::int16_t>(localidade);
        j->Preparar(p);
        j->show();
        QApplication::processEvents();
    }
    QStringList Campos() const
    {
        return {j->CampoK()->text(), j->CampoA()->text(), j->CampoB()->text(), j->CampoC()->text()};
    }
    // Points the map and clicks there, as the user does.
    void Clicar(QPoint p)
    {
        j->MapaMove(p);
        j->MapaClick(p);
    }
    void Digitar(const QString& lat, const QString& lon)
    {
        j->CampoLatitude()->setText(lat);
        j->CampoLongitude()->setText(lon);
        j->CalcularClick();
    }
};

QStringList Formatar(const TRegEstacao& r, const char* mK, const char* mA, const char* mB, const char* mC)
{
    return {Q(FormatFloat(mK, r.K)), Q(FormatFloat(mA, r.A)), Q(FormatFloat(mB, r.B)), Q(FormatFloat(mC, r.C))};
}

QStringList Exatos(const TRegEstacao& r)
{
    return {Q(FloatToStr(r.K)), Q(FloatToStr(r.A)), Q(FloatToStr(r.B)), Q(FloatToStr(r.C))};
}

bool Azul(const QImage& img, QPoint p)
{
    return img.valid(p) && img.pixelColor(p) == QColor(0, 0, 255);
}

} // namespace

class TesteConsulta : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetDecimalSeparator(',');
        SetThousandSeparator('.');
        QVERIFY(std::filesystem::exists(PastaArquivosComuns() / "MG.bmp"));
        QVERIFY(std::filesystem::exists(ArquivoDoPrograma("Brasil.bmp")));
    }

    void MinasDigitadasCaemNoPixelDasFormulas()
    {
        TJanela t(kMG);
        QCOMPARE(t.j->Paginas()->currentIndex(), int(TfrmFoConsulta::kPaginaEstados));
        QVERIFY(Azul(t.j->MapaEstado()->Imagem(), QPoint(283, 278)));
        t.Digitar(QStringLiteral("19°55'00\""), QStringLiteral("43°56'00\""));
        QVERIFY2(t.dialogos.Mensagens.isEmpty(), qPrintable(t.dialogos.Mensagens.join('\n')));
        QCOMPARE(t.j->Cruzamento(), QPoint(283, 278));
        QCOMPARE(t.j->LinhaVertical()->geometry(), QRect(283, 0, 1, 450));
        QCOMPARE(t.j->LinhaHorizontal()->geometry(), QRect(0, 278, 450, 1));
        QVERIFY(t.j->LinhaVertical()->isVisible() && t.j->RotuloLatitude()->isVisible());
        // Labels clear of the lines: x > 200 puts the longitude left of the
        // vertical line, y > 100 at the top; x > 100 the latitude at the left.
        QCOMPARE(t.j->RotuloLongitude()->pos(), QPoint(283 - 62, 15));
        QCOMPARE(t.j->RotuloLatitude()->pos(), QPoint(10, 278 - 20));
        QCOMPARE(t.j->RotuloLatitude()->text(), QStringLiteral("19°55'00\""));
        // Typed coordinates are kept as typed, parameters interpolated with three decimals.
        QCOMPARE(t.j->LatitudeTexto(), std::string("19°55'00\""));
        QCOMPARE(t.j->Cidade(), std::string("Não definida"));
        QCOMPARE(t.j->Registro().Fonte, std::string(kFonteInterpolacao));
        QCOMPARE(t.Campos(), Formatar(t.j->Registro(), "###0.000", "0.000", "#0.000", "0.000"));
        QVERIFY(t.j->CampoA()->text().contains(QRegularExpression(QStringLiteral("^0,\\d{3}$"))));
        QCOMPARE(t.j->BotaoAutor()->text(), QStringLiteral("Interpolação"));
    }

    void DigitadasForaDaCaixaOuDoEstado()
    {
        TJanela t(kMG);
        t.Digitar(QStringLiteral("19°55'00\""), QStringLiteral("43°56'00\""));
        const QStringList antes = t.Campos();
        // Outside the box: refused with the typed text, nothing changes.
        t.Digitar(QStringLiteral("12°00'00\""), QStringLiteral("43°56'00\""));
        t.Digitar(QStringLiteral("19°55'00\""), QStringLiteral("52°00'00\""));
        QCOMPARE(t.dialogos.Mensagens,
                 QStringList({QStringLiteral("erro: Latitude 12°00'00\" não definida."),
                              QStringLiteral("erro: Longitude 52°00'00\" não definida.")}));
        QCOMPARE(t.Campos(), antes);
        QCOMPARE(t.j->LatitudeTexto(), std::string("19°55'00\""));
        // A blank digit is not a coordinate.
        t.dialogos.Mensagens.clear();
        t.j->CampoLatitude()->setText(QStringLiteral("19°5"));
        t.j->CalcularClick();
        QCOMPARE(t.dialogos.Mensagens.size(), 1);
        QVERIFY(t.dialogos.Mensagens[0].contains(QStringLiteral("não é uma coordenada válida")));
        // Inside the box, outside the state (north-west corner, in Goiás):
        // the storm of the coordinates with a note, never empty fields.
        t.dialogos.Mensagens.clear();
        t.Digitar(QStringLiteral("14°20'00\""), QStringLiteral("50°50'00\""));
        QVERIFY(t.dialogos.Mensagens.isEmpty());
        QVERIFY(!t.j->CampoK()->text().isEmpty());
        QVERIFY(t.j->RotuloAviso()->isVisible());
        QVERIFY(t.j->RotuloAviso()->text().contains(QStringLiteral("fora da área do estado")));
        QVERIFY(t.j->LinhaVertical()->isVisible());
    }

    void GoiasTemMapaEstacoesELocalidades()
    {
        TJanela t(kMG);
        t.j->ListaEstados()->setCurrentRow(kGO);
        QCOMPARE(t.j->Estado().Indice, std::int16_t(kGO));
        QCOMPARE(t.j->windowTitle(), QStringLiteral("Nimbra 2.1 - Estado: Goiás     "));
        QCOMPARE(t.j->Paginas()->currentIndex(), int(TfrmFoConsulta::kPaginaEstados));
        QVERIFY(t.j->CampoLatitude()->isEnabled() && t.j->BotaoCalcular()->isEnabled());
        QVERIFY(t.j->ListaLocalidades()->isVisible());
        QVERIFY(t.j->MapaAtual() == MapaDoEstado(kGO));
        // Its stations are listed; the first one is shown at once, in full.
        TBDPrecipitacao bd;
        bd.CarregarEstacoes();
        const auto& estacoes = bd.Estacoes[kGO];
        QCOMPARE(t.j->ListaEstacoes()->count(), int(estacoes.size()));
        QCOMPARE(t.Campos(), Exatos(estacoes[0]));
        t.j->ListaEstacoes()->setCurrentRow(1);
        QCOMPARE(t.j->Cidade(), estacoes[1].Nome);
        QCOMPARE(t.Campos(), Exatos(estacoes[1]));
        QCOMPARE(t.j->BotaoAutor()->text(), Q(estacoes[1].Fonte));
        QVERIFY(t.j->Nota()->isHidden());
        QVERIFY(t.dialogos.Mensagens.isEmpty());
    }

    void SergipeSemEstacaoTemAGradeEmQualquerPonto()
    {
        TJanela t(kMG);
        t.j->ListaEstados()->setCurrentRow(kSE);
        QCOMPARE(t.j->Paginas()->currentIndex(), int(TfrmFoConsulta::kPaginaEstados));
        QVERIFY(t.j->MapaAtual() == MapaDoEstado(kSE));
        QCOMPARE(t.j->ListaEstacoes()->count(), 0);
        QCOMPARE(t.j->BotaoAutor()->text(), QStringLiteral("Autor"));
        // Aracaju typed: the gridded equation, named, with the distance.
        t.Digitar(QStringLiteral("10°54'40\""), QStringLiteral("37°04'19\""));
        QVERIFY2(t.dialogos.Mensagens.isEmpty(), qPrintable(t.dialogos.Mensagens.join('\n')));
        QCOMPARE(t.j->BotaoAutor()->text(), QStringLiteral("GRIDF-BR, grade 0,1°"));
        QVERIFY(!t.j->CampoK()->text().isEmpty());
        QVERIFY(t.j->Selecao().FonteCompleta().find("estação mais próxima a ") != std::string::npos);
        t.j->FecharClick();
        QCOMPARE(t.j->result(), int(QDialog::Accepted));
        QCOMPARE(t.j->Retorno().Fonte, std::string("GRIDF-BR, grade 0,1°"));
    }

    void MudarDeEstadoEsqueceOLugarAnterior()
    {
        TJanela t(kMG, 0);
        QVERIFY(!t.j->Cidade().empty());
        t.j->ListaEstados()->setCurrentRow(kAC);
        QCOMPARE(t.j->Cidade(), std::string());
        QCOMPARE(t.j->LatitudeTexto(), std::string());
        QCOMPARE(t.Campos(), QStringList({"", "", "", ""}));
        QVERIFY(t.j->LinhaVertical()->isHidden());
        // The report names the new state and no place; no dot on its map.
        const std::string h = t.j->TextoRelatorio();
        QVERIFY(h.find("<B>Localidade: </B></TD>") != std::string::npos);
        QVERIFY(h.find("<B>Estado: </B>Acre</TD>") != std::string::npos);
        const QImage m = t.j->MapaComPonto();
        QCOMPARE(m, t.j->MapaEstado()->Imagem());
        // Closing with nothing chosen says why instead of failing on empty fields.
        t.j->FecharClick();
        QVERIFY(t.j->result() != int(QDialog::Accepted));
        QCOMPARE(t.dialogos.Mensagens.size(), 1);
        QVERIFY(t.dialogos.Mensagens[0].startsWith(QStringLiteral("erro: Nenhuma equação escolhida")));
    }

    void EquacaoImplausivelEHomonimosNaLista()
    {
        TJanela t(23); // Santa Catarina
        const auto achados = t.j->ListaEstacoes()->findItems(QStringLiteral("Bocaina do Sul – aviso"), Qt::MatchExactly);
        QCOMPARE(achados.size(), 1);
        t.j->ListaEstacoes()->setCurrentItem(achados[0]);
        QVERIFY(t.j->RotuloAviso()->isVisible());
        QVERIFY(t.j->RotuloAviso()->text().startsWith(QStringLiteral("Aviso: Equação implausível")));
        QVERIFY(t.j->TextoRelatorio().find("<B>Aviso: </B>Equação implausível") != std::string::npos);
        // Two "Curitiba" in Paraná, told apart.
        t.j->ListaEstados()->setCurrentRow(15);
        QCOMPARE(t.j->ListaEstacoes()->findItems(QStringLiteral("Curitiba"), Qt::MatchExactly).size(), 0);
        QVERIFY(t.j->ListaEstacoes()->findItems(QStringLiteral("Curitiba ("), Qt::MatchStartsWith).size() >= 2);
        QVERIFY(t.j->RotuloAviso()->isHidden());
    }

    void CoordenadasDeCidadesLitoraneasTemEquacao()
    {
        // Vitória, Cabo Frio and Niterói fall on the sea of their maps.
        struct Caso {
            int estado;
            const char *lat, *lon;
        };
        for (const Caso& c : {Caso{kES, "20°19'10\"", "40°20'16\""}, Caso{18, "22°52'46\"", "42°01'07\""},
                              Caso{18, "22°53'00\"", "43°06'13\""}}) {
            TJanela t(c.estado);
            t.Digitar(QString::fromUtf8(c.lat), QString::fromUtf8(c.lon));
            QVERIFY2(t.dialogos.Mensagens.isEmpty(), qPrintable(t.dialogos.Mensagens.join('\n')));
            QVERIFY2(!t.j->CampoK()->text().isEmpty(), c.lat);
            QCOMPARE(t.j->LatitudeTexto(), std::string(c.lat));
            t.j->FecharClick();
            QCOMPARE(t.j->result(), int(QDialog::Accepted));
        }
    }

    void CliqueExatoNumaEstacaoDaAEstacao()
    {
        // The database with one more station in Minas Gerais, placed where
        // the truncated coordinate texts of pixel (283, 278) are its own.
        const TMapaEstado& mg = *MapaDoEstado(kMG);
        const TGraus g = CoordenadaDoPixel(mg, 283, 278);
        TRegEstacao posto{"Posto no pixel", 1000, 0.2, 10, 0.8, "GRIDF-BR 2025 - ANA",
                          GrausParaCoordenada(g.Latitude), GrausParaCoordenada(g.Longitude), ""};
        TBDPrecipitacao bd;
        bd.CarregarEstacoes();
        auto estacoes = bd.Estacoes;
        estacoes[kMG].push_back(posto);
        QTemporaryDir dir;
        const std::filesystem::path raiz = S(dir.path());
        const std::filesystem::path comuns = raiz / "Arquivos Comuns";
        std::filesystem::create_directories(raiz / "bin");
        std::filesystem::create_directories(comuns);
        GravarArquivoEstacoes(comuns / kArquivoEstacoes, estacoes);
        for (const char* f : {kArquivoLocalidades, "MG.bmp"})
            std::filesystem::copy_file(PastaArquivosComuns() / f, comuns / f);
        const std::filesystem::path original = PastaPrograma();
        DefinirPastaPrograma(raiz / "bin");
        {
            TJanela t(kMG);
            t.Clicar(QPoint(283, 278));
            QCOMPARE(t.j->LatitudeTexto(), posto.Latitude);
            QCOMPARE(t.j->LongitudeTexto(), posto.Longitude);
            // The station's own parameters and source: a point on a
            // station is that station.
            QCOMPARE(t.j->Registro().K, 1000.0);
            QCOMPARE(t.j->Registro().Fonte, posto.Fonte);
            QCOMPARE(t.Campos(), QStringList({"1000,000", "0,200", "10,000", "0,800"}));
            QCOMPARE(t.j->BotaoAutor()->text(), QStringLiteral("GRIDF-BR 2025 - ANA"));
            QCOMPARE(t.j->Cidade(), std::string("Não definida"));
            QCOMPARE(t.j->ListaEstacoes()->currentRow(), -1);
            // Chosen from the list, the same station is given in full with its source.
            const auto lista = t.j->ListaEstacoes()->findItems(QStringLiteral("Posto no pixel"), Qt::MatchExactly);
            QCOMPARE(lista.size(), 1);
            t.j->ListaEstacoes()->setCurrentItem(lista[0]);
            QCOMPARE(t.Campos(), QStringList({"1000", "0,2", "10", "0,8"}));
            QCOMPARE(t.j->BotaoAutor()->text(), QStringLiteral("GRIDF-BR 2025 - ANA"));
            QCOMPARE(t.j->Cruzamento(), QPoint(283, 278));
        }
        DefinirPastaPrograma(original);
    }

    void FormatosDosParametrosPorCaminho()
    {
        TJanela t(kMG, 0);
        // Activation with a station position shows that station, in full.
        QCOMPARE(t.j->ListaEstacoes()->currentRow(), 0);
        const TRegEstacao estacao = t.j->Registro();
        QCOMPARE(t.Campos(), Exatos(estacao));
        QCOMPARE(t.j->BotaoAutor()->text(), Q(estacao.Fonte));
        QVERIFY(t.j->LinhaVertical()->isVisible());
        QCOMPARE(t.j->CampoLatitude()->text(), Q(estacao.Latitude));
        // A locality: interpolated, three decimals.
        QVERIFY(t.j->ListaLocalidades()->isVisible());
        t.j->ListaLocalidades()->setCurrentRow(5);
        QCOMPARE(t.j->ListaEstacoes()->currentRow(), -1);
        QCOMPARE(t.Campos(), Formatar(t.j->Registro(), "###0.000", "0.000", "#0.000", "0.000"));
        QCOMPARE(t.j->Cidade(), S(t.j->ListaLocalidades()->item(5)->text()));
        // Interpolated, or the grid for a seat more than 50 km from any station.
        QVERIFY(t.j->BotaoAutor()->text() == QStringLiteral("Interpolação") ||
                t.j->BotaoAutor()->text() == QStringLiteral("GRIDF-BR, grade 0,1°"));
        // Pointer over the map: its coordinates beside the map; the fields
        // keep the place chosen.
        const QString lat = t.j->CampoLatitude()->text();
        t.j->MapaMove(QPoint(283, 278));
        const TGraus g = CoordenadaDoPixel(*MapaDoEstado(kMG), 283, 278);
        QVERIFY(t.j->RotuloPonteiro()->text().contains(Q(GrausParaCoordenada(g.Latitude))));
        QCOMPARE(t.j->CampoLatitude()->text(), lat);
        t.j->MapaMove(QPoint(2, 2));
        QCOMPARE(t.j->CampoLatitude()->text(), lat);
        // A click off the state changes nothing.
        const bool marcada = t.j->LinhaVertical()->isVisible();
        t.j->MapaClick(QPoint(2, 2));
        QCOMPARE(t.j->LinhaVertical()->isVisible(), marcada);
        QCOMPARE(t.j->ListaLocalidades()->currentRow(), 5);
        QVERIFY(t.dialogos.Mensagens.isEmpty());
    }

    void MapaDoBrasilPelaCor()
    {
        TJanela t(kGO);
        const QImage& brasil = t.j->MapaBrasil()->Imagem();
        QCOMPARE(brasil.size(), QSize(450, 450));
        // The first pixel of each colour picks its state.
        for (const TCorMapa& cor : kCoresBrasil) {
            QPoint achado(-1, -1);
            for (int y = 0; y < brasil.height() && achado.x() < 0; ++y)
                for (int x = 0; x < brasil.width(); ++x)
                    if (brasil.pixelColor(x, y) == QColor(cor.R, cor.G, cor.B)) {
                        achado = QPoint(x, y);
                        break;
                    }
            QVERIFY2(achado.x() >= 0, kEstados[static_cast<std::size_t>(cor.Estado)].UF);
            t.j->MapaBrasilClick();
            t.j->BrasilClick(achado);
            QCOMPARE(t.j->Estado().Indice, std::int16_t(cor.Estado));
            QCOMPARE(t.j->ListaEstados()->currentRow(), cor.Estado);
        }
        // A stray click (white sea) picks nothing and keeps the choice.
        t.j->ListaEstados()->setCurrentRow(kMG);
        t.Clicar(QPoint(283, 278));
        const QStringList interpolados = t.Campos();
        t.j->MapaBrasilClick();
        QCOMPARE(t.j->Paginas()->currentIndex(), int(TfrmFoConsulta::kPaginaBrasil));
        // Back to the country map keeps the state and its interpolated values.
        QCOMPARE(t.j->Estado().Indice, std::int16_t(kMG));
        QCOMPARE(t.Campos(), interpolados);
        t.j->BrasilClick(QPoint(0, 0));
        QCOMPARE(t.j->Estado().Indice, std::int16_t(kMG));
        QCOMPARE(t.Campos(), interpolados);
        // Minas Gerais's own colour goes back to its map with the choice kept.
        QPoint mg(-1, -1);
        for (int y = 0; y < brasil.height() && mg.x() < 0; ++y)
            for (int x = 0; x < brasil.width(); ++x)
                if (brasil.pixelColor(x, y) == QColor(0, 0, 255)) {
                    mg = QPoint(x, y);
                    break;
                }
        t.j->BrasilClick(mg);
        QCOMPARE(t.j->Paginas()->currentIndex(), int(TfrmFoConsulta::kPaginaEstados));
        QCOMPARE(t.Campos(), interpolados);
        QCOMPARE(t.j->Cidade(), std::string("Não definida"));
        QVERIFY(t.dialogos.Mensagens.isEmpty());
    }

    void MapaDoEstadoAusenteVoltaAoEstadoAnterior()
    {
        // A data folder with the database and the map of Minas Gerais only.
        QTemporaryDir dir;
        const std::filesystem::path raiz = S(dir.path());
        std::filesystem::create_directories(raiz / "bin");
        std::filesystem::create_directories(raiz / "Arquivos Comuns");
        for (const char* f : {kArquivoEstacoes, kArquivoLocalidades, "MG.bmp"})
            std::filesystem::copy_file(PastaArquivosComuns() / f, raiz / "Arquivos Comuns" / f);
        const std::filesystem::path original = PastaPrograma();
        DefinirPastaPrograma(raiz / "bin");
        {
            TJanela t(kMG);
            t.Clicar(QPoint(283, 278));
            t.j->ListaEstados()->setCurrentRow(kBA);
            QCOMPARE(t.dialogos.Mensagens,
                     QStringList(QStringLiteral(
                         "erro: Erro. Não foi possível localizar o arquivo BMP do estado selecinado (Bahia).")));
            QCOMPARE(t.j->Estado().Indice, std::int16_t(kMG));
            QCOMPARE(t.j->ListaEstados()->currentRow(), kMG);
            QVERIFY(t.j->MapaAtual() == MapaDoEstado(kMG));
            QCOMPARE(t.j->Paginas()->currentIndex(), int(TfrmFoConsulta::kPaginaEstados));
        }
        DefinirPastaPrograma(original);
    }

    void AutorCitaAFonteOuExplicaAInterpolacao()
    {
        TJanela t(kMG, 0);
        const TCitacaoFonte* c = CitacaoDaFonte(t.j->Registro().Fonte);
        QVERIFY(c);
        QString autores, titulo;
        AoAbrirModal([&](QDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Autor"));
            autores = d->findChild<QLabel*>(QStringLiteral("Autores"))->text();
            titulo = d->findChild<QLabel*>(QStringLiteral("Titulo"))->text();
            d->findChild<QPushButton*>(QStringLiteral("Ok"))->click();
        });
        t.j->AutorClick();
        QCOMPARE(autores, Q(c->Autores));
        QCOMPARE(titulo, Q(c->Titulo));
        t.Clicar(QPoint(283, 278));
        t.j->AutorClick();
        QCOMPARE(t.dialogos.Mensagens.size(), 1);
        QVERIFY(t.dialogos.Mensagens[0].startsWith(
            QStringLiteral("info: Interpolação realizada utilizando o Método do Inverso da Quinta Potência")));
    }

    void FecharDevolveOLugarECancelarNao()
    {
        TJanela t(kMG, 0);
        t.j->ListaLocalidades()->setCurrentRow(3);
        t.j->FecharClick();
        QCOMPARE(t.j->result(), int(QDialog::Accepted));
        TRetornoConsulta r = t.j->Retorno();
        QCOMPARE(r.IndEstado, kMG);
        QCOMPARE(r.IndEstacao, std::int16_t(-1));
        QCOMPARE(r.IndLocalidade, std::int16_t(3));
        QCOMPARE(r.Fonte, std::string(kFonteInterpolacao));
        QCOMPARE(Q(r.TextoK), t.j->CampoK()->text());
        QCOMPARE(r.Cidade, S(t.j->ListaLocalidades()->item(3)->text()));

        QVERIFY(r.FonteCompleta.find("Interpolação das chuvas de ") == 0);

        // Nothing chosen: the caption stays "Autor" and there is no source.
        TJanela u(kBA, -1, -1);
        QCOMPARE(u.j->BotaoAutor()->text(), QStringLiteral("Autor"));
        QCOMPARE(u.j->Retorno().Fonte, std::string());
        QCOMPARE(u.j->Retorno().IndEstacao, std::int16_t(-1)); // no position given, none selected
    }

    void RelatorioComMapaEPontoPreto()
    {
        TJanela t(kMG);
        t.Clicar(QPoint(283, 278));
        const QImage marcado = t.j->MapaComPonto();
        QCOMPARE(marcado.pixelColor(283, 278), QColor(Qt::black));
        QCOMPARE(marcado.pixelColor(286, 278), QColor(Qt::black));
        QCOMPARE(marcado.pixelColor(288, 278), QColor(0, 0, 255));
        QCOMPARE(t.j->MapaEstado()->Imagem().pixelColor(283, 278), QColor(0, 0, 255));

        QString html, figura;
        bool existia = false;
        AoAbrirModal([&](QDialog* d) {
            auto* r = qobject_cast<TFRelatorio*>(d);
            QVERIFY(r);
            QCOMPARE(r->windowTitle(), QStringLiteral("Relatório - Parâmetros da Equação de Intensidade, "
                                                      "Duração e Frequência da Precipitação"));
            html = r->Html();
            figura = QDir(r->PastaFigura()).filePath(QStringLiteral("Bit.bmp"));
            existia = QFileInfo::exists(figura) && QImage(figura).pixelColor(283, 278) == QColor(Qt::black);
            r->accept();
        });
        t.j->RelatorioClick();
        QVERIFY(html.contains(QStringLiteral("<B>Localidade: </B>Não definida</TD>")));
        QVERIFY(html.contains(QStringLiteral("<B>Estado: </B>Minas Gerais</TD>")));
        QVERIFY(html.contains(QStringLiteral("<B>K: </B>") + t.j->CampoK()->text() + QStringLiteral("</TD>")));
        QVERIFY(html.contains(QStringLiteral("<IMG SRC=\"Bit.bmp\" HEIGHT=450 WIDTH=450>")));
        QVERIFY(existia);
        QVERIFY(!QFileInfo::exists(figura));
    }

    void RelatorioAntesDosParametros()
    {
        TJanela t(kGO, -1, -1); // activation shows no station: empty parameters
        QCOMPARE(t.Campos(), QStringList({"", "", "", ""}));
        const QString html = Q(t.j->TextoRelatorio());
        QVERIFY(html.contains(QStringLiteral("<B>K: </B></TD>")));
        QVERIFY(html.contains(QStringLiteral("<B>c: </B></TD></TABLE>")));
        QVERIFY(!html.contains(QStringLiteral("FONTE DA EQUAÇÃO")));
    }

    void RelatorioDaEstacaoTemAFonteCompleta()
    {
        TJanela t(kMG, 0);
        const QString html = Q(t.j->TextoRelatorio());
        QVERIFY(html.contains(QStringLiteral("<B>Fonte: </B>Compilação GRIDF-BR")));
    }

    void DaConsultaDoDimensionamentoAteSeusCampos()
    {
        TAmbiente a;
        LigarJanelaConsulta(a.contexto);
        a.projeto.Nimbra.IndEstado = kMG;
        TFDimensionamento dim(a.contexto);
        dim.PreencherCampos();
        dim.show();
        QApplication::processEvents();

        QStringList escolhidos;
        int estacao = -1;
        AoAbrirModal([&](QDialog* d) {
            auto* j = qobject_cast<TfrmFoConsulta*>(d);
            QVERIFY(j);
            QCOMPARE(j->Estado().Indice, std::int16_t(kMG));
            j->ListaEstacoes()->setCurrentRow(4);
            estacao = j->ListaEstacoes()->currentRow();
            j->ListaLocalidades()->setCurrentRow(7);
            QCOMPARE(j->ListaEstacoes()->currentRow(), -1);
            j->MapaMove(QPoint(300, 200));
            j->MapaClick(QPoint(300, 200));
            escolhidos = {j->CampoK()->text(), j->CampoA()->text(), j->CampoB()->text(), j->CampoC()->text()};
            j->FecharClick();
        });
        dim.ConsultaClick();
        QCOMPARE(estacao, 4);
        QVERIFY2(a.dialogos.Mensagens.isEmpty(), qPrintable(a.dialogos.Mensagens.join('\n')));
        QCOMPARE(escolhidos.size(), 4);
        QVERIFY(!escolhidos[0].isEmpty());
        const TPrecipitacaoExponencialNegativa& chuva = a.projeto.Chuva();
        QCOMPARE(chuva.K, StrToFloat(S(escolhidos[0])));
        QCOMPARE(chuva.a, StrToFloat(S(escolhidos[1])));
        QCOMPARE(chuva.b, StrToFloat(S(escolhidos[2])));
        QCOMPARE(chuva.c, StrToFloat(S(escolhidos[3])));
        QCOMPARE(StrToFloat(S(dim.Campo(TCampo::K)->text())), chuva.K);
        QCOMPARE(StrToFloat(S(dim.Campo(TCampo::C)->text())), chuva.c);
        QCOMPARE(a.projeto.Nimbra.StrCidade, std::string("Não definida"));
        QCOMPARE(a.projeto.Nimbra.StrEstado, std::string("Minas Gerais"));
        QCOMPARE(a.projeto.Nimbra.Autoria, std::string(kFonteInterpolacao));
        QVERIFY(a.projeto.Nimbra.FonteEquacao.find("Interpolação das chuvas de ") == 0);
        QCOMPARE(a.projeto.Nimbra.IndEstacao, std::int16_t(-1));
        QVERIFY(CoordenadaValida(a.projeto.Nimbra.Latitude));
        QVERIFY(a.gerente.Alterado);

        // Cancel leaves the storm as it was.
        AoAbrirModal([](QDialog* d) { d->reject(); });
        dim.ConsultaClick();
        QCOMPARE(a.projeto.Chuva().K, StrToFloat(S(escolhidos[0])));
    }
};

QTEST_MAIN(TesteConsulta)
#include "Consulta_test.moc"
