// vastrel-cli: the design engine of Vastrel from the command line, for batch
// work and for checking results.

#include "Comandos.h"

#include "common/Locale.h"

#include <iostream>

using namespace vastrel::cli;

int main(int argc, char** argv)
{
    vastrel::InitFormatSettingsFromEnvironment();
    const Argumentos todos(argv + 1, argv + argc);
    if (todos.empty() || todos[0] == "--help" || todos[0] == "-h" || todos[0] == "ajuda") {
        MostrarUso(todos.empty());
        return todos.empty() ? kErroUso : kSucesso;
    }
    const std::string comando = todos[0];
    const Argumentos args(todos.begin() + 1, todos.end());
    try {
        for (const TComando& c : Comandos())
            if (c.Nome == comando)
                return c.Executar(args);
        throw ErroUso{"Comando desconhecido: " + comando};
    } catch (const ErroUso& e) {
        std::cerr << "vastrel-cli: " << e.mensagem << "\n\n";
        MostrarUso(true);
        return kErroUso;
    }
}
