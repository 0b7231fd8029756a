// The desktop program in a Brazilian user's own regional settings
// (pt_BR.UTF-8: decimal comma, set in the C library by Qt at start-up, as
// in the program): every bundled example opens with the dimensioning window,
// is saved, and the saved file computes exactly what the original computes;
// a location run on the example watershed, saved, leaves the project's
// dimensioning as it was.
#include "Locacao.h"
#include "Principal.h"
#include "Regional.h"
#include "gui/DialogosRoteiro.h"

#include "common/Locale.h"
#include "dimensioning/EntradaDimensionamento.h"
#include "project/Projeto.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QtTest>

#include <clocale>
#include <cstdlib>
#include <filesystem>

using namespace vastrel;
using namespace vastrel::gui;
namespace fs = std::filesystem;

namespace {

const fs::path kExemplos = VASTREL_SOURCE_DIR "/examples";

// The design of a project file as the command line's "calcular" makes it:
// the entry fields filled and read back, validated, then dimensioned.
TResultadoDimensionamento Dimensionamento(const fs::path& arquivo)
{
    TProjeto p;
    p.Ler(arquivo.string());
    const TCamposDimensionamento campos = PreencherCampos(p);
    LerCampos(campos, p);
    if (const auto falha = ValidarCampos(campos))
        throw std::runtime_error(arquivo.string() + ": " + falha->Mensagem);
    return Dimensionar(p);
}

void CompararDimensionamento(const fs::path& original, const fs::path& salvo)
{
    const TResultadoDimensionamento a = Dimensionamento(original);
    const TResultadoDimensionamento b = Dimensionamento(salvo);
    QCOMPARE(b.Gradiente, a.Gradiente);
    QCOMPARE(b.Q, a.Q);
    QCOMPARE(b.LES, a.LES);
    QCOMPARE(b.EV, a.EV);
    QCOMPARE(b.H, a.H);
    QCOMPARE(b.CDu, a.CDu);
    QCOMPARE(b.Hr, a.Hr);
}

} // namespace

class TesteRegional : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDir> pasta;
    std::unique_ptr<test::TDialogosRoteiro> dialogos;
    std::unique_ptr<TFPrincipal> janela;

    TFPrincipal& Principal()
    {
        janela = std::make_unique<TFPrincipal>(*dialogos, pasta->Path() / "Vastrel3.ini");
        janela->show();
        return *janela;
    }
    QString Mensagens() const { return dialogos->Mensagens.join('\n'); }

private slots:
    void initTestCase()
    {
        // The program's own start-up: separators from the system locale.
        AplicarFormatoRegional();
        QCOMPARE(DecimalSeparator(), ',');
        QCOMPARE(QString::fromLatin1(std::localeconv()->decimal_point), QStringLiteral(","));
    }

    void init()
    {
        pasta = std::make_unique<test::TempDir>();
        dialogos = std::make_unique<test::TDialogosRoteiro>();
    }

    void cleanup()
    {
        janela.reset();
        pasta.reset();
    }

    void exemploAbertoSalvoCalculaOMesmo_data()
    {
        QTest::addColumn<QString>("nome");
        for (const auto& e : fs::directory_iterator(kExemplos))
            if (e.path().extension() == ".vst")
                QTest::newRow(e.path().filename().string().c_str()) << QString::fromStdString(e.path().filename().string());
    }
    void exemploAbertoSalvoCalculaOMesmo()
    {
        QFETCH(QString, nome);
        const fs::path original = kExemplos / nome.toStdString();
        const fs::path copia = pasta->Path() / original.filename();
        fs::copy_file(original, copia);

        TFPrincipal& w = Principal();
        w.AbrirArgumento(QString::fromStdString(copia.string()));
        QVERIFY2(dialogos->Mensagens.isEmpty(), qPrintable(Mensagens()));
        w.DimensionamentoClick();
        QVERIFY(w.JanelaModulo(kModuloDimensionamento));
        w.SalvarClick();
        QVERIFY2(dialogos->Mensagens.isEmpty(), qPrintable(Mensagens()));
        QVERIFY(!w.Gerente().Alterado);
        QVERIFY(w.close());

        CompararDimensionamento(original, copia);
    }

    void locacaoSalvaNaoMudaODimensionamento()
    {
        const fs::path exemplo = kExemplos / "locacao";
        for (const auto& e : fs::directory_iterator(exemplo))
            if (e.path().extension() != ".vet" && e.path().extension() != ".bdt")
                fs::copy_file(e.path(), pasta->Path() / e.path().filename());
        const fs::path copia = pasta->Path() / "locacao-hugo.vst";

        TFPrincipal& w = Principal();
        w.AbrirArgumento(QString::fromStdString(copia.string()));
        QVERIFY2(dialogos->Mensagens.isEmpty(), qPrintable(Mensagens()));
        w.LocacaoClick();
        auto* locacao = qobject_cast<TFLocacao*>(w.JanelaModulo(kModuloLocacao));
        QVERIFY(locacao);
        locacao->ProcessarBtnClick();
        // The run's summary, its numbers with the decimal comma.
        QCOMPARE(dialogos->Mensagens.size(), 1);
        QVERIFY2(dialogos->Mensagens[0].startsWith(QStringLiteral("info: Terraços locados: ")), qPrintable(Mensagens()));
        QVERIFY2(dialogos->Mensagens[0].contains(QStringLiteral("(célula de 2,5 m)")), qPrintable(Mensagens()));
        dialogos->Mensagens.clear();
        QVERIFY(fs::exists(pasta->Path() / "terracos-hugo.bdt"));
        QVERIFY(fs::exists(pasta->Path() / "terracos-hugo.vet"));
        w.SalvarClick();
        QVERIFY2(dialogos->Mensagens.isEmpty(), qPrintable(Mensagens()));
        QVERIFY(w.close());

        CompararDimensionamento(exemplo / "locacao-hugo.vst", copia);
    }
};

int main(int argc, char* argv[])
{
    // The user's locale, whatever the environment the tests run in; Qt
    // applies it to the C library when the application starts.
    setenv("LC_ALL", "pt_BR.UTF-8", 1);
    setenv("LANG", "pt_BR.UTF-8", 1);
    if (!std::setlocale(LC_ALL, "")) {
        std::fprintf(stderr, "A localidade pt_BR.UTF-8 não está instalada (scripts/install-deps.sh a gera).\n");
        return 1;
    }
    QApplication app(argc, argv);
    TesteRegional t;
    return QTest::qExec(&t, argc, argv);
}

#include "Regional_test.moc"
