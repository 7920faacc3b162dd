// The registry value reader asks for read access alone: asked for write access too, the registry
// refuses a player without administrator rights and the system-information tool is "unavailable".
// Wine grants every access, so only here does that show; what it reads is played end to end.
#include <gtest/gtest.h>

#include "about/registry_reader.hpp"

namespace {

using namespace tenmoru;

// A registry without keys that records the access asked for; its code page is Latin-1.
struct RecordingRegistry final : Registry, AnsiCodePage {
    std::vector<std::uint32_t> accesses;
    RegistryStatus OpenKey(RegistryKey, const std::string&, std::uint32_t access, RegistryKey&) override {
        accesses.push_back(access);
        return 2;  // ERROR_FILE_NOT_FOUND
    }
    RegistryStatus QueryValue(RegistryKey, const std::string&, std::uint32_t&, std::span<std::byte>,
                              std::uint32_t&) override {
        return 2;
    }
    void CloseKey(RegistryKey) override {}
    std::string Encode(std::wstring_view text) const override { return {text.begin(), text.end()}; }
    std::wstring Decode(std::string_view bytes) const override { return {bytes.begin(), bytes.end()}; }
};

TEST(RegistryReader, AsksForReadAccessAlone) {
    RecordingRegistry registry;
    std::wstring text = L"entry";
    EXPECT_FALSE(RegistryReader(registry, registry).GetKeyValue(kHKeyLocalMachine, L"K", L"V", text));
    EXPECT_EQ(registry.accesses, std::vector<std::uint32_t>{1}) << "KEY_QUERY_VALUE alone";
}

}  // namespace
