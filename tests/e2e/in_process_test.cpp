// What the program's own code does in this process: no DLL that lies beside the program is ever
// loaded, and a program built as Tenmoru.exe ends at once when a stack buffer overruns.
#include <gtest/gtest.h>

#include "driver/driver.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/system_library.hpp"

namespace {

// system_importer.dll, put in the system folder here, loads beside_only.dll by name, as a system DLL
// loads its own; beside_only.dll lies only beside this program, as a DLL planted in Downloads does.
TEST(Hardening, NoDllFromBesideTheProgram) {
    wchar_t folder[MAX_PATH] = {};
    const std::filesystem::path importer =
        std::filesystem::path(std::wstring(folder, ::GetSystemDirectoryW(folder, MAX_PATH))) / L"system_importer.dll";
    std::filesystem::copy_file(e2e::OwnFolder() / L"system_importer.dll", importer,
                               std::filesystem::copy_options::overwrite_existing);
    // Wine holds a DLL that failed to load open until the process ends: then the next run replaces it.
    const e2e::Restore removed([&] {
        std::error_code held;
        std::filesystem::remove(importer, held);
    });
    tenmoru::RestrictDllSearchToSystemFolder();
    EXPECT_EQ(tenmoru::LoadSystemLibrary(L"system_importer.dll"), nullptr) << "it found what it loads beside us";
    // Windows 7 without its update KB2533623 cannot take the program's folder out of the search.
    wchar_t profile[8] = {};
    const std::wstring_view on(profile, ::GetEnvironmentVariableW(L"TENMORU_WITHOUT_NEWER_FUNCTIONS", profile, 8));
    if (on != L"7" && on != L"1") {
        EXPECT_EQ(::LoadLibraryW(L"beside_only.dll"), nullptr) << "the search still looks beside the program";
    }
    EXPECT_EQ(::GetModuleHandleW(L"beside_only.dll"), nullptr);
}

TEST(Hardening, AStackOverrunEndsTheProgramAtOnce) {
    std::wstring commandLine = L"\"" + (e2e::OwnFolder() / L"overrun.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(
        ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    const tenmoru::unique_process_information started(info);
    ASSERT_EQ(::WaitForSingleObject(started.process.get(), 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(started.process.get(), &code);
    EXPECT_EQ(code, 0xC0000409u) << "not STATUS_STACK_BUFFER_OVERRUN: 1 is a handler of the program's own";
}

}  // namespace
