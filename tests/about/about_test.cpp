// The registry value reader over a scripted registry (the launcher that uses it is played end to
// end, against the real registry).
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>

#include "about/registry_reader.hpp"

namespace {

using namespace tenmoru;

struct Value {
    std::uint32_t type;
    std::string bytes;
    std::uint32_t claimedSize = 0;  // if not 0, the size the query reports instead of the real one
};

// Keys below HKEY_LOCAL_MACHINE, each key's handle its place in the map plus one; records every
// open ("path access") and close. Its code page is Latin-1.
struct FakeSystem final : Registry, AnsiCodePage {
    std::map<std::string, std::map<std::string, Value>> keys;
    std::vector<std::string> opens;
    std::vector<RegistryKey> closes;

    RegistryStatus OpenKey(RegistryKey root, const std::string& path, std::uint32_t access, RegistryKey& key) override {
        opens.push_back(path + " " + std::to_string(access));
        if (root != kHKeyLocalMachine || !keys.contains(path)) return 2;  // ERROR_FILE_NOT_FOUND
        key = 1 + static_cast<RegistryKey>(std::distance(keys.begin(), keys.find(path)));
        return kRegistrySuccess;
    }
    RegistryStatus QueryValue(RegistryKey key, const std::string& name, std::uint32_t& type, std::span<std::byte> data,
                              std::uint32_t& size) override {
        const auto& values = std::next(keys.begin(), static_cast<std::ptrdiff_t>(key - 1))->second;
        if (!values.contains(name)) return 2;
        const Value& value = values.at(name);
        if (value.bytes.size() > size) return 234;  // ERROR_MORE_DATA
        std::memcpy(data.data(), value.bytes.data(), value.bytes.size());
        type = value.type;
        size = value.claimedSize != 0 ? value.claimedSize : static_cast<std::uint32_t>(value.bytes.size());
        return kRegistrySuccess;
    }
    void CloseKey(RegistryKey key) override { closes.push_back(key); }
    std::string Encode(std::wstring_view text) const override { return {text.begin(), text.end()}; }
    std::wstring Decode(std::string_view bytes) const override { return {bytes.begin(), bytes.end()}; }
};

const struct ReaderCase {
    const char* name;
    std::optional<std::optional<Value>> key;  // no key; a key without the value; a key with it
    bool result;
    std::wstring text;
} kReads[] = {
    {"8 characters with final zero", Value{kRegSz, {"ABCDEFGH\0", 9}}, true, L"ABCDEFGH"},
    {"only the final zero goes", Value{kRegSz, {"AB\0CD\0\0", 7}}, true, {L"AB\0CD\0", 6}},
    {"exactly 1024 bytes", Value{kRegSz, std::string(1024, 'q')}, true, std::wstring(1024, L'q')},
    {"1025 bytes do not fit", Value{kRegSz, std::string(1025, 'q')}, false, L""},
    {"a claimed size of 2000", Value{kRegSz, "AB", 2000}, false, L""},
    {"size 0", Value{kRegSz, ""}, true, L""},
    {"missing value", std::optional<Value>{}, false, L""},
    {"DWORD, least significant byte first", Value{kRegDword, "\x04\x03\x02\x01"}, true, L"16909060"},
    {"DWORD with a zero top byte", Value{kRegDword, {"\xFF\xFF\xFF\0", 4}}, true, L"16777215"},
    {"DWORD of 3 bytes", Value{kRegDword, "\x01\x02\x03"}, false, L""},
    {"type 2", Value{2, {"C:\\x\0", 5}}, false, L""},
    {"type 3", Value{3, {"\x01\0\0\0", 4}}, false, L""},
    {"type 7", Value{7, "a"}, false, L""},
    {"missing key", std::nullopt, false, L""},
};

TEST(RegistryReader, GetKeyValueReadsEachKindOfValueAndClosesTheKeyOnce) {
    for (const ReaderCase& c : kReads) {
        SCOPED_TRACE(c.name);
        FakeSystem system;
        if (c.key) system.keys["K"] = {};
        if (c.key && *c.key) system.keys["K"].emplace("V", **c.key);
        std::wstring text = L"entry";
        EXPECT_EQ(RegistryReader(system, system).GetKeyValue(kHKeyLocalMachine, L"K", L"V", text), c.result);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(system.opens, std::vector<std::string>{"K 1"}) << "read access alone";
        EXPECT_EQ(system.closes, std::vector<RegistryKey>{c.key ? 1u : 0u}) << "closed once, 0 after a failed open";
    }
}

}  // namespace
