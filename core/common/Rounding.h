#pragma once
// Rounding of reals to integers: to the nearest integer, halves to the even
// neighbour (banker's rounding), as everywhere in this system.

#include <cstdint>

namespace vastrel {

// Raises EMathError when x is not finite or does not fit in 64 bits.
std::int64_t RoundHalfEven(double x);

// Truncation toward zero with the same range check.
std::int64_t TruncChecked(double x);

} // namespace vastrel
