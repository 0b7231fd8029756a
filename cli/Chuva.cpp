// "chuva": the rainfall database of the shared data folder. Lists a state's
// stations with their published IDF parameters, gives the parameters at a
// point (a station's own or interpolated), and lists the sources.

#include "Comandos.h"

#include "common/Cp1252.h"
#include "common/Format.h"
#include "common/Pastas.h"
#include "rainfall/BDPrecipitacao.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/Estados.h"
#include "rainfall/Fontes.h"

#include <iostream>
#include <regex>

namespace vastrel::cli {

namespace {

std::string SemBrancosFinais(std::string s)
{
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string TextoJson(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char* kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Pads a UTF-8 text with blanks to `largura` characters.
std::string Coluna(const std::string& s, std::size_t largura)
{
    const std::size_t n = Utf8ToCp1252(s).size();
    return n >= largura ? s : s + std::string(largura - n, ' ');
}

// A coordinate as typed: the nine-character text, or degrees, minutes and
// seconds separated by anything that is not a digit ("19 45 30", "19:45:30").
std::string CoordenadaDigitada(const std::string& opcao, const std::string& valor)
{
    if (CoordenadaValida(valor))
        return valor;
    static const std::regex kPartes(R"(^\s*(-?)(\d{1,2})\D+(\d{1,2})\D+(\d{1,2})\D*$)");
    std::smatch m;
    if (std::regex_match(valor, m, kPartes)) {
        auto dois = [](const std::string& d) { return d.size() == 1 ? "0" + d : d; };
        std::string graus = dois(m[2]);
        if (m[1].length() > 0 && graus[0] == '0')
            graus[0] = '-';
        const std::string texto = graus + "°" + dois(m[3]) + "'" + dois(m[4]) + "\"";
        if ((m[1].length() == 0 || graus[0] == '-') && CoordenadaValida(texto))
            return texto;
    }
    throw ErroUso{"--" + opcao + " não é uma coordenada GG°MM'SS\" (sul e oeste sem sinal): " + valor};
}

TBDPrecipitacao CarregarBanco()
{
    VerificarBancoDeDados(PastaArquivosComuns());
    TBDPrecipitacao bd;
    bd.CarregarEstacoes();
    return bd;
}

void MostrarEstacao(const TRegEstacao& e, bool json)
{
    if (json) {
        std::cout << "{\"K\": " << FloatToJson(e.K) << ", \"a\": " << FloatToJson(e.A)
                  << ", \"b\": " << FloatToJson(e.B) << ", \"c\": " << FloatToJson(e.C)
                  << ", \"fonte\": " << TextoJson(SemBrancosFinais(e.Fonte))
                  << ", \"nome\": " << TextoJson(e.Nome) << "}\n";
        return;
    }
    std::cout << "Local: " << (e.Nome.empty() ? "Não definida" : e.Nome) << "\n"
              << "Latitude: " << e.Latitude << "\n"
              << "Longitude: " << e.Longitude << "\n"
              << "K: " << FloatToStr(e.K) << "\n"
              << "a: " << FloatToStr(e.A) << "\n"
              << "b: " << FloatToStr(e.B) << "\n"
              << "c: " << FloatToStr(e.C) << "\n"
              << "Fonte: " << SemBrancosFinais(e.Fonte) << "\n";
}

void ListarEstado(const TBDPrecipitacao& bd, int estado, bool json)
{
    const TDadosEstado& dados = kEstados[static_cast<std::size_t>(estado)];
    const auto& lista = bd.Estacoes[static_cast<std::size_t>(estado)];
    if (json) {
        std::cout << "{\"estado\": " << TextoJson(dados.UF) << ", \"nome\": " << TextoJson(dados.Nome)
                  << ", \"estacoes\": [";
        for (std::size_t i = 0; i < lista.size(); ++i) {
            const TRegEstacao& e = lista[i];
            std::cout << (i ? ",\n  " : "\n  ") << "{\"nome\": " << TextoJson(e.Nome)
                      << ", \"latitude\": " << TextoJson(e.Latitude)
                      << ", \"longitude\": " << TextoJson(e.Longitude) << ", \"K\": " << FloatToJson(e.K)
                      << ", \"a\": " << FloatToJson(e.A) << ", \"b\": " << FloatToJson(e.B)
                      << ", \"c\": " << FloatToJson(e.C)
                      << ", \"fonte\": " << TextoJson(SemBrancosFinais(e.Fonte)) << "}";
        }
        std::cout << (lista.empty() ? "]}\n" : "\n]}\n");
        return;
    }
    std::cout << dados.Nome << " (" << dados.UF << "): " << lista.size()
              << (lista.size() == 1 ? " estação" : " estações") << "\n";
    if (lista.empty())
        return;
    std::size_t largura = 4;
    for (const TRegEstacao& e : lista)
        largura = std::max(largura, Utf8ToCp1252(e.Nome).size());
    std::cout << "Nº   " << Coluna("Nome", largura) << "  Latitude   Longitude  "
              << Coluna("K", 10) << Coluna("a", 8) << Coluna("b", 8) << Coluna("c", 8) << "Fonte\n";
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const TRegEstacao& e = lista[i];
        std::cout << Coluna(std::to_string(i + 1), 5) << Coluna(e.Nome, largura) << "  "
                  << Coluna(e.Latitude, 11) << Coluna(e.Longitude, 11) << Coluna(FloatToStr(e.K), 10)
                  << Coluna(FloatToStr(e.A), 8) << Coluna(FloatToStr(e.B), 8) << Coluna(FloatToStr(e.C), 8)
                  << SemBrancosFinais(e.Fonte) << "\n";
    }
}

void ListarFontes(bool json)
{
    const auto& citacoes = CitacoesFontes();
    if (json)
        std::cout << "[";
    for (std::size_t i = 0; i < citacoes.size(); ++i) {
        const TCitacaoFonte& c = citacoes[i];
        if (json)
            std::cout << (i ? ",\n " : "\n ") << "{\"fonte\": " << TextoJson(c.Rotulo)
                      << ", \"autores\": " << TextoJson(c.Autores) << ", \"titulo\": " << TextoJson(c.Titulo)
                      << ", \"publicacao\": " << TextoJson(c.Publicacao) << "}";
        else
            std::cout << c.Rotulo << "\n  " << c.Autores << "\n  " << c.Titulo << "\n  " << c.Publicacao << "\n";
    }
    if (json)
        std::cout << "\n]\n";
}

int Chuva(const Argumentos& args)
{
    const Opcoes op(args, {"estado", "lat", "lon"}, {"json", "fontes"});
    if (!op.Posicionais().empty())
        throw ErroUso{"Argumento inesperado: " + op.Posicionais()[0]};
    const bool json = op.Tem("json");
    const int modos = (op.Tem("estado") ? 1 : 0) + (op.Tem("lat") || op.Tem("lon") ? 1 : 0) + (op.Tem("fontes") ? 1 : 0);
    if (modos != 1)
        throw ErroUso{"chuva precisa de --estado UF, de --lat e --lon, ou de --fontes."};
    if (op.Tem("fontes")) {
        ListarFontes(json);
        return kSucesso;
    }

    int estado = -1;
    std::string lat, lon;
    if (op.Tem("estado")) {
        estado = IndiceDaSigla(op.Valor("estado"));
        if (estado < 0)
            throw ErroUso{"Estado desconhecido: " + op.Valor("estado") + " (use a sigla, por exemplo MG)."};
    } else {
        if (!op.Tem("lat") || !op.Tem("lon"))
            throw ErroUso{"chuva precisa de --lat e de --lon."};
        lat = CoordenadaDigitada("lat", op.Valor("lat"));
        lon = CoordenadaDigitada("lon", op.Valor("lon"));
    }

    TBDPrecipitacao bd;
    try {
        bd = CarregarBanco();
    } catch (const Exception& ex) {
        std::cerr << ex.what() << "\n";
        return kErroArquivo;
    }
    if (estado >= 0) {
        ListarEstado(bd, estado, json);
        return kSucesso;
    }
    try {
        MostrarEstacao(bd.Interpolar(lat, lon), json);
    } catch (const Exception& ex) {
        std::cerr << ex.what() << "\n";
        return kErroCalculo;
    }
    return kSucesso;
}

const RegistroComando kChuva{
    "chuva", Chuva,
    "  vastrel-cli chuva --estado UF [--json]\n"
    "      Estações do estado com equação IDF publicada (K, a, b, c e fonte), na ordem da lista.\n"
    "  vastrel-cli chuva --lat GG°MM'SS\" --lon GG°MM'SS\" [--json]\n"
    "      Parâmetros da equação IDF no ponto (sul e oeste sem sinal): os da estação\n"
    "      no ponto, ou a interpolação pelo inverso da quinta potência da distância\n"
    "      entre as estações de BA, ES, GO, MG, PR, RJ, SP e TO.\n"
    "  vastrel-cli chuva --fontes [--json]\n"
    "      Referências das fontes das equações.\n"};

} // namespace

} // namespace vastrel::cli
