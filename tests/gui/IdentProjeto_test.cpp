// The identification dialog: a changed text, not a key pressed, modifies the
// project; a new project's identification survives opening the
// dimensioning window.

#include "Ajuda.h"
#include "Dimensionamento.h"
#include "IdentProjeto.h"
#include "gui/ContextoTeste.h"

#include "project/GerenteSys.h"
#include "project/IDProjeto.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace vastrel;
using namespace vastrel::gui;

class TesteIdentProjeto : public QObject {
    Q_OBJECT

private slots:
    void KeysAloneDoNotModifyTheProject()
    {
        test::TContextoTeste a;
        a.projeto.IDProjeto.Nome = "Sítio Santa Rita";
        TFIdentProjeto d(a.projeto.IDProjeto, a.gerente, a.ajuda);

        // A key typed, then Cancel: record and flag as they were.
        d.show();
        QTest::keyClick(d.Edit(3), Qt::Key_X);
        d.BotaoCancelar()->click();
        QCOMPARE(a.projeto.IDProjeto.Estado, std::string());
        QVERIFY(!a.gerente.Alterado);

        // A key typed and erased, then OK: nothing changed.
        d.show();
        QTest::keyClick(d.Edit(0), Qt::Key_End);
        QTest::keyClick(d.Edit(0), Qt::Key_A);
        QTest::keyClick(d.Edit(0), Qt::Key_Backspace);
        d.BotaoOk()->click();
        QCOMPARE(a.projeto.IDProjeto.Nome, std::string("Sítio Santa Rita"));
        QVERIFY(!a.gerente.Alterado);

        // A text changed without a key (pasted), then OK: modified.
        d.show();
        d.Edit(4)->setText(QStringLiteral("Eng. Agr. Ana"));
        d.BotaoOk()->click();
        QCOMPARE(a.projeto.IDProjeto.Tecnico, std::string("Eng. Agr. Ana"));
        QVERIFY(a.gerente.Alterado);
    }

    void OpeningTheDimensioningWindowKeepsTheModifiedFlag()
    {
        test::TContextoTeste a;
        a.gerente.Alterado = true;  // a new project just identified
        TFDimensionamento janela(a.contexto);
        janela.PreencherCampos();
        janela.show();
        QApplication::processEvents();
        QVERIFY(a.gerente.Alterado);
        a.gerente.Alterado = false;
        janela.PreencherCampos();
        QVERIFY(!a.gerente.Alterado);
    }
};

QTEST_MAIN(TesteIdentProjeto)
#include "IdentProjeto_test.moc"
