// "chuva": the rainfall database of the shared data folder. Lists a state's
// stations with their published IDF parameters, gives the parameters at a
// point (a station's own or interpolated), and lists the sources.

#include "Comandos.h"

#include "common/Cp1252.h"
#include "common/Format.h"
#include "common/Pastas.h"
#include "rainfall/BDPrecipitacao.h"
#include "rainfall/Coordenadas.h"
#include "rainfall/EquacaoIdf.h"
#include "rainfall/Estados.h"
#include "rainfall/Fontes.h"

#include <fstream>
#include <iostream>
#include <optional>
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

const char* NomeOrigem(TOrigemChuva o)
{
    switch (o) {
    case TOrigemChuva::Estacao:
        return "estacao";
    case TOrigemChuva::Interpolacao:
        return "interpolacao";
    case TOrigemChuva::Grade:
        return "grade";
    }
    return "";
}

std::string Percentual(double peso) { return FormatFloat("0.0", 100 * peso) + " %"; }

// The answer at a point, with what it rests on; warnings and fallbacks are
// repeated on stderr.
void MostrarChuva(const TBDPrecipitacao& bd, const TChuvaLocal& c, bool json)
{
    const TRegEstacao& e = c.Registro;
    const std::string fonte = bd.FonteCompleta(c);
    if (!c.Aviso.empty())
        std::cerr << "Aviso: " << c.Aviso << "\n";
    if (!c.Nota.empty())
        std::cerr << "Nota: " << c.Nota << "\n";
    if (json) {
        std::cout << "{\"K\": " << FloatToJson(e.K) << ", \"a\": " << FloatToJson(e.A)
                  << ", \"b\": " << FloatToJson(e.B) << ", \"c\": " << FloatToJson(e.C)
                  << ", \"fonte\": " << TextoJson(SemBrancosFinais(e.Fonte))
                  << ", \"nome\": " << TextoJson(e.Nome) << ", \"origem\": " << TextoJson(NomeOrigem(c.Origem))
                  << ", \"fonte_completa\": " << TextoJson(fonte) << ", \"aviso\": " << TextoJson(c.Aviso)
                  << ", \"nota\": " << TextoJson(c.Nota) << ", \"distancia_km\": "
                  << (c.DistanciaKm < 0 ? std::string("null") : FloatToJson(c.DistanciaKm))
                  << ", \"erro_ajuste\": " << FloatToJson(c.ErroAjuste) << ", \"estacoes\": [";
        for (std::size_t i = 0; i < c.Estacoes.size(); ++i) {
            const TEstacaoUsada& u = c.Estacoes[i];
            const TRegEstacao& r = bd.EstacaoUsada(u);
            std::cout << (i ? ", " : "") << "{\"nome\": " << TextoJson(r.Nome)
                      << ", \"uf\": " << TextoJson(kEstados[static_cast<std::size_t>(u.Estado)].UF)
                      << ", \"fonte\": " << TextoJson(TextoOrigem(r.Fonte, r.Origem))
                      << ", \"distancia_km\": " << FloatToJson(u.DistanciaKm)
                      << ", \"peso\": " << FloatToJson(u.Peso) << "}";
        }
        std::cout << "]}\n";
        return;
    }
    std::cout << "Local: " << (e.Nome.empty() ? "Não definida" : e.Nome) << "\n"
              << "Latitude: " << e.Latitude << "\n"
              << "Longitude: " << e.Longitude << "\n"
              << "K: " << FloatToStr(e.K) << "\n"
              << "a: " << FloatToStr(e.A) << "\n"
              << "b: " << FloatToStr(e.B) << "\n"
              << "c: " << FloatToStr(e.C) << "\n"
              << "Fonte: " << fonte << "\n";
    if (c.DistanciaKm >= 0)
        std::cout << "Estação utilizável mais próxima: " << FormatFloat("0.0", c.DistanciaKm) << " km\n";
    if (c.Origem == TOrigemChuva::Interpolacao)
        std::cout << "Erro do ajuste: até " << Percentual(c.ErroAjuste) << " (médio " << Percentual(c.ErroMedio)
                  << ")\n";
    if (c.Origem == TOrigemChuva::Grade)
        std::cout << "Estações usadas: grade\n";
    else {
        std::cout << "Estações usadas:\n";
        for (const TEstacaoUsada& u : c.Estacoes) {
            const TRegEstacao& r = bd.EstacaoUsada(u);
            std::cout << "  " << r.Nome << " (" << kEstados[static_cast<std::size_t>(u.Estado)].UF << ", "
                      << TextoOrigem(r.Fonte, r.Origem) << "): " << FormatFloat("0.0", u.DistanciaKm) << " km, peso "
                      << Percentual(u.Peso) << "\n";
        }
        if (c.PesoOutras > 0)
            std::cout << "  outras estações: peso " << Percentual(c.PesoOutras) << "\n";
    }
    if (!c.Aviso.empty())
        std::cout << "Aviso: " << c.Aviso << "\n";
    if (!c.Nota.empty())
        std::cout << "Nota: " << c.Nota << "\n";
}

void ListarEstado(const TBDPrecipitacao& bd, int estado, bool json)
{
    const TDadosEstado& dados = kEstados[static_cast<std::size_t>(estado)];
    const auto& lista = bd.Estacoes[static_cast<std::size_t>(estado)];
    const std::vector<std::string> nomes = NomesDistintos(lista);
    if (json) {
        std::cout << "{\"estado\": " << TextoJson(dados.UF) << ", \"nome\": " << TextoJson(dados.Nome)
                  << ", \"estacoes\": [";
        for (std::size_t i = 0; i < lista.size(); ++i) {
            const TRegEstacao& e = lista[i];
            const std::string aviso = AvisoEquacao(e);
            std::cout << (i ? ",\n  " : "\n  ") << "{\"nome\": " << TextoJson(e.Nome)
                      << ", \"latitude\": " << TextoJson(e.Latitude)
                      << ", \"longitude\": " << TextoJson(e.Longitude) << ", \"K\": " << FloatToJson(e.K)
                      << ", \"a\": " << FloatToJson(e.A) << ", \"b\": " << FloatToJson(e.B)
                      << ", \"c\": " << FloatToJson(e.C)
                      << ", \"fonte\": " << TextoJson(SemBrancosFinais(e.Fonte))
                      << ", \"fonte_completa\": " << TextoJson(TextoOrigem(e.Fonte, e.Origem))
                      << ", \"nome_distinto\": " << TextoJson(nomes[i]);
            if (!aviso.empty())
                std::cout << ", \"aviso\": " << TextoJson(aviso);
            std::cout << "}";
        }
        std::cout << (lista.empty() ? "]}\n" : "\n]}\n");
        return;
    }
    std::cout << dados.Nome << " (" << dados.UF << "): " << lista.size()
              << (lista.size() == 1 ? " estação" : " estações") << "\n";
    if (lista.empty())
        return;
    std::size_t largura = 4;
    for (const std::string& n : nomes)
        largura = std::max(largura, Utf8ToCp1252(n).size());
    std::cout << "Nº   " << Coluna("Nome", largura) << "  Latitude   Longitude  "
              << Coluna("K", 10) << Coluna("a", 8) << Coluna("b", 8) << Coluna("c", 8) << "Fonte\n";
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const TRegEstacao& e = lista[i];
        std::cout << Coluna(std::to_string(i + 1), 5) << Coluna(nomes[i], largura) << "  "
                  << Coluna(e.Latitude, 11) << Coluna(e.Longitude, 11) << Coluna(FloatToStr(e.K), 10)
                  << Coluna(FloatToStr(e.A), 8) << Coluna(FloatToStr(e.B), 8) << Coluna(FloatToStr(e.C), 8)
                  << TextoOrigem(e.Fonte, e.Origem) << "\n";
        const std::string aviso = AvisoEquacao(e);
        if (!aviso.empty())
            std::cout << "     Aviso: " << aviso << "\n";
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

// Many points at once: lines "latitude;longitude" (or with a comma between
// them) in signed decimal degrees (south and west negative), answered as
// CSV lines with the point's state, the equation, i(10 years, 60 min), how
// it was obtained, the distance to the nearest station and the warning.
int ChuvaPontos(TBDPrecipitacao& bd, const std::string& arquivo)
{
    std::ifstream in(arquivo);
    if (!in) {
        std::cerr << "Não foi possível ler o arquivo " << arquivo << ".\n";
        return kErroArquivo;
    }
    std::cout << "lat,lon,uf,K,a,b,c,i_10anos_60min,origem,distancia_km,aviso\n";
    std::string linha;
    int falhas = 0;
    while (std::getline(in, linha)) {
        const std::size_t sep = linha.find_first_of(";, \t");
        const auto lat = sep == std::string::npos ? std::nullopt : ParseFloat(linha.substr(0, sep));
        const auto lon = sep == std::string::npos ? std::nullopt : ParseFloat(linha.substr(sep + 1));
        if (!lat || !lon) {
            if (!linha.empty())
                std::cerr << "Linha ignorada (não é \"latitude;longitude\"): " << linha << "\n";
            continue;
        }
        try {
            const std::string la = GrausParaCoordenadaArredondada(-*lat), lo = GrausParaCoordenadaArredondada(-*lon);
            const int estado = bd.EstadoDoPonto(-*lat, -*lon);
            const TChuvaLocal c = bd.ChuvaNoPonto(la, lo, estado);
            const TRegEstacao& e = c.Registro;
            std::cout << FloatToJson(*lat) << "," << FloatToJson(*lon) << ","
                      << kEstados[static_cast<std::size_t>(estado)].UF << ","
                      << FloatToJson(e.K) << "," << FloatToJson(e.A) << "," << FloatToJson(e.B) << ","
                      << FloatToJson(e.C) << "," << FloatToJson(IntensidadeIdf(e, 10, 60)) << ","
                      << NomeOrigem(c.Origem) << "," << FloatToJson(c.DistanciaKm) << ","
                      << (c.Aviso.empty() ? "" : "\"" + c.Aviso + "\"") << "\n";
        } catch (const Exception& ex) {
            ++falhas;
            std::cerr << linha << ": " << ex.what() << "\n";
        }
    }
    return falhas > 0 ? kErroCalculo : kSucesso;
}

int Chuva(const Argumentos& args)
{
    const Opcoes op(args, {"estado", "lat", "lon", "pontos"}, {"json", "fontes"});
    if (!op.Posicionais().empty())
        throw ErroUso{"Argumento inesperado: " + op.Posicionais()[0]};
    const bool json = op.Tem("json");
    const bool ponto = op.Tem("lat") || op.Tem("lon");
    const int modos = (op.Tem("estado") || ponto ? 1 : 0) + (op.Tem("fontes") ? 1 : 0) + (op.Tem("pontos") ? 1 : 0);
    if (modos != 1)
        throw ErroUso{"chuva precisa de --estado UF, de --lat e --lon, de --pontos ou de --fontes."};
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
    }
    if (ponto) {
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
    if (op.Tem("pontos")) {
        try {
            bd.CarregarGrade();
        } catch (const Exception& ex) {
            std::cerr << ex.what() << "\n";
            return kErroArquivo;
        }
        return ChuvaPontos(bd, op.Valor("pontos"));
    }
    if (!ponto) {
        ListarEstado(bd, estado, json);
        return kSucesso;
    }
    try {
        try {
            bd.CarregarGrade();
        } catch (const Exception& ex) {
            std::cerr << "Aviso: " << ex.what() << " Sem a grade GRIDF-BR, só há equação perto das estações.\n";
        }
        if (estado < 0)
            estado = bd.EstadoDoPonto(CoordenadaParaGraus(lat), CoordenadaParaGraus(lon));
        MostrarChuva(bd, bd.ChuvaNoPonto(lat, lon, estado), json);
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
    "  vastrel-cli chuva --lat GG°MM'SS\" --lon GG°MM'SS\" [--estado UF] [--json]\n"
    "      Parâmetros da equação IDF no ponto (sul e oeste sem sinal), como na janela\n"
    "      de consulta: os da estação no ponto; em BA, ES, GO, MG, PR, RJ, SP e TO a\n"
    "      interpolação das chuvas das estações (inverso da quinta potência da\n"
    "      distância, ajuste de K, a, b, c); nos outros estados a estação do estado a\n"
    "      menos de 50 km; sem estação a menos de 50 km, a grade GRIDF-BR de 0,1°.\n"
    "      O estado é o da sede municipal mais próxima, salvo --estado.\n"
    "  vastrel-cli chuva --pontos ARQUIVO\n"
    "      O mesmo para cada linha \"latitude;longitude\" do arquivo, em graus decimais\n"
    "      com sinal (sul e oeste negativos), em CSV com i(10 anos, 60 min).\n"
    "  vastrel-cli chuva --fontes [--json]\n"
    "      Referências das fontes das equações.\n"};

} // namespace

} // namespace vastrel::cli
