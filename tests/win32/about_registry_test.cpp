// The registry reader, the file test and the process start against the real system: values the
// test writes itself under a key of its own, removed again afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "about/registry_reader.hpp"
#include "about/win32/system_code_page.hpp"
#include "about/win32/system_files.hpp"
#include "about/win32/system_registry.hpp"
#include "shell/win32/unique_handle.hpp"

namespace {

constexpr RegistryKey kCurrentUser =
    static_cast<RegistryKey>(static_cast<std::intptr_t>(static_cast<std::int32_t>(0x80000001u)));

std::string Bytes(std::initializer_list<unsigned> bytes) {
    std::string text;
    for (const unsigned b : bytes) text += static_cast<char>(b);
    return text;
}

// A key of the test's own below HKEY_CURRENT_USER, deleted with everything in it at the end.
class RealRegistryTest : public testing::Test {
protected:
    void SetUp() override {
        keyPath_ = L"Software\\TenmoruTest\\Reader" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  key_.put(), nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        key_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\TenmoruTest");
    }

    void Write(const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(RegSetValueExA(key_.get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }

    std::wstring keyPath_;
    unique_hkey key_;
};

TEST(RealRegistryRootTest, LocalMachineRootIsTheSystemsHandle) {
    EXPECT_EQ(kHKeyLocalMachine, reinterpret_cast<RegistryKey>(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(kCurrentUser, reinterpret_cast<RegistryKey>(HKEY_CURRENT_USER));
    EXPECT_EQ(GetACP(), 932u) << "the tests run under the Japanese locale";
}

struct RealCase {
    const char* name;
    DWORD type;
    std::string data;
    bool expectedResult;
    std::wstring expectedText;
};

TEST_F(RealRegistryTest, ReadsValuesWrittenByTheTest) {
    const std::vector<RealCase> cases = {
        {"Shift-JIS kana with final zero", REG_SZ, Bytes({0x82, 0xA9, 0x82, 0xC8, 0xB6, 0xC5, 0x00}), true,
         L"\u304B\u306A\uFF76\uFF85"},
        {"path with spaces", REG_SZ, std::string("C:\\Program Files\\x.exe\0", 23), true,
         L"C:\\Program Files\\x.exe"},
        {"string of 1024 bytes with its zero", REG_SZ, std::string(1023, 'a') + std::string(1, '\0'), true,
         std::wstring(1023, L'a')},
        {"string of 1025 bytes with its zero", REG_SZ, std::string(1024, 'a') + std::string(1, '\0'), false, L""},
        {"string of size 0", REG_SZ, "", true, L""},
        {"DWORD 0x00ABCDEF", REG_DWORD, Bytes({0xEF, 0xCD, 0xAB, 0x00}), true, L"11259375"},
        {"DWORD 0xFFFFFFFF", REG_DWORD, Bytes({0xFF, 0xFF, 0xFF, 0xFF}), true, L"4294967295"},
        {"DWORD of 2 bytes", REG_DWORD, Bytes({0x01, 0x02}), false, L""},
        {"binary", REG_BINARY, Bytes({0x41, 0x42, 0x00}), false, L""},
        {"binary of 1024 bytes", REG_BINARY, std::string(1024, 'b'), false, L""},
        {"expandable string", REG_EXPAND_SZ, std::string("%WINDIR%\0", 9), false, L""},
    };
    SystemRegistry registry;
    const SystemAnsiCodePage codePage;
    RegistryReader reader(registry, codePage);
    for (const RealCase& c : cases) {
        SCOPED_TRACE(c.name);
        Write(c.name, c.type, c.data);
        std::wstring keyVal = L"stale";
        std::wstring valueName(c.name, c.name + strlen(c.name));
        EXPECT_EQ(reader.GetKeyValue(kCurrentUser, keyPath_, valueName, keyVal), c.expectedResult);
        EXPECT_EQ(keyVal, c.expectedText);
    }
}

TEST_F(RealRegistryTest, MissingKeyOrValueIsAFailure) {
    struct Missing {
        const char* name;
        std::wstring key;
        std::wstring value;
    };
    Write("present", REG_SZ, std::string("x\0", 2));
    const std::vector<Missing> cases = {
        {"missing value", keyPath_, L"absent"},
        {"missing key", keyPath_ + L"\\absent", L"present"},
    };
    SystemRegistry registry;
    const SystemAnsiCodePage codePage;
    RegistryReader reader(registry, codePage);
    for (const Missing& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring keyVal = L"stale";
        EXPECT_FALSE(reader.GetKeyValue(kCurrentUser, c.key, c.value, keyVal));
        EXPECT_EQ(keyVal, L"");
    }
}

TEST_F(RealRegistryTest, TheReadersKeyHandleCannotWrite) {
    // The reader asks for read access alone: the handle it gets refuses a write.
    Write("v", REG_SZ, std::string("ok\0", 3));
    SystemRegistry registry;
    const std::string path(keyPath_.begin(), keyPath_.end());
    RegistryKey opened = 0;
    ASSERT_EQ(registry.OpenKey(kCurrentUser, path, kKeyQueryValue, opened), ERROR_SUCCESS);
    ASSERT_NE(opened, RegistryKey{0});
    const BYTE data[] = {'x', 0};
    EXPECT_EQ(RegSetValueExA(reinterpret_cast<HKEY>(opened), "w", 0, REG_SZ, data, sizeof data), ERROR_ACCESS_DENIED);
    registry.CloseKey(opened);
    EXPECT_EQ(RegQueryValueExA(reinterpret_cast<HKEY>(opened), "v", nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_HANDLE)
        << "CloseKey closes the key";
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::size_t expectedLength;
    wchar_t expectedFirst;
    wchar_t expectedLast;
};

TEST(SystemCodePageTest, DecodesExactlyTheGivenBytes) {
    const std::vector<DecodeCase> cases = {
        {"kana", Bytes({0x82, 0xA9, 0x82, 0xC8}), 2, L'\u304B', L'\u306A'},
        {"half-width katakana", Bytes({0xBC, 0xBD, 0xC3, 0xD1}), 4, L'\uFF7C', L'\uFF91'},
        {"zero in the middle is kept", std::string("A\0B", 3), 3, L'A', L'B'},
        {"cut-off lead byte stays one character", Bytes({'A', 0x82}), 2, L'A', L'\0'},
        {"lead byte before a zero does not swallow what follows", Bytes({0x82, 0x00, 'B'}), 3, L'\0', L'B'},
    };
    const SystemAnsiCodePage codePage;
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring text = codePage.Decode(c.bytes);
        ASSERT_EQ(text.size(), c.expectedLength);
        // L'\0' in the table: a replacement character, whichever the system picks.
        if (c.expectedFirst != L'\0') {
            EXPECT_EQ(text.front(), c.expectedFirst);
        }
        if (c.expectedLast != L'\0') {
            EXPECT_EQ(text.back(), c.expectedLast);
        }
    }
    EXPECT_EQ(codePage.Encode(L"\u304B\u306A\uFF7C"), Bytes({0x82, 0xA9, 0x82, 0xC8, 0xBC}));
}

// A folder and a file of the test's own in the temporary folder.
class SystemFilesTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH]{};
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"Tenmoru Files " + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        file_ = folder_ + L"\\MSINFO32.EXE";
        const HANDLE created =
            CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(created, INVALID_HANDLE_VALUE);
        const unique_handle closed(created);
    }
    void TearDown() override {
        DeleteFileW(file_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring folder_;
    std::wstring file_;
};

TEST_F(SystemFilesTest, ExistsOnlyForExactlyThatFile) {
    struct ExistsCase {
        const char* name;
        std::wstring path;
        bool expected;
    };
    const std::vector<ExistsCase> cases = {
        {"the file", file_, true},
        {"the file through two backslashes", folder_ + L"\\\\MSINFO32.EXE", true},
        {"the folder", folder_, false},
        {"a wildcard matching the file", folder_ + L"\\MSINFO*.EXE", false},
        {"a question mark matching the file", folder_ + L"\\MSINFO3?.EXE", false},
        {"a wildcard folder", folder_.substr(0, folder_.size() - 2) + L"*\\MSINFO32.EXE", false},
        {"a missing file", folder_ + L"\\NOTHERE.EXE", false},
        {"the file followed by a zero and more", file_ + std::wstring(1, L'\0') + L"x", false},
        {"empty", L"", false},
    };
    const SystemFileSystem files;
    for (const ExistsCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files.FileExists(c.path), c.expected);
    }
}

TEST_F(SystemFilesTest, StartsOnlyARealProgramNamedOnItsOwn) {
    wchar_t system[MAX_PATH]{};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::wstring program = std::wstring(system) + L"\\hostname.exe";
    struct StartCase {
        const char* name;
        std::wstring application;
        bool expected;
    };
    const std::vector<StartCase> cases = {
        {"a system program", program, true},
        {"a missing file", folder_ + L"\\missing.exe", false},
        {"a folder", folder_, false},
        {"an empty file is no program", file_, false},
        {"a name with a zero in it", program + std::wstring(1, L'\0') + L"x", false},
    };
    SystemProcessStarter starter;
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(starter.Start(c.application, L"\"" + c.application + L"\""), c.expected);
    }
}

}  // namespace
