#include "DimensionamentoReferencias.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "Modulos.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Locale.h"
#include "engine/TabelasReferencia.h"
#include "engine/Terreno.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vastrel::gui {

// ---------------------------------------------------------------------------
// Keystroke filter

TFiltroNumerico::TFiltroNumerico(QObject* pai, TAoTeclar aoTeclar) : QObject(pai), aoTeclar_(std::move(aoTeclar)) {}

void TFiltroNumerico::Instalar(QLineEdit* campo) { campo->installEventFilter(this); }

bool TFiltroNumerico::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* campo = qobject_cast<QLineEdit*>(o);
    auto* k = static_cast<QKeyEvent*>(e);
    const QString t = k->text();
    if (!campo || t.isEmpty() || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    QChar ch = t[0];
    const bool retrocesso = k->key() == Qt::Key_Backspace || ch == QChar('\b');
    if (!retrocesso && ch.unicode() < 32)
        return false; // Enter, Tab, Escape keep their meaning
    const QChar dec = QChar(DecimalSeparator());
    if (ch == QChar(ThousandSeparator()))
        ch = dec;
    bool aceita = retrocesso || (ch >= QChar('0') && ch <= QChar('9'));
    if (ch == dec) {
        const QString resto = campo->hasSelectedText()
                                  ? campo->text().remove(campo->selectionStart(), campo->selectedText().size())
                                  : campo->text();
        aceita = !resto.contains(dec);
    }
    bool consumida = !aceita;
    if (aceita && !retrocesso && ch != t[0]) {
        campo->insert(QString(ch));
        consumida = true;
    }
    if (aoTeclar_)
        aoTeclar_(campo, aceita);
    return consumida;
}

QString TextoParaEdit(const QString& rotulo)
{
    QString t = rotulo.trimmed();
    if (t.size() > 1 && (t[1] == QChar(',') || t[1] == QChar('.')))
        t[1] = QChar(DecimalSeparator());
    return t;
}

// ---------------------------------------------------------------------------
// The table dialog

TFTabelaReferencia::TFTabelaReferencia(TContextoPrograma& c, const QString& titulo,
                                       const std::vector<QString>& cabecalhos, const QString& rotuloValor,
                                       const std::vector<TOpcaoReferencia>& opcoes, const QString& citacao,
                                       int helpContext, QWidget* pai)
    : QDialog(pai), Contexto(c), Opcoes(opcoes)
{
    setWindowTitle(titulo);
    auto* corpo = new QVBoxLayout;
    auto* grade = new QGridLayout;
    for (std::size_t i = 0; i < cabecalhos.size(); ++i) {
        auto* l = new QLabel("<b>" + cabecalhos[i] + "</b>", this);
        grade->addWidget(l, 0, static_cast<int>(i == 0 ? 0 : i + 0), 1, 1);
    }
    grupo_ = new QButtonGroup(this);
    int linha = 1;
    for (std::size_t i = 0; i < opcoes.size(); ++i) {
        const TOpcaoReferencia& op = opcoes[i];
        if (!op.Grupo.isEmpty()) {
            auto* g = new QLabel("<i>" + op.Grupo.toHtmlEscaped() + "</i>", this);
            grade->addWidget(g, linha++, 0, 1, static_cast<int>(cabecalhos.size()));
        }
        auto* r = new QRadioButton(op.Texto, this);
        r->setObjectName(QStringLiteral("Opcao%1").arg(i + 1));
        grupo_->addButton(r, static_cast<int>(i + 1));
        grade->addWidget(r, linha, 0);
        for (std::size_t j = 0; j < op.Colunas.size(); ++j) {
            auto* v = new QLabel(op.Colunas[j], this);
            v->setObjectName(QStringLiteral("Valor%1_%2").arg(i + 1).arg(j + 1));
            grade->addWidget(v, linha, static_cast<int>(j + 1));
        }
        ++linha;
    }
    corpo->addLayout(grade);
    auto* linhaValor = new QHBoxLayout;
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("EditValor"));
    auto* rotulo = new QLabel(rotuloValor, this);
    rotulo->setBuddy(edit_);
    linhaValor->addWidget(rotulo);
    linhaValor->addWidget(edit_);
    linhaValor->addStretch();
    corpo->addLayout(linhaValor);
    auto* cit = new QLabel(citacao, this);
    cit->setWordWrap(true);
    cit->setStyleSheet(QStringLiteral("font-size: 8pt; color: #333;"));
    corpo->addWidget(cit);

    ok_ = Botao(this, QStringLiteral("&OK"), QStringLiteral("OK"));
    ok_->setDefault(true);
    cancelar_ = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    ajuda_ = Botao(this, QStringLiteral("&Ajuda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok_, cancelar_, ajuda_});
    c.Ajuda.Ligar(this, helpContext, ajuda_);

    auto* filtro = new TFiltroNumerico(this, [this](QLineEdit*, bool aceita) { AoTeclar(aceita); });
    filtro->Instalar(edit_);
    connect(edit_, &QLineEdit::textChanged, this, [this] { AtualizarOK(); });
    connect(grupo_, &QButtonGroup::idClicked, this, [this](int id) { AoClicar(id); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        if (Confirmar())
            accept();
    });
    connect(cancelar_, &QPushButton::clicked, this, [this] {
        AoCancelar();
        reject();
    });
}

QRadioButton* TFTabelaReferencia::Opcao(int indice) const
{
    return qobject_cast<QRadioButton*>(grupo_->button(indice));
}

int TFTabelaReferencia::OpcaoMarcada() const { return grupo_->checkedId() > 0 ? grupo_->checkedId() : 0; }

void TFTabelaReferencia::Desmarcar()
{
    grupo_->setExclusive(false);
    for (QAbstractButton* b : grupo_->buttons())
        b->setChecked(false);
    grupo_->setExclusive(true);
}

void TFTabelaReferencia::ClicarOpcao(int indice)
{
    if (QRadioButton* r = Opcao(indice)) {
        r->setChecked(true);
        AoClicar(indice);
    }
}

void TFTabelaReferencia::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!mostrado_) {
        mostrado_ = true;
        AoMostrar();
        AtualizarOK();
    }
}

void TFTabelaReferencia::AtualizarOK()
{ ok_->setEnabled(!edit_->text().isEmpty()); }

void TFTabelaReferencia::Erro(const QString& texto) { Contexto.Dialogos.Erro(this, texto); }

bool TFTabelaReferencia::LerValor()
{
    const auto v = ParseFloat(S(edit_->text().trimmed()));
    if (!v || !std::isfinite(*v)) {
        Erro(QStringLiteral("'%1' não é um valor numérico válido.").arg(edit_->text()));
        edit_->setFocus();
        return false;
    }
    Valor = *v;
    return true;
}

namespace {

QString Fmt(const char* mascara, double v) { return Q(FormatFloat(mascara, v)); }

} // namespace

// ---------------------------------------------------------------------------
// Z

namespace {

std::vector<TOpcaoReferencia> OpcoesDialogoZ()
{
    std::vector<TOpcaoReferencia> r;
    for (const TOpcaoZ& o : OpcoesZ) {
        const bool digitada = o.Z == 0;
        const QString rot = digitada ? QStringLiteral("---") : Fmt(" 0.00", o.Z);
        r.push_back({{}, Q(std::string(o.Material)), {rot}, digitada ? QString() : TextoParaEdit(rot)});
    }
    return r;
}

} // namespace

TFZ::TFZ(TContextoPrograma& c, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Declividades recomendadas para taludes de canais não revestidos"),
                         {QStringLiteral("Material"), QStringLiteral("Valores de Z")}, QStringLiteral("Valor de &Z :"),
                         OpcoesDialogoZ(), Q(std::string(FonteZ)),
                         helpContext, pai)
{
}

void TFZ::AoMostrar()
{
    if (Opcao(Indice))
        Opcao(Indice)->setChecked(true);
    lembrado_ = Indice;
    if (Valor != 0)
        EditValor()->setText(Q(FloatToStr(Valor)));
}

void TFZ::AoClicar(int indice)
{
    Indice = indice;
    if (indice == kOpcaoZDigitada)
        EditValor()->setFocus();
    else
        EditValor()->setText(Opcoes[static_cast<std::size_t>(indice - 1)].ValorEdit);
}

void TFZ::AoTeclar(bool aceita)
{
    if (aceita) {
        Opcao(kOpcaoZDigitada)->setChecked(true);
        Indice = kOpcaoZDigitada;
    }
}

bool TFZ::Confirmar()
{
    if (EditValor()->text().isEmpty()) {
        Erro(QStringLiteral("Valor do parâmetro Z inconsistente."));
        EditValor()->setFocus();
        return false;
    }
    return LerValor();
}

void TFZ::AoCancelar()
{
    Desmarcar();
    Indice = lembrado_;
}

// ---------------------------------------------------------------------------
// Sm

namespace {

std::vector<TOpcaoReferencia> OpcoesDialogoSm(const std::string& unidade, int k)
{
    const char* mascara = unidade == "%" ? " 0.0" : " 0.000";
    std::vector<TOpcaoReferencia> r;
    for (const TOpcaoSm& o : OpcoesSm) {
        QString rot = Fmt(mascara, o.Baixo * k);
        if (o.Alto != o.Baixo)
            rot += QStringLiteral(" a ") + Fmt(mascara, o.Alto * k).trimmed();
        r.push_back({{}, Q(std::string(o.Linha1)) + "\n" + Q(std::string(o.Linha2)), {rot}, rot.trimmed()});
    }
    return r;
}

} // namespace

TFSm::TFSm(TContextoPrograma& c, const std::string& unidade, int multiplicador, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Valores de Sm para seções transversais típicas construídas pela CODASP"),
                         {QStringLiteral("Tipo de terraço e forma de construção"), QStringLiteral("Valor de Sm")},
                         QStringLiteral("Valor de &Sm :"), OpcoesDialogoSm(unidade, multiplicador),
                         Q(std::string(FonteSm)),
                         helpContext, pai),
      k_(multiplicador)
{
}

void TFSm::AtualizarOK()
{
    BotaoOK()->setEnabled(!EditValor()->text().isEmpty() && EditValor()->text() != TextoFaixa());
}

QString TFSm::TextoFaixa() const { return Opcoes[kOpcaoSmFaixa - 1].ValorEdit; }

void TFSm::AoMostrar()
{
    if (Opcao(Indice))
        Opcao(Indice)->setChecked(true);
    if (Valor != 0)
        EditValor()->setText(Q(FloatToStr(Valor)));
    EditValor()->selectAll();
}

void TFSm::AoClicar(int indice)
{
    Indice = indice;
    EditValor()->setText(Opcoes[static_cast<std::size_t>(indice - 1)].ValorEdit);
}

void TFSm::AoTeclar(bool)
{
    if (OpcaoMarcada() != kOpcaoSmFaixa)
        Indice = -1;
}

bool TFSm::Confirmar()
{
    if (OpcaoMarcada() == kOpcaoSmFaixa) {
        // The typed value must lie in the range of the option.
        const auto v = ParseFloat(S(EditValor()->text().trimmed()));
        if (!v || !SmNaFaixa(kOpcaoSmFaixa, *v, k_)) {
            Contexto.Dialogos.Aviso(this, Q(AvisoFaixaSm(k_)));
            EditValor()->setFocus();
            return false;
        }
    }
    if (!LerValor())
        return false;
    Desmarcar();
    return true;
}

void TFSm::AoCancelar() { Desmarcar(); }

// ---------------------------------------------------------------------------
// Terrain roughness

namespace {

// The options of a roughness table: the heading, the option, the interval
// or the three values, and the value taken into the edit.
template <std::size_t N>
std::vector<TOpcaoReferencia> OpcoesRugosidade(const std::array<TOpcaoRugosidade, N>& tabela, bool intervalo)
{
    std::vector<TOpcaoReferencia> r;
    for (const TOpcaoRugosidade& x : tabela) {
        const QString v = Fmt("0.000", x.Normal);
        std::vector<QString> colunas;
        if (intervalo)
            colunas = {Fmt("0.000", x.Minimo) + " - " + Fmt("0.000", x.Maximo), v};
        else
            colunas = {Fmt("0.000", x.Minimo), v, Fmt("0.000", x.Maximo)};
        r.push_back({Q(std::string(x.Grupo)), Q(std::string(x.Opcao)), colunas, TextoParaEdit(v)});
    }
    return r;
}

} // namespace

TFRugTer::TFRugTer(TContextoPrograma& c, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Consulta a valores de rugosidade do terreno"),
                         {QString(), QStringLiteral("Intervalo"), QStringLiteral("Valor")},
                         QStringLiteral("&Valor da rugosidade:"), OpcoesRugosidade(OpcoesRugosidadeTerreno, true),
                         Q(std::string(FonteRugosidadeTerreno)),
                         helpContext, pai)
{
}

void TFRugTer::AoMostrar()
{
    if (Opcao(Indice))
        ClicarOpcao(Indice);
    if (Valor != 0)
        EditValor()->setText(Q(FloatToStr(Valor)));
    lembrado_ = Indice;
}

void TFRugTer::AoClicar(int indice)
{
    Indice = indice;
    EditValor()->setText(Opcoes[static_cast<std::size_t>(indice - 1)].ValorEdit);
}

void TFRugTer::AoTeclar(bool aceita)
{
    if (aceita)
        Indice = 0;
}

bool TFRugTer::Confirmar()
{
    if (EditValor()->text().isEmpty()) {
        Erro(QStringLiteral("Valor de rugosidade inconsistente."));
        EditValor()->setFocus();
        return false;
    }
    return LerValor();
}

void TFRugTer::AoCancelar() { Indice = lembrado_; }

TFRugCan::TFRugCan(TContextoPrograma& c, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Consulta a valores de rugosidade do canal"),
                         {QString(), QStringLiteral("Mínimo"), QStringLiteral("Normal"), QStringLiteral("Máximo")},
                         QStringLiteral("&Valor da rugosidade:"), OpcoesRugosidade(OpcoesRugosidadeCanal, false),
                         Q(std::string(FonteRugosidadeCanal)),
                         helpContext, pai)
{
}

void TFRugCan::AoMostrar()
{
    if (Opcao(Indice))
        ClicarOpcao(Indice);
    if (Valor != 0)
        EditValor()->setText(Q(FloatToStr(Valor)));
}

void TFRugCan::AoClicar(int indice)
{
    Indice = indice;
    EditValor()->setText(Opcoes[static_cast<std::size_t>(indice - 1)].ValorEdit);
}

void TFRugCan::AoTeclar(bool aceita)
{
    if (aceita) {
        Indice = 0;
        Desmarcar();
    }
}

bool TFRugCan::Confirmar()
{
    if (OpcaoMarcada() > 0)
        Indice = OpcaoMarcada();
    if (EditValor()->text().isEmpty()) {
        Erro(QStringLiteral("Valor de rugosidade inconsistente."));
        EditValor()->setFocus();
        return false;
    }
    return LerValor();
}

// ---------------------------------------------------------------------------
// Land cover

namespace {

QGroupBox* GrupoRadios(QWidget* pai, const QString& titulo, const QStringList& itens, QButtonGroup*& grupo,
                       const QString& nome)
{
    auto* caixa = new QGroupBox(titulo, pai);
    caixa->setObjectName(nome);
    auto* l = new QVBoxLayout(caixa);
    grupo = new QButtonGroup(caixa);
    for (int i = 0; i < itens.size(); ++i) {
        auto* r = new QRadioButton(itens[i], caixa);
        grupo->addButton(r, i);
        l->addWidget(r);
    }
    return caixa;
}

void Limpar(QButtonGroup* g)
{
    g->setExclusive(false);
    for (QAbstractButton* b : g->buttons())
        b->setChecked(false);
    g->setExclusive(true);
}

void Marcar(QButtonGroup* g, int id)
{
    if (QAbstractButton* b = g->button(id))
        b->setChecked(true);
}

} // namespace

namespace {

QStringList Nomes(const auto& nomes, std::size_t primeiro)
{
    QStringList r;
    for (std::size_t i = primeiro; i < nomes.size(); ++i)
        r << Q(std::string(nomes[i]));
    return r;
}

// Enables the items of `g` (ids = class − 1) whose class is in `permitidas`.
void Habilitar(QButtonGroup* g, const std::vector<int>& permitidas)
{
    for (QAbstractButton* b : g->buttons())
        b->setEnabled(std::find(permitidas.begin(), permitidas.end(), g->id(b) + 1) != permitidas.end());
}

} // namespace

TFCober::TFCober(TContextoPrograma& c, int helpContext, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Definição da Cobertura Vegetal"));
    auto* corpo = new QHBoxLayout;
    corpo->addWidget(GrupoRadios(this, QStringLiteral(" U&so da terra "), Nomes(NomesUsoTerra, 0), uso_,
                                 QStringLiteral("RGUsoTerra")));
    corpo->addWidget(GrupoRadios(this, QStringLiteral(" &Tratamento "), Nomes(NomesTratamento, 1), trat_,
                                 QStringLiteral("RGTratamento")));
    corpo->addWidget(GrupoRadios(this, QStringLiteral(" Condição &hidrológica "),
                                 Nomes(NomesCondicaoHidrologica, 1), cond_, QStringLiteral("RGCondicao")));
    auto* ok = Botao(this, QStringLiteral("&OK"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("&Ajuda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, helpContext, ajuda);
    connect(uso_, &QButtonGroup::idClicked, this, [this](int id) { ClicarUso(id); });
    connect(trat_, &QButtonGroup::idClicked, this, [this](int id) { ClicarTratamento(id + 1); });
    connect(ok, &QPushButton::clicked, this, [this] {
        Confirmar();
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFCober::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (mostrado_)
        return;
    mostrado_ = true;
    // Opens on the stored choice, with the items its land use offers.
    Mostrar({UsoTerra, Tratamento, Condicao});
}

void TFCober::Mostrar(const TEscolhaCobertura& escolha)
{
    Limpar(uso_);
    Limpar(trat_);
    Limpar(cond_);
    Marcar(uso_, escolha.UsoTerra);
    Habilitar(trat_, TratamentosPermitidos(escolha.UsoTerra));
    Habilitar(cond_, CondicoesPermitidas(escolha.UsoTerra, escolha.Tratamento));
    Marcar(trat_, escolha.Tratamento - 1);
    Marcar(cond_, escolha.CondicaoHidrologica - 1);
}

TEscolhaCobertura TFCober::Escolha() const
{
    return {std::max(0, uso_->checkedId()), trat_->checkedId() + 1, cond_->checkedId() + 1};
}

void TFCober::ClicarUso(int indice) { Mostrar(CoberturaAoEscolherUso(indice)); }

void TFCober::ClicarTratamento(int tratamento) { Mostrar(CoberturaAoEscolherTratamento(Escolha(), tratamento)); }

void TFCober::Confirmar()
{
    const TEscolhaCobertura e = CoberturaConfirmada(Escolha());
    UsoTerra = e.UsoTerra;
    Tratamento = e.Tratamento;
    Condicao = e.CondicaoHidrologica;
}

// ---------------------------------------------------------------------------
// Components

namespace {

template <class TDialogo>
bool ExecutarTabela(TDialogo& d, TValorReferencia& v)
{
    d.Indice = v.Indice;
    d.Valor = v.Valor;
    if (d.exec() != QDialog::Accepted)
        return false;
    v.Indice = d.Indice;
    v.Valor = d.Valor;
    return true;
}

} // namespace

bool TZ::Executar(TContextoPrograma& c, QWidget* pai)
{
    TFZ d(c, HelpContext, pai);
    return ExecutarTabela(d, *this);
}

bool TSm::Executar(TContextoPrograma& c, QWidget* pai)
{
    if (UDeclive != "%" && UDeclive != "m/m")
        throw Exception("É necessário entrar com uma unidade de declividade (% ou m/m)");
    if (KDeclive != 1 && KDeclive != 100)
        throw Exception("É necessário entrar com um multiplicador de unidade de declividade (1 ou 100)");
    TFSm d(c, UDeclive, KDeclive, HelpContext, pai);
    return ExecutarTabela(d, *this);
}

bool TRugTer::Executar(TContextoPrograma& c, QWidget* pai)
{
    TFRugTer d(c, HelpContext, pai);
    return ExecutarTabela(d, *this);
}

bool TRugCan::Executar(TContextoPrograma& c, QWidget* pai)
{
    TFRugCan d(c, HelpContext, pai);
    return ExecutarTabela(d, *this);
}

bool TCoberturaDialogo::Executar(TContextoPrograma& c, QWidget* pai)
{
    TFCober d(c, HelpContext, pai);
    d.UsoTerra = UsoTerra;
    d.Tratamento = Tratamento;
    d.Condicao = CondicaoHidrologica;
    if (d.exec() != QDialog::Accepted)
        return false;
    UsoTerra = d.UsoTerra;
    Tratamento = d.Tratamento;
    CondicaoHidrologica = d.Condicao;
    return true;
}

bool EscolherCobertura(TCobertura& cobertura, int ajuda, TContextoPrograma& c, QWidget* pai)
{
    TCoberturaDialogo d;
    d.UsoTerra = cobertura.UsoTerra.Indice;
    d.Tratamento = cobertura.Tratamento.Indice;
    d.CondicaoHidrologica = cobertura.CondicaoHidrologica.Indice;
    d.HelpContext = ajuda;
    if (!d.Executar(c, pai))
        return false;
    cobertura.UsoTerra.Indice = static_cast<std::uint8_t>(d.UsoTerra);
    cobertura.Tratamento.Indice = static_cast<std::uint8_t>(d.Tratamento);
    cobertura.CondicaoHidrologica.Indice = static_cast<std::uint8_t>(d.CondicaoHidrologica);
    return true;
}

} // namespace vastrel::gui
