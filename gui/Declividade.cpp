#include "Declividade.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "gis/Declividade.h"
#include "gis/ErrosGis.h"
#include "gis/FileRaster.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <system_error>

namespace vastrel::gui {

namespace {

constexpr const char* kFiltroAbrir = "Imagem Raster(*.ras)|*.ras";
constexpr const char* kFiltroSalvar = "Imagens Raster(*.ras)|*.ras";

QGroupBox* Grupo(QWidget* pai, const QString& titulo, QLineEdit* edit, QPushButton* botao)
{
    auto* g = new QGroupBox(titulo, pai);
    auto* l = new QHBoxLayout(g);
    l->addWidget(edit, 1);
    if (botao)
        l->addWidget(botao);
    return g;
}

// The cell type of a raster file, or 0 when it cannot be read.
char TipoDoArquivo(const std::filesystem::path& caminho)
{
    try {
        gis::TFileRaster f;
        if (f.AbrirRaster(caminho))
            return f.TipoCelula;
    } catch (const std::exception&) {
    }
    return 0;
}

bool Existe(const std::filesystem::path& p)
{
    std::error_code ec;
    return !p.empty() && std::filesystem::is_regular_file(p, ec);
}

} // namespace

TFProcessoRaster::TFProcessoRaster(TContextoPrograma& contexto, const QString& legenda, int topicoAjuda,
                                   QWidget* pai)
    : TDialogoProcesso(pai), Contexto(contexto), Legenda(legenda), topico_(topicoAjuda)
{
    setWindowTitle(legenda);
    setModal(true);
}

void TFProcessoRaster::Montar(QWidget* topo)
{
    EditEntrada = new QLineEdit(this);
    EditEntrada->setObjectName(QStringLiteral("EditEntrada"));
    EditEntrada->setReadOnly(true);
    EditSaida = new QLineEdit(this);
    EditSaida->setObjectName(QStringLiteral("EditSaida"));
    EditSaida->setReadOnly(true);
    EditTitulo = new QLineEdit(this);
    EditTitulo->setObjectName(QStringLiteral("EditTitulo"));
    BotaoAbrir = Botao(this, QStringLiteral("&Abrir..."), QStringLiteral("BotaoAbrir"));
    BotaoSalvar = Botao(this, QStringLiteral("&Salvar..."), QStringLiteral("BotaoSalvar"));
    BotaoProcessar = Botao(this, QStringLiteral("&Processar"), QStringLiteral("BotaoProcessar"));
    BotaoFechar = Botao(this, QStringLiteral("&Fechar"), QStringLiteral("BotaoFechar"));
    BotaoAjuda = Botao(this, QStringLiteral("Aj&uda"), QStringLiteral("BotaoAjuda"));
    BotaoProcessar->setDefault(true);
    Barra = new QProgressBar(this);
    Barra->setObjectName(QStringLiteral("BarraProgresso"));
    Barra->setRange(0, 100);
    Barra->setValue(0);

    auto* corpo = new QVBoxLayout;
    if (topo)
        corpo->addWidget(topo);
    corpo->addWidget(Grupo(this, QStringLiteral(" Imagem de &entrada: "), EditEntrada, BotaoAbrir));
    corpo->addWidget(Grupo(this, QStringLiteral(" &Imagem de saída: "), EditSaida, BotaoSalvar));
    corpo->addWidget(Grupo(this, QStringLiteral(" &Título do arquivo: "), EditTitulo, nullptr));
    corpo->addWidget(Barra);
    EditEntrada->setMinimumWidth(360);
    MontarDialogoFixo(this, corpo, {BotaoProcessar, BotaoFechar, BotaoAjuda});

    connect(BotaoAbrir, &QPushButton::clicked, this, &TFProcessoRaster::BotaoAbrirClick);
    connect(BotaoSalvar, &QPushButton::clicked, this, &TFProcessoRaster::BotaoSalvarClick);
    connect(BotaoProcessar, &QPushButton::clicked, this, &TFProcessoRaster::BotaoProcessarClick);
    connect(BotaoFechar, &QPushButton::clicked, this, &TFProcessoRaster::reject);
    Contexto.Ajuda.Ligar(this, topico_, BotaoAjuda);
}

void TFProcessoRaster::BotaoAbrirClick()
{
    if (executando_)
        return;
    TArquivoDialogo d;
    d.Filtro = kFiltroAbrir;
    d.Extensao = ".ras";
    const QString escolhido = Contexto.Dialogos.ArquivoAbrir(this, d);
    const std::filesystem::path p(S(escolhido));
    if (escolhido.isEmpty() || !Existe(p))
        return;
    entrada_ = p;
    EditEntrada->setText(escolhido);
    EditTitulo->setText(Q(TituloPadrao(p)));
}

void TFProcessoRaster::BotaoSalvarClick()
{
    if (executando_)
        return;
    TArquivoDialogo d;
    d.Filtro = kFiltroSalvar;
    d.Extensao = ".ras";
    QString escolhido = Contexto.Dialogos.ArquivoSalvar(this, d);
    if (escolhido.isEmpty())
        return;
    if (QFileInfo(escolhido).suffix().isEmpty())
        escolhido += QStringLiteral(".ras");
    const std::filesystem::path p(S(escolhido));
    std::error_code ec;
    if (std::filesystem::exists(p, ec)) {
        const QString pergunta = Q(gis::MensagemSubstituirArquivo(p.filename().string()));
        if (Contexto.Dialogos.Confirmar(this, pergunta, false) != TDialogos::TResposta::Sim)
            return;
    }
    saida_ = p;
    EditSaida->setText(escolhido);
}

void TFProcessoRaster::MostrarEtapa(double fracao, const std::string&)
{
    if (std::isfinite(fracao))
        Barra->setValue(static_cast<int>(std::lround(std::clamp(fracao, 0.0, 1.0) * 100.0)));
}

void TFProcessoRaster::Habilitar(bool livre)
{
    for (QPushButton* b : {BotaoAbrir, BotaoSalvar, BotaoProcessar, BotaoFechar})
        b->setEnabled(livre);
    EditTitulo->setReadOnly(!livre);
}

void TFProcessoRaster::BotaoProcessarClick()
{
    // A click that arrives while pending events run during a computation.
    if (executando_)
        return;
    const std::filesystem::path entrada = entrada_;
    const std::filesystem::path saida = saida_;
    // The checks come first, in the order of the fields.
    if (!Existe(entrada)) {
        Contexto.Dialogos.Erro(this, Q(gis::kMsgEntradaInvalida));
        BotaoAbrir->setFocus();
        return;
    }
    if (saida.empty()) {
        Contexto.Dialogos.Erro(this, Q(gis::kMsgSaidaInvalida));
        BotaoSalvar->setFocus();
        return;
    }
    const char tipo = TipoDoArquivo(entrada);

    gis::TProgressoGis progresso;
    progresso.Progresso = [this](double fracao, const std::string& etapa) { MostrarEtapa(fracao, etapa); };

    executando_ = true;
    Habilitar(false);
    Barra->setValue(0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string concluida;
    QString erro;
    bool aviso = false;
    gis::TCampoGis campo = gis::TCampoGis::Nenhum;
    try {
        concluida = Executar(entrada, saida, S(EditTitulo->text()), progresso);
    } catch (const gis::EEscolhaGis& e) {
        erro = Q(e.what());
        campo = e.Campo;
        aviso = ByteComoAviso() && std::string(e.what()) == gis::kMsgTipoByte;
    } catch (const std::exception& e) {
        erro = Q(e.what());
    }
    QApplication::restoreOverrideCursor();
    setWindowTitle(Legenda);
    Habilitar(true);
    executando_ = false;

    if (!erro.isEmpty()) {
        Barra->setValue(0);
        if (aviso)
            Contexto.Dialogos.Aviso(this, erro);
        else
            Contexto.Dialogos.Erro(this, erro);
        if (campo == gis::TCampoGis::Entrada)
            BotaoAbrir->setFocus();
        else if (campo == gis::TCampoGis::Saida)
            BotaoSalvar->setFocus();
        return;
    }
    if (EsquecerNomesApos(tipo)) {
        // The boxes keep showing the names; another run needs a new choice.
        entrada_.clear();
        saida_.clear();
    }
    Contexto.Dialogos.Informacao(this, Q(concluida));
}

// --- Slope map --------------------------------------------------------------------------

TFDeclividade::TFDeclividade(TContextoPrograma& contexto, QWidget* pai)
    : TFProcessoRaster(contexto, QStringLiteral("Declividade"), topico::Declividade, pai)
{
    setObjectName(QStringLiteral("TFDeclividade"));
    Montar();
}

std::string TFDeclividade::Executar(const std::filesystem::path& entrada, const std::filesystem::path& saida,
                                    const std::string& titulo, const gis::TProgressoGis& progresso)
{
    gis::CalcularMapaDeclividade(entrada, saida, titulo, progresso);
    return gis::kMsgDeclividadeConcluida;
}

std::string TFDeclividade::TituloPadrao(const std::filesystem::path& entrada) const
{
    return gis::TituloPadraoDeclividade(entrada);
}

static const TRegistroFerramenta registro(TFerramenta::Declividade, [](TContextoPrograma& c) {
    TFDeclividade janela(c, c.Principal);
    janela.exec();
});

} // namespace vastrel::gui
