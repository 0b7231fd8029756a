#pragma once
// Shared by the raster and vector commands of vastrel-cli (declividade,
// filtrar, importar, exportar, info): how their errors become messages and
// exit codes, and the options naming a foreign format.

#include "Comandos.h"

#include "common/Exceptions.h"
#include "gis/ErrosGis.h"
#include "gis/ImportExport.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

namespace vastrel::cli::gis {

// Runs a tool and turns its errors into a message on stderr and an exit
// code: a file missing, unreadable or not writable gives kErroArquivo; a
// computation the data cannot take (a byte image, an unknown unit, a
// numeric fault) gives kErroCalculo.
inline int Executar(const std::function<void()>& ferramenta)
{
    try {
        ferramenta();
        return kSucesso;
    } catch (const vastrel::gis::EEscolhaGis& e) {
        std::cerr << e.what() << "\n";
        return e.Campo == vastrel::gis::TCampoGis::Nenhum ? kErroCalculo : kErroArquivo;
    } catch (const EInOutError& e) {
        std::cerr << e.what() << "\n";
        return kErroArquivo;
    } catch (const Exception& e) {
        std::cerr << e.what() << "\n";
        return kErroCalculo;
    }
}

// The title given with --titulo, or the tool's default for the input.
inline std::string Titulo(const Opcoes& op, const std::string& padrao)
{
    return op.Tem("titulo") ? op.Valor("titulo") : padrao;
}

// A JSON string: quotes, backslashes and control characters escaped.
inline std::string TextoJson(const std::string& s)
{
    std::string r = "\"";
    for (const char c : s) {
        if (c == '"' || c == '\\') {
            r += '\\';
            r += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char b[8];
            std::snprintf(b, sizeof b, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
            r += b;
        } else {
            r += c;
        }
    }
    return r + "\"";
}

struct TConversaoCli {
    vastrel::gis::TFormatoExterno Formato;
    vastrel::gis::TTipoDadoGis Tipo;
    std::string Entrada, Saida;
};

// --formato idrisi|surfer|gdal --tipo raster|vetor ENTRADA SAIDA. With
// gdal the kind may be left out: an import takes a raster, an export the
// kind of its input (".ras" raster, otherwise vector).
inline TConversaoCli LerConversao(const Opcoes& op, const std::string& comando)
{
    if (op.Posicionais().size() != 2)
        throw ErroUso{comando + " precisa de ENTRADA e SAIDA."};
    if (!op.Tem("formato"))
        throw ErroUso{comando + " precisa de --formato e --tipo."};
    TConversaoCli c{};
    const std::string formato = op.Valor("formato");
    if (formato == "idrisi")
        c.Formato = vastrel::gis::TFormatoExterno::Idrisi;
    else if (formato == "surfer")
        c.Formato = vastrel::gis::TFormatoExterno::Surfer;
    else if (formato == "gdal")
        c.Formato = vastrel::gis::TFormatoExterno::Gdal;
    else
        throw ErroUso{"Formato desconhecido: " + formato + " (idrisi, surfer ou gdal)."};
    std::string tipo = op.Tem("tipo") ? op.Valor("tipo") : "";
    if (tipo.empty() && c.Formato == vastrel::gis::TFormatoExterno::Gdal) {
        std::string ext = std::filesystem::path(op.Posicionais()[0]).extension().string();
        for (char& ch : ext)
            ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        tipo = comando == "importar" || ext == ".ras" ? "raster" : "vetor";
    }
    if (tipo.empty())
        throw ErroUso{comando + " precisa de --formato e --tipo."};
    if (tipo == "raster")
        c.Tipo = vastrel::gis::TTipoDadoGis::Raster;
    else if (tipo == "vetor")
        c.Tipo = vastrel::gis::TTipoDadoGis::Vetor;
    else
        throw ErroUso{"Tipo desconhecido: " + tipo + " (raster ou vetor)."};
    c.Entrada = op.Posicionais()[0];
    c.Saida = op.Posicionais()[1];
    return c;
}

} // namespace vastrel::cli::gis
