#include "Captura.h"

#include "Principal.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <map>

namespace vastrel::capturas {

namespace {

std::map<std::string, TCena>& Cenas()
{
    static std::map<std::string, TCena> cenas;
    return cenas;
}

void Relatar(const char* tipo, const QString& texto)
{
    std::fprintf(stderr, "%s: %s\n", tipo, texto.toUtf8().constData());
}

} // namespace

TRegistroCena::TRegistroCena(std::string nome, TCena cena) { Cenas().emplace(std::move(nome), std::move(cena)); }

void TDialogosCena::Erro(QWidget*, const QString& texto, const QString&) { Relatar("erro", texto); }
void TDialogosCena::Aviso(QWidget*, const QString& texto) { Relatar("aviso", texto); }
void TDialogosCena::Informacao(QWidget*, const QString& texto) { Relatar("info", texto); }

gui::TDialogos::TResposta TDialogosCena::Confirmar(QWidget*, const QString& texto, bool)
{
    Relatar("pergunta", texto);
    if (Respostas.empty())
        return TResposta::Sim;
    const TResposta r = Respostas.front();
    Respostas.pop_front();
    return r;
}

QString TDialogosCena::ArquivoAbrir(QWidget*, const gui::TArquivoDialogo&) { return Proximo(); }
QString TDialogosCena::ArquivoSalvar(QWidget*, const gui::TArquivoDialogo&) { return Proximo(); }

QString TDialogosCena::Proximo()
{
    if (Arquivos.empty())
        return {};
    const QString a = Arquivos.front();
    Arquivos.pop_front();
    return a;
}

void AoAbrirModal(std::function<void(QWidget*)> acao)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, acao] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            acao(modal);
        }
    });
    timer->start();
}

QString TAmbienteCena::Exemplo(const std::string& relativo) const
{
    const std::filesystem::path origem = std::filesystem::path(VASTREL_SOURCE_DIR) / relativo;
    const std::filesystem::path destino = PastaTrabalho / origem.filename();
    std::filesystem::copy_file(origem, destino, std::filesystem::copy_options::overwrite_existing);
    return QString::fromStdString(destino.string());
}

void TAmbienteCena::Salvar(QWidget& janela, const std::string& sufixo) const
{
    QApplication::processEvents();
    const std::string nome = sufixo.empty() ? Nome : Nome + "-" + sufixo;
    const auto arquivo = PastaSaida / (nome + ".png");
    if (!janela.grab().save(QString::fromStdString(arquivo.string()), "PNG"))
        Relatar("erro", QString::fromStdString("não foi possível gravar " + arquivo.string()));
    else
        std::fprintf(stderr, "%s\n", arquivo.string().c_str());
}

} // namespace vastrel::capturas

using namespace vastrel::capturas;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: vastrel-capturas PASTA [CENA...]\ncenas:");
        for (const auto& [nome, cena] : Cenas())
            std::fprintf(stderr, " %s", nome.c_str());
        std::fprintf(stderr, "\n");
        return 64;
    }
    const std::filesystem::path saida = argv[1];
    std::vector<std::string> pedidas(argv + 2, argv + argc);
    if (pedidas.empty())
        for (const auto& [nome, cena] : Cenas())
            pedidas.push_back(nome);

    int falhas = 0;
    for (const std::string& nome : pedidas) {
        const auto achada = Cenas().find(nome);
        if (achada == Cenas().end()) {
            std::fprintf(stderr, "cena desconhecida: %s\n", nome.c_str());
            ++falhas;
            continue;
        }
        // Each scene in a main window of its own, with its own settings file
        // and scratch folder, so that scenes do not see each other's state.
        QTemporaryDir trabalho;
        TDialogosCena dialogos;
        auto principal = std::make_unique<vastrel::gui::TFPrincipal>(
            dialogos, std::filesystem::path(trabalho.path().toStdString()) / "Vastrel3.ini");
        principal->resize(1100, 760);
        principal->show();
        TAmbienteCena ambiente{*principal, dialogos, nome, saida, trabalho.path().toStdString()};
        try {
            achada->second(ambiente);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", nome.c_str(), e.what());
            ++falhas;
        }
        principal->close();
    }
    return falhas == 0 ? 0 : 1;
}
