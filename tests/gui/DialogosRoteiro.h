#pragma once
// The program's dialogs answered from a script: every message is recorded,
// questions and file dialogs take the next scripted answer, the print dialog
// runs a function on the printer.

#include "Dialogos.h"

#include <QPrinter>
#include <QStringList>

#include <deque>
#include <functional>

namespace vastrel::test {

class TDialogosRoteiro : public gui::TDialogos {
public:
    QStringList Mensagens;             // "erro: …", "aviso: …", "info: …", "pergunta: …"
    std::deque<TResposta> Respostas;   // answers of Confirmar
    std::deque<QString> Arquivos;      // answers of both file dialogs ("" = cancel)
    QStringList TitulosArquivo;        // titles of the file dialogs shown
    QStringList Detalhes;              // the second text of the error boxes that have one
    std::function<bool(QPrinter&)> AoImprimir;

    void Erro(QWidget*, const QString& texto, const QString& detalhe = {}) override
    {
        Mensagens << "erro: " + texto;
        if (!detalhe.isEmpty())
            Detalhes << detalhe;
    }
    void Aviso(QWidget*, const QString& texto) override { Mensagens << "aviso: " + texto; }
    void Informacao(QWidget*, const QString& texto) override { Mensagens << "info: " + texto; }
    TResposta Confirmar(QWidget*, const QString& texto, bool) override
    {
        Mensagens << "pergunta: " + texto;
        if (Respostas.empty()) {
            Mensagens << "(pergunta sem resposta no roteiro)";
            return TResposta::Cancelar;
        }
        const TResposta r = Respostas.front();
        Respostas.pop_front();
        return r;
    }
    QString ArquivoAbrir(QWidget*, const gui::TArquivoDialogo& d) override { return Proximo(d); }
    QString ArquivoSalvar(QWidget*, const gui::TArquivoDialogo& d) override { return Proximo(d); }
    bool Impressao(QWidget*, QPrinter& printer) override { return AoImprimir && AoImprimir(printer); }
    std::deque<int> Escolhas;          // answers of EscolherItem (none left = cancel)
    std::optional<int> EscolherItem(QWidget*, const QString&, const QString& texto, const QStringList&, int) override
    {
        Mensagens << "escolha: " + texto;
        if (Escolhas.empty())
            return std::nullopt;
        const int i = Escolhas.front();
        Escolhas.pop_front();
        return i;
    }

private:
    QString Proximo(const gui::TArquivoDialogo& d)
    {
        TitulosArquivo << QString::fromStdString(d.Titulo);
        if (Arquivos.empty())
            return {};
        const QString a = Arquivos.front();
        Arquivos.pop_front();
        return a;
    }
};

} // namespace vastrel::test
