// The settings file ("Vastrel3.ini"): any bytes give settings (an unreadable
// file gives the defaults), and the settings read, saved over the same file
// and read again are the settings read — units, default state and the paths
// of the recent projects, accents included.

#include "FuzzApoio.h"

#include "Configuracao.h"
#include "common/Exceptions.h"

using namespace vastrel;

namespace {

bool Iguais(const gui::TConfiguracao& a, const gui::TConfiguracao& b)
{
    return a.Recentes == b.Recentes && a.Unidades.UnidDeclividade == b.Unidades.UnidDeclividade &&
           a.Unidades.KDeclividade == b.Unidades.KDeclividade && a.Unidades.UnidVIB == b.Unidades.UnidVIB &&
           a.Unidades.KVIB == b.Unidades.KVIB && a.Unidades.IndEstadoPadrao == b.Unidades.IndEstadoPadrao;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto arquivo = fuzz::Arquivo("Vastrel3.ini", dados, n);
    const gui::TConfiguracao lida = gui::LerConfiguracao(arquivo);
    try {
        gui::GravarConfiguracao(arquivo, lida);
    } catch (const Exception& e) {
        fuzz::Falhou(std::string("as configurações lidas não se gravam: ") + e.what());
    }
    if (!Iguais(gui::LerConfiguracao(arquivo), lida))
        fuzz::Falhou("as configurações gravadas e lidas de volta diferem das lidas");
    return 0;
}
