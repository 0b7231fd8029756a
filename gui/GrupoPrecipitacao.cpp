#include "GrupoPrecipitacao.h"

#include "CamposCoordenadas.h"
#include "Dialogos.h"
#include "Modulos.h"

#include "dimensioning/EntradaDimensionamento.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vastrel::gui {

namespace {


} // namespace

TGrupoPrecipitacao::TGrupoPrecipitacao(TContextoPrograma& c, const TOpcoesPrecipitacao& o, QWidget* pai)
    : QGroupBox(QStringLiteral(" Precipitação "), pai), c_(c)
{
    auto* grade = new QGridLayout(this);
    const char* nomes[] = {o.NomeTr, "ePrecK", "ePrecA", "ePrecB", "ePrecC"};
    const char* rotulos[] = {"T:", "K:", "a:", "b:", "c:"};
    const char* dicas[] = {"Período de retorno", "Parâmetro K", "Parâmetro A", "Parâmetro B", "Parâmetro C"};
    QLineEdit** campos[] = {&Tr, &K, &A, &B, &C};
    for (int i = 0; i < 5; ++i) {
        QLineEdit* e = CampoTexto(this, nomes[i], dicas[i], o.Largura);
        grade->addWidget(Rotulo(this, QString::fromLatin1(rotulos[i]), e), i, 0);
        grade->addWidget(e, i, 1);
        *campos[i] = e;
    }
    grade->addWidget(Rotulo(this, QStringLiteral("anos")), 0, 2);
    const TCamposCoordenadas coordenadas = MontarCoordenadas(this, grade, 5, o.DicaLatitude);
    Latitude = coordenadas.Latitude;
    Longitude = coordenadas.Longitude;
    Consulta = Botao(this, QString::fromUtf8(o.TextoConsulta), QString::fromLatin1(o.NomeConsulta));
    Consulta->setToolTip(QString::fromUtf8(o.DicaConsulta));
    grade->addWidget(Consulta, 7, 1, 1, 2);
    connect(Consulta, &QPushButton::clicked, this, &TGrupoPrecipitacao::ConsultaClick);
}

void TGrupoPrecipitacao::ConsultaClick()
{
    TProjeto& p = c_.Projeto;
    try {
        TPrecipitacaoExponencialNegativa& chuva = p.Chuva();
        chuva.SetK(LerReal(S(K->text()), 0));
        chuva.SetA(LerReal(S(A->text()), 0));
        chuva.SetB(LerReal(S(B->text()), 0));
        chuva.SetC(LerReal(S(C->text()), 0));
        p.Nimbra.Latitude = S(Latitude->text());
        p.Nimbra.Longitude = S(Longitude->text());
        if (!p.Nimbra.Consultar())
            return;
    } catch (const std::exception& e) {
        c_.Dialogos.Erro(this, QString::fromUtf8(e.what()));
        return;
    }
    const TPrecipitacaoExponencialNegativa& chuva = p.Chuva();
    K->setText(Q(MostrarReal(kFormatoGeral, 0, chuva.K)));
    A->setText(Q(MostrarReal(kFormatoGeral, 0, chuva.a)));
    B->setText(Q(MostrarReal(kFormatoGeral, 0, chuva.b)));
    C->setText(Q(MostrarReal(kFormatoGeral, 0, chuva.c)));
    Latitude->setText(Q(p.Nimbra.Latitude));
    Longitude->setText(Q(p.Nimbra.Longitude));
    c_.Gerente.Alterado = true;
}

} // namespace vastrel::gui
