#include "IdentProjeto.h"

#include "Ajuda.h"
#include "Dialogos.h"

#include "project/GerenteSys.h"
#include "project/IDProjeto.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vastrel::gui {

namespace {

// The six fields of the record, in the order of the edits.
std::array<std::string*, 6> Campos(TIDProjeto& id)
{
    return {&id.Nome, &id.Empresa, &id.Local, &id.Estado, &id.Tecnico, &id.Data};
}

} // namespace

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
        edit->installEventFilter(this);
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
    const auto campos = Campos(id_);
    for (std::size_t i = 0; i < edits_.size(); ++i)
        edits_[i]->setText(Q(*campos[i]));
    edits_[0]->setFocus();
    QDialog::showEvent(e);
}

bool TFIdentProjeto::eventFilter(QObject* objeto, QEvent* e)
{
    // Any key in a field is an edit of the project, even before Ok.
    if (e->type() == QEvent::KeyPress)
        gerente_.Alterado = true;
    return QDialog::eventFilter(objeto, e);
}

void TFIdentProjeto::FecharClick()
{
    const auto campos = Campos(id_);
    for (std::size_t i = 0; i < edits_.size(); ++i)
        *campos[i] = S(edits_[i]->text());
    accept();
}

} // namespace vastrel::gui
