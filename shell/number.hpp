#pragma once
// Reading numbers from what the player typed.
#include <string_view>

// The value of the number at the start of the text; 0 when there is none.
double Val(std::wstring_view text);

// True when the whole text reads as a number.
bool IsNumeric(std::wstring_view text);
