#include "project/Projeto.h"

#include "common/IniFile.h"

#include <optional>

namespace vastrel {

namespace {

constexpr const char* kCabecalho = "VASTREL3";
constexpr const char* kVersaoArquivo = "3.0";

std::string MensagemAbrir(const std::filesystem::path& path)
{
    return "Não foi possível abrir o arquivo " + path.string() + ".";
}

std::string MensagemGravar(const std::filesystem::path& path)
{
    return "Não foi possível gravar o arquivo " + path.string() + ".";
}

} // namespace

TCanal& TProjeto::CanalAtual()
{
    if (Gradiente())
        return TerracosGradiente;
    return TerracosNivel;
}

TEspacamento& TProjeto::EspacamentoAtual()
{
    if (Gradiente())
        return TerracosGradiente.Espacamento;
    return TerracosNivel.Espacamento;
}

void TProjeto::Zerar()
{
    IDProjeto.Zerar();
    TerracosNivel.Zerar();
    TerracosGradiente.Zerar();
    Locacao.Zerar();
    Terreno.Zerar();
    Nimbra.Zerar();
    Nimbra.IndEstado = Unidades.IndEstadoPadrao;
    TipoSistema.Tipo = 0;
}

void TProjeto::Ler(const std::filesystem::path& path)
{
    Zerar();
    const auto recusar = [&](const std::string& motivo) {
        Zerar();
        throw EArquivoProjeto(MensagemAbrir(path), motivo);
    };
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        recusar("O arquivo não existe.");

    std::optional<TIniFile> ini;
    try {
        ini.emplace(path);
    } catch (const Exception& e) {
        recusar(e.what());
    }

    // Required parts, in this order; the first failure refuses the file.
    if (ini->ReadString(kCabecalho, "Versao", "0.0") != kVersaoArquivo)
        recusar("O arquivo não é um projeto desta versão (seção \"VASTREL3\" ausente ou de outra versão).");
    if (!IDProjeto.Ler(*ini))
        recusar("A seção \"IDENTIFICACAO\" está ausente ou é de outra versão.");
    if (!TipoSistema.Ler(*ini))
        recusar("A seção \"TipoSistema\" está ausente ou inválida.");
    if (!Nimbra.Ler(*ini))
        recusar("A seção \"NIMBRA\" está ausente ou é de outra versão.");
    if (!Terreno.Ler(*ini))
        recusar("As seções \"Terreno\" e \"Cobertura\" estão ausentes ou inválidas.");

    // Optional parts: a missing or damaged terrace section leaves that
    // system as the reset above left it, not half read (a reader stops at
    // its first failure with the keys before it already taken, the soil
    // list of a method read among them).
    const auto lerOuManter = [&](auto& sistema) {
        const auto reposto = sistema;
        if (!sistema.Ler(*ini))
            sistema = reposto;
    };
    if (TipoSistema.Tipo == 0)
        lerOuManter(TerracosNivel);
    else
        lerOuManter(TerracosGradiente);
    Unidades.LerChaves(*ini, kCabecalho);
    Modulo = ini->ReadString(kCabecalho, "MODULO", "");
    if (Modulo == kModuloLocacao)
        Locacao.Ler(*ini);

    // Keys of an older layout that the storm moved to its own sections are
    // saved back at once. The values are already read, so a file that cannot
    // be written (read-only media) still opens.
    try {
        ini->UpdateFile();
    } catch (const Exception&) {
    }
}

void TProjeto::Gravar(const std::filesystem::path& path)
{
    try {
        TIniFile ini(path);
        if (!IDProjeto.Gravar(ini) || !TipoSistema.Gravar(ini) || !Nimbra.Gravar(ini) ||
            !Terreno.Gravar(ini))
            throw EArquivoProjeto(MensagemGravar(path), "");
        if (TipoSistema.Tipo == 0)
            TerracosNivel.Gravar(ini);
        else
            TerracosGradiente.Gravar(ini);
        if (Modulo == kModuloLocacao)
            Locacao.Gravar(ini);
        // The header goes last.
        ini.WriteString(kCabecalho, "Versao", kVersaoArquivo);
        Unidades.GravarChaves(ini, kCabecalho);
        ini.WriteString(kCabecalho, "MODULO", Modulo);
        ini.UpdateFile();
    } catch (const EArquivoProjeto&) {
        throw;
    } catch (const Exception& e) {
        throw EArquivoProjeto(MensagemGravar(path), e.what());
    }
}

} // namespace vastrel
