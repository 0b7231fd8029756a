// "info": the header of a raster (".ras") or vector (".vet") file.

#include "Comandos.h"
#include "Gis.h"

#include "common/Locale.h"
#include "gis/MemoryRaster.h"
#include "gis/Vetor.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <utility>
#include <vector>

namespace vastrel::cli {

namespace {

bool EhVetor(const std::filesystem::path& p)
{
    std::string ext = p.extension().string();
    for (char& ch : ext)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == ".vet";
}

// Field name, value as JSON, value for people (numbers with the locale's
// decimal separator).
using TCampos = std::vector<std::tuple<std::string, std::string, std::string>>;

// A 32-bit float in the shortest text that reads back to it.
void Real(TCampos& c, const char* nome, float v)
{
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v);
    const std::string json(b, r.ptr);
    std::string texto = json;
    std::replace(texto.begin(), texto.end(), '.', DecimalSeparator());
    c.emplace_back(nome, json, texto);
}
void Inteiro(TCampos& c, const char* nome, long long v)
{
    c.emplace_back(nome, std::to_string(v), std::to_string(v));
}
void Texto(TCampos& c, const char* nome, const std::string& v) { c.emplace_back(nome, gis::TextoJson(v), v); }

TCampos CamposRaster(const std::filesystem::path& p)
{
    vastrel::gis::TMemoryRaster r;
    if (!r.CarregarRaster(p))
        throw EInOutError("Arquivo " + p.string() + " não encontrado.");
    TCampos c;
    Inteiro(c, "Versao", r.Versao);
    Texto(c, "TipoCelula", std::string(1, r.TipoCelula));
    Texto(c, "Titulo", r.Titulo);
    Inteiro(c, "Colunas", r.Colunas);
    Inteiro(c, "Linhas", r.Linhas);
    Real(c, "XMin", r.XMin);
    Real(c, "XMax", r.XMax);
    Real(c, "YMin", r.YMin);
    Real(c, "YMax", r.YMax);
    Texto(c, "Unidade", r.Unidade);
    if (r.TipoCelula == 'R') {
        Real(c, "ValorMin", r.ValorMin);
        Real(c, "ValorMax", r.ValorMax);
    } else if (r.TipoCelula == 'I') {
        Inteiro(c, "ValorMin", r.ValorMinInteiro);
        Inteiro(c, "ValorMax", r.ValorMaxInteiro);
    } else {
        Inteiro(c, "ValorMin", r.ValorMinByte);
        Inteiro(c, "ValorMax", r.ValorMaxByte);
    }
    return c;
}

TCampos CamposVetor(const std::filesystem::path& p)
{
    vastrel::gis::TVetor v;
    if (!v.CarregarVetor(p))
        throw EInOutError("Arquivo " + p.string() + " não encontrado.");
    TCampos c;
    Inteiro(c, "Versao", v.Versao);
    Texto(c, "Titulo", v.Titulo);
    Texto(c, "Unidade", v.Unidade);
    Real(c, "XMin", v.XMin);
    Real(c, "XMax", v.XMax);
    Real(c, "YMin", v.YMin);
    Real(c, "YMax", v.YMax);
    Inteiro(c, "NumRegistros", v.NumRegistros());
    return c;
}

int Info(const Argumentos& args)
{
    const Opcoes op(args, {}, {"json"});
    if (op.Posicionais().size() != 1)
        throw ErroUso{"info precisa de um ARQUIVO .ras ou .vet."};
    const std::filesystem::path arquivo = op.Posicionais()[0];
    TCampos campos;
    const int codigo = gis::Executar([&] { campos = EhVetor(arquivo) ? CamposVetor(arquivo) : CamposRaster(arquivo); });
    if (codigo != kSucesso)
        return codigo;
    if (op.Tem("json")) {
        std::cout << "{";
        for (std::size_t i = 0; i < campos.size(); ++i)
            std::cout << (i ? ", " : "") << "\"" << std::get<0>(campos[i]) << "\": " << std::get<1>(campos[i]);
        std::cout << "}\n";
    } else {
        for (const auto& [nome, json, texto] : campos)
            std::cout << nome << ": " << texto << "\n";
    }
    return kSucesso;
}

const RegistroComando kInfo{
    "info", Info,
    "  vastrel-cli info ARQUIVO.ras|ARQUIVO.vet [--json]\n"
    "      Cabeçalho de um arquivo raster ou vetor.\n"};

} // namespace

} // namespace vastrel::cli
