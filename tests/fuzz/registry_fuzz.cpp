// Fuzzes the registry reader's handling of what a query hands back: any type code, any data of 0
// to 1100 bytes, and a registry that may also claim a stored size other than the data's. Layout:
//     1 byte   flags: 1 the key is missing, 2 the value is missing, 4 a claimed size follows,
//              8 the caller's text holds something on entry
//     4 bytes  the value's type code (little-endian)
//     4 bytes  the claimed size, only with flag 4
//     the rest the stored bytes, cut to kMaxData
// Checked against the reader's contract:
//   - no crash and no read outside what the registry stored (the sanitizers watch every read);
//   - one open with read access, at most one query with the whole 1024-byte buffer, and exactly
//     one close, of the handle the open gave (0 when it failed);
//   - false always comes with the empty text;
//   - true only for a string (type 1) or a 32-bit number (type 4) that the buffer held; a number
//     only when exactly 4 bytes were stored, and then its decimal digits;
//   - a string's decoded bytes are the stored bytes, its final zero byte alone dropped.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "about/fake_registry.hpp"
#include "about/registry_reader.hpp"
#include "fuzz/fuzz_input.hpp"

namespace {

constexpr std::size_t kMaxData = 1100;
constexpr RegistryKey kOpenedKey = 0x1234;
const std::string kKeyPath = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kValueName = "PATH";

enum Flags : std::uint8_t { kKeyMissing = 1, kValueMissing = 2, kClaimsSize = 4, kTextOnEntry = 8 };

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    const auto flags = fuzz::TakeLittleEndian<std::uint8_t>(bytes);
    const auto type = fuzz::TakeLittleEndian<std::uint32_t>(bytes);
    std::optional<std::uint32_t> claimedSize;
    if (flags & kClaimsSize) claimedSize = fuzz::TakeLittleEndian<std::uint32_t>(bytes);
    bytes = bytes.first(std::min(bytes.size(), kMaxData));
    const StoredValue value(type, std::string(bytes.begin(), bytes.end()), claimedSize);

    FakeRegistry registry;
    if (!(flags & kKeyMissing)) registry.AddKey(kHKeyLocalMachine, kKeyPath, kOpenedKey);
    if (!(flags & kValueMissing)) registry.AddValue(kOpenedKey, kValueName, value);
    FakeShiftJis codePage;
    RegistryReader reader(registry, codePage);

    std::wstring text = (flags & kTextOnEntry) ? L"C:\\previous text" : L"";
    const bool read = reader.GetKeyValue(kHKeyLocalMachine, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH", text);

    // What a well-behaved reader gives, from the stored bytes alone.
    const bool opened = !(flags & kKeyMissing);
    const bool queried = opened && !(flags & kValueMissing) && value.data.size() <= kValueBufferSize;
    const std::size_t storedSize = value.reportedSize.value_or(static_cast<std::uint32_t>(value.data.size()));
    const bool held = queried && storedSize <= kValueBufferSize;
    std::string stored(kValueBufferSize, '\0');  // the reader's buffer after the query: zeros, then the data
    if (queried) std::copy(value.data.begin(), value.data.end(), stored.begin());
    stored.resize(held ? storedSize : 0);

    fuzz::Check(registry.opens.size() == 1 && registry.opens[0].root == kHKeyLocalMachine &&
                    registry.opens[0].subKey == kKeyPath && registry.opens[0].access == kKeyQueryValue,
                "one open of the key, read access only");
    fuzz::Check(registry.queries.size() == (opened ? 1u : 0u), "one query once the key is open");
    if (opened) {
        fuzz::Check(registry.queries[0].key == kOpenedKey && registry.queries[0].valueName == kValueName &&
                        registry.queries[0].sizeOnEntry == kValueBufferSize &&
                        registry.queries[0].bufferSize == kValueBufferSize,
                    "the query names the value and offers the whole buffer");
    }
    fuzz::Check(registry.closes.size() == 1 && registry.closes[0] == (opened ? kOpenedKey : 0),
                "exactly one close, of the opened handle or of 0");

    fuzz::Check(read || text.empty(), "false comes with the empty text");
    fuzz::Check(!read || value.type == kRegSz || value.type == kRegDword, "true only for a string or a number");
    fuzz::Check(!read || held, "true only for data the buffer held");

    if (value.type == kRegDword) {
        fuzz::Check(read == (held && stored.size() == 4), "a number reads exactly when 4 bytes were stored");
        if (read) {
            std::uint32_t number = 0;
            for (std::size_t i = 0; i < 4; ++i) {
                number |= static_cast<std::uint32_t>(static_cast<unsigned char>(stored[i])) << (8 * i);
            }
            fuzz::Check(text == std::to_wstring(number), "a number reads as its decimal digits");
        }
    } else if (value.type == kRegSz) {
        fuzz::Check(read == held, "a string reads whenever the buffer held it");
        if (read) {
            std::string expected = stored;
            if (!expected.empty() && expected.back() == '\0') expected.pop_back();
            fuzz::Check(codePage.decoded.size() == 1 && codePage.decoded[0] == expected,
                        "a string is decoded from its bytes, the final zero alone dropped");
            fuzz::Check(text == codePage.Decode(expected), "a string reads as the decoder gives it");
        }
    } else {
        fuzz::Check(!read, "any other type reads as nothing");
    }
    return 0;
}
