// "espacamento": the vertical and horizontal spacing of one of the published
// methods for a slope, soil, crop and preparation.

#include "Comandos.h"

#include "common/Format.h"
#include "engine/Espacamento.h"
#include "engine/TabelasEspacamento.h"

#include <iostream>

namespace vastrel::cli {

namespace {

// Recommended or allowed maximum slope of the Bentley and Paraná methods, %.
constexpr double kDeclividadeMaxima = 20;

void AvisarDeclividade(const std::string& metodo, double D, int erosao)
{
    if (metodo == "bentley" && D > kDeclividadeMaxima)
        std::cerr << "Para o metódo de Bentley, a declividade máxima recomendada é de 20 %\n";
    else if (metodo == "parana" && D > kDeclividadeMaxima)
        std::cerr << "Para o método de Paraná, a declividade máxima permitida é de 20 %\n";
    else if (metodo == "lombardi") {
        const std::string_view aviso = AvisoDeclividadeLombardiNeto(erosao, D, true);
        if (!aviso.empty())
            std::cerr << aviso << "\n";
    }
}

int Espacamento(const Argumentos& args)
{
    const Opcoes op(args, {"metodo", "declividade", "solo", "cultura", "erosao", "preparo"}, {"json"});
    if (!op.Posicionais().empty())
        throw ErroUso{"Argumento inesperado: " + op.Posicionais()[0]};
    if (!op.Tem("metodo") || !op.Tem("declividade"))
        throw ErroUso{"espacamento precisa de --metodo e --declividade."};
    const std::string metodo = op.Valor("metodo");
    const double D = op.Real("declividade");
    if (D <= 0)
        throw ErroUso{"A declividade deve ser maior que zero (em %)."};

    TEspacamento e;
    const int erosao = op.Tem("erosao") ? op.Inteiro("erosao") : 0;
    try {
        if (metodo == "bentley" || metodo == "parana") {
            const int indice = metodo == "bentley" ? kMetodoBentley : kMetodoParana;
            e.Metodologia.IndMetodologia = static_cast<std::uint8_t>(indice);
            e.Solo.Metodo = ListaSoloDoMetodo(indice);
            e.Solo.SetIndSolo(op.Tem("solo") ? op.Inteiro("solo") : 0);
        } else if (metodo == "lombardi") {
            e.Metodologia.IndMetodologia = kMetodoLombardiNeto;
            e.SetIndCultura(op.Tem("cultura") ? op.Inteiro("cultura") : 0);
            e.SetIndErosao(erosao);
            e.SetIndPreparo(op.Tem("preparo") ? op.Inteiro("preparo") : 0);
        } else {
            throw ErroUso{"Método desconhecido: " + metodo + " (bentley, lombardi ou parana)."};
        }
        AvisarDeclividade(metodo, D, erosao);
        e.CalculaPorMetodo(D / 100, 0, 0, 1, 0);
    } catch (const Exception& ex) {
        std::cerr << ex.what() << "\n";
        return kErroCalculo;
    }

    if (op.Tem("json")) {
        std::cout << "{\"EV_m\": " << FloatToJson(e.EV) << ", \"EH_m\": " << FloatToJson(e.EH) << "}\n";
    } else {
        std::cout << "Método: " << e.Metodologia.Nome() << "\n"
                  << "Espaçamento vertical: " << FormatFloat("0.0##", e.EV) << " m\n"
                  << "Espaçamento horizontal: " << FormatFloat("0.0#", e.EH) << " m\n";
    }
    return kSucesso;
}

const RegistroComando kEspacamento{
    "espacamento", Espacamento,
    "  vastrel-cli espacamento --metodo bentley|lombardi|parana --declividade PERCENT\n"
    "      [--solo I] [--cultura I --erosao I --preparo I] [--json]\n"
    "      Espaçamento vertical e horizontal entre terraços.\n"};

} // namespace

} // namespace vastrel::cli
