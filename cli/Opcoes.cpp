#include "Comandos.h"

#include "common/Format.h"

#include <algorithm>
#include <iostream>

namespace vastrel::cli {

void MostrarUso(bool erro)
{
    std::ostream& out = erro ? std::cerr : std::cout;
    out << "Uso:\n"
           "  vastrel-cli calcular PROJETO.vst [--json]\n"
           "      Dimensiona o sistema de terraços do projeto e mostra os resultados.\n"
           "  vastrel-cli simular PROJETO.vst \"GRAFICO\" [--cdu X]\n"
           "      Os 21 pontos de um gráfico da simulação, em CSV.\n"
           "      Gradiente: \"Q x Comp\", \"Q x EH\", \"Q x nc\", \"Q x nt\", \"Q x Sc\", \"Q x St\",\n"
           "      \"Q x VIB\" e os mesmos com \"H x\" e \"Hr x\".\n"
           "      Nível: \"H x VIB\", \"Hr x VIB\", \"H x EH\", \"Hr x EH\", \"LES x VIB\".\n"
           "  vastrel-cli espacamento --metodo bentley|lombardi|parana --declividade PERCENT\n"
           "      [--solo I] [--cultura I --erosao I --preparo I] [--json]\n"
           "      Espaçamento vertical e horizontal entre terraços.\n"
           "Códigos de saída: 0 sucesso, 1 cálculo recusado ou com erro, 2 projeto ilegível,\n"
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
