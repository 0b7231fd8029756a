#pragma once
// Number <-> text conversions with the user's decimal separator.

#include <optional>
#include <string>
#include <string_view>

namespace vastrel {

// Numeric format masks in the Delphi style used throughout the windows and
// reports: "0" forces a digit, "#" shows a digit only when significant, the
// first "." places the decimal separator (the locale's), "," in the integer
// part groups thousands, text in quotes and any other character is copied
// before or after the number; up to three sections separated by ";" format
// positive, negative and zero values. Halves round away from zero on the
// exact binary value, so 0.25 with "0.0" gives "0,3". Examples: "0.0######",
// "#0.000", "0.##", " #0.0", "####.000".
std::string FormatFloat(std::string_view mask, double value);

// The mask of every typed value the windows show back and the reports print:
// at least one decimal, up to seven.
inline constexpr const char* kFormatoGeral = "0.0######";

// The shortest general form with up to 15 significant digits: fixed notation
// when the value is at least 1e-5 in magnitude and has at most 15 integer
// digits, scientific ("1,5E-7", "1E20") otherwise. Used for every float the
// INI files hold.
std::string FloatToStr(double value);

// The same general form with `digits` significant digits (1 to 17).
std::string FormatGeneral(double value, int digits);

// The same with a point as decimal separator and 17 significant digits
// (round-trip precision), for JSON and CSV output.
std::string FloatToJson(double value);

// Parses a real number written with a comma or a point as decimal separator
// and an optional exponent; surrounding blanks are ignored. Returns nothing
// for any other text, including infinities and NaN.
std::optional<double> ParseFloat(std::string_view text);

// Parses a decimal integer with an optional sign; surrounding blanks are
// ignored. Returns nothing when the text is not an integer or out of range.
std::optional<long long> ParseInt(std::string_view text);

// ParseFloat that raises EConvertError "'<text>' não é um número válido."
double StrToFloat(std::string_view text);

} // namespace vastrel
