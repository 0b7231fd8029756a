#include "project/GerenteSys.h"

#include "common/Exceptions.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

using namespace vastrel;
using vastrel::test::TempDir;
using vastrel::test::WriteBytes;
using R = TGerenteSysUi::TResposta;

namespace {

// Answers the manager's questions and dialogs from a script and records what
// was asked.
class TUiRoteiro : public TGerenteSysUi {
public:
    std::deque<R> Respostas;
    std::deque<std::optional<std::string>> Arquivos; // answers of both file dialogs
    std::vector<std::string> Perguntas;
    std::vector<std::string> Dialogos; // "abrir:<title>" or "salvar:<title>"
    std::string Titulo;

    R Perguntar(const std::string& texto, bool comCancelar) override
    {
        Perguntas.push_back(texto + (comCancelar ? " [SNC]" : " [SN]"));
        if (Respostas.empty())
            throw std::logic_error("pergunta inesperada: " + texto);
        const R r = Respostas.front();
        Respostas.pop_front();
        return r;
    }
    std::optional<std::string> EscolherArquivoAbrir(const TDialogoArquivo& d) override
    {
        Dialogos.push_back("abrir:" + d.Titulo);
        return Proximo();
    }
    std::optional<std::string> EscolherArquivoSalvar(const TDialogoArquivo& d) override
    {
        Dialogos.push_back("salvar:" + d.Titulo);
        return Proximo();
    }
    void MudarTitulo(const std::string& titulo) override { Titulo = titulo; }

private:
    std::optional<std::string> Proximo()
    {
        if (Arquivos.empty())
            throw std::logic_error("diálogo inesperado");
        auto a = Arquivos.front();
        Arquivos.pop_front();
        return a;
    }
};

// A manager bound as the main window binds it, with every event logged and a
// "project" that is a single text written to and read from the file.
struct GerenteSysTest : ::testing::Test {
    TempDir dir;
    TUiRoteiro ui;
    TGerenteSys g{ui};
    std::vector<std::string> eventos;
    std::string conteudo = "dados";  // the project's objects
    bool falharEscrita = false;

    GerenteSysTest()
    {
        g.TituloPrograma = "Vastrel 3.0";
        g.NomeProjeto = g.NomeDefault;
        g.PathProjeto = dir.Path().string();
        g.PastaPrograma = dir.Path().string();
        g.OpenDialog.Titulo = "Abrir Projeto";
        g.OnZerarVariaveis = [this] { eventos.push_back("zerar"); conteudo.clear(); };
        g.OnAbilitarCampos = [this] { eventos.push_back("abilitar"); };
        g.OnDesabilitarCampos = [this] { eventos.push_back("desabilitar"); };
        g.OnLerCamposDados = [this] { eventos.push_back("lercampos"); };
        g.OnPreencherCamposDados = [this] { eventos.push_back("preencher"); };
        g.OnEscreverArquivo = [this] {
            eventos.push_back("escrever");
            if (falharEscrita)
                throw EInOutError("disco cheio");
            WriteBytes(g.PathProjeto, conteudo);
        };
        g.OnLerArquivo = [this](bool& leu) {
            eventos.push_back("ler");
            if (!std::filesystem::exists(g.PathProjeto))
                throw Exception("Não foi possível abrir o arquivo " + g.PathProjeto + ".");
            conteudo = vastrel::test::ReadBytes(g.PathProjeto);
            leu = true;
        };
    }

    std::string Arquivo(const std::string& nome, const std::string& texto = "projeto")
    {
        const auto p = dir / nome;
        WriteBytes(p, texto);
        return p.string();
    }

    // A named project, open and modified.
    void ProjetoAlterado()
    {
        ui.Arquivos.push_back(Arquivo("a.vst", "A"));
        ASSERT_TRUE(g.Abrir());
        g.Alterado = true;
        eventos.clear();
    }
};

TEST_F(GerenteSysTest, NovoAsksOnlyForAModifiedProjectAndCancelKeepsIt)
{
    ASSERT_TRUE(g.Novo());
    EXPECT_TRUE(ui.Perguntas.empty());
    EXPECT_EQ(eventos, (std::vector<std::string>{"zerar", "abilitar"}));
    EXPECT_EQ(g.NomeProjeto, "\"PROJETO1.VST\"");
    EXPECT_EQ(g.PathProjeto, (dir / "PROJETO1.VST").string());
    EXPECT_EQ(ui.Titulo, "Vastrel 3.0 (\"PROJETO1.VST\")");
    EXPECT_TRUE(g.ProjetoAberto());
    EXPECT_FALSE(g.Alterado);

    ProjetoAlterado();
    ui.Respostas = {R::Cancelar};
    EXPECT_FALSE(g.Novo());
    EXPECT_EQ(ui.Perguntas.back(), "Deseja Salvar as Alterações em a.vst [SNC]");
    EXPECT_TRUE(eventos.empty());
    EXPECT_EQ(conteudo, "A");
    EXPECT_TRUE(g.Alterado);
    EXPECT_EQ(g.NomeProjeto, "a.vst");

    ui.Respostas = {R::Nao};
    EXPECT_TRUE(g.Novo());
    EXPECT_EQ(vastrel::test::ReadBytes(dir / "a.vst"), "A"); // not written
}

TEST_F(GerenteSysTest, SavingANewProjectGoesThroughTheSaveDialog)
{
    ASSERT_TRUE(g.Novo());
    conteudo = "novo";
    const std::string destino = (dir / "Fazenda.vst").string();
    ui.Arquivos = {destino};
    eventos.clear();
    ASSERT_TRUE(g.Salvar());
    EXPECT_EQ(ui.Dialogos, (std::vector<std::string>{"salvar:Salvar Como"}));
    EXPECT_EQ(eventos, (std::vector<std::string>{"lercampos", "escrever"}));
    EXPECT_EQ(vastrel::test::ReadBytes(destino), "novo");
    EXPECT_EQ(ui.Titulo, "Vastrel 3.0 ('Fazenda.vst')");
    EXPECT_EQ(g.Recentes[0], destino);
    EXPECT_FALSE(g.Alterado);

    // Once named, a save writes without asking.
    ui.Dialogos.clear();
    ASSERT_TRUE(g.Salvar());
    EXPECT_TRUE(ui.Dialogos.empty());
}

TEST_F(GerenteSysTest, OverwriteQuestionNoShowsTheDialogAgain)
{
    const std::string existente = Arquivo("existe.vst", "antigo");
    const std::string outro = (dir / "outro.vst").string();
    ASSERT_TRUE(g.Novo());
    conteudo = "novo";

    // Yes overwrites.
    ui.Arquivos = {existente};
    ui.Respostas = {R::Sim};
    ASSERT_TRUE(g.SalvarComo());
    EXPECT_EQ(ui.Perguntas.back(), "Arquivo já existente. Deseja substituir? [SN]");
    EXPECT_EQ(vastrel::test::ReadBytes(existente), "novo");

    // No, then another name: that one is written.
    std::filesystem::remove(outro);
    ui.Arquivos = {existente, outro};
    ui.Respostas = {R::Nao};
    ui.Dialogos.clear();
    conteudo = "segundo";
    ASSERT_TRUE(g.SalvarComo());
    EXPECT_EQ(ui.Dialogos.size(), 2u);
    EXPECT_EQ(vastrel::test::ReadBytes(existente), "novo");
    EXPECT_EQ(vastrel::test::ReadBytes(outro), "segundo");
    EXPECT_EQ(ui.Titulo, "Vastrel 3.0 ('outro.vst')");
    EXPECT_EQ(g.Recentes[0], outro);
}

TEST_F(GerenteSysTest, OverwriteNoThenCancelSavesNothingAndReportsIt)
{
    const std::string existente = Arquivo("existe.vst", "antigo");
    ASSERT_TRUE(g.Novo());
    g.Alterado = true;
    ui.Arquivos = {existente, std::nullopt};
    ui.Respostas = {R::Nao};
    EXPECT_FALSE(g.SalvarComo());
    EXPECT_EQ(vastrel::test::ReadBytes(existente), "antigo");
    EXPECT_EQ(g.NomeProjeto, "\"PROJETO1.VST\"");
    EXPECT_TRUE(g.Alterado);
    EXPECT_EQ(g.Recentes[0], "");

    // So closing with "Yes, save" and then giving up keeps the project open.
    ui.Arquivos = {existente, std::nullopt};
    ui.Respostas = {R::Sim, R::Nao};
    EXPECT_FALSE(g.Fechar());
    EXPECT_TRUE(g.ProjetoAberto());
    EXPECT_TRUE(g.Alterado);
}

TEST_F(GerenteSysTest, RecentListMovesAnEntryToTheHeadIgnoringCase)
{
    struct Caso {
        const char* caminho;
        std::array<std::string, 4> depois;
    };
    const Caso casos[] = {
        {"/p/a.vst", {"/p/a.vst", "/p/b.vst", "/p/c.vst", "/p/d.vst"}},
        {"/p/C.VST", {"/p/C.VST", "/p/a.vst", "/p/b.vst", "/p/d.vst"}},
        {"/p/d.vst", {"/p/d.vst", "/p/a.vst", "/p/b.vst", "/p/c.vst"}},
        {"/p/novo.vst", {"/p/novo.vst", "/p/a.vst", "/p/b.vst", "/p/c.vst"}},
    };
    for (const Caso& c : casos) {
        g.Recentes = {"/p/a.vst", "/p/b.vst", "/p/c.vst", "/p/d.vst"};
        g.PathProjeto = c.caminho;
        g.AtualizarRecentes();
        EXPECT_EQ(g.Recentes, c.depois) << c.caminho;
    }
    // An empty list fills from the top.
    g.Recentes = {};
    g.PathProjeto = "/p/x.vst";
    g.AtualizarRecentes();
    EXPECT_EQ(g.Recentes, (std::array<std::string, 4>{"/p/x.vst", "", "", ""}));
}

TEST_F(GerenteSysTest, AbrirReadsNamesAndFillsTheWindow)
{
    const std::string a = Arquivo("Projeto A.vst", "A");
    ui.Arquivos = {a};
    ASSERT_TRUE(g.Abrir());
    EXPECT_EQ(ui.Dialogos, (std::vector<std::string>{"abrir:Abrir Projeto"}));
    EXPECT_EQ(eventos, (std::vector<std::string>{"zerar", "ler", "abilitar", "preencher"}));
    EXPECT_EQ(conteudo, "A");
    EXPECT_EQ(g.NomeProjeto, "Projeto A.vst");
    EXPECT_EQ(g.SaveDialog.NomeArquivo, "Projeto A.vst");
    EXPECT_EQ(ui.Titulo, "Vastrel 3.0 ('Projeto A.vst')");
    EXPECT_EQ(g.Recentes[0], a);

    // Cancelling the dialog changes nothing.
    eventos.clear();
    ui.Arquivos = {std::nullopt};
    EXPECT_FALSE(g.Abrir());
    EXPECT_TRUE(eventos.empty());
    EXPECT_TRUE(g.ProjetoAberto());
}

TEST_F(GerenteSysTest, ARefusedFileLeavesNoProjectAndTheErrorForTheCaller)
{
    ProjetoAlterado();
    const std::string faltando = (dir / "sumiu.vst").string();
    ui.Respostas = {R::Nao};
    ui.Arquivos = {faltando};
    try {
        g.Abrir();
        FAIL() << "the read error must leave Abrir";
    } catch (const Exception& e) {
        EXPECT_EQ(std::string(e.what()), "Não foi possível abrir o arquivo " + faltando + ".");
    }
    EXPECT_FALSE(g.ProjetoAberto());
    EXPECT_FALSE(g.Alterado);
    EXPECT_EQ(g.PathProjeto, faltando);
    EXPECT_EQ(eventos.back(), "desabilitar");
    EXPECT_EQ(ui.Titulo, "Vastrel 3.0");
}

TEST_F(GerenteSysTest, AMissingRecentFileClosesTheProjectSilently)
{
    ProjetoAlterado();
    const std::string faltando = (dir / "sumiu.vst").string();
    g.Recentes = {faltando, "", "", ""};
    ui.Respostas = {R::Nao};
    std::string erro;
    EXPECT_FALSE(g.AbrirArquivo(faltando, &erro));
    EXPECT_EQ(ui.Perguntas.size(), 1u); // the save-first question, then nothing
    EXPECT_EQ(erro, "Não foi possível abrir o arquivo " + faltando + ".");
    EXPECT_FALSE(g.ProjetoAberto());
    EXPECT_EQ(eventos.back(), "desabilitar");
    EXPECT_EQ(g.Recentes[0], faltando);

    // A readable entry opens and moves to the head.
    const std::string b = Arquivo("b.vst", "B");
    g.Recentes = {faltando, b, "", ""};
    EXPECT_TRUE(g.AbrirArquivo(b));
    EXPECT_EQ(conteudo, "B");
    EXPECT_EQ(g.Recentes, (std::array<std::string, 4>{b, faltando, "", ""}));
    EXPECT_EQ(ui.Titulo, "Vastrel 3.0 ('b.vst')");
}

TEST_F(GerenteSysTest, FecharAnswers)
{
    // No: closed without writing.
    ProjetoAlterado();
    conteudo = "mudou";
    ui.Respostas = {R::Nao};
    ASSERT_TRUE(g.Fechar());
    EXPECT_EQ(ui.Perguntas.back(), "Deseja salvar as alterações em a.vst [SNC]");
    EXPECT_EQ(vastrel::test::ReadBytes(dir / "a.vst"), "A");
    EXPECT_FALSE(g.ProjetoAberto());
    EXPECT_EQ(eventos, (std::vector<std::string>{"zerar", "desabilitar"}));

    // Cancel: still open and modified.
    ProjetoAlterado();
    ui.Respostas = {R::Cancelar};
    EXPECT_FALSE(g.Fechar());
    EXPECT_TRUE(g.ProjetoAberto());
    EXPECT_TRUE(g.Alterado);
    EXPECT_TRUE(eventos.empty());

    // Yes: written, then closed.
    conteudo = "salvo";
    ui.Respostas = {R::Sim};
    ASSERT_TRUE(g.Fechar());
    EXPECT_EQ(vastrel::test::ReadBytes(dir / "a.vst"), "salvo");
    EXPECT_FALSE(g.ProjetoAberto());
}

TEST_F(GerenteSysTest, AFailedWriteKeepsTheProjectModified)
{
    ProjetoAlterado();
    falharEscrita = true;
    EXPECT_THROW(g.Salvar(), EInOutError);
    EXPECT_TRUE(g.Alterado);

    // Save as under a new name that cannot be written keeps the old name.
    ui.Arquivos = {(dir / "novo.vst").string()};
    EXPECT_THROW(g.SalvarComo(), EInOutError);
    EXPECT_EQ(g.NomeProjeto, "a.vst");
    EXPECT_EQ(g.PathProjeto, (dir / "a.vst").string());

    // Closing asks, and a failing "Yes" keeps the project open.
    ui.Respostas = {R::Sim};
    EXPECT_THROW(g.Fechar(), EInOutError);
    EXPECT_TRUE(g.ProjetoAberto());
    EXPECT_TRUE(g.Alterado);
}

TEST_F(GerenteSysTest, SaveFirstYesThenCancelledSaveDialogKeepsTheProject)
{
    ASSERT_TRUE(g.Novo());
    g.Alterado = true;
    conteudo = "trabalho";
    ui.Respostas = {R::Sim};
    ui.Arquivos = {std::nullopt};
    EXPECT_FALSE(g.Novo());
    EXPECT_EQ(conteudo, "trabalho");
    EXPECT_TRUE(g.Alterado);
    EXPECT_EQ(g.NomeProjeto, "\"PROJETO1.VST\"");
}

} // namespace
