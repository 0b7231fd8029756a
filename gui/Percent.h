#pragma once
// The progress dialog of a long run ("Aguarde, processando..."): a status
// line, a bar from 0 to 100 and "&Cancelar". Everything runs on the window
// thread: the run is started when the dialog appears and lets pending window
// events run at fixed points (ProcessPendingEvents), so that the one-second
// timer refreshes the dialog and "&Cancelar" can set the stop flag, which
// the run polls.

#include <QDialog>

#include <exception>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vastrel::gui {

// The run the dialog drives (the location run plugs its own in).
class TProcessoPercent {
public:
    virtual ~TProcessoPercent() = default;
    // The long task. It must look at Parar() and call
    // vastrel::ProcessPendingEvents() at fixed points.
    virtual void Executar() = 0;
    virtual double Progresso() const = 0;        // percent done, 0 to 100
    virtual std::string Status() const = 0;      // what the run is doing
    virtual int NumTerracos() const { return 0; } // terraces located so far
    virtual void SetParar(bool parar) = 0;        // the stop flag
    virtual bool Parar() const = 0;
};

class TFPercent : public QDialog {
    Q_OBJECT
public:
    TFPercent(TProcessoPercent& processo, QWidget* pai = nullptr);

    // Shows the dialog modally while `processo` runs. An error raised by the
    // run closes the dialog and is raised again here.
    static void Executar(TProcessoPercent& processo, QWidget* pai);

    QProgressBar* Barra() const { return barra_; }
    QLabel* Status() const { return status_; }
    QPushButton* Cancelar() const { return cancelar_; }

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;   // Escape and the close box cancel as the button does
    void done(int r) override;

private:
    void Rodar();
    void Atualizar();

    TProcessoPercent& processo_;
    QLabel* status_;
    QProgressBar* barra_;
    QPushButton* cancelar_;
    QTimer* timer_;
    bool iniciado_ = false;
    bool terminou_ = false;
    std::exception_ptr erro_;
};

} // namespace vastrel::gui
