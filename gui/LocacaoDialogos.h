#pragma once
// The dialogs of the location window: the three files of a run, the
// parameters of the spacing methods, the tables of recommended terrace types
// and the arbitrated terrace type.

#include "Dialogos.h"

#include "engine/Espacamento.h"

#include <QDialog>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QLabel;

namespace vastrel::gui {

struct TContextoPrograma;
class TListasLombardiNeto;

// "Carregar Imagens": the elevation and slope rasters and the output vector.
class TFCarregaImg : public QDialog {
    Q_OBJECT
public:
    explicit TFCarregaImg(TContextoPrograma& c, QWidget* pai = nullptr);

    QLineEdit* EdImgElevacao() const { return elev_; }
    QLineEdit* EdImgDeclividade() const { return decli_; }
    QLineEdit* EdVetorSaida() const { return vetor_; }

    void BtImgElevClick();
    void BtImgDeclividadeClick();
    void BtVetorSaidaClick();
    void BtOkClick();

private:
    TContextoPrograma& c_;
    QLineEdit *elev_, *decli_, *vetor_;
    QString pastaAbrir_;    // where both open dialogs start
    QString pastaSalvar_;   // where the save dialog starts
    QString nomeVetor_;     // the save dialog's proposed file
};

// Bentley (lista 1, "Método Bentley") and Paraná (lista 2, "Método
// Paraná"): the soil class of the spacing object.
class TFSoloLoc : public TDialogoAtivado {
    Q_OBJECT
public:
    TFSoloLoc(TContextoPrograma& c, int lista, QWidget* pai = nullptr);

    QButtonGroup* TipoSolo() const { return tipoSolo_; }
    void FormActivate() override;
    void OKClick();


private:
    TContextoPrograma& c_;
    int lista_;
    QButtonGroup* tipoSolo_ = nullptr;
};

class TFBentleyLoc : public TFSoloLoc {
    Q_OBJECT
public:
    explicit TFBentleyLoc(TContextoPrograma& c, QWidget* pai = nullptr) : TFSoloLoc(c, 1, pai) {}
};

class TFParanaLoc : public TFSoloLoc {
    Q_OBJECT
public:
    explicit TFParanaLoc(TContextoPrograma& c, QWidget* pai = nullptr) : TFSoloLoc(c, 2, pai) {}
};

// "Método Lombardi Neto": crop, erosion-resistance group and preparation.
// The choices are made on a copy of the spacing object; OK stores the three
// in the project, Cancel leaves it as it was.
class TFLombNetoLoc : public TDialogoAtivado {
    Q_OBJECT
public:
    explicit TFLombNetoLoc(TContextoPrograma& c, QWidget* pai = nullptr);

    TListasLombardiNeto* Listas() const { return listas_; }
    void FormActivate() override;
    void OKClick();

private:
    TContextoPrograma& c_;
    TListasLombardiNeto* listas_;
    TEspacamento espacamento_;
};

// A table of recommended terrace types by slope class, with its source.
class TFTipoTerraco : public QDialog {
    Q_OBJECT
public:
    // `fonte`: 0 Paraná, 1 Emater/RS, 2 Lombardi Neto.
    TFTipoTerraco(TContextoPrograma& c, int fonte, QWidget* pai = nullptr);
    QTableWidget* Tabela() const { return tabela_; }
    QLabel* Fonte() const { return fonte_; }

private:
    QTableWidget* tabela_;
    QLabel* fonte_;
};

class TFTipoParana : public TFTipoTerraco {
    Q_OBJECT
public:
    explicit TFTipoParana(TContextoPrograma& c, QWidget* pai = nullptr) : TFTipoTerraco(c, 0, pai) {}
};

class TFTipoRio : public TFTipoTerraco {
    Q_OBJECT
public:
    explicit TFTipoRio(TContextoPrograma& c, QWidget* pai = nullptr) : TFTipoTerraco(c, 1, pai) {}
};

class TFTipoLombardi : public TFTipoTerraco {
    Q_OBJECT
public:
    explicit TFTipoLombardi(TContextoPrograma& c, QWidget* pai = nullptr) : TFTipoTerraco(c, 2, pai) {}
};

// The slope class of a table row as shown ("2 ≤ D ≤ 8", "D < 9", "D ≥ 12").
QString ClasseDeclividade(double de, bool incluiDe, double ate, bool incluiAte);

// "Tipo de Vastrel Arbitrado": the user's terrace type. One dialog serves
// the whole run of the program (its last choice also serves the location
// window when it writes its fields), owned by the main window.
class TFTipoNenhum : public QDialog {
    Q_OBJECT
public:
    // The dialog of the program, created on first use.
    static TFTipoNenhum& Instancia(TContextoPrograma& c);

    QButtonGroup* RadioGroupNenhum() const { return grupo_; }
    int Escolha() const;
    void SetEscolha(int indice);
    // Modal; on activation the choice is the type selection's current type
    // index, OK sets the type by the choice.
    int Executar();
    void OKClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TFTipoNenhum(TContextoPrograma& c, QWidget* pai);
    TContextoPrograma& c_;
    QButtonGroup* grupo_;
};

} // namespace vastrel::gui
