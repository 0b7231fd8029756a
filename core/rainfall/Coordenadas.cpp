#include "rainfall/Coordenadas.h"

#include "common/Cp1252.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Rounding.h"

#include <cstdint>

namespace vastrel {

namespace {

bool Digito(char c) { return c >= '0' && c <= '9'; }

int DoisDigitos(const std::string& s, std::size_t i) { return (s[i] - '0') * 10 + (s[i + 1] - '0'); }

EConvertError ErroCoordenada(std::string_view texto)
{
    return EConvertError("'" + std::string(texto) + "' não é uma coordenada válida (GG°MM'SS\").");
}

Exception ErroForaDoFormato(double graus)
{
    return Exception("A coordenada " + FloatToStr(graus) + "° não cabe no formato GG°MM'SS\".");
}

// Writes whole seconds of arc (the sign marks north or east) as a text.
std::string TextoDeSegundos(std::int64_t segundos, double graus)
{
    const bool negativo = segundos < 0;
    const std::int64_t total = negativo ? -segundos : segundos;
    const std::int64_t g = total / 3600;
    const std::int64_t m = total / 60 % 60;
    const std::int64_t s = total % 60;
    if (g >= (negativo ? 10 : 100))
        throw ErroForaDoFormato(graus);
    auto dois = [](std::int64_t v) {
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    std::string graus2 = dois(g);
    if (negativo)
        graus2[0] = '-';
    return graus2 + "°" + dois(m) + "'" + dois(s) + "\"";
}

} // namespace

double CoordenadaParaGraus(std::string_view texto)
{
    // One byte per character in Windows-1252, so positions are characters.
    const std::string s = Utf8ToCp1252(texto);
    if (s.size() != static_cast<std::size_t>(kTamCoordenada))
        throw ErroCoordenada(texto);
    const bool negativo = s[0] == '-';
    if (!(Digito(s[0]) || negativo) || !Digito(s[1]) || !Digito(s[3]) || !Digito(s[4]) ||
        !Digito(s[6]) || !Digito(s[7]))
        throw ErroCoordenada(texto);
    const int graus = negativo ? s[1] - '0' : DoisDigitos(s, 0);
    const int minutos = DoisDigitos(s, 3);
    const int segundos = DoisDigitos(s, 6);
    if (minutos > 59 || segundos > 59)
        throw ErroCoordenada(texto);
    const double valor = graus + (minutos + segundos / 60.0) / 60.0;
    return negativo ? -valor : valor;
}

bool CoordenadaValida(std::string_view texto)
{
    try {
        CoordenadaParaGraus(texto);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

std::string GrausParaCoordenada(double graus)
{
    // Degrees, minutes and seconds each truncated toward zero, on the
    // absolute value so that the sign stays in front of the degrees.
    const double absoluto = graus < 0 ? -graus : graus;
    if (!(absoluto < 100))
        throw ErroForaDoFormato(graus);
    const std::int64_t g = TruncChecked(absoluto);
    const double fracaoMinutos = (absoluto - static_cast<double>(g)) * 60;
    const std::int64_t m = TruncChecked(fracaoMinutos);
    const std::int64_t s = TruncChecked((fracaoMinutos - static_cast<double>(m)) * 60);
    const std::int64_t total = g * 3600 + m * 60 + s;
    return TextoDeSegundos(graus < 0 ? -total : total, graus);
}

std::string GrausParaCoordenadaArredondada(double graus)
{
    return TextoDeSegundos(RoundHalfEven(graus * 3600), graus);
}

} // namespace vastrel
