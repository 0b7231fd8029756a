// The progress dialog driven by a run object: refresh, cancel, errors.

#include "Percent.h"

#include "common/Exceptions.h"
#include "common/UiHooks.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QtTest>

using namespace vastrel;
using namespace vastrel::gui;

namespace {

// Steps through `passos` steps of 10 ms, letting window events run after
// each, until done or stopped.
class TProcessoTeste : public TProcessoPercent {
public:
    int Passos = 100;
    int Feitos = 0;
    bool Falhar = false;
    bool parar = true;
    QString StatusVisto;
    int BarraVista = -1;

    void Executar() override
    {
        QElapsedTimer relogio;
        relogio.start();
        for (Feitos = 0; Feitos < Passos && !parar; ++Feitos) {
            QThread::msleep(10);
            ProcessPendingEvents();
            if (Falhar && Feitos == 5)
                throw Exception("Erro na locação");
            // What the dialog shows once its one-second refresh has run.
            if (BarraVista < 0 && relogio.elapsed() > 1300) {
                auto* d = qobject_cast<TFPercent*>(QApplication::activeModalWidget());
                if (d) {
                    StatusVisto = d->Status()->text();
                    BarraVista = d->Barra()->value();
                }
            }
        }
    }
    double Progresso() const override { return 100.0 * Feitos / Passos; }
    std::string Status() const override { return "Locando terraços"; }
    int NumTerracos() const override { return Feitos / 10; }
    void SetParar(bool p) override { parar = p; }
    bool Parar() const override { return parar; }
};

} // namespace

class PercentTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetProcessEventsHook([] { QCoreApplication::processEvents(); });
    }

    void runsToTheEndShowingProgress()
    {
        TProcessoTeste p;
        p.Passos = 200;
        TFPercent::Executar(p, nullptr);
        QCOMPARE(p.Feitos, 200);
        QVERIFY(p.Parar()); // set when the run returned
        QVERIFY2(p.BarraVista > 0 && p.BarraVista < 100, qPrintable(QString::number(p.BarraVista)));
        QVERIFY2(p.StatusVisto.startsWith(QStringLiteral("Locando terraços  ")), qPrintable(p.StatusVisto));
    }

    void cancelStopsTheRun()
    {
        TProcessoTeste p;
        p.Passos = 100000;
        QTimer::singleShot(200, [] {
            auto* d = qobject_cast<TFPercent*>(QApplication::activeModalWidget());
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Aguarde, processando..."));
            QCOMPARE(d->Cancelar()->text(), QStringLiteral("&Cancelar"));
            d->Cancelar()->click();
        });
        TFPercent::Executar(p, nullptr);
        QVERIFY(p.Feitos < 1000);
    }

    void anErrorOfTheRunReachesTheCaller()
    {
        TProcessoTeste p;
        p.Falhar = true;
        QVERIFY_THROWS_EXCEPTION(Exception, TFPercent::Executar(p, nullptr));
        QCOMPARE(p.Feitos, 5);
    }
};

QTEST_MAIN(PercentTest)
#include "Percent_test.moc"
