#include "Comandos.h"

#include "common/Format.h"

#include <algorithm>
#include <iostream>

namespace vastrel::cli {

namespace {

std::vector<TComando>& Registro()
{
    static std::vector<TComando> comandos;
    return comandos;
}

} // namespace

RegistroComando::RegistroComando(std::string nome, FuncaoComando executar, std::string uso)
{
    Registro().push_back({std::move(nome), std::move(executar), std::move(uso)});
}

std::vector<TComando> Comandos()
{
    std::vector<TComando> lista = Registro();
    std::sort(lista.begin(), lista.end(), [](const TComando& a, const TComando& b) { return a.Nome < b.Nome; });
    return lista;
}

void MostrarUso(bool erro)
{
    std::ostream& out = erro ? std::cerr : std::cout;
    out << "Uso:\n";
    for (const TComando& c : Comandos())
        out << c.Uso;
    out << "Códigos de saída: 0 sucesso, 1 cálculo recusado ou com erro, 2 arquivo ilegível,\n"
           "64 linha de comando inválida.\n";
}

Opcoes::Opcoes(const Argumentos& args, const std::vector<std::string>& comValor,
               const std::vector<std::string>& chaves)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0 || a.size() == 2) {
            posicionais_.push_back(a);
            continue;
        }
        const std::string nome = a.substr(2);
        if (std::find(chaves.begin(), chaves.end(), nome) != chaves.end()) {
            valores_.emplace_back(nome, "");
        } else if (std::find(comValor.begin(), comValor.end(), nome) != comValor.end()) {
            if (i + 1 >= args.size())
                throw ErroUso{"A opção " + a + " precisa de um valor."};
            valores_.emplace_back(nome, args[++i]);
        } else {
            throw ErroUso{"Opção desconhecida: " + a};
        }
    }
}

bool Opcoes::Tem(const std::string& nome) const
{
    return std::any_of(valores_.begin(), valores_.end(), [&](const auto& v) { return v.first == nome; });
}

std::string Opcoes::Valor(const std::string& nome) const
{
    for (auto it = valores_.rbegin(); it != valores_.rend(); ++it)
        if (it->first == nome)
            return it->second;
    return "";
}

double Opcoes::Real(const std::string& nome) const
{
    const auto v = ParseFloat(Valor(nome));
    if (!v)
        throw ErroUso{"O valor de --" + nome + " não é um número: " + Valor(nome)};
    return *v;
}

int Opcoes::Inteiro(const std::string& nome) const
{
    const auto v = ParseInt(Valor(nome));
    if (!v || *v < -1000000 || *v > 1000000)
        throw ErroUso{"O valor de --" + nome + " não é um número inteiro: " + Valor(nome)};
    return static_cast<int>(*v);
}

} // namespace vastrel::cli
