#include "rainfall/Estados.h"

namespace vastrel {

const std::array<TDadosEstado, kNumEstados> kEstados = {{
    {"Acre", "AC"},           {"Alagoas", "AL"},
    {"Amapá", "AP"},          {"Amazonas", "AM"},
    {"Bahia", "BA"},          {"Ceará", "CE"},
    {"Distrito Federal", "DF"}, {"Espírito Santo", "ES"},
    {"Goiás", "GO"},          {"Maranhão", "MA"},
    {"Mato Grosso", "MT"},    {"Mato Grosso do Sul", "MS"},
    {"Minas Gerais", "MG"},   {"Pará", "PA"},
    {"Paraíba", "PB"},        {"Paraná", "PR"},
    {"Pernambuco", "PE"},     {"Piauí", "PI"},
    {"Rio de Janeiro", "RJ"}, {"Rio Grande do Norte", "RN"},
    {"Rio Grande do Sul", "RS"}, {"Rondônia", "RO"},
    {"Roraima", "RR"},        {"Santa Catarina", "SC"},
    {"São Paulo", "SP"},      {"Sergipe", "SE"},
    {"Tocantins", "TO"},
}};

int IndiceDaSigla(std::string_view uf)
{
    if (uf.size() != 2)
        return -1;
    auto maiuscula = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (int i = 0; i < kNumEstados; ++i) {
        const char* sigla = kEstados[static_cast<std::size_t>(i)].UF;
        if (maiuscula(uf[0]) == sigla[0] && maiuscula(uf[1]) == sigla[1])
            return i;
    }
    return -1;
}

void TEstado::SetIndice(int n)
{
    if (n < 0 || n >= kNumEstados)
        throw ENumeroEstado(" Não existe estado com índice igual a " + std::to_string(n));
    Indice = static_cast<std::int16_t>(n);
}

} // namespace vastrel
