#pragma once
// The order of place names in the rainfall database: the order of the
// records in each state's block of the database files and of the station and
// locality lists of the consultation window, which take a record's position
// in the block for its position in the list. Both must sort with this one
// comparison.
//
// Portuguese dictionary order in three levels, as in the Unicode Collation
// Algorithm with the root collation: first the letters without regard to
// accents or case (ç is a c), with blanks before punctuation, punctuation
// before digits and digits before letters; among names equal at that level,
// unaccented letters before accented ones (acute, grave, circumflex, tilde,
// diaeresis, ring, cedilla, others); then lower case before upper case.
// Names equal at all three levels are ordered by their bytes, so the order
// is total.

#include <string_view>

namespace vastrel {

// Negative, zero or positive as a sorts before, with or after b (UTF-8).
int CompararNomes(std::string_view a, std::string_view b);

// Strict weak order for std::sort and std::stable_sort.
inline bool NomeAntes(std::string_view a, std::string_view b) { return CompararNomes(a, b) < 0; }

} // namespace vastrel
