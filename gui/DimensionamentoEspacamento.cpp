#include "DimensionamentoEspacamento.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "Modulos.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Locale.h"
#include "engine/TabelasEspacamento.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>
#include <string>

namespace vastrel::gui {

namespace {

class TFiltroDigitos : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        if (t.isEmpty() || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const QChar ch = t[0];
        if (k->key() == Qt::Key_Backspace || (ch.unicode() < 32))
            return false;
        return !(ch >= QChar('0') && ch <= QChar('9'));
    }
};

QLineEdit* Previa(QWidget* pai, const QString& nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setReadOnly(true);
    e->setMaximumWidth(90);
    return e;
}

QLayout* Previas(QWidget* pai, QLineEdit* ev, QLineEdit* eh)
{
    auto* f = new QGridLayout;
    f->addWidget(new QLabel(QStringLiteral("Espaçamento vertical:"), pai), 0, 0);
    f->addWidget(ev, 0, 1);
    f->addWidget(new QLabel(QStringLiteral("m"), pai), 0, 2);
    f->addWidget(new QLabel(QStringLiteral("Espaçamento horizontal:"), pai), 1, 0);
    f->addWidget(eh, 1, 1);
    f->addWidget(new QLabel(QStringLiteral("m"), pai), 1, 2);
    return f;
}

QSpinBox* Declividade(QWidget* pai, int maximo)
{
    auto* s = new QSpinBox(pai);
    s->setObjectName(QStringLiteral("seBSt"));
    // Zero can be typed, to be refused with its message.
    s->setRange(0, maximo);
    s->setValue(1);
    s->setSuffix(QString());
    s->setKeyboardTracking(true);
    FiltrarDigitos(s);
    return s;
}

} // namespace

QGroupBox* GrupoTipoSolo(QWidget* pai, const QString& titulo, const QStringList& itens, QButtonGroup*& grupo)
{
    auto* caixa = new QGroupBox(titulo, pai);
    caixa->setObjectName(QStringLiteral("TipoSolo"));
    auto* lc = new QVBoxLayout(caixa);
    grupo = new QButtonGroup(pai);
    for (int i = 0; i < itens.size(); ++i) {
        auto* r = new QRadioButton(itens[i], caixa);
        grupo->addButton(r, i);
        lc->addWidget(r);
    }
    return caixa;
}

void FiltrarDigitos(QSpinBox* s)
{
    auto* f = new TFiltroDigitos(s);
    s->installEventFilter(f);
    if (QLineEdit* l = s->findChild<QLineEdit*>())
        l->installEventFilter(f);
}

// ---------------------------------------------------------------------------
// Bentley and Paraná

TFSoloDim::TFSoloDim(TContextoPrograma& c, int lista, QWidget* pai) : TDialogoAtivado(pai), c_(c), lista_(lista)
{
    const bool bentley = lista == 1;
    setWindowTitle(bentley ? QStringLiteral("Método Bentley") : QStringLiteral("Método Paraná"));
    auto* corpo = new QVBoxLayout;
    auto* linha = new QHBoxLayout;
    seBSt_ = Declividade(this, MaximoDeclividadeDialogo(bentley ? kMetodoBentley : kMetodoParana));
    auto* rot = new QLabel(QStringLiteral("&Declividade do terreno:"), this);
    rot->setBuddy(seBSt_);
    linha->addWidget(rot);
    linha->addWidget(seBSt_);
    linha->addWidget(new QLabel(QStringLiteral("%"), this));
    linha->addStretch();
    corpo->addLayout(linha);

    const QStringList itens = bentley ? QStringList{QStringLiteral("Solos &argilosos"),
                                                    QStringLiteral("Solos de textura &média"),
                                                    QStringLiteral("Solos de textura &grossa")}
                                      : QStringList{QStringLiteral("Terra &arenosa"), QStringLiteral("Terra ar&gilosa"),
                                                    QStringLiteral("Terra &roxa")};
    QGroupBox* caixa = GrupoTipoSolo(this, QStringLiteral(" Tipo de solo "), itens, tipoSolo_);
    corpo->addWidget(caixa);
    ev_ = Previa(this, QStringLiteral("EV"));
    eh_ = Previa(this, QStringLiteral("EH"));
    corpo->addLayout(Previas(this, ev_, eh_));

    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, bentley ? topico::Bentley : topico::Parana, ajuda);

    connect(seBSt_, &QSpinBox::textChanged, this, [this] { seBStChange(); });
    connect(tipoSolo_, &QButtonGroup::idClicked, this, [this] { seBStChange(); });
    connect(ok, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFSoloDim::FormActivate()
{
    TProjeto& p = c_.Projeto;
    if (QAbstractButton* b = tipoSolo_->button(p.EspacamentoAtual().Solo.IndSolo))
        b->setChecked(true);
    else
        tipoSolo_->button(0)->setChecked(true);
    declividade_ = TDeclividadeDialogo(p.Terreno.St, seBSt_->maximum());
    seBSt_->setValue(declividade_.Mostrada());
    seBStChange();
}

double TFSoloDim::St() const { return declividade_.St(seBSt_->value()); }

namespace {

// The spacing of the soil list `lista` (1 Bentley, 2 Paraná) for the soil
// class `indSolo` and the slope St, m/m.
void CalcularSolo(TEspacamento& e, int lista, int indSolo, double St)
{
    e.Solo.Metodo = static_cast<std::uint8_t>(lista);
    e.Solo.SetIndSolo(std::max(0, indSolo));
    if (lista == 1)
        e.CalculaBentley(St);
    else
        e.CalculaParana(St);
}

} // namespace

void TFSoloDim::seBStChange()
{
    const QString t = seBSt_->text();
    if (t == QStringLiteral("0")) {
        seBSt_->setValue(1);
        c_.Dialogos.Erro(this, QStringLiteral("Não é permitiodo valor 0 para a declividade do terreno."));
        return;
    }
    if (t.isEmpty())
        return;
    try {
        TEspacamento e;
        CalcularSolo(e, lista_, tipoSolo_->checkedId(), St());
        if (e.EV != 0)
            ev_->setText(Q(FormatFloat("0.0##", e.EV)));
        else if (lista_ == 1)
            ev_->clear();
        if (e.EH != 0)
            eh_->setText(Q(FormatFloat("0.0##", e.EH)));
        else if (lista_ == 1)
            eh_->clear();
    } catch (const std::exception& e) {
        c_.Dialogos.Erro(this, QString::fromUtf8(e.what()));
    }
}

void TFSoloDim::OKClick()
{
    TProjeto& p = c_.Projeto;
    const double st = St();
    // Computed on a copy first: a failure leaves the project as it was.
    TEspacamento e = p.EspacamentoAtual();
    try {
        CalcularSolo(e, lista_, tipoSolo_->checkedId(), st);
    } catch (const std::exception& x) {
        c_.Dialogos.Erro(this, QString::fromUtf8(x.what()));
        return;
    }
    p.Terreno.SetSt(st);
    p.EspacamentoAtual() = e;
    c_.Gerente.Alterado = true;
    accept();
}

// ---------------------------------------------------------------------------
// Lombardi Neto

namespace {

QLabel* Painel(QWidget* pai, const QString& nome)
{
    auto* l = new QLabel(pai);
    l->setObjectName(nome);
    l->setFrameShape(QFrame::StyledPanel);
    l->setWordWrap(true);
    l->setMinimumWidth(300);
    return l;
}

QLineEdit* Indice(QWidget* pai, const QString& nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setReadOnly(true);
    e->setMaximumWidth(60);
    return e;
}

} // namespace

TListasLombardiNeto::TListasLombardiNeto(TContextoPrograma& c, QWidget* pai) : QWidget(pai)
{
    auto* corpo = new QVBoxLayout(this);
    corpo->setContentsMargins(0, 0, 0, 0);
    // Crop.
    auto* gc = new QGroupBox(QStringLiteral(" Cultura "), this);
    auto* lc = new QHBoxLayout(gc);
    cult_ = new QComboBox(gc);
    cult_->setObjectName(QStringLiteral("Cult"));
    for (const TLinhaCultura& l : CulturasLombardiNeto)
        cult_->addItem(Q(std::string(l.Cultura)));
    u_ = Indice(gc, QStringLiteral("IndiceU"));
    lc->addWidget(cult_, 1);
    lc->addWidget(new QLabel(QStringLiteral("u:"), gc));
    lc->addWidget(u_);
    corpo->addWidget(gc);

    // Erosion-resistance group.
    auto* ge = new QGroupBox(QStringLiteral(" Resistência à erosão "), this);
    auto* le = new QGridLayout(ge);
    erosao_ = new QComboBox(ge);
    erosao_->setObjectName(QStringLiteral("Erosao"));
    for (const TLinhaErosao& l : GruposErosaoLombardiNeto)
        erosao_->addItem(Q(std::string(l.GrupoSolo)));
    k_ = Indice(ge, QStringLiteral("IndiceK"));
    unidades_ = Painel(ge, QStringLiteral("GruposSolo"));
    auto* ajudaErosao = Botao(ge, QStringLiteral("A&juda"), QStringLiteral("Button1"));
    le->addWidget(erosao_, 0, 0);
    le->addWidget(new QLabel(QStringLiteral("K:"), ge), 0, 1);
    le->addWidget(k_, 0, 2);
    le->addWidget(ajudaErosao, 0, 3);
    le->addWidget(new QLabel(QStringLiteral("Grupos de solo:"), ge), 1, 0, 1, 4);
    le->addWidget(unidades_, 2, 0, 1, 4);
    corpo->addWidget(ge);

    // Soil preparation.
    auto* gp = new QGroupBox(QStringLiteral(" Preparo do solo "), this);
    auto* lp = new QGridLayout(gp);
    prep_ = new QComboBox(gp);
    prep_->setObjectName(QStringLiteral("Prep"));
    for (const TLinhaPreparo& l : GruposPreparoLombardiNeto)
        prep_->addItem(Q(std::string(l.GrupoPreparo)));
    m_ = Indice(gp, QStringLiteral("IndiceM"));
    primario_ = Painel(gp, QStringLiteral("PreparoPrimario"));
    secundario_ = Painel(gp, QStringLiteral("PreparoSecundario"));
    restos_ = Painel(gp, QStringLiteral("RestosCulturais"));
    lp->addWidget(prep_, 0, 0);
    lp->addWidget(new QLabel(QStringLiteral("m:"), gp), 0, 1);
    lp->addWidget(m_, 0, 2);
    lp->addWidget(new QLabel(QStringLiteral("Preparo primário:"), gp), 1, 0);
    lp->addWidget(primario_, 1, 1, 1, 2);
    lp->addWidget(new QLabel(QStringLiteral("Preparo secundário:"), gp), 2, 0);
    lp->addWidget(secundario_, 2, 1, 1, 2);
    lp->addWidget(new QLabel(QStringLiteral("Restos culturais:"), gp), 3, 0);
    lp->addWidget(restos_, 3, 1, 1, 2);
    corpo->addWidget(gp);

    connect(ajudaErosao, &QPushButton::clicked, this, [&c, this] { c.Ajuda.Abrir(topico::GruposErosao, window()); });
}

void TListasLombardiNeto::Selecionar(const TEspacamento& e)
{
    cult_->setCurrentIndex(std::min<int>(e.Cultura.IndCultura, cult_->count() - 1));
    erosao_->setCurrentIndex(std::min<int>(e.Erosao.IndErosao, erosao_->count() - 1));
    prep_->setCurrentIndex(std::min<int>(e.Preparo.IndPreparo, prep_->count() - 1));
}

void TListasLombardiNeto::CultClick(TEspacamento& e)
{
    e.SetIndCultura(std::max(0, cult_->currentIndex()));
    u_->setText(Q(FloatToStr(e.Cultura.IndiceU)));
}

void TListasLombardiNeto::ErosaoClick(TEspacamento& e)
{
    e.SetIndErosao(std::max(0, erosao_->currentIndex()));
    unidades_->setText(Q(std::string(LinhaErosao(e.Erosao.IndErosao).UnidadesSolo)));
    k_->setText(Q(FloatToStr(e.Erosao.IndiceK)));
}

void TListasLombardiNeto::PrepClick(TEspacamento& e)
{
    e.SetIndPreparo(std::max(0, prep_->currentIndex()));
    primario_->setText(Q(e.Preparo.PreparoPrimario));
    secundario_->setText(Q(e.Preparo.PreparoSecundario));
    restos_->setText(Q(e.Preparo.RestosCulturais));
    m_->setText(Q(std::string(LinhaPreparo(e.Preparo.IndPreparo).TextoM)));
}

TFLombNetoDim::TFLombNetoDim(TContextoPrograma& c, QWidget* pai) : TDialogoAtivado(pai), c_(c)
{
    setWindowTitle(QStringLiteral("Método Lombardi Neto"));
    auto* corpo = new QVBoxLayout;
    auto* linha = new QHBoxLayout;
    seBSt_ = Declividade(this, MaximoDeclividadeDialogo(kMetodoLombardiNeto));
    auto* rot = new QLabel(QStringLiteral("&Declividade do terreno:"), this);
    rot->setBuddy(seBSt_);
    linha->addWidget(rot);
    linha->addWidget(seBSt_);
    linha->addWidget(new QLabel(QStringLiteral("%"), this));
    linha->addStretch();
    corpo->addLayout(linha);

    listas_ = new TListasLombardiNeto(c, this);
    corpo->addWidget(listas_);

    ev_ = Previa(this, QStringLiteral("EV"));
    eh_ = Previa(this, QStringLiteral("EH"));
    corpo->addLayout(Previas(this, ev_, eh_));

    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, topico::LombardiNeto, ajuda);

    connect(seBSt_, &QSpinBox::textChanged, this, [this] { seBStChange(); });
    connect(Cult(), &QComboBox::activated, this, [this] {
        CultClick();
        seBStChange();
    });
    connect(Erosao(), &QComboBox::activated, this, [this] {
        ErosaoClick();
        seBStChange();
    });
    connect(Prep(), &QComboBox::activated, this, [this] {
        PrepClick();
        seBStChange();
    });
    connect(ok, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFLombNetoDim::FormActivate()
{
    TProjeto& p = c_.Projeto;
    espacamento_ = p.EspacamentoAtual();
    declividade_ = TDeclividadeDialogo(p.Terreno.St, seBSt_->maximum());
    ocupado_ = true;
    seBSt_->setValue(declividade_.Mostrada());
    ocupado_ = false;
    listas_->Selecionar(espacamento_);
    CultClick();
    ErosaoClick();
    PrepClick();
    seBStChange();
}

double TFLombNetoDim::St() const { return declividade_.St(seBSt_->value()); }

void TFLombNetoDim::CultClick() { listas_->CultClick(espacamento_); }

void TFLombNetoDim::ErosaoClick()
{
    AvisoDeclividade();
    const std::string aviso = AvisoErosaoSistemaNivel(c_.Projeto.Gradiente(), Erosao()->currentIndex());
    if (!aviso.empty()) {
        c_.Dialogos.Informacao(this, Q(aviso));
        Erosao()->setCurrentIndex(0);
    }
    listas_->ErosaoClick(espacamento_);
}

void TFLombNetoDim::PrepClick() { listas_->PrepClick(espacamento_); }

void TFLombNetoDim::seBStChange()
{
    if (ocupado_)
        return;
    const QString t = seBSt_->text();
    if (t == QStringLiteral("0")) {
        seBSt_->setValue(1);
        c_.Dialogos.Erro(this, QStringLiteral("Não é permitido valor 0 para a declividade do terreno."));
        return;
    }
    if (!t.isEmpty()) {
        try {
            espacamento_.CalculaLombardiNeto(St());
            if (espacamento_.EV != 0)
                ev_->setText(Q(FormatFloat("0.0#", espacamento_.EV)));
            if (espacamento_.EH != 0)
                eh_->setText(Q(FormatFloat("0.0#", espacamento_.EH)));
        } catch (const std::exception& x) {
            c_.Dialogos.Erro(this, QString::fromUtf8(x.what()));
        }
    }
    AvisoDeclividade();
}

void TFLombNetoDim::AvisoDeclividade()
{
    const int g = Erosao()->currentIndex();
    if (g < 0 || g > 3)
        return;
    // The limits are in percent: the slope the dialog computes with.
    const double d = seBSt_->text().isEmpty() ? 0 : St() * 100;
    const std::string_view aviso = AvisoDeclividadeLombardiNeto(g, d, c_.Projeto.Unidades.UnidDeclividade == "%");
    if (!aviso.empty())
        c_.Dialogos.Informacao(this, Q(std::string(aviso)));
}

void TFLombNetoDim::OKClick()
{
    TProjeto& p = c_.Projeto;
    const double st = St();
    TEspacamento e = espacamento_;
    try {
        e.CalculaLombardiNeto(st);
    } catch (const std::exception& x) {
        c_.Dialogos.Erro(this, QString::fromUtf8(x.what()));
        return;
    }
    p.Terreno.SetSt(st);
    p.EspacamentoAtual() = e;
    c_.Gerente.Alterado = true;
    accept();
}

} // namespace vastrel::gui
