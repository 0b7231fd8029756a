#include "common/Pastas.h"

#include "common/Cp1252.h"

#include <mutex>
#include <string>

namespace vastrel {

namespace fs = std::filesystem;

namespace {

std::mutex gMutex;
fs::path gPastaDefinida;

fs::path PastaDoExecutavel()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path())
        return exe.parent_path();
    return fs::current_path(ec);
}

// The entry of `pasta` whose name equals `nome` without regard to case.
fs::path ProcurarSemCaixa(const fs::path& pasta, const std::string& nome)
{
    std::error_code ec;
    if (fs::exists(pasta / nome, ec))
        return pasta / nome;
    const std::string alvo = FoldCase(nome);
    for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec))
        if (FoldCase(it->path().filename().string()) == alvo)
            return it->path();
    return pasta / nome;
}

} // namespace

fs::path PastaPrograma()
{
    std::lock_guard<std::mutex> trava(gMutex);
    if (!gPastaDefinida.empty())
        return gPastaDefinida;
    static const fs::path pasta = PastaDoExecutavel();
    return pasta;
}

void DefinirPastaPrograma(const fs::path& pasta)
{
    std::lock_guard<std::mutex> trava(gMutex);
    gPastaDefinida = pasta;
}

fs::path ResolverSemCaixa(const fs::path& base, std::string_view relativo)
{
    // Both separators are accepted, as the names come from Windows texts.
    std::string texto(relativo);
    for (char& c : texto)
        if (c == '\\')
            c = '/';
    fs::path atual = base;
    for (const fs::path& parte : fs::path(texto)) {
        const std::string nome = parte.string();
        if (nome.empty() || nome == ".")
            continue;
        if (nome == "..")
            atual = atual.parent_path();
        else
            atual = ProcurarSemCaixa(atual, nome);
    }
    return atual;
}

fs::path PastaArquivosComuns() { return ResolverSemCaixa(PastaPrograma(), "../Arquivos Comuns"); }

fs::path ArquivoDoPrograma(std::string_view relativo) { return ResolverSemCaixa(PastaPrograma(), relativo); }

} // namespace vastrel
