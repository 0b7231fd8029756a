#pragma once
// The GDAL drivers a fuzz target exercises: GDAL's own parsers are not this
// system's code, so the targets keep to the few formats whose seeds they
// carry and fuzz what the import does with whatever those give.

#include <gdal_priv.h>

#include <initializer_list>
#include <set>
#include <string>

namespace vastrel::fuzz {

inline void SoEstesDrivers(std::initializer_list<const char*> aceitos)
{
    GDALAllRegister();
    const std::set<std::string> manter(aceitos.begin(), aceitos.end());
    std::string pular;
    GDALDriverManager* gerente = GetGDALDriverManager();
    for (int i = 0; i < gerente->GetDriverCount(); ++i) {
        const std::string nome = gerente->GetDriver(i)->GetDescription();
        if (!manter.count(nome))
            pular += nome + " ";
    }
    // Also skipped when the import registers the drivers again.
    CPLSetConfigOption("GDAL_SKIP", pular.c_str());
    gerente->AutoSkipDrivers();
    CPLSetConfigOption("CPL_DEBUG", "OFF");
}

} // namespace vastrel::fuzz
