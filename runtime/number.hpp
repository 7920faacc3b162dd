#pragma once
// Reading numbers from what the player typed, and writing whole numbers.
#include <cstdint>
#include <string>
#include <string_view>

namespace tenmoru {

// The value of the number at the start of the text; 0 when there is none.
double Val(std::wstring_view text);

// True when the whole text reads as a number.
bool IsNumeric(std::wstring_view text);

// Plain decimal digits, without leading zeros or spaces.
std::wstring DecimalText(std::uint32_t value);

}  // namespace tenmoru
