// Tenmoru.exe started from a folder that also holds a planted oleacc.dll, as a Downloads folder can:
// the program must not load it, and a screen reader must still hear the About dialog's picture as
// the graphic it is. Wine is told to prefer a DLL file to its own built-in oleacc for Tenmoru.exe
// (the registry's form of WINEDLLOVERRIDES=oleacc=n,b, which a program cannot hand to the programs
// it starts), so it searches for oleacc.dll as Windows does.
#include <gtest/gtest.h>

#include "about/win32/about_form.hpp"
#include "driver/driver.hpp"

namespace {

TEST(Download, ADllBesideTheProgramIsNeverLoaded) {
    const std::filesystem::path folder = e2e::OwnFolder() / L"planted";
    const std::filesystem::path marker = folder / L"loaded";
    std::filesystem::remove(marker);
    std::filesystem::remove(folder / L"Tenmoru.exe");  // MinGW's copy_file cannot overwrite
    std::filesystem::copy_file(e2e::OwnFolder() / L"Tenmoru.exe", folder / L"Tenmoru.exe");
    constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\Tenmoru.exe\\DllOverrides";
    const e2e::Restore restore = e2e::KeepRegistryValue(HKEY_CURRENT_USER, kOverrides, L"oleacc");
    constexpr wchar_t kNativeFirst[] = L"native,builtin";
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, L"oleacc", REG_SZ, kNativeFirst, sizeof kNativeFirst);
    const e2e::Session session(folder / L"Tenmoru.exe");
    const HWND about = session.OpenAbout();
    ASSERT_NE(about, nullptr);
    const auto [name, role] = e2e::Announced(::GetDlgItem(about, tenmoru::AboutForm::picIcon));
    EXPECT_EQ(role, ROLE_SYSTEM_GRAPHIC) << "the picture is not announced as a graphic";
    EXPECT_EQ(name, L"Tenmoru\u306E\u30A2\u30A4\u30B3\u30F3");
    EXPECT_FALSE(std::filesystem::exists(marker)) << "the planted oleacc.dll was loaded";
}

}  // namespace
