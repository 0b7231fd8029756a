#include "project/IDProjeto.h"

#include "common/Exceptions.h"
#include "common/IniFile.h"

#include <ctime>

namespace vastrel {

namespace {
constexpr const char* kSecao = "IDENTIFICACAO";
} // namespace

std::string TIDProjeto::DataDeHoje()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[16];
    std::strftime(buf, sizeof buf, "%d/%m/%Y", &local);
    return buf;
}

void TIDProjeto::Zerar()
{
    Nome.clear();
    Empresa.clear();
    Local.clear();
    Estado.clear();
    Tecnico.clear();
    Data = DataDeHoje();
}

bool TIDProjeto::Ler(TIniFile& ini)
{
    if (ini.ReadString(kSecao, "Versao", "0") != "1")
        return false;
    Nome = ini.ReadString(kSecao, "Nome", "");
    Empresa = ini.ReadString(kSecao, "Empresa", "");
    Local = ini.ReadString(kSecao, "Local", "");
    Estado = ini.ReadString(kSecao, "Estado", "");
    Tecnico = ini.ReadString(kSecao, "Tecnico", "");
    Data = ini.ReadString(kSecao, "Data", "");
    return true;
}

bool TIDProjeto::Gravar(TIniFile& ini)
{
    ini.WriteString(kSecao, "Versao", "1");
    ini.WriteString(kSecao, "Nome", Nome);
    ini.WriteString(kSecao, "Empresa", Empresa);
    ini.WriteString(kSecao, "Local", Local);
    ini.WriteString(kSecao, "Estado", Estado);
    ini.WriteString(kSecao, "Tecnico", Tecnico);
    ini.WriteString(kSecao, "Data", Data);
    return true;
}

bool TIDProjeto::Ler(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Ler(ini); });
}

bool TIDProjeto::Gravar(const std::filesystem::path& p)
{
    return WithIniFile(p, [this](TIniFile& ini) { return Gravar(ini); });
}

} // namespace vastrel
