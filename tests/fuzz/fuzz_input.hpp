#pragma once
// Turning a fuzzer's bytes into the inputs of the portable core.
//
// Text is read as UTF-16 code units so that any sequence of them can be reached, yet the
// characters that matter to the number reader cost a single byte each, which lets the fuzzer find
// numbers, full-width forms and their near misses quickly:
//     0x00-0x7F  the ASCII character itself (NUL and control characters included)
//     0x80-0xBF  one entry of kNotableUnits (full-width forms, surrogates, marks, ...)
//     0xC0-0xFF  followed by two bytes: any code unit, little-endian (a cut-off tail is dropped)
// The seed files therefore read as plain text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

namespace fuzz {

inline constexpr std::array<char16_t, 64> kNotableUnits = {
    // Full-width digits, signs, point, and the ideographic space the input method types.
    u'\uFF10', u'\uFF11', u'\uFF12', u'\uFF13', u'\uFF14', u'\uFF15', u'\uFF16', u'\uFF17',
    u'\uFF18', u'\uFF19', u'\uFF0B', u'\uFF0D', u'\uFF0E', u'\u3000', u'\uFF45', u'\uFF25',
    // Their neighbours, one below and one above each folded range.
    u'\uFF0F', u'\uFF1A', u'\uFF0A', u'\uFF0C', u'\u2FFF', u'\u3001', u'\uFF5E', u'\uFF00',
    // Lone and paired surrogates, the byte-order mark, non-characters.
    u'\xD800', u'\xDBFF', u'\xDC00', u'\xDFFF', u'\xFEFF', u'\xFFFE', u'\xFFFF', u'\xFFFD',
    // Other spaces and digits that must stay foreign: no-break, em, Arabic-Indic, Devanagari, ½.
    u'\u00A0', u'\u2003', u'\u0660', u'\u0669', u'\u0966', u'\u00BD', u'\u2212', u'\u00B7',
    // Right-to-left and joining marks, line and paragraph separators.
    u'\u200E', u'\u200F', u'\u202E', u'\u200D', u'\u2028', u'\u2029', u'\u0085', u'\u3002',
    // Japanese text from the game, characters whose Shift-JIS trail byte is a backslash, then
    // look-alikes of "e" (Cyrillic, estimated sign), control characters and Latin-1 edges.
    u'\u5927', u'\u5C0F', u'\u3042', u'\u305F', u'\u308A', u'\u30BD', u'\u8868', u'\u0435',
    u'\u212E', u'\u000B', u'\u000C', u'\u000D', u'\u001F', u'\u007F', u'\u0080', u'\u00FF',
};

// Any code unit widened to the platform's wchar_t, as the Windows build stores it (16 bits there).
inline std::wstring DecodeText(std::span<const std::uint8_t> bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            text.push_back(static_cast<wchar_t>(b));
        } else if (b < 0xC0) {
            text.push_back(static_cast<wchar_t>(kNotableUnits[b - 0x80u]));
        } else if (i + 2 < bytes.size()) {
            const auto unit = static_cast<unsigned>(bytes[i + 1] | (bytes[i + 2] << 8));
            text.push_back(static_cast<wchar_t>(unit));
            i += 2;
        } else {
            break;
        }
    }
    return text;
}

// Reads a little-endian integer of sizeof(T) bytes from the front of bytes, zero-padded when short,
// and drops what it read.
template <typename T>
T TakeLittleEndian(std::span<const std::uint8_t>& bytes) {
    T value = 0;
    const std::size_t n = bytes.size() < sizeof(T) ? bytes.size() : sizeof(T);
    for (std::size_t i = n; i-- > 0;) value = static_cast<T>((value << 8) | bytes[i]);
    bytes = bytes.subspan(n);
    return value;
}

// A broken invariant: say which, and stop so the fuzzer records the input.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

}  // namespace fuzz
