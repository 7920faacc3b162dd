// Number reading on any text, checked against std::strtod. A byte below 0x80 is that character, any
// other starts three whose last two are one UTF-16 unit, little-endian ("\xC0\x17\xFF": full-width 7).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/number.hpp"

namespace {

// The full-width forms a Japanese input method types, as ASCII; '\x01' for no character of a number.
char FoldedToAscii(wchar_t c) {
    if (c >= 0xFF10 && c <= 0xFF19) return static_cast<char>('0' + (c - 0xFF10));
    if (c < 0x80) return static_cast<char>(c);
    return c == 0xFF0B ? '+' : c == 0xFF0D ? '-' : c == 0xFF0E ? '.' : c == 0x3000 ? ' ' : '\x01';
}

void Check(bool holds) {
    if (!holds) __builtin_trap();
}
bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i < size; i += data[i] < 0x80 ? 1 : 3) {
        if (data[i] < 0x80)
            text.push_back(static_cast<wchar_t>(data[i]));
        else if (i + 2 < size)
            text.push_back(static_cast<wchar_t>(data[i + 1] | data[i + 2] << 8));
    }
    // Text after the number never changes the value read, and never makes a whole number.
    const double value = tenmoru::Val(text);
    Check(Same(value, tenmoru::Val(text + L"x")) && !tenmoru::IsNumeric(text + L"x"));
    if (!tenmoru::IsNumeric(text)) return 0;
    // A whole number, folded to ASCII and without its spaces, reads whole and the same with strtod.
    std::string ascii;
    for (const wchar_t c : text) ascii.push_back(FoldedToAscii(c));
    const std::size_t first = ascii.find_first_not_of(" \t");
    ascii = ascii.substr(first, ascii.find_last_not_of(" \t") + 1 - first);
    char* end = nullptr;
    Check(Same(std::strtod(ascii.c_str(), &end), value) && end == ascii.c_str() + ascii.size());
    return 0;
}
