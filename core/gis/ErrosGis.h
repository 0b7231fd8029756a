#pragma once
// Errors of the raster and vector tools. Each carries the Portuguese message
// the window shows as it stands.

#include "common/Exceptions.h"

#include <string>

namespace vastrel::gis {

// A file that cannot be read or written as the tool needs it: missing,
// truncated, of an unknown layout, or refused by the operating system.
class EArquivoGis : public EInOutError {
public:
    explicit EArquivoGis(const std::string& message) : EInOutError(message) {}
};

// The field of a tool window that a refused choice concerns, so that the
// window can put the focus there.
enum class TCampoGis { Nenhum, Entrada, Saida };

// The user's choices do not let the tool run: no input, no output, a cell
// type or unit the tool does not take. Nothing has been written.
class EEscolhaGis : public Exception {
public:
    EEscolhaGis(const std::string& message, TCampoGis campo = TCampoGis::Nenhum)
        : Exception(message), Campo(campo) {}
    TCampoGis Campo;
};

// The run was stopped by the user through the stop flag; nothing of the
// output was written.
class EProcessoInterrompido : public Exception {
public:
    EProcessoInterrompido() : Exception("Processamento interrompido pelo usuário.") {}
};

// A second run was asked of a tool object while its first is still going
// (a button pressed again while pending window events run).
class EProcessoEmAndamento : public Exception {
public:
    EProcessoEmAndamento() : Exception("Já existe um processamento em andamento. Aguarde o seu término.") {}
};

// Messages of the tool windows.
inline constexpr const char* kMsgEntradaInvalida = "Arquivo de entrada inválido.";
inline constexpr const char* kMsgSaidaInvalida = "Arquivo de saída inválido.";
inline constexpr const char* kMsgTipoByte =
    "Arquivo especificado é do tipo byte. Utilize um arquivo do tipo inteiro ou real.";

// The question the tool windows ask before an output file that exists is
// replaced (the file's name without its folder).
inline std::string MensagemSubstituirArquivo(const std::string& nomeArquivo)
{
    return "O arquivo '" + nomeArquivo + "' já existe. Deseja substituir o arquivo existente ?";
}

} // namespace vastrel::gis
