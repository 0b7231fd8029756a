// The raster toolbox windows: slope map, filter and import/export, driven
// through their buttons with the dialogs answered from a script.
#include "Declividade.h"
#include "DialogosRoteiro.h"
#include "Filtro.h"
#include "ImportacaoExportacao.h"
#include "Principal.h"
#include "common/UiHooks.h"
#include "gis/MemoryRaster.h"
#include "support/TempDir.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <fstream>

using namespace vastrel;
using namespace vastrel::gui;
using vastrel::test::TDialogosRoteiro;
using vastrel::test::TempDir;

namespace {

// A raster of `colunas` × `linhas` cells of `celula` metres, written with the core.
void GravarImagem(const std::filesystem::path& p, char tipo, int colunas, int linhas, float celula,
                  const std::vector<float>& valores, const std::string& unidade = "M")
{
    gis::TMemoryRaster r;
    r.DefinirTipo(tipo);
    r.Colunas = colunas;
    r.Linhas = linhas;
    r.XMax = celula * static_cast<float>(colunas);
    r.YMax = celula * static_cast<float>(linhas);
    r.Unidade = unidade;
    r.Titulo = "teste";
    r.AlocarCelulas();
    if (tipo == 'R')
        for (std::size_t k = 0; k < valores.size(); ++k)
            r.GravarCelulaReal(static_cast<std::int64_t>(k), valores[k]);
    r.GravarRaster(p);
}

// Elevation rising 1 m for every 10 m eastwards on 10 m cells.
std::vector<float> Rampa(int colunas, int linhas)
{
    std::vector<float> v;
    for (int l = 0; l < linhas; ++l)
        for (int c = 0; c < colunas; ++c)
            v.push_back(100.0f + static_cast<float>(c));
    return v;
}

gis::TMemoryRaster Carregar(const std::filesystem::path& p)
{
    gis::TMemoryRaster r;
    if (!r.CarregarRaster(p))
        throw std::runtime_error("arquivo ausente: " + p.string());
    return r;
}

QString Caminho(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

void EscreverTexto(const std::filesystem::path& p, const std::string& texto)
{
    std::ofstream f(p, std::ios::binary);
    f << texto;
}

} // namespace

class TesteFerramentasRaster : public QObject {
    Q_OBJECT
private:
    TDialogosRoteiro dialogos_;
    TempDir dir_;
    std::unique_ptr<TFPrincipal> principal_;

    void Escolher(TFProcessoRaster& w, const std::filesystem::path& entrada, const std::filesystem::path& saida)
    {
        dialogos_.Arquivos = {Caminho(entrada)};
        w.BotaoAbrir->click();
        dialogos_.Arquivos = {Caminho(saida)};
        w.BotaoSalvar->click();
    }

private slots:
    void init()
    {
        principal_ = std::make_unique<TFPrincipal>(dialogos_, dir_ / "Vastrel3.ini");
        dialogos_.Mensagens.clear();
        dialogos_.Respostas.clear();
        dialogos_.Arquivos.clear();
    }
    void cleanup()
    {
        SetProcessEventsHook({});
        principal_.reset();
    }

    void FerramentasRegistradas()
    {
        for (TFerramenta f : {TFerramenta::Declividade, TFerramenta::Filtro, TFerramenta::Importacao,
                              TFerramenta::Exportacao})
            QVERIFY(static_cast<bool>(AcaoFerramenta(f)));
    }

    // The checks in the order of the fields, and the replacement question.
    void DeclividadeVerificacoesEmOrdem()
    {
        const auto ent = dir_ / "elev.ras";
        const auto sai = dir_ / "decl-existente.ras";
        GravarImagem(ent, 'R', 4, 3, 10, Rampa(4, 3));
        EscreverTexto(sai, "antigo");
        TFDeclividade w(principal_->Contexto());

        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: Arquivo de entrada inválido."});

        dialogos_.Mensagens.clear();
        dialogos_.Arquivos = {Caminho(dir_ / "nao-existe.ras")};
        w.BotaoAbrir->click();
        QVERIFY(w.EditEntrada->text().isEmpty());
        dialogos_.Arquivos = {Caminho(ent)};
        w.BotaoAbrir->click();
        QCOMPARE(w.EditEntrada->text(), Caminho(ent));
        QCOMPARE(w.EditTitulo->text(), QStringLiteral("Imagem declividade gerada do arquivo imagem de elevação elev.ras"));

        // No to the replacement question keeps "no output".
        dialogos_.Arquivos = {Caminho(sai)};
        dialogos_.Respostas = {TDialogos::TResposta::Nao};
        w.BotaoSalvar->click();
        QVERIFY(w.EditSaida->text().isEmpty());
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens,
                 (QStringList{"pergunta: O arquivo 'decl-existente.ras' já existe. Deseja substituir o arquivo existente ?",
                              "erro: Arquivo de saída inválido."}));

        // Yes replaces it: the slope of the ramp is 10 % everywhere.
        dialogos_.Mensagens.clear();
        dialogos_.Arquivos = {Caminho(sai)};
        dialogos_.Respostas = {TDialogos::TResposta::Sim};
        w.BotaoSalvar->click();
        QCOMPARE(w.EditSaida->text(), Caminho(sai));
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens.last(), QStringLiteral("info: Cálculo de declividade finalizado com sucesso."));
        const gis::TMemoryRaster r = Carregar(sai);
        QCOMPARE(r.TipoCelula, 'R');
        QCOMPARE(r.Titulo, std::string("Imagem declividade gerada do arquivo imagem de elevação elev.ras"));
        for (std::int64_t k = 0; k < 12; ++k)
            QVERIFY(std::abs(r.LerCelulaReal(k) - 10.0f) < 1e-3f);
        QCOMPARE(w.windowTitle(), QStringLiteral("Declividade"));

        // A real image: the names are forgotten after the run.
        dialogos_.Mensagens.clear();
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: Arquivo de entrada inválido."});
    }

    void DeclividadeImagemByte()
    {
        const auto ent = dir_ / "byte.ras";
        const auto sai = dir_ / "decl-byte.ras";
        GravarImagem(ent, 'B', 3, 3, 10, {});
        TFDeclividade w(principal_->Contexto());
        Escolher(w, ent, sai);
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens,
                 QStringList{"aviso: Arquivo especificado é do tipo byte. Utilize um arquivo do tipo inteiro ou real."});
        QVERIFY(!std::filesystem::exists(sai));
    }

    // Pending events run during the computation: a second "&Processar" and
    // "&Fechar" arriving then neither start a run nor close the window.
    void SegundaExecucaoRecusada()
    {
        const auto ent = dir_ / "grande.ras";
        const auto sai = dir_ / "grande-decl.ras";
        GravarImagem(ent, 'R', 50, 40, 10, Rampa(50, 40));
        TFDeclividade w(principal_->Contexto());
        w.show();
        Escolher(w, ent, sai);

        int chamadas = 0;
        bool ocupada = true;
        SetProcessEventsHook([&] {
            if (chamadas++ != 0)
                return;
            ocupada = w.Executando() && !w.BotaoProcessar->isEnabled() && !w.BotaoFechar->isEnabled();
            QMetaObject::invokeMethod(&w, "BotaoProcessarClick");
            QMetaObject::invokeMethod(&w, "reject");
            w.close();
        });
        w.BotaoProcessar->click();
        QVERIFY(chamadas > 0);
        QVERIFY(ocupada);
        QVERIFY(w.isVisible());
        QCOMPARE(dialogos_.Mensagens, QStringList{"info: Cálculo de declividade finalizado com sucesso."});
        QVERIFY(!w.Executando());
        QVERIFY(w.BotaoProcessar->isEnabled());
        QVERIFY(std::filesystem::exists(sai));
    }

    void FiltroMediaECaption()
    {
        const auto ent = dir_ / "f.ras";
        const auto sai = dir_ / "f-saida.ras";
        GravarImagem(ent, 'R', 3, 3, 10, {1, 1, 1, 1, 9, 1, 1, 1, 1});
        TFFiltro w(principal_->Contexto());
        QCOMPARE(w.SpinFiltragens->value(), 1);
        Escolher(w, ent, sai);
        QCOMPARE(w.EditTitulo->text(), QStringLiteral("Imagem filtrada do arquivo de imagem f.ras"));

        // No passes: refused, nothing written.
        w.SpinFiltragens->setValue(0);
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens.size(), 1);
        QVERIFY(dialogos_.Mensagens.first().startsWith("erro: "));
        QVERIFY(!std::filesystem::exists(sai));

        dialogos_.Mensagens.clear();
        w.SpinFiltragens->setValue(1);
        QStringList legendas;
        SetProcessEventsHook([&] { legendas << w.windowTitle(); });
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"info: Processo de filtragem finalizado com sucesso."});
        QVERIFY(legendas.contains(QStringLiteral("Filtro - Processando filtro número 1")));
        QCOMPARE(w.windowTitle(), QStringLiteral("Filtro"));
        const gis::TMemoryRaster r = Carregar(sai);
        QVERIFY(std::abs(r.LerCelulaReal(4) - 17.0f / 9.0f) < 1e-5f);
        QVERIFY(std::abs(r.LerCelulaReal(0) - 3.0f) < 1e-5f);
        QVERIFY(std::abs(r.LerCelulaReal(1) - 14.0f / 6.0f) < 1e-5f);
    }

    void FiltroImagemByteEErro()
    {
        const auto ent = dir_ / "fb.ras";
        const auto sai = dir_ / "fb-saida.ras";
        GravarImagem(ent, 'B', 3, 3, 10, {});
        TFFiltro w(principal_->Contexto());
        Escolher(w, ent, sai);
        w.BotaoProcessar->click();
        QCOMPARE(dialogos_.Mensagens,
                 QStringList{"erro: Arquivo especificado é do tipo byte. Utilize um arquivo do tipo inteiro ou real."});
        QVERIFY(!std::filesystem::exists(sai));
    }

    void ImportExportOpcoes()
    {
        TFImportExport imp(principal_->Contexto(), gis::TModoConversao::Importacao);
        QCOMPARE(imp.windowTitle(), QStringLiteral("Importação de arquivo"));
        QVERIFY(imp.RadioButtonIdrisi->isChecked() && imp.RadioButtonRaster->isChecked() &&
                imp.RadioButtonMetro->isChecked());
        QVERIFY(imp.GroupBox6->isHidden());
        QVERIFY(!imp.BitBtnImport->isHidden() && imp.BitBtnExport->isHidden());
        imp.Edit3->setText("x");
        imp.RadioButtonSurfer->setChecked(true);
        QVERIFY(!imp.GroupBox6->isHidden());
        QVERIFY(imp.Edit3->text().isEmpty());

        TFImportExport exp(principal_->Contexto(), gis::TModoConversao::Exportacao);
        QCOMPARE(exp.windowTitle(), QStringLiteral("Exportação de arquivo"));
        QCOMPARE(exp.GroupBox1->title(), QStringLiteral("Exportar arquivo para:"));
        exp.RadioButtonSurfer->setChecked(true);
        QVERIFY(!exp.GroupBox2->isEnabled());
        QVERIFY(exp.GroupBox6->isHidden());
        exp.RadioButtonIdrisi->setChecked(true);
        QVERIFY(exp.GroupBox2->isEnabled());
    }

    // Surfer grid in kilometres with one blank cell: rows turned upside
    // down, the replacement told before the completion; then back out.
    void ImportaEExportaGradeSurfer()
    {
        const auto grd = dir_ / "g.grd";
        const auto ras = dir_ / "g.ras";
        const auto volta = dir_ / "volta.grd";
        EscreverTexto(grd, "DSAA\n3 2\n0 3\n0 2\n1 6\n1 2 3\n4 5 1.70141e+38\n");
        TFImportExport imp(principal_->Contexto(), gis::TModoConversao::Importacao);
        imp.RadioButtonSurfer->setChecked(true);
        imp.RadioButtonKilom->setChecked(true);

        imp.BitBtnImport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: Arquivo de entrada inválido."});
        dialogos_.Mensagens.clear();
        dialogos_.Arquivos = {Caminho(grd)};
        imp.BitBtnAbrir->click();
        QCOMPARE(imp.Edit3->text(), QStringLiteral("Arquivo gerado da importação do arquivo g.grd"));
        imp.BitBtnImport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: Arquivo de saída inválido."});

        dialogos_.Mensagens.clear();
        dialogos_.Arquivos = {Caminho(ras)};
        imp.BitBtnSalvar->click();
        imp.BitBtnImport->click();
        QCOMPARE(dialogos_.Mensagens,
                 (QStringList{"info: Foram substituídos por zero alguns valores absurdos da imagem. Provavelmente "
                              "originários da interpolação.",
                              "info: Importação finalizada com sucesso."}));
        QCOMPARE(imp.windowTitle(), QStringLiteral("Importação de arquivo"));
        const gis::TMemoryRaster r = Carregar(ras);
        QCOMPARE(r.Unidade, std::string("km"));
        QCOMPARE(r.LerCelulaReal(0), 4.0f);
        QCOMPARE(r.LerCelulaReal(2), 0.0f);
        QCOMPARE(r.LerCelulaReal(3), 1.0f);
        QCOMPARE(r.ValorMin, 0.0f);

        dialogos_.Mensagens.clear();
        TFImportExport exp(principal_->Contexto(), gis::TModoConversao::Exportacao);
        exp.RadioButtonSurfer->setChecked(true);
        dialogos_.Arquivos = {Caminho(ras), Caminho(volta)};
        exp.BitBtnAbrir->click();
        exp.BitBtnSalvar->click();
        exp.BitBtnExport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"info: Exportação finalizada com sucesso."});
        QVERIFY(std::filesystem::file_size(volta) > 0);
    }

    void ImportExportRecusas()
    {
        // A text that is not a grid is refused on "Abrir...".
        const auto bin = dir_ / "bin.grd";
        EscreverTexto(bin, std::string("DSBB\0\1\2\3", 8));
        TFImportExport imp(principal_->Contexto(), gis::TModoConversao::Importacao);
        imp.RadioButtonSurfer->setChecked(true);
        dialogos_.Arquivos = {Caminho(bin)};
        imp.BitBtnAbrir->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: Arquivo especificado nao é do formato ASCII."});
        QVERIFY(imp.Edit1->text().isEmpty());

        // An integer raster is not exported to a Surfer grid.
        dialogos_.Mensagens.clear();
        const auto ras = dir_ / "int.ras";
        const auto grd = dir_ / "int.grd";
        GravarImagem(ras, 'I', 2, 2, 10, {});
        TFImportExport exp(principal_->Contexto(), gis::TModoConversao::Exportacao);
        exp.RadioButtonSurfer->setChecked(true);
        dialogos_.Arquivos = {Caminho(ras), Caminho(grd)};
        exp.BitBtnAbrir->click();
        exp.BitBtnSalvar->click();
        exp.BitBtnExport->click();
        QCOMPARE(dialogos_.Mensagens, QStringList{"erro: O arquivo especificado não é do tipo Real"});
        QVERIFY(exp.BitBtnExport->isEnabled());
    }
};

QTEST_MAIN(TesteFerramentasRaster)
#include "FerramentasRaster_test.moc"
