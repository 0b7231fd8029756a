#include "LocacaoDialogos.h"

#include "common/Format.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "DimensionamentoEspacamento.h"
#include "Modulos.h"

#include "common/Pastas.h"
#include "engine/SelecaoTipoTerraco.h"
#include "project/GerenteSys.h"
#include "project/Projeto.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace vastrel::gui {

namespace {

constexpr int kAjudaImagens = topico::LocacaoImagens;
constexpr int kAjudaBentley = topico::LocacaoBentley;
constexpr int kAjudaLombardiNeto = topico::LocacaoLombardiNeto;
constexpr int kAjudaParana = topico::LocacaoParana;
constexpr int kAjudaTipoArbitrado = topico::LocacaoTipoArbitrado;
constexpr int kAjudaTiposTerraco = topico::TipoTerraco;

// A file group of the image dialog: an edit and its button.
QGroupBox* GrupoArquivo(QWidget* pai, const QString& titulo, QLineEdit*& edit, const QString& nomeEdit,
                        QPushButton*& botao, const QString& legenda, const QString& nomeBotao)
{
    auto* g = new QGroupBox(titulo, pai);
    auto* l = new QHBoxLayout(g);
    edit = new QLineEdit(g);
    edit->setObjectName(nomeEdit);
    edit->setMinimumWidth(380);
    botao = Botao(g, legenda, nomeBotao);
    l->addWidget(edit, 1);
    l->addWidget(botao);
    return g;
}

QString Pasta(const QString& arquivo) { return QFileInfo(arquivo).absolutePath(); }

} // namespace

// ---------------------------------------------------------------------------
// Images

TFCarregaImg::TFCarregaImg(TContextoPrograma& c, QWidget* pai) : QDialog(pai), c_(c)
{
    setWindowTitle(QStringLiteral("Carregar Imagens"));
    auto* corpo = new QVBoxLayout;
    QPushButton *btElev, *btDecli, *btVetor;
    corpo->addWidget(GrupoArquivo(this, QStringLiteral(" Imagem de &elevação "), elev_,
                                  QStringLiteral("EdImgElevacao"), btElev, QStringLiteral("A&brir..."),
                                  QStringLiteral("BtImgElev")));
    corpo->addWidget(GrupoArquivo(this, QStringLiteral(" Imagem de &declividade "), decli_,
                                  QStringLiteral("EdImgDeclividade"), btDecli, QStringLiteral("&Abrir..."),
                                  QStringLiteral("BtImgDeclividade")));
    corpo->addWidget(GrupoArquivo(this, QStringLiteral(" &Vetor de saída "), vetor_, QStringLiteral("EdVetorSaida"),
                                  btVetor, QStringLiteral("&Salvar..."), QStringLiteral("BtVetorSaida")));
    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("BtOk"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("BtCancel"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("BtAjuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, kAjudaImagens, ajuda);

    // The three file dialogs start in the program's folder.
    pastaAbrir_ = pastaSalvar_ = Q(PastaPrograma().string());
    connect(btElev, &QPushButton::clicked, this, &TFCarregaImg::BtImgElevClick);
    connect(btDecli, &QPushButton::clicked, this, &TFCarregaImg::BtImgDeclividadeClick);
    connect(btVetor, &QPushButton::clicked, this, &TFCarregaImg::BtVetorSaidaClick);
    connect(ok, &QPushButton::clicked, this, &TFCarregaImg::BtOkClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFCarregaImg::BtImgElevClick()
{
    const TArquivoDialogo d{"Abrir imagem de elevação", "*.ras|*.ras", ".ras", S(pastaAbrir_), {}};
    const QString arquivo = c_.Dialogos.ArquivoAbrir(this, d);
    if (arquivo.isEmpty())
        return;
    pastaAbrir_ = Pasta(arquivo);
    elev_->setText(arquivo);
    // The output vector follows the elevation image: same path, ".vet".
    const QFileInfo info(arquivo);
    nomeVetor_ = info.dir().filePath(info.completeBaseName() + QStringLiteral(".vet"));
    vetor_->setText(nomeVetor_);
}

void TFCarregaImg::BtImgDeclividadeClick()
{
    const TArquivoDialogo d{"Abrir imagem de declividades", "*.ras|*.ras", ".ras", S(pastaAbrir_), {}};
    const QString arquivo = c_.Dialogos.ArquivoAbrir(this, d);
    if (arquivo.isEmpty())
        return;
    pastaAbrir_ = Pasta(arquivo);
    decli_->setText(arquivo);
}

void TFCarregaImg::BtVetorSaidaClick()
{
    const TArquivoDialogo d{"Salvar arquivo vetor", "*.vet|*.vet", ".vet",
                            S(nomeVetor_.isEmpty() ? pastaSalvar_ : Pasta(nomeVetor_)), S(nomeVetor_)};
    const QString arquivo = c_.Dialogos.ArquivoSalvar(this, d);
    if (arquivo.isEmpty())
        return;
    nomeVetor_ = arquivo;
    vetor_->setText(arquivo);
}

void TFCarregaImg::BtOkClick()
{
    c_.Gerente.Alterado = true;
    accept();
}

// ---------------------------------------------------------------------------
// Bentley and Paraná

TFSoloLoc::TFSoloLoc(TContextoPrograma& c, int lista, QWidget* pai) : TDialogoAtivado(pai), c_(c), lista_(lista)
{
    const bool bentley = lista == 1;
    setWindowTitle(bentley ? QStringLiteral("Método Bentley") : QStringLiteral("Método Paraná"));
    auto* corpo = new QVBoxLayout;
    const QStringList itens = bentley ? QStringList{QStringLiteral("Solos &argilosos"),
                                                    QStringLiteral("Solos de textura &média"),
                                                    QStringLiteral("Solos de textura &grossa")}
                                      : QStringList{QStringLiteral("Terra &arenosa"), QStringLiteral("Terra a&rgilosa"),
                                                    QStringLiteral("Terra ro&xa")};
    corpo->addWidget(GrupoTipoSolo(this, bentley ? QStringLiteral(" Tipo de solo ") : QStringLiteral("Tipo de Solo"),
                                   itens, tipoSolo_));
    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, bentley ? kAjudaBentley : kAjudaParana, ajuda);
    connect(ok, &QPushButton::clicked, this, &TFSoloLoc::OKClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFSoloLoc::FormActivate()
{
    const int indice = c_.Projeto.EspacamentoAtual().Solo.IndSolo;
    if (QAbstractButton* b = tipoSolo_->button(indice))
        b->setChecked(true);
    else
        tipoSolo_->button(0)->setChecked(true);
}

void TFSoloLoc::OKClick()
{
    TSolo& solo = c_.Projeto.EspacamentoAtual().Solo;
    try {
        solo.Metodo = static_cast<std::uint8_t>(lista_);
        solo.SetIndSolo(std::max(0, tipoSolo_->checkedId()));
    } catch (const std::exception& e) {
        c_.Dialogos.Erro(this, QString::fromUtf8(e.what()));
        return;
    }
    c_.Gerente.Alterado = true;
    accept();
}

// ---------------------------------------------------------------------------
// Lombardi Neto

TFLombNetoLoc::TFLombNetoLoc(TContextoPrograma& c, QWidget* pai) : TDialogoAtivado(pai), c_(c)
{
    setWindowTitle(QStringLiteral("Método Lombardi Neto"));
    auto* corpo = new QVBoxLayout;
    listas_ = new TListasLombardiNeto(c, this);
    corpo->addWidget(listas_);
    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, kAjudaLombardiNeto, ajuda);

    connect(listas_->Cult(), &QComboBox::activated, this, [this] { listas_->CultClick(espacamento_); });
    connect(listas_->Erosao(), &QComboBox::activated, this, [this] { listas_->ErosaoClick(espacamento_); });
    connect(listas_->Prep(), &QComboBox::activated, this, [this] { listas_->PrepClick(espacamento_); });
    connect(ok, &QPushButton::clicked, this, &TFLombNetoLoc::OKClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFLombNetoLoc::FormActivate()
{
    espacamento_ = c_.Projeto.EspacamentoAtual();
    listas_->Selecionar(espacamento_);
    listas_->CultClick(espacamento_);
    listas_->ErosaoClick(espacamento_);
    listas_->PrepClick(espacamento_);
}

void TFLombNetoLoc::OKClick()
{
    TEspacamento& e = c_.Projeto.EspacamentoAtual();
    listas_->CultClick(e);
    listas_->ErosaoClick(e);
    listas_->PrepClick(e);
    c_.Gerente.Alterado = true;
    accept();
}

// ---------------------------------------------------------------------------
// Terrace type tables

QString ClasseDeclividade(double de, bool incluiDe, double ate, bool incluiAte)
{
    const auto numero = [](double v) { return Q(FormatFloat("0.##", v)); };
    const QString menor = QStringLiteral(" < "), menorIgual = QStringLiteral(" ≤ ");
    if (std::isinf(de))
        return QStringLiteral("D") + (incluiAte ? menorIgual : menor) + numero(ate);
    if (std::isinf(ate))
        return QStringLiteral("D") + (incluiDe ? QStringLiteral(" ≥ ") : QStringLiteral(" > ")) + numero(de);
    return numero(de) + (incluiDe ? menorIgual : menor) + QStringLiteral("D") + (incluiAte ? menorIgual : menor) +
           numero(ate);
}

TFTipoTerraco::TFTipoTerraco(TContextoPrograma& c, int fonte, QWidget* pai) : QDialog(pai)
{
    static const char* const kTitulos[] = {"Tipos de Terraços Recomendados por Paraná",
                                           "Tipos de Terraços Recomendados pela Emater/RS",
                                           "Tipos de Terraços Recomendados por Lombardi Neto"};
    static const char* const kFontes[] = {
        "Fonte: PARANÁ. Secretaria de Estado da Agricultura e do Abastecimento. Manual técnico do "
        "subprograma de manejo e conservação do solo. Curitiba: SEAB, 1989.",
        "Fonte: EMATER/RS - Associação Riograndense de Empreendimentos de Assistência Técnica e Extensão "
        "Rural. Recomendações para o terraceamento agrícola no Rio Grande do Sul. Porto Alegre: EMATER/RS.",
        "Fonte: LOMBARDI NETO, F. et al. Terraceamento agrícola. Campinas: CATI, 1994. (Boletim Técnico, 206)."};
    const int i = std::clamp(fonte, 0, 2);
    setWindowTitle(QString::fromUtf8(kTitulos[i]));
    setObjectName(QStringLiteral("FTipoTerraco"));
    auto* corpo = new QVBoxLayout;
    const auto faixas = FaixasTipoTerraco(i);
    tabela_ = new QTableWidget(static_cast<int>(faixas.size()), 2, this);
    tabela_->setObjectName(QStringLiteral("Tabela"));
    tabela_->setHorizontalHeaderLabels({QStringLiteral("Declividade (%)"), QStringLiteral("Tipos de terraços recomendados")});
    tabela_->verticalHeader()->hide();
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setSelectionMode(QAbstractItemView::NoSelection);
    tabela_->setWordWrap(true);
    int linha = 0;
    for (const TFaixaTipoTerraco& f : faixas) {
        tabela_->setItem(linha, 0, new QTableWidgetItem(ClasseDeclividade(f.De, f.IncluiDe, f.Ate, f.IncluiAte)));
        tabela_->setItem(linha, 1, new QTableWidgetItem(Q(std::string(f.TipoTerraco))));
        ++linha;
    }
    tabela_->setColumnWidth(0, 130);
    tabela_->setColumnWidth(1, 470);
    tabela_->resizeRowsToContents();
    tabela_->setMinimumSize(610, tabela_->horizontalHeader()->height() + 4 * 44 + 6);
    corpo->addWidget(tabela_);
    fonte_ = new QLabel(QString::fromUtf8(kFontes[i]), this);
    fonte_->setObjectName(QStringLiteral("Fonte"));
    fonte_->setWordWrap(true);
    fonte_->setMaximumWidth(610);
    corpo->addWidget(fonte_);
    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, kAjudaTiposTerraco, ajuda);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

// ---------------------------------------------------------------------------
// Arbitrated terrace type

namespace {

QPointer<TFTipoNenhum>& InstanciaTipoNenhum()
{
    static QPointer<TFTipoNenhum> instancia;
    return instancia;
}

const TContextoPrograma*& ContextoTipoNenhum()
{
    static const TContextoPrograma* contexto = nullptr;
    return contexto;
}

} // namespace

TFTipoNenhum& TFTipoNenhum::Instancia(TContextoPrograma& c)
{
    QPointer<TFTipoNenhum>& instancia = InstanciaTipoNenhum();
    if (instancia && (ContextoTipoNenhum() != &c || instancia->parentWidget() != c.Principal))
        delete instancia.data();
    if (!instancia) {
        instancia = new TFTipoNenhum(c, c.Principal);
        ContextoTipoNenhum() = &c;
    }
    return *instancia;
}

TFTipoNenhum::TFTipoNenhum(TContextoPrograma& c, QWidget* pai) : QDialog(pai), c_(c)
{
    setWindowTitle(QStringLiteral("Tipo de Vastrel Arbitrado"));
    setObjectName(QStringLiteral("FTipoNenhum"));
    auto* corpo = new QVBoxLayout;
    auto* caixa = new QGroupBox(QStringLiteral("Escolha um tipo de terraço "), this);
    caixa->setObjectName(QStringLiteral("RadioGroupNenhum"));
    auto* lc = new QVBoxLayout(caixa);
    grupo_ = new QButtonGroup(this);
    int i = 0;
    for (std::string_view tipo : TiposTerracoArbitrados) {
        auto* r = new QRadioButton(Q(std::string(tipo)), caixa);
        grupo_->addButton(r, i++);
        lc->addWidget(r);
    }
    grupo_->button(0)->setChecked(true);
    corpo->addWidget(caixa);
    auto* ok = Botao(this, QStringLiteral("&Ok"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, kAjudaTipoArbitrado, ajuda);
    connect(ok, &QPushButton::clicked, this, &TFTipoNenhum::OKClick);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

int TFTipoNenhum::Escolha() const { return std::max(0, grupo_->checkedId()); }

void TFTipoNenhum::SetEscolha(int indice)
{
    if (QAbstractButton* b = grupo_->button(indice))
        b->setChecked(true);
}

void TFTipoNenhum::showEvent(QShowEvent* e)
{
    // Every showing starts from the current type.
    QDialog::showEvent(e);
    SetEscolha(c_.Projeto.TerracosNivel.SelecaoTipoTerraco.TipoArbitrado);
}

int TFTipoNenhum::Executar() { return exec(); }

void TFTipoNenhum::OKClick()
{
    c_.Projeto.TerracosNivel.SelecaoTipoTerraco.SetTipoArbitrado(Escolha());
    c_.Gerente.Alterado = true;
    accept();
}

} // namespace vastrel::gui
