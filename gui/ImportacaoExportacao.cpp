#include "ImportacaoExportacao.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "gis/ErrosGis.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <system_error>

namespace vastrel::gui {

namespace {

using gis::TFormatoExterno;
using gis::TModoConversao;
using gis::TTipoDadoGis;

struct TFiltros {
    const char* abrir;
    const char* salvar;
};

// The file dialogs of a mode, kind and format.
TFiltros FiltrosDe(TModoConversao modo, TTipoDadoGis tipo, TFormatoExterno formato)
{
    const bool idrisi = formato == TFormatoExterno::Idrisi;
    if (modo == TModoConversao::Importacao) {
        if (tipo == TTipoDadoGis::Raster)
            return {idrisi ? "Arquivo imagem do Idrisi (*.img)|*.img" : "Arquivo imagem Surfer (ASCII) (*.grd)|*.grd",
                    "Arquivo imagem do Vastrel 2.0 (*.ras)|*.ras"};
        return {idrisi ? "Arquivo vetor do Idrisi (*.vec)|*.vec" : "Arquivo vetor do Surfer (*.txt)|*.txt",
                "Arquivo vetor do Vastrel 2.0 (*.vet)|*.vet"};
    }
    if (tipo == TTipoDadoGis::Raster)
        return {"Arquivo imagem do Vastrel 2.0 (*.ras)|*.ras",
                idrisi ? "Arquivo imagem do Idrisi (*.img)|*.img" : "Arquivo imagem do Surfer (ASCII) (*.grd)|*.grd"};
    return {"Arquivo vetor do Vastrel 2.0 (*.vet)|*.vet",
            idrisi ? "Arquivo vetor do Idrisi (*.vec)|*.vec" : "Arquivo vetor do surfer (*.txt)|*.txt"};
}

// The dialog of one filter "desc (*.ext)|*.ext", starting in the program's folder.
TArquivoDialogo DialogoDe(const char* filtro)
{
    TArquivoDialogo d;
    d.Filtro = QString::fromUtf8(filtro);
    d.Extensao = d.Filtro.section(QLatin1Char('|'), 1).remove(QLatin1Char('*'));
    d.Pasta = QCoreApplication::applicationDirPath();
    return d;
}

// The window's answers to the questions of a conversion.
class TPerguntasJanela : public gis::IPerguntasConversao {
public:
    TPerguntasJanela(TDialogos& dialogos, QWidget* janela, bool quilometro)
        : dialogos_(dialogos), janela_(janela), quilometro_(quilometro)
    {
    }
    std::string UnidadeDistancia() override { return quilometro_ ? "km" : "m"; }
    void Informar(const std::string& mensagem) override { dialogos_.Informacao(janela_, Q(mensagem)); }

private:
    TDialogos& dialogos_;
    QWidget* janela_;
    bool quilometro_;
};

QGroupBox* GrupoArquivo(QWidget* pai, const QString& titulo, QLineEdit* edit, QPushButton* botao)
{
    auto* g = new QGroupBox(titulo, pai);
    auto* l = new QHBoxLayout(g);
    l->addWidget(edit, 1);
    if (botao)
        l->addWidget(botao);
    return g;
}

QGroupBox* GrupoOpcoes(QWidget* pai, const QString& titulo, QRadioButton* a, QRadioButton* b)
{
    auto* g = new QGroupBox(titulo, pai);
    auto* l = new QHBoxLayout(g);
    l->addWidget(a);
    l->addWidget(b);
    auto* grupo = new QButtonGroup(g);
    grupo->addButton(a);
    grupo->addButton(b);
    return g;
}

QRadioButton* Radio(QWidget* pai, const QString& texto, const QString& nome)
{
    auto* r = new QRadioButton(texto, pai);
    r->setObjectName(nome);
    return r;
}

QLineEdit* Edit(QWidget* pai, const QString& nome, bool somenteLeitura)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setReadOnly(somenteLeitura);
    return e;
}

} // namespace

TFImportExport::TFImportExport(TContextoPrograma& contexto, TModoConversao modo, QWidget* pai)
    : QDialog(pai), contexto_(contexto), modo_(modo)
{
    const bool importacao = modo == TModoConversao::Importacao;
    legenda_ = importacao ? QStringLiteral("Importação de arquivo") : QStringLiteral("Exportação de arquivo");
    setWindowTitle(legenda_);
    setObjectName(QStringLiteral("TFImportExport"));
    setModal(true);

    RadioButtonIdrisi = Radio(this, QStringLiteral("Idrisi"), QStringLiteral("RadioButtonIdrisi"));
    RadioButtonSurfer = Radio(this, QStringLiteral("Surfer"), QStringLiteral("RadioButtonSurfer"));
    GroupBox1 = GrupoOpcoes(this, importacao ? QStringLiteral("Importar arquivo do:") : QStringLiteral("Exportar arquivo para:"),
                            RadioButtonIdrisi, RadioButtonSurfer);
    RadioButtonRaster = Radio(this, QStringLiteral("Raster"), QStringLiteral("RadioButtonRaster"));
    RadioButtonVetor = Radio(this, QStringLiteral("Vetor"), QStringLiteral("RadioButtonVetor"));
    GroupBox5 = GrupoOpcoes(this, QStringLiteral(" Tipo do arquivo "), RadioButtonRaster, RadioButtonVetor);
    RadioButtonMetro = Radio(this, QStringLiteral("Metro"), QStringLiteral("RadioButtonMetro"));
    RadioButtonKilom = Radio(this, QStringLiteral("Quilômetro"), QStringLiteral("RadioButtonKilom"));
    GroupBox6 = GrupoOpcoes(this, QStringLiteral("Unidade de distância"), RadioButtonMetro, RadioButtonKilom);

    Edit3 = Edit(this, QStringLiteral("Edit3"), false);
    Edit1 = Edit(this, QStringLiteral("Edit1"), true);
    Edit2 = Edit(this, QStringLiteral("Edit2"), true);
    Edit1->setMinimumWidth(360);
    BitBtnAbrir = Botao(this, QStringLiteral("Abrir..."), QStringLiteral("BitBtnAbrir"));
    BitBtnSalvar = Botao(this, QStringLiteral("Salvar..."), QStringLiteral("BitBtnSalvar"));
    GroupBox2 = GrupoArquivo(this, QStringLiteral("Título do arquivo:"), Edit3, nullptr);
    GroupBox3 = GrupoArquivo(this, QStringLiteral("Arquivo de entrada:"), Edit1, BitBtnAbrir);
    GroupBox4 = GrupoArquivo(this, QStringLiteral("Arquivo de saída:"), Edit2, BitBtnSalvar);

    BitBtnImport = Botao(this, QStringLiteral("&Importar"), QStringLiteral("BitBtnImport"));
    BitBtnExport = Botao(this, QStringLiteral("&Exportar"), QStringLiteral("BitBtnExport"));
    BitBtn4 = Botao(this, QStringLiteral("&Fechar"), QStringLiteral("BitBtn4"));
    BitBtn5 = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("BitBtn5"));
    BitBtnImport->setVisible(importacao);
    BitBtnExport->setVisible(!importacao);
    (importacao ? BitBtnImport : BitBtnExport)->setDefault(true);

    auto* opcoes = new QHBoxLayout;
    opcoes->addWidget(GroupBox1);
    opcoes->addWidget(GroupBox5);
    opcoes->addWidget(GroupBox6);
    auto* corpo = new QVBoxLayout;
    corpo->addLayout(opcoes);
    corpo->addWidget(GroupBox2);
    corpo->addWidget(GroupBox3);
    corpo->addWidget(GroupBox4);
    MontarDialogoFixo(this, corpo, {BitBtnImport, BitBtnExport, BitBtn4, BitBtn5});

    // Showing the window: Idrisi, Raster and Metro.
    RadioButtonIdrisi->setChecked(true);
    RadioButtonRaster->setChecked(true);
    RadioButtonMetro->setChecked(true);
    GroupBox6->setVisible(false);

    for (QRadioButton* r : {RadioButtonIdrisi, RadioButtonSurfer, RadioButtonRaster, RadioButtonVetor})
        connect(r, &QRadioButton::toggled, this, [this](bool marcado) {
            if (marcado)
                FormatoOuTipoAlterado();
        });
    connect(BitBtnAbrir, &QPushButton::clicked, this, &TFImportExport::BitBtnAbrirClick);
    connect(BitBtnSalvar, &QPushButton::clicked, this, &TFImportExport::BitBtnSalvarClick);
    connect(BitBtnImport, &QPushButton::clicked, this, &TFImportExport::BitBtnConverterClick);
    connect(BitBtnExport, &QPushButton::clicked, this, &TFImportExport::BitBtnConverterClick);
    connect(BitBtn4, &QPushButton::clicked, this, &TFImportExport::reject);
    contexto_.Ajuda.Ligar(this, 63, BitBtn5);
}

TFormatoExterno TFImportExport::Formato() const
{
    return RadioButtonSurfer->isChecked() ? TFormatoExterno::Surfer : TFormatoExterno::Idrisi;
}

TTipoDadoGis TFImportExport::Tipo() const
{
    return RadioButtonVetor->isChecked() ? TTipoDadoGis::Vetor : TTipoDadoGis::Raster;
}

void TFImportExport::Esquecer()
{
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    entrada_.clear();
    saida_.clear();
}

void TFImportExport::FormatoOuTipoAlterado()
{
    const bool importacao = modo_ == TModoConversao::Importacao;
    const bool surfer = Formato() == TFormatoExterno::Surfer;
    GroupBox6->setVisible(importacao && surfer);
    // Surfer files carry no title.
    GroupBox2->setEnabled(importacao || !surfer);
    Esquecer();
}

void TFImportExport::BitBtnAbrirClick()
{
    if (executando_)
        return;
    const TFiltros f = FiltrosDe(modo_, Tipo(), Formato());
    const QString escolhido = contexto_.Dialogos.ArquivoAbrir(this, DialogoDe(f.abrir));
    if (escolhido.isEmpty())
        return;
    const std::filesystem::path p(S(escolhido));
    if (modo_ == TModoConversao::Importacao && Formato() == TFormatoExterno::Surfer && Tipo() == TTipoDadoGis::Raster) {
        try {
            gis::VerificarGradeSurfer(p);
        } catch (const std::exception& e) {
            contexto_.Dialogos.Erro(this, Q(e.what()));
            BitBtnAbrir->setFocus();
            return;
        }
    }
    entrada_ = p;
    Edit1->setText(escolhido);
    if (const auto titulo = gis::TituloPadraoConversao(modo_, Formato(), Tipo(), p))
        Edit3->setText(Q(*titulo));
}

void TFImportExport::BitBtnSalvarClick()
{
    if (executando_)
        return;
    const TFiltros f = FiltrosDe(modo_, Tipo(), Formato());
    const TArquivoDialogo d = DialogoDe(f.salvar);
    QString escolhido = contexto_.Dialogos.ArquivoSalvar(this, d);
    if (escolhido.isEmpty())
        return;
    if (QFileInfo(escolhido).suffix().isEmpty())
        escolhido += d.Extensao;
    const std::filesystem::path p(S(escolhido));
    std::error_code ec;
    if (std::filesystem::exists(p, ec)) {
        const QString pergunta = Q(gis::MensagemSubstituirArquivo(p.filename().string()));
        if (contexto_.Dialogos.Confirmar(this, pergunta, false) != TDialogos::TResposta::Sim)
            return;
    }
    saida_ = p;
    Edit2->setText(escolhido);
}

void TFImportExport::Habilitar(bool livre)
{
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox1, GroupBox5, GroupBox6, BitBtnAbrir, BitBtnSalvar,
                                                      BitBtnImport, BitBtnExport, BitBtn4})
        w->setEnabled(livre);
    Edit3->setReadOnly(!livre);
}

void TFImportExport::BitBtnConverterClick()
{
    // A click that arrives while pending events run during a conversion.
    if (executando_)
        return;
    TPerguntasJanela perguntas(contexto_.Dialogos, this, RadioButtonKilom->isChecked());
    executando_ = true;
    Habilitar(false);
    std::string concluida;
    QString erro;
    gis::TCampoGis campo = gis::TCampoGis::Nenhum;
    bool trabalhando = false;
    try {
        // The checks of the input and output come first and show no busy state.
        std::error_code ec;
        if (entrada_.empty() || !std::filesystem::is_regular_file(entrada_, ec))
            throw gis::EEscolhaGis(gis::kMsgEntradaInvalida, gis::TCampoGis::Entrada);
        if (saida_.empty())
            throw gis::EEscolhaGis(gis::kMsgSaidaInvalida, gis::TCampoGis::Saida);
        setWindowTitle(legenda_ + QStringLiteral(" - Trabalhando"));
        QApplication::setOverrideCursor(Qt::WaitCursor);
        trabalhando = true;
        concluida = gis::Converter(modo_, Formato(), Tipo(), entrada_, saida_, S(Edit3->text()), perguntas);
    } catch (const gis::EEscolhaGis& e) {
        erro = Q(e.what());
        campo = e.Campo;
    } catch (const std::exception& e) {
        erro = Q(e.what());
    }
    if (trabalhando)
        QApplication::restoreOverrideCursor();
    setWindowTitle(legenda_);
    Habilitar(true);
    executando_ = false;

    if (!erro.isEmpty()) {
        contexto_.Dialogos.Erro(this, erro);
        if (campo == gis::TCampoGis::Entrada)
            BitBtnAbrir->setFocus();
        else if (campo == gis::TCampoGis::Saida)
            BitBtnSalvar->setFocus();
        return;
    }
    contexto_.Dialogos.Informacao(this, Q(concluida));
}

void TFImportExport::reject()
{
    if (executando_)
        return;
    QDialog::reject();
}

void TFImportExport::closeEvent(QCloseEvent* e)
{
    if (executando_) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

static const TRegistroFerramenta registroImportacao(TFerramenta::Importacao, [](TContextoPrograma& c) {
    TFImportExport janela(c, TModoConversao::Importacao, c.Principal);
    janela.exec();
});

static const TRegistroFerramenta registroExportacao(TFerramenta::Exportacao, [](TContextoPrograma& c) {
    TFImportExport janela(c, TModoConversao::Exportacao, c.Principal);
    janela.exec();
});

} // namespace vastrel::gui

