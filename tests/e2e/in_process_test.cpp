// What the program's own code does in this process: the picture box answers a screen reader as a
// graphic however it asks, no DLL that lies beside the program is ever loaded, and a program built
// as Tenmoru.exe ends at once when a stack buffer overruns.
#include <gtest/gtest.h>

#include "about/win32/about_form.hpp"
#include "driver/driver.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/system_library.hpp"

namespace {

TEST(PictureBox, AGraphicToEveryQuestionOfAReader) {
    ASSERT_TRUE(tenmoru::frmAbout2().Open(nullptr));
    const e2e::Restore unload([] { tenmoru::frmAbout2().Unload(); });
    const HWND box = ::GetDlgItem(tenmoru::frmAbout2().Window(), tenmoru::AboutForm::picIcon);
    ASSERT_HRESULT_SUCCEEDED(::CoInitialize(nullptr));
    IAccessible* picture = nullptr;
    ASSERT_HRESULT_SUCCEEDED(
        ::AccessibleObjectFromWindow(box, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&picture)));
    VARIANT self{}, role{};
    self.vt = VT_I4;
    EXPECT_EQ(picture->get_accRole(self, nullptr), E_POINTER) << "no role without a place for it";
    DISPPARAMS none{};
    EXPECT_HRESULT_SUCCEEDED(
        picture->Invoke(DISPID_ACC_ROLE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &role, nullptr, nullptr));
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_GRAPHIC) << "asked through IDispatch";
    picture->Release();
    ::CoUninitialize();
}

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
