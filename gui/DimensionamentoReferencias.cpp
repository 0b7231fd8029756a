#include "DimensionamentoReferencias.h"

#include "Ajuda.h"
#include "Dialogos.h"
#include "Modulos.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Locale.h"
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

std::vector<TOpcaoReferencia> OpcoesZ()
{
    const char* nomes[] = {" &Rocha firme", " Roc&ha fissurada", " &Solo firme", " So&lo argilo-arenoso",
                           " Solo &areno-argiloso", " Ou&tros"};
    const double z[] = {0.25, 0.50, 1.00, 1.50, 2.50};
    std::vector<TOpcaoReferencia> r;
    for (int i = 0; i < 6; ++i) {
        const QString rot = i < 5 ? Fmt(" 0.00", z[i]) : QStringLiteral("---");
        r.push_back({{}, QString::fromUtf8(nomes[i]), {rot}, i < 5 ? TextoParaEdit(rot) : QString()});
    }
    return r;
}

} // namespace

TFZ::TFZ(TContextoPrograma& c, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Declividades recomendadas para taludes de canais não revestidos"),
                         {QStringLiteral("Material"), QStringLiteral("Valores de Z")}, QStringLiteral("Valor de &Z :"),
                         OpcoesZ(),
                         QStringLiteral("Fonte: Daker, A. A água na agricultura: irrigação e drenagem. "
                                        "3º volume. Rio de Janeiro, Freitas Bastos."),
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
    if (indice == 6)
        EditValor()->setFocus();
    else
        EditValor()->setText(Opcoes[static_cast<std::size_t>(indice - 1)].ValorEdit);
}

void TFZ::AoTeclar(bool aceita)
{
    if (aceita) {
        Opcao(6)->setChecked(true);
        Indice = 6;
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

constexpr double kSmBaixo = 0.186, kSmAlto = 0.221;

std::vector<TOpcaoReferencia> OpcoesSm(const std::string& unidade, int k)
{
    const char* linhas[][2] = {
        {"&Vastrel embutido em nível, construído com trator de", "esteiras FIAT AD7 B"},
        {"T&erraço embutido em nível, construído com trator de", "esteiras FIAT AD14"},
        {"Te&rraço embutido em nível, construído com", "motoniveladora DRESSER 140C"},
        {"Terr&aço base larga em nível, construído com trator",
         "VALMET 1580 tracionando terraceador (sem acabamento)"},
        {"Vastrel &base larga com gradiente, construído com trator",
         "VALMET 1580 tracionando terraceador (sem acabamento)"},
        {"Vastrel ba&se larga com gradiente, construído com trator",
         "VALMET 1580 tracionando terraceador (acabamento com aiveca)"},
        {"Vastrel base &larga em nível, construído com", "motoniveladora HUBER WARCO 140 M"},
        {"Vastrel leirão ou &murundum em nível, construído com trator", "de esteiras FIAT AD& B"},
    };
    const double sm[] = {0.721, 0.679, 0.667, 0.213, 0.170, 0.164, 0, 0.418};
    const char* mascara = unidade == "%" ? " 0.0" : " 0.000";
    std::vector<TOpcaoReferencia> r;
    for (int i = 0; i < 8; ++i) {
        QString rot = i == 6 ? Fmt(mascara, kSmBaixo * k) + QStringLiteral(" a ") + Fmt(mascara, kSmAlto * k).trimmed()
                             : Fmt(mascara, sm[i] * k);
        r.push_back({{}, QString::fromUtf8(linhas[i][0]) + "\n" + QString::fromUtf8(linhas[i][1]), {rot},
                     rot.trimmed()});
    }
    return r;
}

} // namespace

TFSm::TFSm(TContextoPrograma& c, const std::string& unidade, int multiplicador, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Valores de Sm para seções transversais típicas construídas pela CODASP"),
                         {QStringLiteral("Tipo de terraço e forma de construção"), QStringLiteral("Valor de Sm")},
                         QStringLiteral("Valor de &Sm :"), OpcoesSm(unidade, multiplicador),
                         QStringLiteral("Fonte: Manual técnico de mecanização agrícola: terraceamento. "
                                        "Campinas, CATI/CODASP."),
                         helpContext, pai),
      k_(multiplicador)
{
}

void TFSm::AtualizarOK()
{
    BotaoOK()->setEnabled(!EditValor()->text().isEmpty() && EditValor()->text() != TextoFaixa());
}

QString TFSm::TextoFaixa() const { return Opcoes[6].ValorEdit; }

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
    if (OpcaoMarcada() != 7)
        Indice = -1;
}

bool TFSm::Confirmar()
{
    if (OpcaoMarcada() == 7) {
        // The typed value must lie in the range of the option.
        const auto v = ParseFloat(S(EditValor()->text().trimmed()));
        const double baixo = kSmBaixo * k_, alto = kSmAlto * k_, folga = 1e-9 * k_;
        if (!v || *v < baixo - folga || *v > alto + folga) {
            Contexto.Dialogos.Aviso(this, QStringLiteral("Valor de Sm inconsistente. Forneça um valor compreendido "
                                                         "entre:[") +
                                              Q(FloatToStr(baixo)) + " .. " + Q(FloatToStr(alto)) + "].");
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

std::vector<TOpcaoReferencia> OpcoesRugTer()
{
    struct L {
        const char *grupo, *opcao;
        double min, max, nt;
    };
    const L l[] = {
        {"Cultura em linha - Preparo primário com aiveca", "&Superfície plana", 0.070, 0.100, 0.085},
        {"", "S&uperfície cultivada", 0.090, 0.120, 0.110},
        {"Cultura em linha - Escarificador", "Super&fície plana", 0.080, 0.120, 0.100},
        {"", "Sup&erfície cultivada", 0.100, 0.140, 0.120},
        {"Sem preparo", "&Resíduo normal", 0.100, 0.150, 0.120},
        {"", "&Muito resíduo", 0.130, 0.170, 0.150},
        {"Grama ou pastagem", "&Pouca cobertura", 0.065, 0.100, 0.080},
        {"", "Cober&tura média", 0.090, 0.120, 0.100},
        {"", "&Boa cobertura", 0.100, 0.140, 0.120},
        {"Pequenos grãos", "Resí&duos removidos", 0.090, 0.120, 0.100},
        {"", "Resíduos &incorporados", 0.110, 0.140, 0.120},
        {"Florestas ou áreas de reflorestamento", "Árvores pe&quenas", 0.120, 0.180, 0.150},
        {"", "Árvores &grandes", 0.150, 0.250, 0.200},
        {"Terra arada - Arado de aiveca", "Superfície p&lana", 0.010, 0.050, 0.035},
        {"", "Superfície rugos&a", 0.250, 0.500, 0.350},
        {"Terra arada - Escarificador", "Superfície pla&na", 0.030, 0.080, 0.050},
        {"", "Superfície rugosa", 0.150, 0.500, 0.250},
        {"Terra arada - Arado de disco", "Superfície plana", 0.030, 0.070, 0.040},
        {"", "Superfície rugosa", 0.100, 0.400, 0.200},
    };
    std::vector<TOpcaoReferencia> r;
    for (const L& x : l) {
        const QString v = Fmt("0.000", x.nt);
        r.push_back({QString::fromUtf8(x.grupo), QString::fromUtf8(x.opcao),
                     {Fmt("0.000", x.min) + " - " + Fmt("0.000", x.max), v}, TextoParaEdit(v)});
    }
    return r;
}

std::vector<TOpcaoReferencia> OpcoesRugCan()
{
    struct L {
        const char *grupo, *opcao;
        double min, normal, max;
    };
    const L l[] = {
        {"Canal de terra retilíneo e uniforme", "&Limpo, recentemente construído", 0.016, 0.018, 0.020},
        {"", "L&impo, mas já tendo sofrido intemperismo", 0.018, 0.022, 0.025},
        {"", "&Escascalhado, seção uniforme, limpo", 0.022, 0.025, 0.030},
        {"", "Co&m grama curta, poucas ervas daninhas", 0.022, 0.027, 0.033},
        {"Canal de terra sinuoso", "&Sem vegetação", 0.023, 0.025, 0.030},
        {"", "&Grama, algumas ervas daninhas", 0.025, 0.030, 0.033},
        {"", "E&rvas daninhas densas, plantas aquáticas em canais profundos", 0.030, 0.035, 0.040},
        {"", "&Fundo em terra e lados escascalhados", 0.028, 0.030, 0.035},
        {"", "Fun&do em cascalho e taludes com ervas daninhas", 0.025, 0.035, 0.040},
    };
    std::vector<TOpcaoReferencia> r;
    for (const L& x : l) {
        const QString v = Fmt("0.000", x.normal);
        r.push_back({QString::fromUtf8(x.grupo), QString::fromUtf8(x.opcao),
                     {Fmt("0.000", x.min), v, Fmt("0.000", x.max)}, TextoParaEdit(v)});
    }
    return r;
}

} // namespace

TFRugTer::TFRugTer(TContextoPrograma& c, int helpContext, QWidget* pai)
    : TFTabelaReferencia(c, QStringLiteral("Consulta a valores de rugosidade do terreno"),
                         {QString(), QStringLiteral("Intervalo"), QStringLiteral("Valor")},
                         QStringLiteral("&Valor da rugosidade:"), OpcoesRugTer(),
                         QStringLiteral("Fonte: Engman, E. T. Roughness coefficients for routing surface runoff. "
                                        "Journal of Irrigation and Drainage Engineering, ASCE, 1986."),
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
                         QStringLiteral("&Valor da rugosidade:"), OpcoesRugCan(),
                         QStringLiteral("Fonte: Chow, V. T. Open-channel hydraulics. New York, McGraw-Hill, 1959."),
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

TFCober::TFCober(TContextoPrograma& c, int helpContext, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(QStringLiteral("Definição da Cobertura Vegetal"));
    auto* corpo = new QHBoxLayout;
    corpo->addWidget(GrupoRadios(this, QStringLiteral(" U&so da terra "),
                                 {QStringLiteral("Sem cultivo"), QStringLiteral("Cultivo em fileiras"),
                                  QStringLiteral("Cultivo em fileiras estreitas"),
                                  QStringLiteral("Leguminosas em fileiras estreitas"),
                                  QStringLiteral("Pastagem para pastoreio"), QStringLiteral("Floresta")},
                                 uso_, QStringLiteral("RGUsoTerra")));
    corpo->addWidget(GrupoRadios(this, QStringLiteral(" &Tratamento "),
                                 {QStringLiteral("Fileiras retas"), QStringLiteral("Com curvas de nível"),
                                  QStringLiteral("Curvas de nível e terraço")},
                                 trat_, QStringLiteral("RGTratamento")));
    corpo->addWidget(GrupoRadios(this, QStringLiteral(" Condição &hidrológica "),
                                 {QStringLiteral("Má"), QStringLiteral("Regular"), QStringLiteral("Boa")}, cond_,
                                 QStringLiteral("RGCondicao")));
    auto* ok = Botao(this, QStringLiteral("&OK"), QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancelar = Botao(this, QStringLiteral("&Cancelar"), QStringLiteral("Cancelar"));
    auto* ajuda = Botao(this, QStringLiteral("&Ajuda"), QStringLiteral("Ajuda"));
    MontarDialogoFixo(this, corpo, {ok, cancelar, ajuda});
    c.Ajuda.Ligar(this, helpContext, ajuda);
    connect(uso_, &QButtonGroup::idClicked, this, [this](int id) { ClicarUso(id); });
    connect(ok, &QPushButton::clicked, this, [this] {
        Confirmar();
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TFCober::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Limpar(uso_);
    Marcar(uso_, UsoTerra);
    // Enables the items the land use allows, then shows the stored choices.
    ClicarUso(UsoTerra);
    Limpar(trat_);
    Limpar(cond_);
    Marcar(trat_, Tratamento - 1);
    Marcar(cond_, Condicao - 1);
}

void TFCober::ClicarUso(int indice)
{
    Marcar(uso_, indice);
    Limpar(trat_);
    Limpar(cond_);
    const auto habilitar = [](QButtonGroup* g, std::initializer_list<bool> h) {
        int i = 0;
        for (bool x : h)
            g->button(i++)->setEnabled(x);
    };
    if (indice == 0) {
        habilitar(cond_, {false, false, false});
        habilitar(trat_, {true, false, false});
        Marcar(trat_, 0);
        Tratamento = 1;
    } else if (indice <= 3) {
        habilitar(cond_, {true, false, true});
        habilitar(trat_, {true, true, true});
        Marcar(cond_, 0);
        Marcar(trat_, 0);
        Tratamento = 1;
    } else if (indice == 4) {
        habilitar(cond_, {true, true, true});
        habilitar(trat_, {false, true, false});
        Marcar(cond_, 0);
        Marcar(trat_, 1);
        Tratamento = 2;
    } else {
        habilitar(cond_, {true, true, true});
        habilitar(trat_, {false, false, false});
        Marcar(cond_, 0);
        Tratamento = 0;
    }
}

void TFCober::Confirmar()
{
    UsoTerra = std::max(0, uso_->checkedId());
    Condicao = cond_->checkedId() + 1;
    Tratamento = trat_->checkedId() + 1;
    if (UsoTerra == 5)
        Tratamento = 0;
    if (UsoTerra == 0)
        Condicao = 0;
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
