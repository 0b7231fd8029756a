#pragma once
// Commands of vastrel-cli. Each command lives in its own source file and
// registers itself with RegistroComando; main dispatches by name. A command
// returns the process exit status: 0 success, 1 calculation refused or
// failed, 2 input file unreadable, 64 wrong command line.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vastrel {
class TProjeto;
struct TResultadoDimensionamento;
}

namespace vastrel::cli {

inline constexpr int kSucesso = 0;
inline constexpr int kErroCalculo = 1;
inline constexpr int kErroProjeto = 2;
inline constexpr int kErroArquivo = 2;
inline constexpr int kErroUso = 64;

using Argumentos = std::vector<std::string>;
using FuncaoComando = std::function<int(const Argumentos&)>;

struct TComando {
    std::string Nome;
    FuncaoComando Executar;
    std::string Uso; // lines of the usage text, each ending in a line feed
};

// Registers a command at program start: a static object of this type in
// the command's own file, so that adding a command touches no other file.
struct RegistroComando {
    RegistroComando(std::string nome, FuncaoComando executar, std::string uso);
};

// The registered commands, in the order their names sort.
std::vector<TComando> Comandos();

// Prints the usage text to the given stream.
void MostrarUso(bool erro);

// Raised for a wrong command line; main prints it with the usage text.
struct ErroUso {
    std::string mensagem;
};

// Command-line options: "--name value" pairs and "--flag" switches.
class Opcoes {
public:
    Opcoes(const Argumentos& args, const std::vector<std::string>& comValor,
           const std::vector<std::string>& chaves);
    const std::vector<std::string>& Posicionais() const { return posicionais_; }
    bool Tem(const std::string& nome) const;
    std::string Valor(const std::string& nome) const;
    double Real(const std::string& nome) const;    // ErroUso when not a number
    int Inteiro(const std::string& nome) const;    // ErroUso when not an integer

private:
    std::vector<std::string> posicionais_;
    std::vector<std::pair<std::string, std::string>> valores_;
};

// Reads a project file. A file that cannot be read is reported on standard
// error and gives the exit status; what the read had to say about the
// file's content goes to standard error as warnings.
std::optional<int> LerProjeto(const std::filesystem::path& caminho, TProjeto& projeto);

// The calculation of the dimensioning window's "Calcular" on the project:
// a refusal or an engine failure is reported on standard error and gives
// the exit status; warnings go to standard error and the design goes on.
std::optional<int> CalcularProjeto(TProjeto& projeto, TResultadoDimensionamento& resultado);

// Each text on standard error as a line "Aviso: …".
void MostrarAvisos(const std::vector<std::string>& avisos);

} // namespace vastrel::cli
