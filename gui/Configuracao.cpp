#include "Configuracao.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/IniFile.h"
#include "common/Pastas.h"
#include "rainfall/Estados.h"

#include <unistd.h>

namespace vastrel::gui {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNomeArquivo = "Vastrel3.ini";
constexpr const char* kSecao = "PRINCIPAL";

bool PastaGravavel(const fs::path& pasta)
{
    return ::access(pasta.c_str(), W_OK) == 0;
}

} // namespace

fs::path ArquivoConfiguracao(const fs::path& pastaUsuario)
{
    const fs::path programa = PastaPrograma();
    if (PastaGravavel(programa) || pastaUsuario.empty())
        return ResolverSemCaixa(programa, kNomeArquivo);
    return pastaUsuario / kNomeArquivo;
}

TConfiguracao LerConfiguracao(const fs::path& arquivo)
{
    TConfiguracao c;
    fs::path origem = arquivo;
    std::error_code ec;
    if (!fs::exists(origem, ec))
        origem = ResolverSemCaixa(PastaPrograma(), kNomeArquivo);
    try {
        const TIniFile ini(origem);
        c.Unidades.LerChaves(ini, kSecao);
        for (std::size_t i = 0; i < c.Recentes.size(); ++i)
            c.Recentes[i] = ini.ReadString(kSecao, "path" + std::to_string(i + 1), "");
        // The state is stored as text; anything but an index of the state
        // table falls back to the first state.
        const auto estado = ParseInt(ini.ReadString(kSecao, "IndEstado", ""));
        if (estado && *estado >= 0 && *estado < kNumEstados) {
            c.Unidades.IndEstadoPadrao = static_cast<std::uint8_t>(*estado);
            c.EstadoDefinido = true;
        }
    } catch (const Exception&) {
        // An unreadable settings file is no reason to refuse to start.
        return TConfiguracao{};
    }
    return c;
}

void GravarConfiguracao(const fs::path& arquivo, const TConfiguracao& c)
{
    std::error_code ec;
    if (arquivo.has_parent_path())
        fs::create_directories(arquivo.parent_path(), ec);
    TIniFile ini(arquivo);
    c.Unidades.GravarChaves(ini, kSecao);
    for (std::size_t i = 0; i < c.Recentes.size(); ++i)
        ini.WriteString(kSecao, "path" + std::to_string(i + 1), c.Recentes[i]);
    ini.WriteString(kSecao, "IndEstado", c.EstadoDefinido ? std::to_string(c.Unidades.IndEstadoPadrao) : "");
    ini.UpdateFile();
}

} // namespace vastrel::gui
