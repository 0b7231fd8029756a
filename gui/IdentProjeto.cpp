#include "IdentProjeto.h"

#include "Ajuda.h"
#include "Dialogos.h"

#include "project/GerenteSys.h"
#include "project/EdicaoIdentificacao.h"
#include "project/IDProjeto.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vastrel::gui {

TFIdentProjeto::TFIdentProjeto(TIDProjeto& id, TGerenteSys& gerente, TAjuda& ajuda, QWidget* pai)
    : QDialog(pai), id_(id), gerente_(gerente)
{
    setWindowTitle(QStringLiteral("Identificação do Projeto"));

    static const char* const kRotulos[] = {"&Nome:", "&Empresa:", "&Localidade:", "E&stado:", "&Técnico:",
                                           "&Data:"};
    auto* grade = new QGridLayout;
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        edit->setMinimumWidth(320);
        auto* rotulo = new QLabel(QString::fromUtf8(kRotulos[i]), this);
        rotulo->setBuddy(edit);
        grade->addWidget(rotulo, static_cast<int>(i), 0);
        grade->addWidget(edit, static_cast<int>(i), 1);
        edits_[i] = edit;
    }

    fechar_ = Botao(this, QStringLiteral("&Ok"), QStringLiteral("Fechar"));
    fechar_->setDefault(true);
    ajuda_ = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    cancelar_ = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Button1"));
    MontarDialogoFixo(this, grade, {fechar_, ajuda_, cancelar_});

    // Focus: the six edits from top to bottom, then Ok, Ajuda, Cancelar.
    QWidget* anterior = edits_[0];
    for (QWidget* w : {static_cast<QWidget*>(edits_[1]), static_cast<QWidget*>(edits_[2]),
                       static_cast<QWidget*>(edits_[3]), static_cast<QWidget*>(edits_[4]),
                       static_cast<QWidget*>(edits_[5]), static_cast<QWidget*>(fechar_),
                       static_cast<QWidget*>(ajuda_), static_cast<QWidget*>(cancelar_)}) {
        setTabOrder(anterior, w);
        anterior = w;
    }

    connect(fechar_, &QPushButton::clicked, this, &TFIdentProjeto::FecharClick);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
    ajuda.Ligar(this, kTopicoAjuda, ajuda_);
}

void TFIdentProjeto::showEvent(QShowEvent* e)
{
    const TTextosIdentificacao textos = TextosIdentificacao(id_);
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(Q(textos[i]));
    edits_[0]->setFocus();
    QDialog::showEvent(e);
}

void TFIdentProjeto::FecharClick()
{
    TTextosIdentificacao textos;
    for (std::size_t i = 0; i < edits_.size(); ++i)
        textos[i] = S(edits_[i]->text());
    if (AlterarIdentificacao(id_, textos))
        gerente_.Alterado = true;
    accept();
}

} // namespace vastrel::gui
