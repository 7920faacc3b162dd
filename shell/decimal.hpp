#pragma once
// Decimal text to the nearest double, rounding ties to even, as IEEE 754 asks.
#include <string_view>

// ascii is one number of the form  [sign] (digits ["." [digits]] | "." digits) [("e"|"E") [sign] digits].
// Too large for a double gives infinity, too small gives zero, both with the number's sign.
double DecimalToDouble(std::string_view ascii);
