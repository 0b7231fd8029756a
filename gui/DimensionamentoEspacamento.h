#pragma once
// The spacing-method dialogs of the dimensioning window: Bentley, Paraná and
// Lombardi Neto. Each previews the spacing as the inputs change and on "&Ok"
// stores the land slope and the spacing of the current terrace system. The
// soil-class group and the Lombardi Neto lists are shared with the location
// window's method dialogs.

#include "Dialogos.h"

#include "dimensioning/RegrasEspacamento.h"
#include "engine/Espacamento.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QButtonGroup;
class QSpinBox;

namespace vastrel::gui {

struct TContextoPrograma;

// The soil-class radio group of the Bentley and Paraná methods: one radio
// per item, ids 0, 1, 2 in `grupo`.
QGroupBox* GrupoTipoSolo(QWidget* pai, const QString& titulo, const QStringList& itens, QButtonGroup*& grupo);

// The three lists of the Lombardi Neto method (crop, erosion-resistance
// group, soil preparation) with their index displays and descriptions.
// Each *Click stores the list's choice (name, index and index value) in the
// spacing object given and shows its values.
class TListasLombardiNeto : public QWidget {
    Q_OBJECT
public:
    TListasLombardiNeto(TContextoPrograma& c, QWidget* pai = nullptr);

    QComboBox* Cult() const { return cult_; }
    QComboBox* Erosao() const { return erosao_; }
    QComboBox* Prep() const { return prep_; }
    QLineEdit* IndiceU() const { return u_; }
    QLineEdit* IndiceK() const { return k_; }
    QLineEdit* IndiceM() const { return m_; }
    QLabel* GruposSolo() const { return unidades_; }

    // Selects the spacing object's three indices (no handler runs).
    void Selecionar(const TEspacamento& e);
    void CultClick(TEspacamento& e);
    void ErosaoClick(TEspacamento& e);
    void PrepClick(TEspacamento& e);

private:
    QComboBox *cult_, *erosao_, *prep_;
    QLineEdit *u_, *k_, *m_;
    QLabel *unidades_, *primario_, *secundario_, *restos_;
};

// Bentley (lista 1) and Paraná (lista 2): the land slope and the soil class.
class TFSoloDim : public TDialogoAtivado {
    Q_OBJECT
public:
    // `lista`: 1 Bentley, 2 Paraná.
    TFSoloDim(TContextoPrograma& c, int lista, QWidget* pai = nullptr);

    QSpinBox* seBSt() const { return seBSt_; }
    QButtonGroup* TipoSolo() const { return tipoSolo_; }
    QLineEdit* PreviaEV() const { return ev_; }
    QLineEdit* PreviaEH() const { return eh_; }

    void FormActivate() override;
    void seBStChange();
    void OKClick();


private:
    double St() const;  // the slope the dialog computes with, m/m

    TContextoPrograma& c_;
    int lista_;
    QSpinBox* seBSt_;
    QButtonGroup* tipoSolo_;
    QLineEdit *ev_, *eh_;
    TDeclividadeDialogo declividade_{0, 100};
};

class TFBentleyDim : public TFSoloDim {
    Q_OBJECT
public:
    explicit TFBentleyDim(TContextoPrograma& c, QWidget* pai = nullptr) : TFSoloDim(c, 1, pai) {}
};

class TFParanaDim : public TFSoloDim {
    Q_OBJECT
public:
    explicit TFParanaDim(TContextoPrograma& c, QWidget* pai = nullptr) : TFSoloDim(c, 2, pai) {}
};

// Lombardi Neto: works on a copy of the current system's spacing, so that
// "&Cancelar" leaves the project as it was.
class TFLombNetoDim : public TDialogoAtivado {
    Q_OBJECT
public:
    explicit TFLombNetoDim(TContextoPrograma& c, QWidget* pai = nullptr);

    QSpinBox* seBSt() const { return seBSt_; }
    QComboBox* Cult() const { return listas_->Cult(); }
    QComboBox* Erosao() const { return listas_->Erosao(); }
    QComboBox* Prep() const { return listas_->Prep(); }
    QLineEdit* IndiceU() const { return listas_->IndiceU(); }
    QLineEdit* IndiceK() const { return listas_->IndiceK(); }
    QLineEdit* IndiceM() const { return listas_->IndiceM(); }
    QLineEdit* PreviaEV() const { return ev_; }
    QLineEdit* PreviaEH() const { return eh_; }
    QLabel* GruposSolo() const { return listas_->GruposSolo(); }

    void FormActivate() override;
    void CultClick();
    void ErosaoClick();
    void PrepClick();
    void seBStChange();
    void AvisoDeclividade();
    void OKClick();


    // The choices being made; the project's spacing takes them on "&Ok".
    const TEspacamento& Espacamento() const { return espacamento_; }

private:
    double St() const;  // the slope the dialog computes with, m/m

    TContextoPrograma& c_;
    QSpinBox* seBSt_;
    TListasLombardiNeto* listas_;
    QLineEdit *ev_, *eh_;
    bool ocupado_ = false;
    TEspacamento espacamento_;
    TDeclividadeDialogo declividade_{0, 100};
};

// The spin box's keys: digits and backspace only.
void FiltrarDigitos(QSpinBox* s);

} // namespace vastrel::gui
