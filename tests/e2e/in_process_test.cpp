// The program's code in this process: windows sent what Windows sends on a move between monitors of
// other scaling (Wine has one), the picture as a reader asks it, the DLL search, a stack overrun.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "designs.hpp"
#include "runtime/win32/input_box.hpp"
#include "runtime/win32/newer_functions.hpp"
#include "runtime/win32/system_library.hpp"

namespace {

constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE
constexpr UINT kDpis[] = {144, 120, 96};

// The outer size for a client area of twips at the DPI; before Windows 10 1607, the system's frame.
SIZE FrameFor(const e2e::Design& client, HWND window, UINT dpi) {
    RECT r{0, 0, ::MulDiv(client.width, static_cast<int>(dpi), 1440),
           ::MulDiv(client.height, static_cast<int>(dpi), 1440)};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)),
               exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    const wchar_t* profile = _wgetenv(L"TENMORU_WITHOUT_NEWER_FUNCTIONS");
    profile != nullptr&& std::wstring_view(profile) == L"8.1"
        ? ::AdjustWindowRectEx(&r, style, FALSE, exStyle)
        : ::AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

// One move: where the system asks (1703), the window answers its designed size for the pending size
// and takes the rectangle suggested from it; elsewhere it takes that size where the system suggests.
// design[0] is the client area (the input box's height follows its prompt: only its width is known).
void ExpectMovedTo(HWND window, UINT from, UINT dpi, const std::vector<e2e::Design>& design) {
    SCOPED_TRACE("to " + std::to_string(dpi) + " dpi");
    RECT before{}, after{};
    ::GetWindowRect(window, &before);
    const SIZE designed = FrameFor(design[0], window, dpi);
    const bool asks = tenmoru::SystemAsksForDpiScaledSize();
    SIZE size{before.right - before.left, before.bottom - before.top};
    EXPECT_EQ(::SendMessageW(window, kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)) != 0, asks);
    if (!asks)
        size = {::MulDiv(size.cx, static_cast<int>(dpi), static_cast<int>(from)),
                ::MulDiv(size.cy, static_cast<int>(dpi), static_cast<int>(from))};
    const RECT suggested{before.left + 13, before.top + 7, before.left + 13 + size.cx, before.top + 7 + size.cy};
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(window, &after);
    EXPECT_EQ(std::vector<LONG>({after.left, after.top, after.right - after.left}),
              std::vector<LONG>({suggested.left, suggested.top, designed.cx}));
    EXPECT_TRUE(design[0].height == 0 || after.bottom - after.top == designed.cy) << "not the designed height";
    EXPECT_TRUE(!asks || ::EqualRect(&after, &suggested)) << "not at the suggested rectangle";
    e2e::ExpectAtTwips(window, {design.begin() + 1, design.end()}, dpi);
    // The message font for the DPI as the system gives it, whatever the system the program runs on.
    LOGFONTW font{};
    NONCLIENTMETRICSW wanted{};
    wanted.cbSize = sizeof wanted;
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(::GetDlgItem(window, design.back().id), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof wanted, &wanted, 0, dpi);
    EXPECT_EQ(font.lfHeight, wanted.lfMessageFont.lfHeight) << "a font of another DPI";
}

// The round; then a size a tool sets as it moves the window (into a snap zone) is left to the system.
void ExpectDpiChanges(HWND window, const std::vector<e2e::Design>& design) {
    UINT from = 96;
    for (const UINT dpi : kDpis) ExpectMovedTo(window, std::exchange(from, dpi), dpi, design);
    RECT r{};
    ::GetWindowRect(window, &r);
    SIZE zone{r.right - r.left + 20, r.bottom - r.top};
    EXPECT_TRUE(design[0].height == 0 ||
                !::SendMessageW(window, kGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&zone)))
        << "a tool's size taken for the designed one";
}

// The input box (6000 twips wide, its buttons at their twips), moved as the forms are, then cancelled.
void CALLBACK CheckInputBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = e2e::FindShownWindow(::GetCurrentProcessId(), L"#32770");
    if (box == nullptr || !::KillTimer(nullptr, timer)) return;  // not shown yet
    ExpectDpiChanges(
        box, {{0, 0, 0, 6000, 0, {}, 0}, {IDOK, 4560, 180, 1260, 375, {}, 0}, {IDCANCEL, 4560, 660, 1260, 375, {}, 0}});
    ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
}

TEST(InProcess, BothFormsAndTheInputBoxKeepTheirDesignOnEveryMonitorAndThePictureIsAGraphic) {
    tenmoru::Tenmoru main;
    ASSERT_TRUE(main.Load(nullptr));
    const e2e::Restore unload([&] { tenmoru::frmAbout2().Unload(); });
    ASSERT_TRUE(tenmoru::frmAbout2().Open(main.Window()));
    // The picture as a reader asks it: a graphic by its role, through IDispatch and as the IAccessible
    // service, not oleacc's proxy (UI Automation reads no role of its own from one), and its role
    // asked without a place for the answer refused.
    ::CoInitialize(nullptr);
    IAccessible *picture = nullptr, *served = nullptr;
    IServiceProvider* services = nullptr;
    IUnknown* proxy = nullptr;
    const e2e::Restore release([&] {
        for (IUnknown* held : std::initializer_list<IUnknown*>{picture, served, services, proxy})
            if (held != nullptr) held->Release();
    });
    ASSERT_TRUE(
        SUCCEEDED(::AccessibleObjectFromWindow(::GetDlgItem(tenmoru::frmAbout2().Window(), tenmoru::AboutForm::picIcon),
                                               OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&picture))) &&
        SUCCEEDED(picture->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&services))));
    VARIANT self{}, direct{}, dispatched{}, asService{};
    self.vt = VT_I4;
    DISPPARAMS none{};
    picture->get_accRole(self, &direct);
    picture->Invoke(DISPID_ACC_ROLE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &dispatched, nullptr, nullptr);
    services->QueryService(IID_IAccessible, IID_IAccessible, reinterpret_cast<void**>(&served));
    if (served != nullptr) served->get_accRole(self, &asService);
    for (const auto& [way, role] : {std::pair{"get_accRole", direct}, std::pair{"IDispatch", dispatched},
                                    std::pair{"the IAccessible service", asService}})
        EXPECT_TRUE(role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_GRAPHIC) << way;
    constexpr GUID kIsOleaccProxy{0x902697FA, 0x80E4, 0x4560, {0x80, 0x2A, 0xA1, 0x3F, 0x22, 0xA6, 0x47, 0x09}};
    EXPECT_TRUE(FAILED(services->QueryService(kIsOleaccProxy, IID_IUnknown, reinterpret_cast<void**>(&proxy))) &&
                proxy == nullptr)
        << "it answers as oleacc's proxy";
    EXPECT_EQ(picture->get_accRole(self, nullptr), E_POINTER);
    if (!tenmoru::SystemChangesWindowDpi()) return;  // Windows 7 never changes a window's DPI
    ExpectDpiChanges(main.Window(), e2e::kMain);
    ExpectDpiChanges(tenmoru::frmAbout2().Window(), e2e::kAbout);
    ::SetTimer(nullptr, 0, 10, &CheckInputBox);
    tenmoru::RunInputBox(nullptr, L"\u6570\u5B57", L"Tenmoru", L"");
}

// system_importer.dll, put in the system folder, loads beside_only.dll (found only beside us) by name.
TEST(Hardening, NoDllFromBesideTheProgram) {
    wchar_t folder[MAX_PATH] = {};
    const e2e::Restore importer =
        e2e::CopyForTest(e2e::OwnFolder() / L"system_importer.dll",
                         std::wstring(folder, ::GetSystemDirectoryW(folder, MAX_PATH)) + L"\\system_importer.dll");
    tenmoru::RestrictDllSearchToSystemFolder();
    EXPECT_EQ(tenmoru::LoadSystemLibrary(L"system_importer.dll"), nullptr) << "it found what it loads beside us";
    // Windows 7 without KB2533623 (the profile without DPI changes) cannot limit the search itself.
    if (tenmoru::SystemChangesWindowDpi()) {
        EXPECT_EQ(::LoadLibraryW(L"beside_only.dll"), nullptr) << "the search still looks beside the program";
    }
    EXPECT_EQ(::GetModuleHandleW(L"beside_only.dll"), nullptr);
}

TEST(Hardening, AStackOverrunEndsTheProgramAtOnce) {
    const tenmoru::unique_process_information started = e2e::Start(e2e::OwnFolder() / L"overrun.exe");
    DWORD code = 0;
    EXPECT_TRUE(::WaitForSingleObject(started.process.get(), 10000) == WAIT_OBJECT_0 &&
                ::GetExitCodeProcess(started.process.get(), &code));
    EXPECT_EQ(code, 0xC0000409u) << "not STATUS_STACK_BUFFER_OVERRUN: 1 is a handler of the program's own";
}

}  // namespace
