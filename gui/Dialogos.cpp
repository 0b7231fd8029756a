#include "Dialogos.h"

#include <QApplication>
#include <QCloseEvent>
#include <QShowEvent>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace vastrel::gui {

QString Q(const std::string& texto) { return QString::fromStdString(texto); }
std::string S(const QString& texto) { return texto.toStdString(); }

QString FiltroQt(const QString& filtro)
{
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        const QString descricao = partes[i].trimmed();
        QString padrao = partes[i + 1].trimmed();
        padrao.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "Documento PDF (*.pdf)" already names its pattern.
        if (descricao.endsWith(QLatin1Char(')')) && descricao.contains(QLatin1Char('(')))
            filtros << descricao;
        else
            filtros << descricao + QStringLiteral(" (") + padrao + QLatin1Char(')');
    }
    return filtros.join(QStringLiteral(";;"));
}

QPushButton* Botao(QWidget* pai, const QString& texto, const QString& nome)
{
    auto* botao = new QPushButton(texto, pai);
    botao->setObjectName(nome);
    return botao;
}

void TDialogoAtivado::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!ativado_) {
        ativado_ = true;
        FormActivate();
    }
}

void TDialogoProcesso::reject()
{
    if (executando_)
        return;
    QDialog::reject();
}

void TDialogoProcesso::closeEvent(QCloseEvent* e)
{
    if (executando_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

QLineEdit* CampoTexto(QWidget* pai, const char* nome, const char* dica, int largura)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(QString::fromLatin1(nome));
    if (dica)
        e->setToolTip(QString::fromUtf8(dica));
    e->setMaximumWidth(largura);
    return e;
}

QLabel* Rotulo(QWidget* pai, const QString& texto, QWidget* amigo)
{
    auto* l = new QLabel(texto, pai);
    if (amigo)
        l->setBuddy(amigo);
    return l;
}

void MontarDialogoFixo(QDialog* dialogo, QLayout* corpo, std::initializer_list<QPushButton*> botoes)
{
    dialogo->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialogo->setModal(true);
    auto* linha = new QHBoxLayout;
    linha->addStretch(1);
    for (QPushButton* b : botoes)
        linha->addWidget(b);
    auto* layout = new QVBoxLayout(dialogo);
    layout->addLayout(corpo);
    layout->addLayout(linha);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

// Not the application's display name, which the system may have left as the
// executable's name.
QString Titulo() { return QString::fromUtf8(kTituloPrograma); }

void Caixa(QWidget* pai, QMessageBox::Icon icone, const QString& titulo, const QString& texto,
           const QString& detalhe)
{
    QMessageBox caixa(icone, titulo, texto, QMessageBox::Ok, pai);
    caixa.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    if (!detalhe.isEmpty())
        caixa.setInformativeText(detalhe);
    caixa.exec();
}

QString Extensao(const QString& e) { return e.startsWith(QLatin1Char('.')) ? e.mid(1) : e; }

// The extension of a name filter's first pattern ("Documento PDF (*.pdf)"
// gives "pdf"); empty for a pattern of any file.
QString ExtensaoDoFiltro(const QString& filtroQt)
{
    const qsizetype abre = filtroQt.lastIndexOf(QLatin1Char('('));
    const QString padroes = abre < 0 ? filtroQt : filtroQt.mid(abre + 1).chopped(1);
    const QString primeiro = padroes.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (!primeiro.startsWith(QStringLiteral("*.")))
        return {};
    const QString ext = primeiro.mid(2);
    return ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')) ? QString() : ext;
}

QString Escolher(QWidget* pai, const TArquivoDialogo& d, QFileDialog::AcceptMode modo)
{
    QFileDialog dialogo(pai, Q(d.Titulo), Q(d.Pasta), FiltroQt(Q(d.Filtro)));
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setOption(QFileDialog::DontConfirmOverwrite, true);
    // A name saved without extension takes that of the type chosen in the
    // dialog (below), not always the default one.
    if (modo == QFileDialog::AcceptOpen)
        dialogo.setDefaultSuffix(Extensao(Q(d.Extensao)));
    if (!d.NomeArquivo.empty())
        dialogo.selectFile(Q(d.NomeArquivo));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    QString arquivo = dialogo.selectedFiles().constFirst();
    if (modo == QFileDialog::AcceptSave && QFileInfo(arquivo).suffix().isEmpty()) {
        QString ext = ExtensaoDoFiltro(dialogo.selectedNameFilter());
        if (ext.isEmpty())
            ext = Extensao(Q(d.Extensao));
        if (!ext.isEmpty())
            arquivo += QLatin1Char('.') + ext;
    }
    return arquivo;
}

} // namespace

void TDialogosQt::Erro(QWidget* pai, const QString& texto, const QString& detalhe)
{
    Caixa(pai, QMessageBox::Critical, QStringLiteral("Erro"), texto, detalhe);
}

void TDialogosQt::Aviso(QWidget* pai, const QString& texto)
{
    Caixa(pai, QMessageBox::Warning, QStringLiteral("Aviso"), texto, {});
}

void TDialogosQt::Informacao(QWidget* pai, const QString& texto)
{
    Caixa(pai, QMessageBox::Information, Titulo(), texto, {});
}

TDialogos::TResposta TDialogosQt::Confirmar(QWidget* pai, const QString& texto, bool comCancelar)
{
    QMessageBox caixa(QMessageBox::Question, QStringLiteral("Confirmação"), texto, QMessageBox::NoButton, pai);
    QPushButton* sim = caixa.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
    QPushButton* nao = caixa.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
    QPushButton* cancelar = comCancelar ? caixa.addButton(QStringLiteral("&Cancelar"), QMessageBox::RejectRole)
                                        : nullptr;
    caixa.setDefaultButton(sim);
    caixa.setEscapeButton(cancelar ? cancelar : nao);
    caixa.exec();
    if (caixa.clickedButton() == sim)
        return TResposta::Sim;
    if (caixa.clickedButton() == nao || !cancelar)
        return TResposta::Nao;
    return TResposta::Cancelar;
}

std::optional<int> TDialogosQt::EscolherItem(QWidget* pai, const QString& titulo, const QString& texto,
                                             const QStringList& itens, int atual)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(pai, titulo, texto, itens, atual, false, &ok);
    if (!ok)
        return std::nullopt;
    const auto i = itens.indexOf(item);
    return i < 0 ? std::nullopt : std::optional<int>(static_cast<int>(i));
}

QString TDialogosQt::ArquivoAbrir(QWidget* pai, const TArquivoDialogo& d)
{
    return Escolher(pai, d, QFileDialog::AcceptOpen);
}

QString TDialogosQt::ArquivoSalvar(QWidget* pai, const TArquivoDialogo& d)
{
    return Escolher(pai, d, QFileDialog::AcceptSave);
}

bool TDialogosQt::Impressao(QWidget* pai, QPrinter& printer)
{
    QPrintDialog dialogo(&printer, pai);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialogo.exec() == QDialog::Accepted;
}

} // namespace vastrel::gui
