#pragma once
// Decimal text: to the nearest double, rounding ties to even as IEEE 754 asks, and from a whole number.
#include <cstdint>
#include <string>
#include <string_view>

// ascii is one number of the form  [sign] (digits ["." [digits]] | "." digits) [("e"|"E") [sign] digits].
// Too large for a double gives infinity, too small gives zero, both with the number's sign.
double DecimalToDouble(std::string_view ascii);

// Plain decimal digits without leading zeros or spaces ("0" for zero). Written by hand because the
// library's number formatting brings a whole printf into a program that writes a few small numbers.
std::wstring DecimalText(std::uint32_t value);
