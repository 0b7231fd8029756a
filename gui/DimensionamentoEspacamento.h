#pragma once
// The spacing-method dialogs of the dimensioning window: Bentley, Paraná and
// Lombardi Neto. Each previews the spacing as the inputs change and on "&Ok"
// stores the land slope and the spacing of the current terrace system.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QButtonGroup;
class QSpinBox;

namespace vastrel::gui {

struct TContextoPrograma;

// Bentley (lista 1) and Paraná (lista 2): the land slope and the soil class.
class TFSoloDim : public QDialog {
    Q_OBJECT
public:
    // `lista`: 1 Bentley, 2 Paraná.
    TFSoloDim(TContextoPrograma& c, int lista, QWidget* pai = nullptr);

    QSpinBox* seBSt() const { return seBSt_; }
    QButtonGroup* TipoSolo() const { return tipoSolo_; }
    QLineEdit* PreviaEV() const { return ev_; }
    QLineEdit* PreviaEH() const { return eh_; }

    void FormActivate();
    void seBStChange();
    void OKClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TContextoPrograma& c_;
    int lista_;
    QSpinBox* seBSt_;
    QButtonGroup* tipoSolo_;
    QLineEdit *ev_, *eh_;
    bool ativado_ = false;
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

class TFLombNetoDim : public QDialog {
    Q_OBJECT
public:
    explicit TFLombNetoDim(TContextoPrograma& c, QWidget* pai = nullptr);

    QSpinBox* seBSt() const { return seBSt_; }
    QComboBox* Cult() const { return cult_; }
    QComboBox* Erosao() const { return erosao_; }
    QComboBox* Prep() const { return prep_; }
    QLineEdit* IndiceU() const { return u_; }
    QLineEdit* IndiceK() const { return k_; }
    QLineEdit* IndiceM() const { return m_; }
    QLineEdit* PreviaEV() const { return ev_; }
    QLineEdit* PreviaEH() const { return eh_; }
    QLabel* GruposSolo() const { return unidades_; }

    void FormActivate();
    void CultClick();
    void ErosaoClick();
    void PrepClick();
    void seBStChange();
    void AvisoDeclividade();
    void OKClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TContextoPrograma& c_;
    QSpinBox* seBSt_;
    QComboBox *cult_, *erosao_, *prep_;
    QLineEdit *u_, *k_, *m_, *ev_, *eh_;
    QLabel *unidades_, *primario_, *secundario_, *restos_;
    bool ativado_ = false;
    bool ocupado_ = false;
};

// The spin box's keys: digits and backspace only.
void FiltrarDigitos(QSpinBox* s);

} // namespace vastrel::gui
