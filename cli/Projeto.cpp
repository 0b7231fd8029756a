// Reading a project file for the commands that work on one.

#include "Comandos.h"

#include "dimensioning/EntradaDimensionamento.h"
#include "project/Projeto.h"

#include <iostream>

namespace vastrel::cli {

std::optional<int> LerProjeto(const std::filesystem::path& caminho, TProjeto& p)
{
    try {
        p.Ler(caminho);
    } catch (const EArquivoProjeto& e) {
        std::cerr << e.what() << "\n";
        if (!e.Motivo.empty())
            std::cerr << e.Motivo << "\n";
        return kErroProjeto;
    }
    MostrarAvisos(p.AvisosLeitura);
    return std::nullopt;
}

std::optional<int> CalcularProjeto(TProjeto& p, TResultadoDimensionamento& r)
{
    const TCalculoDimensionamento c = Calcular(p);
    if (!c.ErroLeitura.empty()) {
        std::cerr << c.ErroLeitura << "\n";
        return kErroCalculo;
    }
    if (c.Falha) {
        std::cerr << c.Falha->Mensagem << "\n";
        return kErroCalculo;
    }
    MostrarAvisos(c.Avisos);
    if (!c.Calculado()) {
        std::cerr << kMsgErroCalculo << "\n" << c.ErroMotor << "\n";
        return kErroCalculo;
    }
    r = *c.Resultado;
    return std::nullopt;
}

void MostrarAvisos(const std::vector<std::string>& avisos)
{
    for (const std::string& a : avisos)
        std::cerr << "Aviso: " << a << "\n";
}

} // namespace vastrel::cli
