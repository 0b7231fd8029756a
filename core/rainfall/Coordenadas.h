#pragma once
// Geographic coordinates of the rainfall database as nine-character texts:
// two digits of degrees, "°", two digits of minutes, "'", two digits of
// seconds and the double-quote character, e.g. 19°45'30". Brazil lies south
// of the Equator and west of Greenwich, so latitudes are taken as south and
// longitudes as west and the texts carry no hemisphere. The few places north
// of the Equator (in Roraima and Amapá, all within 10° of it) are written
// with a minus sign in place of the tens digit of the degrees: -1°49'17" is
// 1°49'17" north. The texts are UTF-8 in memory (the "°" is one character,
// two bytes) and Windows-1252 in the files.

#include <string>
#include <string_view>

namespace vastrel {

inline constexpr int kTamCoordenada = 9; // characters of a coordinate text

// The empty mask of the coordinate fields and the zero coordinate.
inline constexpr const char* kCoordenadaEmBranco = "  °  '  \"";
inline constexpr const char* kCoordenadaZero = "00°00'00\"";

// Decimal degrees (south or west positive) of a coordinate text:
// degrees + (minutes + seconds ÷ 60) ÷ 60, from characters 1–2, 4–5 and 7–8;
// a leading minus sign negates the whole value. Raises EConvertError when the
// text is not nine characters long, a digit position holds anything else, or
// the minutes or seconds exceed 59.
double CoordenadaParaGraus(std::string_view texto);

// True when CoordenadaParaGraus accepts the text.
bool CoordenadaValida(std::string_view texto);

// The text of a value in decimal degrees by truncation of the degrees, the
// minutes and the seconds (a point picked on a map names the second it lies
// in). Raises Exception when the value cannot be written in nine characters
// (100° or more; 10° or more north or east).
std::string GrausParaCoordenada(double graus);

// The same rounded to the nearest second, for coordinates given in decimal
// degrees by a data source.
std::string GrausParaCoordenadaArredondada(double graus);

} // namespace vastrel
