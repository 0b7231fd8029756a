// The palette files (".pal"): any text gives 256 colours or is refused with
// the system's message.

#include "FuzzApoio.h"

#include "common/Exceptions.h"
#include "gis/Paleta.h"

using namespace vastrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    const auto pal = fuzz::Arquivo("entrada.pal", dados, n);
    try {
        (void)gis::CarregarPaleta(pal);
    } catch (const Exception&) {
    }
    return 0;
}
