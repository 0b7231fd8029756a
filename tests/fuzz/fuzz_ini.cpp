// The INI layer of the project and settings files: any bytes load without a
// crash, and a value written, saved and read back is the value written
// while every other value of the file keeps what it read before the save.

#include "FuzzApoio.h"

#include "common/Cp1252.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cmath>
#include <limits>
#include <map>

using namespace vastrel;

namespace {

constexpr std::array<const char*, 5> kSecoes = {"IDENTIFICACAO", "ESPAÇAMENTO", "VASTREL3", "s", "PRINCIPAL"};
constexpr std::array<const char*, 5> kChaves = {"Versao", "Nome", "EH", "k", "path1"};

using Valores = std::map<std::pair<int, int>, std::string>;

Valores LerValores(const TIniFile& ini)
{
    Valores v;
    for (int s = 0; s < static_cast<int>(kSecoes.size()); ++s)
        for (int c = 0; c < static_cast<int>(kChaves.size()); ++c)
            v[{s, c}] = ini.ReadString(kSecoes[s], kChaves[c], "\x01ausente");
    return v;
}

// What a string value reads back as: line ends become blanks (a value is one
// line) and the text is well-formed UTF-8.
std::string Esperado(const std::string& valor)
{
    std::string r = RepairUtf8(valor);
    for (char& ch : r)
        if (ch == '\r' || ch == '\n')
            ch = ' ';
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t n)
{
    FuzzedDataProvider fdp(dados, n);
    const int secao = fdp.ConsumeIntegralInRange<int>(0, kSecoes.size() - 1);
    const int chave = fdp.ConsumeIntegralInRange<int>(0, kChaves.size() - 1);
    const int tipo = fdp.ConsumeIntegralInRange<int>(0, 2);
    const std::string valor = fdp.ConsumeRandomLengthString(256);
    const long long inteiro = fdp.ConsumeIntegral<long long>();
    const double real = fdp.ConsumeFloatingPoint<double>();
    const auto arquivo = fuzz::Arquivo("p.vst", fdp.ConsumeRemainingBytesAsString());

    Valores antes;
    try {
        TIniFile ini(arquivo);
        antes = LerValores(ini);
        switch (tipo) {
        case 0: ini.WriteString(kSecoes[secao], kChaves[chave], valor); break;
        case 1: ini.WriteInteger(kSecoes[secao], kChaves[chave], inteiro); break;
        default:
            if (!std::isfinite(real))
                return 0;
            ini.WriteFloat(kSecoes[secao], kChaves[chave], real);
            break;
        }
        ini.UpdateFile();
    } catch (const Exception&) {
        return 0;
    }

    const TIniFile lido(arquivo);
    Valores depois = LerValores(lido);
    switch (tipo) {
    case 0:
        if (depois[{secao, chave}] != Esperado(valor))
            fuzz::Falhou("texto gravado e lido de volta difere: '" + depois[{secao, chave}] + "'");
        break;
    case 1:
        if (lido.ReadInteger(kSecoes[secao], kChaves[chave], 0) != inteiro ||
            !ParseInt(depois[{secao, chave}]))
            fuzz::Falhou("inteiro gravado e lido de volta difere: " + depois[{secao, chave}]);
        break;
    default: {
        const double lidoReal = lido.ReadFloat(kSecoes[secao], kChaves[chave], std::numeric_limits<double>::quiet_NaN());
        // The shortest 15-digit form, or the value itself where that form
        // would overflow.
        const double escrito = ParseFloat(FloatToStr(real)).value_or(real);
        if (!(lidoReal == escrito))
            fuzz::Falhou("real gravado e lido de volta difere: " + depois[{secao, chave}]);
        break;
    }
    }
    // Nothing but the written key changes: the key written may be one that
    // another spelling of the same section shares, so compare only others.
    for (auto& [onde, texto] : antes)
        if (onde.second != chave || FoldCase(kSecoes[onde.first]) != FoldCase(kSecoes[secao]))
            if (depois[onde] != texto)
                fuzz::Falhou(std::string("a gravação mudou ") + kSecoes[onde.first] + "/" + kChaves[onde.second] +
                             ": '" + texto + "' -> '" + depois[onde] + "'");
    return 0;
}
