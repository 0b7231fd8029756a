#pragma once
// Reference values of the channel and terrain parameters: the side slope Z,
// the ridge face slope Sm, the terrain and channel roughness, and the land
// cover. Each component loads its value and option, shows its modal dialog
// (Executar) and on OK gives back what the user chose.

#include "engine/Terreno.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vastrel::gui {

struct TContextoPrograma;

// The keystroke filter of the numeric fields: the thousands separator
// becomes the decimal separator, a second decimal separator is refused, and
// only digits, backspace and the decimal separator pass. `aoTeclar` runs for
// every character key with whether it was accepted.
class TFiltroNumerico : public QObject {
public:
    using TAoTeclar = std::function<void(QLineEdit* campo, bool aceita)>;
    explicit TFiltroNumerico(QObject* pai, TAoTeclar aoTeclar = {});
    void Instalar(QLineEdit* campo);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    TAoTeclar aoTeclar_;
};

// One option of a reference table.
struct TOpcaoReferencia {
    QString Grupo;              // heading above the option, empty to continue the last
    QString Texto;              // caption of the option, "&" marks the access key
    std::vector<QString> Colunas; // value labels, in display form
    QString ValorEdit;          // text the option puts into the value edit
};

// The dialog shared by the four value tables.
class TFTabelaReferencia : public QDialog {
    Q_OBJECT
public:
    TFTabelaReferencia(TContextoPrograma& c, const QString& titulo, const std::vector<QString>& cabecalhos,
                       const QString& rotuloValor, const std::vector<TOpcaoReferencia>& opcoes,
                       const QString& citacao, int helpContext, QWidget* pai);

    int Indice = 0;
    double Valor = 0;

    QLineEdit* EditValor() const { return edit_; }
    QPushButton* BotaoOK() const { return ok_; }
    QPushButton* BotaoCancelar() const { return cancelar_; }
    QRadioButton* Opcao(int indice) const; // 1-based, null outside the table
    int OpcaoMarcada() const;              // 1-based, 0 none
    void Desmarcar();
    void ClicarOpcao(int indice);          // what a click on the option does

protected:
    virtual void AoMostrar() = 0;
    virtual void AoClicar(int indice) = 0;
    virtual void AoTeclar(bool aceita) = 0;
    virtual bool Confirmar() = 0;          // false keeps the dialog open
    virtual void AoCancelar() {}
    void showEvent(QShowEvent* e) override;
    virtual void AtualizarOK();
    bool LerValor();                       // the edit into Valor; the error shown and false when not a number
    void Erro(const QString& texto);

    TContextoPrograma& Contexto;
    std::vector<TOpcaoReferencia> Opcoes;

private:
    QButtonGroup* grupo_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QPushButton *ok_ = nullptr, *cancelar_ = nullptr, *ajuda_ = nullptr;
    bool mostrado_ = false;
};

class TFZ : public TFTabelaReferencia {
    Q_OBJECT
public:
    TFZ(TContextoPrograma& c, int helpContext, QWidget* pai = nullptr);

protected:
    void AoMostrar() override;
    void AoClicar(int indice) override;
    void AoTeclar(bool aceita) override;
    bool Confirmar() override;
    void AoCancelar() override;

private:
    int lembrado_ = 0;
};

class TFSm : public TFTabelaReferencia {
    Q_OBJECT
public:
    TFSm(TContextoPrograma& c, const std::string& unidade, int multiplicador, int helpContext, QWidget* pai = nullptr);
    QString TextoFaixa() const;

protected:
    void AtualizarOK() override;
    void AoMostrar() override;
    void AoClicar(int indice) override;
    void AoTeclar(bool aceita) override;
    bool Confirmar() override;
    void AoCancelar() override;

private:
    int k_;
};

class TFRugTer : public TFTabelaReferencia {
    Q_OBJECT
public:
    TFRugTer(TContextoPrograma& c, int helpContext, QWidget* pai = nullptr);

protected:
    void AoMostrar() override;
    void AoClicar(int indice) override;
    void AoTeclar(bool aceita) override;
    bool Confirmar() override;
    void AoCancelar() override;

private:
    int lembrado_ = 0;
};

class TFRugCan : public TFTabelaReferencia {
    Q_OBJECT
public:
    TFRugCan(TContextoPrograma& c, int helpContext, QWidget* pai = nullptr);

protected:
    void AoMostrar() override;
    void AoClicar(int indice) override;
    void AoTeclar(bool aceita) override;
    bool Confirmar() override;
};

// The land-cover dialog: use, treatment and hydrologic condition.
class TFCober : public QDialog {
    Q_OBJECT
public:
    TFCober(TContextoPrograma& c, int helpContext, QWidget* pai = nullptr);

    int UsoTerra = 0, Tratamento = 0, Condicao = 0; // as in the terrain's cover

    QButtonGroup* GrupoUso() const { return uso_; }
    QButtonGroup* GrupoTratamento() const { return trat_; }
    QButtonGroup* GrupoCondicao() const { return cond_; }
    // What a click on a land use or on a treatment (1..3) does: the items
    // the curve-number table offers are enabled, the choice preset.
    void ClicarUso(int indice);
    void ClicarTratamento(int tratamento);
    void Confirmar();
    TEscolhaCobertura Escolha() const;  // as the radios show it

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Mostrar(const TEscolhaCobertura& escolha);

    QButtonGroup *uso_, *trat_, *cond_;
    bool mostrado_ = false;
};

// The components: load, Executar, read back. Executar is true on OK.
struct TValorReferencia {
    int Indice = 0;
    double Valor = 0;
    int HelpContext = 0;
};

struct TZ : TValorReferencia {
    bool Executar(TContextoPrograma& c, QWidget* pai);
};
struct TSm : TValorReferencia {
    std::string UDeclive = "m/m";
    int KDeclive = 1;
    // Raises Exception for a unit other than "%" or "m/m" or a multiplier
    // other than 1 or 100, before any dialog is shown.
    bool Executar(TContextoPrograma& c, QWidget* pai);
};
struct TRugTer : TValorReferencia {
    bool Executar(TContextoPrograma& c, QWidget* pai);
};
struct TRugCan : TValorReferencia {
    bool Executar(TContextoPrograma& c, QWidget* pai);
};
struct TCoberturaDialogo {
    int UsoTerra = 0, Tratamento = 0, CondicaoHidrologica = 0;
    int HelpContext = 0;
    bool Executar(TContextoPrograma& c, QWidget* pai);
};

// Runs the land-cover dialog on the stored cover; on "OK" stores the three
// choices and returns true.
bool EscolherCobertura(TCobertura& cobertura, int ajuda, TContextoPrograma& c, QWidget* pai);

// The numeric text of a value label ("0,085" with the locale's separator).
QString TextoParaEdit(const QString& rotulo);

} // namespace vastrel::gui
