// The registry value reader against a scripted registry: conversions, the final-zero cut, the
// buffer limit, the access asked for, and that every opened key is closed exactly once.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "about/fake_registry.hpp"
#include "about/registry_reader.hpp"

namespace {

constexpr RegistryKey kKeyHandle = 0x1234;
const std::string kKeyPath = "SOFTWARE\\Tenmoru Test";
const std::string kValueName = "Value";

std::string Bytes(std::initializer_list<unsigned> bytes) {
    std::string text;
    for (const unsigned b : bytes) {
        text += static_cast<char>(b);
    }
    return text;
}

struct ReaderCase {
    const char* name;
    bool keyExists;
    std::optional<StoredValue> value;  // nullopt: the key holds no value of that name
    std::wstring keyValOnEntry;
    bool expectedResult;
    std::wstring expectedText;
};

const std::vector<ReaderCase> kReaderCases = {
    {"eight characters with final zero, size 9", true, StoredValue{kRegSz, std::string("ABCDEFGH\0", 9)}, L"",
     true, L"ABCDEFGH"},
    {"eight characters without final zero, size 8", true, StoredValue{kRegSz, "ABCDEFGH"}, L"", true,
     L"ABCDEFGH"},
    {"zero in the middle is kept, final one dropped", true, StoredValue{kRegSz, std::string("AB\0CD\0", 6)}, L"",
     true, std::wstring(L"AB\0CD", 5)},
    {"only the last of two final zeros is dropped", true, StoredValue{kRegSz, std::string("AB\0\0", 4)}, L"", true,
     std::wstring(L"AB\0", 3)},
    {"a lone zero byte gives the empty text", true, StoredValue{kRegSz, std::string("\0", 1)}, L"x", true, L""},
    {"exactly 1024 bytes without zero are read whole", true, StoredValue{kRegSz, std::string(1024, 'q')}, L"",
     true, std::wstring(1024, L'q')},
    {"exactly 1024 bytes with final zero give 1023", true,
     StoredValue{kRegSz, std::string(1023, 'q') + std::string(1, '\0')}, L"", true, std::wstring(1023, L'q')},
    {"1025 bytes do not fit", true, StoredValue{kRegSz, std::string(1025, 'q')}, L"stale", false, L""},
    {"a size larger than the buffer is refused", true, StoredValue{kRegSz, "AB", 2000}, L"stale", false, L""},
    {"missing key", false, std::nullopt, L"stale", false, L""},
    {"missing value", true, std::nullopt, L"stale", false, L""},
    {"string of size 0 is the empty text", true, StoredValue{kRegSz, ""}, L"stale", true, L""},
    {"Shift-JIS kana are decoded", true, StoredValue{kRegSz, Bytes({0x82, 0xA9, 0x82, 0xC8, 0x00})}, L"", true,
     L"かな"},
    {"a cut-off lead byte decodes to a replacement", true, StoredValue{kRegSz, Bytes({'A', 0x82})}, L"", true,
     L"A\x30FB"},
    {"string replaces the entry text", true, StoredValue{kRegSz, "new"}, L"old", true, L"new"},
    {"DWORD 0", true, StoredValue{kRegDword, Bytes({0, 0, 0, 0})}, L"", true, L"0"},
    {"DWORD 1", true, StoredValue{kRegDword, Bytes({1, 0, 0, 0})}, L"", true, L"1"},
    {"DWORD 0x00ABCDEF keeps its zero high byte", true, StoredValue{kRegDword, Bytes({0xEF, 0xCD, 0xAB, 0x00})},
     L"", true, L"11259375"},
    {"DWORD 0x12345678 is little-endian", true, StoredValue{kRegDword, Bytes({0x78, 0x56, 0x34, 0x12})}, L"",
     true, L"305419896"},
    {"DWORD 0xFFFFFFFF is unsigned", true, StoredValue{kRegDword, Bytes({0xFF, 0xFF, 0xFF, 0xFF})}, L"", true,
     L"4294967295"},
    {"DWORD of 3 bytes fails", true, StoredValue{kRegDword, Bytes({1, 2, 3})}, L"stale", false, L""},
    {"DWORD of 8 bytes fails", true, StoredValue{kRegDword, Bytes({1, 0, 0, 0, 0, 0, 0, 0})}, L"stale", false,
     L""},
    {"DWORD of 0 bytes fails", true, StoredValue{kRegDword, ""}, L"stale", false, L""},
    {"type 0 (none) fails", true, StoredValue{0, "abc"}, L"stale", false, L""},
    {"type 2 (expandable string) fails", true, StoredValue{2, std::string("C:\\x\0", 5)}, L"stale", false, L""},
    {"type 3 (binary) fails", true, StoredValue{3, Bytes({1, 2, 3})}, L"", false, L""},
    {"type 3 of size 0 fails", true, StoredValue{3, ""}, L"stale", false, L""},
    {"type 7 (string list) fails", true, StoredValue{7, std::string("a\0b\0\0", 5)}, L"stale", false, L""},
    {"type 11 (64-bit number) fails", true, StoredValue{11, Bytes({1, 0, 0, 0, 0, 0, 0, 0})}, L"stale", false,
     L""},
};

TEST(RegistryReaderTest, ReadsEachKindOfValueAndClosesTheKeyOnce) {
    for (const ReaderCase& c : kReaderCases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        const FakeShiftJis codePage;
        if (c.keyExists) {
            registry.AddKey(kHKeyLocalMachine, kKeyPath, kKeyHandle);
            if (c.value) {
                registry.AddValue(kKeyHandle, kValueName, *c.value);
            }
        }
        RegistryReader reader(registry, codePage);
        std::wstring keyVal = c.keyValOnEntry;

        const bool result = reader.GetKeyValue(kHKeyLocalMachine, L"SOFTWARE\\Tenmoru Test", L"Value", keyVal);

        EXPECT_EQ(result, c.expectedResult);
        EXPECT_EQ(keyVal, c.expectedText);
        ASSERT_EQ(registry.opens.size(), 1u);
        EXPECT_EQ(registry.queries.size(), c.keyExists ? 1u : 0u);
        // One close on every path; after a failed open it names no key.
        EXPECT_EQ(registry.closes, std::vector<RegistryKey>{c.keyExists ? kKeyHandle : RegistryKey{0}});
    }
}

struct NameCase {
    const char* name;
    RegistryKey root;
    std::wstring keyName;
    std::wstring valueName;
    std::string expectedKeyBytes;
    std::string expectedValueBytes;
};

const std::vector<NameCase> kNameCases = {
    {"launcher's first lookup", kHKeyLocalMachine, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH",
     "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"},
    {"kana in key and value names", 0x80000001u, L"Software\\かな", L"な",
     "Software\\" + Bytes({0x82, 0xA9, 0x82, 0xC8}), Bytes({0x82, 0xC8})},
};

TEST(RegistryReaderTest, OpensReadOnlyAndPassesNamesInTheAnsiCodePage) {
    for (const NameCase& c : kNameCases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        const FakeShiftJis codePage;
        registry.AddKey(c.root, c.expectedKeyBytes, kKeyHandle);
        registry.AddValue(kKeyHandle, c.expectedValueBytes, StoredValue{kRegSz, "v"});
        RegistryReader reader(registry, codePage);
        std::wstring keyVal;

        EXPECT_TRUE(reader.GetKeyValue(c.root, c.keyName, c.valueName, keyVal));

        ASSERT_EQ(registry.opens.size(), 1u);
        EXPECT_EQ(registry.opens[0].root, c.root);
        EXPECT_EQ(registry.opens[0].subKey, c.expectedKeyBytes);
        EXPECT_EQ(registry.opens[0].access, 0x0001u) << "only KEY_QUERY_VALUE may be asked for";
        ASSERT_EQ(registry.queries.size(), 1u);
        EXPECT_EQ(registry.queries[0].key, kKeyHandle);
        EXPECT_EQ(registry.queries[0].valueName, c.expectedValueBytes);
        EXPECT_EQ(registry.queries[0].sizeOnEntry, 1024u);
        EXPECT_EQ(registry.queries[0].bufferSize, 1024u);
    }
}

TEST(RegistryReaderTest, DecodesExactlyTheStoredBytesWithAFreshBufferEachCall) {
    // The second value claims two bytes more than it stores: what it reads past its data must be
    // the zeros of a new buffer, not the first call's bytes.
    FakeRegistry registry;
    const FakeShiftJis codePage;
    registry.AddKey(kHKeyLocalMachine, kKeyPath, kKeyHandle);
    registry.AddValue(kKeyHandle, "Long", StoredValue{kRegSz, "ABCDEFGH"});
    registry.AddValue(kKeyHandle, "Short", StoredValue{kRegSz, "XY", 4});
    RegistryReader reader(registry, codePage);

    struct Step {
        const char* valueName;
        std::string expectedDecodedBytes;
    };
    const Step steps[] = {{"Long", "ABCDEFGH"}, {"Short", std::string("XY\0", 3)}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.valueName);
        codePage.decoded.clear();
        std::wstring keyVal;
        std::wstring valueName(step.valueName, step.valueName + std::char_traits<char>::length(step.valueName));
        EXPECT_TRUE(reader.GetKeyValue(kHKeyLocalMachine, L"SOFTWARE\\Tenmoru Test", valueName, keyVal));
        EXPECT_EQ(codePage.decoded, std::vector<std::string>{step.expectedDecodedBytes});
    }
    EXPECT_EQ(registry.closes, (std::vector<RegistryKey>{kKeyHandle, kKeyHandle}));
}

}  // namespace
