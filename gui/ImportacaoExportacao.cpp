#include "ImportacaoExportacao.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "common/Format.h"
#include "gis/Bytes.h"
#include "gis/ErrosGis.h"
#include "gis/Gdal.h"
#include "project/Projeto.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <functional>
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
    if (formato == TFormatoExterno::Gdal) {
        if (modo == TModoConversao::Importacao)
            return tipo == TTipoDadoGis::Raster
                       ? TFiltros{gis::kFiltroRasterGdal, "Arquivo imagem do Vastrel 2.0 (*.ras)|*.ras"}
                       : TFiltros{gis::kFiltroVetorGdal, "Arquivo vetor do Vastrel 2.0 (*.vet)|*.vet"};
        return tipo == TTipoDadoGis::Raster
                   ? TFiltros{"Arquivo imagem do Vastrel 2.0 (*.ras)|*.ras", gis::kFiltroSaidaRasterGdal}
                   : TFiltros{"Arquivo vetor do Vastrel 2.0 (*.vet)|*.vet", gis::kFiltroSaidaVetorGdal};
    }
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
    d.Filtro = filtro;
    d.Extensao = S(Q(d.Filtro).section(QLatin1Char('|'), 1).remove(QLatin1Char('*')));
    d.Pasta = S(QCoreApplication::applicationDirPath());
    return d;
}

// The window's answers to the questions of a conversion.
class TPerguntasJanela : public gis::IPerguntasConversao {
public:
    TPerguntasJanela(TDialogos& dialogos, QWidget* janela, bool quilometro, std::function<gis::TOpcoesGdal()> gdal)
        : dialogos_(dialogos), janela_(janela), quilometro_(quilometro), gdal_(std::move(gdal))
    {
    }
    std::string UnidadeDistancia() override { return quilometro_ ? "km" : "m"; }
    void Informar(const std::string& mensagem) override { dialogos_.Informacao(janela_, Q(mensagem)); }
    gis::TOpcoesGdal OpcoesGdal() override { return gdal_(); }

private:
    TDialogos& dialogos_;
    QWidget* janela_;
    bool quilometro_;
    std::function<gis::TOpcoesGdal()> gdal_;
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
    : TDialogoProcesso(pai), contexto_(contexto), modo_(modo)
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
    // The third choice: the GIS formats (GeoTIFF, GeoPackage, KML ...).
    RadioButtonGdal = Radio(this, QStringLiteral("GDAL (GeoTIFF, GeoPackage, KML...)"), QStringLiteral("RadioButtonGdal"));
    GroupBox1->layout()->addWidget(RadioButtonGdal);
    GroupBox1->findChild<QButtonGroup*>()->addButton(RadioButtonGdal);
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

    // Options of the GIS formats: band, cell size and clip polygon of a raster
    // import; the raster whose coordinate system an exported vector takes.
    GroupBoxGdal = new QGroupBox(QStringLiteral("Opções do GDAL"), this);
    GroupBoxGdal->setObjectName(QStringLiteral("GroupBoxGdal"));
    LabelSistema = new QLabel(GroupBoxGdal);
    LabelSistema->setObjectName(QStringLiteral("LabelSistema"));
    LabelSistema->setWordWrap(true);
    SpinEditBanda = new QSpinBox(GroupBoxGdal);
    SpinEditBanda->setObjectName(QStringLiteral("SpinEditBanda"));
    SpinEditBanda->setRange(1, 1);
    EditCelula = Edit(GroupBoxGdal, QStringLiteral("EditCelula"), false);
    EditRecorte = Edit(GroupBoxGdal, QStringLiteral("EditRecorte"), true);
    EditRecorte->setPlaceholderText(QStringLiteral("sem recorte"));
    BitBtnRecorte = Botao(GroupBoxGdal, QStringLiteral("Polígono..."), QStringLiteral("BitBtnRecorte"));
    BitBtnSemRecorte = Botao(GroupBoxGdal, QStringLiteral("Sem recorte"), QStringLiteral("BitBtnSemRecorte"));
    EditRasterOrigem = Edit(GroupBoxGdal, QStringLiteral("EditRasterOrigem"), true);
    EditRasterOrigem->setPlaceholderText(QStringLiteral("o do próprio vetor (arquivo .prj ao lado)"));
    BitBtnRasterOrigem = Botao(GroupBoxGdal, QStringLiteral("Raster..."), QStringLiteral("BitBtnRasterOrigem"));
    auto* formGdal = new QFormLayout(GroupBoxGdal);
    formGdal->addRow(LabelSistema);
    formGdal->addRow(QStringLiteral("Banda:"), SpinEditBanda);
    formGdal->addRow(QStringLiteral("Tamanho da célula (m):"), EditCelula);
    auto* linhaRecorte = new QHBoxLayout;
    linhaRecorte->addWidget(EditRecorte, 1);
    linhaRecorte->addWidget(BitBtnRecorte);
    linhaRecorte->addWidget(BitBtnSemRecorte);
    formGdal->addRow(QStringLiteral("Recorte pela bacia:"), linhaRecorte);
    auto* linhaOrigem = new QHBoxLayout;
    linhaOrigem->addWidget(EditRasterOrigem, 1);
    linhaOrigem->addWidget(BitBtnRasterOrigem);
    formGdal->addRow(QStringLiteral("Sistema de coordenadas do raster:"), linhaOrigem);

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
    corpo->addWidget(GroupBoxGdal);
    MontarDialogoFixo(this, corpo, {BitBtnImport, BitBtnExport, BitBtn4, BitBtn5});

    // Showing the window: Idrisi, Raster and Metro.
    RadioButtonIdrisi->setChecked(true);
    RadioButtonRaster->setChecked(true);
    RadioButtonMetro->setChecked(true);
    GroupBox6->setVisible(false);
    MostrarOpcoesGdal();

    for (QRadioButton* r : {RadioButtonIdrisi, RadioButtonSurfer, RadioButtonGdal, RadioButtonRaster, RadioButtonVetor})
        connect(r, &QRadioButton::toggled, this, [this](bool marcado) {
            if (marcado)
                FormatoOuTipoAlterado();
        });
    connect(BitBtnAbrir, &QPushButton::clicked, this, &TFImportExport::BitBtnAbrirClick);
    connect(BitBtnSalvar, &QPushButton::clicked, this, &TFImportExport::BitBtnSalvarClick);
    connect(BitBtnImport, &QPushButton::clicked, this, &TFImportExport::BitBtnConverterClick);
    connect(BitBtnExport, &QPushButton::clicked, this, &TFImportExport::BitBtnConverterClick);
    connect(BitBtn4, &QPushButton::clicked, this, &TFImportExport::reject);
    connect(BitBtnRecorte, &QPushButton::clicked, this, &TFImportExport::BitBtnRecorteClick);
    connect(BitBtnSemRecorte, &QPushButton::clicked, this, [this] {
        recorte_.clear();
        EditRecorte->clear();
    });
    connect(BitBtnRasterOrigem, &QPushButton::clicked, this, &TFImportExport::BitBtnRasterOrigemClick);
    contexto_.Ajuda.Ligar(this, topico::ImportacaoExportacao, BitBtn5);
}

TFormatoExterno TFImportExport::Formato() const
{
    if (RadioButtonGdal->isChecked())
        return TFormatoExterno::Gdal;
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
    recorte_.clear();
    rasterOrigem_.clear();
    EditRecorte->clear();
    EditRasterOrigem->clear();
    EditCelula->clear();
    LabelSistema->clear();
    SpinEditBanda->setRange(1, 1);
}

// The options of the GIS formats that the mode and kind use: band, cell
// size and clip of a raster import; the source raster of a vector export.
void TFImportExport::MostrarOpcoesGdal()
{
    const bool gdal = Formato() == TFormatoExterno::Gdal;
    const bool importacao = modo_ == TModoConversao::Importacao;
    const bool raster = Tipo() == TTipoDadoGis::Raster;
    const bool opcoesRaster = gdal && importacao && raster;
    const bool opcoesVetor = gdal && !importacao && !raster;
    GroupBoxGdal->setVisible(opcoesRaster || opcoesVetor);
    auto* form = static_cast<QFormLayout*>(GroupBoxGdal->layout());
    // Rows: 0 systems, 1 band, 2 cell size, 3 clip polygon, 4 source raster.
    for (int linha = 0; linha < 4; ++linha)
        form->setRowVisible(linha, opcoesRaster);
    form->setRowVisible(4, opcoesVetor);
}

gis::TOpcoesGdal TFImportExport::OpcoesGdal() const
{
    gis::TOpcoesGdal o;
    o.Banda = SpinEditBanda->value();
    const QString celula = EditCelula->text().trimmed();
    if (!celula.isEmpty()) {
        const auto v = ParseFloat(S(celula));
        if (!v)
            throw gis::EEscolhaGis("Tamanho de célula inválido: '" + S(celula) + "' não é um número.");
        o.TamanhoCelula = *v;
    }
    o.Recorte = recorte_;
    o.RasterOrigem = rasterOrigem_;
    return o;
}

// Reads what the import will do with the chosen raster: its bands, the
// output's coordinate system and the proposed cell size. False, with the
// error shown, for a file GDAL cannot read.
bool TFImportExport::InspecionarGdal(const std::filesystem::path& p)
{
    try {
        const gis::TInfoRasterGdal i = gis::InspecionarRasterGdal(p);
        SpinEditBanda->setRange(1, i.Bandas);
        SpinEditBanda->setValue(1);
        EditCelula->setText(Q(FormatFloat("0.######", i.TamanhoCelulaProposto)));
        QString texto = Q(i.Formato) + QStringLiteral(", %1 × %2 células, %3 banda(s). Sistema: ")
                                           .arg(i.Colunas)
                                           .arg(i.Linhas)
                                           .arg(i.Bandas) +
                        (i.SistemaOrigem.empty() ? QStringLiteral("não informado (coordenadas tomadas em metros)")
                                                 : Q(i.SistemaOrigem));
        if (i.Reprojetar)
            texto += QStringLiteral(".\nSerá reprojetado para %1 (EPSG:%2).").arg(Q(i.SistemaDestino)).arg(i.EpsgDestino);
        LabelSistema->setText(texto);
        return true;
    } catch (const std::exception& e) {
        contexto_.Dialogos.Erro(this, Q(e.what()));
        BitBtnAbrir->setFocus();
        return false;
    }
}

void TFImportExport::BitBtnRecorteClick()
{
    if (executando_)
        return;
    const QString escolhido = contexto_.Dialogos.ArquivoAbrir(this, DialogoDe(gis::kFiltroVetorGdal));
    if (escolhido.isEmpty())
        return;
    recorte_ = std::filesystem::path(S(escolhido));
    EditRecorte->setText(escolhido);
}

void TFImportExport::BitBtnRasterOrigemClick()
{
    if (executando_)
        return;
    const QString escolhido =
        contexto_.Dialogos.ArquivoAbrir(this, DialogoDe("Arquivo imagem do Vastrel 2.0 (*.ras)|*.ras"));
    if (escolhido.isEmpty())
        return;
    rasterOrigem_ = std::filesystem::path(S(escolhido));
    EditRasterOrigem->setText(escolhido);
}

void TFImportExport::FormatoOuTipoAlterado()
{
    const bool importacao = modo_ == TModoConversao::Importacao;
    const bool surfer = Formato() == TFormatoExterno::Surfer;
    GroupBox6->setVisible(importacao && surfer);
    // Surfer files and the GIS formats carry no title.
    GroupBox2->setEnabled(importacao || Formato() == TFormatoExterno::Idrisi);
    Esquecer();
    MostrarOpcoesGdal();
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
    if (modo_ == TModoConversao::Importacao && Formato() == TFormatoExterno::Gdal && Tipo() == TTipoDadoGis::Raster &&
        !InspecionarGdal(p))
        return;
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
        escolhido += Q(d.Extensao);
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
    for (QWidget* w : std::initializer_list<QWidget*>{GroupBox1, GroupBox5, GroupBox6, GroupBoxGdal, BitBtnAbrir,
                                                      BitBtnSalvar, BitBtnImport, BitBtnExport, BitBtn4})
        w->setEnabled(livre);
    Edit3->setReadOnly(!livre);
}

void TFImportExport::BitBtnConverterClick()
{
    // A click that arrives while pending events run during a conversion.
    if (executando_)
        return;
    TPerguntasJanela perguntas(contexto_.Dialogos, this, RadioButtonKilom->isChecked(), [this] { return OpcoesGdal(); });
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

static const TRegistroFerramenta registroImportacao(TFerramenta::Importacao, [](TContextoPrograma& c) {
    TFImportExport janela(c, TModoConversao::Importacao, c.Principal);
    janela.exec();
});

static const TRegistroFerramenta registroExportacao(TFerramenta::Exportacao, [](TContextoPrograma& c) {
    TFImportExport janela(c, TModoConversao::Exportacao, c.Principal);
    janela.exec();
});

} // namespace vastrel::gui

