#include "driver/driver.hpp"

#include <algorithm>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <utility>

#include "about/win32/about_form.hpp"
#include "runtime/win32/input_box.hpp"
#include "shell/win32/tenmoru_form.hpp"

namespace e2e {

namespace {

INPUT Key(WORD virtualKey, wchar_t unicode, bool up) {
    INPUT input{INPUT_KEYBOARD, {}};
    input.ki = {virtualKey, unicode, (unicode != 0 ? KEYEVENTF_UNICODE : 0u) | (up ? KEYEVENTF_KEYUP : 0u), 0, 0};
    return input;
}

void Send(std::vector<INPUT> inputs) { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

std::vector<COLORREF> CaptureOnce(const RECT& r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    const tenmoru::unique_window_dc screen(nullptr);
    const tenmoru::unique_memory_dc memory(::CreateCompatibleDC(screen.get()));
    const tenmoru::unique_hbitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        const tenmoru::unique_select_object selected(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<COLORREF> pixels(static_cast<std::size_t>(width * height));
    ::GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), &info, 0);
    for (COLORREF& pixel : pixels) pixel = RGB(GetBValue(pixel), GetGValue(pixel), GetRValue(pixel));  // from BGRA
    return pixels;
}

}  // namespace

std::chrono::milliseconds ReactTimeout() {
    static const wchar_t* const seconds = _wgetenv(L"TENMORU_REACT_SECONDS");
    return std::chrono::seconds(std::max(10, seconds != nullptr ? _wtoi(seconds) : 0));
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds step) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        ::Sleep(static_cast<DWORD>(step.count()));  // the default leaves the cores to the program under test
    }
    return true;
}

void Require(bool condition, const char* what) {
    if (!condition) throw std::runtime_error(what);
}

std::filesystem::path OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

Restore SetRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD bytes,
                         REGSAM view) {
    HKEY opened = nullptr;
    ::RegCreateKeyExW(root, key, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | view, nullptr, &opened, nullptr);
    const std::shared_ptr<HKEY__> open(opened, ::RegCloseKey);
    DWORD was = 0, size = 0;
    std::optional<std::vector<BYTE>> saved;
    if (::RegQueryValueExW(opened, name, nullptr, &was, nullptr, &size) == ERROR_SUCCESS) {
        saved.emplace(size);
        ::RegQueryValueExW(opened, name, nullptr, &was, saved->data(), &size);
    }
    data ? ::RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), bytes)
         : ::RegDeleteValueW(opened, name);
    return Restore([=] {
        saved ? ::RegSetValueExW(open.get(), name, 0, was, saved->data(), static_cast<DWORD>(saved->size()))
              : ::RegDeleteValueW(open.get(), name);
    });
}

Restore SetMachineText(std::wstring_view key, const wchar_t* name, const std::optional<std::wstring>& text,
                       REGSAM view) {
    return SetRegistryValue(HKEY_LOCAL_MACHINE, std::wstring(key).c_str(), name, REG_SZ, text ? text->c_str() : nullptr,
                            static_cast<DWORD>(text && !text->empty() ? text->size() * 2 + 2 : 0), view);
}

Restore CopyForTest(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    return Restore([=] {
        std::error_code held;  // Wine holds a DLL that failed to load open until the process ends
        std::filesystem::remove(to, held);
    });
}

tenmoru::unique_process_information Start(const std::filesystem::path& exe) {
    std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Require(::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             exe.parent_path().c_str(), &startup, &info) != FALSE,
            "the program did not start");
    return tenmoru::unique_process_information(info);
}

static const std::filesystem::path kToolRecord = OwnFolder() / L"marker.started";

void RecordToolStarts() {
    ::SetEnvironmentVariableW(L"TENMORU_MARKER_RECORD", kToolRecord.c_str());
    std::filesystem::remove(kToolRecord);
}

std::optional<std::wstring> ToolStarted(std::chrono::milliseconds timeout) {
    std::string bytes;
    const auto read = [&] {
        return bytes.assign(std::istreambuf_iterator<char>(std::ifstream(kToolRecord, std::ios::binary).rdbuf()), {}),
               !bytes.empty();
    };
    if (!WaitUntil(read, timeout)) return std::nullopt;
    std::filesystem::remove(kToolRecord);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

std::vector<HWND> Windows(DWORD processId, std::wstring_view className) {
    std::vector<HWND> found;
    for (HWND window = ::GetTopWindow(nullptr); window != nullptr; window = ::GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == processId && (className.empty() || ClassName(window) == className)) found.push_back(window);
    }
    return found;
}

HWND FindShownWindow(DWORD processId, std::wstring_view className) {
    for (HWND window : Windows(processId, className))
        if (::IsWindowVisible(window)) return window;
    return nullptr;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    return {name, static_cast<std::size_t>(::GetClassNameW(window, name, 256))};
}

// WM_GETTEXT works across processes (the system copies the text), unlike GetWindowText on controls.
std::wstring Text(HWND window) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND FocusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
    return info.hwndFocus;
}

std::pair<std::wstring, LONG> Announced(HWND window) {
    static const HRESULT com = ::CoInitialize(nullptr);
    IAccessible* object = nullptr;
    if (FAILED(com) || FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                                           reinterpret_cast<void**>(&object)))) {
        return {L"", 0};
    }
    VARIANT self{}, role{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    std::pair<std::wstring, LONG> announced{SUCCEEDED(object->get_accName(self, &name)) && name != nullptr ? name : L"",
                                            SUCCEEDED(object->get_accRole(self, &role)) ? role.lVal : 0};
    ::SysFreeString(name);
    object->Release();
    const std::wstring type = ClassName(window);
    const bool push = (::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
    if (announced.second != ROLE_SYSTEM_CLIENT || (type != L"Static" && (type != L"Button" || !push))) return announced;
    return {announced.first, type == L"Static" ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_PUSHBUTTON};
}

bool ThreadAnswers(HWND window) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(ReactTimeout().count()),
                                 &result) != 0;
}

// Wine can hand the activation back a moment after the switch: foreground once it stays put a while.
bool BringToForeground(HWND topLevel) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::GetForegroundWindow() != topLevel) ::SetForegroundWindow(topLevel);
        if (!WaitUntil([&] { return ::GetForegroundWindow() == topLevel; }, 3s)) continue;
        if (!ThreadAnswers(topLevel)) return false;
        if (!WaitUntil([&] { return ::GetForegroundWindow() != topLevel; }, 100ms)) return true;
    }
    return false;
}

void PressKey(WORD virtualKey, WORD heldKey) {
    std::vector<INPUT> keys{Key(virtualKey, 0, false), Key(virtualKey, 0, true)};
    if (heldKey != 0) keys = {Key(heldKey, 0, false), keys[0], keys[1], Key(heldKey, 0, true)};
    Send(std::move(keys));
}

void TypeText(std::wstring_view text) {
    std::vector<INPUT> keys;
    for (const wchar_t c : text) keys.insert(keys.end(), {Key(0, c, false), Key(0, c, true)});
    Send(std::move(keys));
}

// Absolute positions; every other click a double-click width further right, so never a double click.
void ClickAt(HWND window, double fractionX, double fractionY) {
    static int shift = 0;
    shift = shift == 0 ? ::GetSystemMetrics(SM_CXDOUBLECLK) : 0;
    RECT r{};
    ::GetWindowRect(window, &r);
    const LONG x = ::MulDiv(r.left + static_cast<int>((r.right - r.left) * fractionX) + shift, 65535,
                            ::GetSystemMetrics(SM_CXSCREEN) - 1);
    const LONG y =
        ::MulDiv(r.top + static_cast<int>((r.bottom - r.top) * fractionY), 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    std::vector<INPUT> clicks;
    for (const DWORD button : {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        clicks.push_back(INPUT{INPUT_MOUSE, {}});
        clicks.back().mi = {x, y, 0, button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
    }
    Send(std::move(clicks));
}

// Two pictures taken in a row alike, and of more than one colour (a label shows its text): the window
// is painted and on the screen, where Wine copies it up to 50 ms after it is painted.
std::vector<COLORREF> Capture(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    ::GetWindowRect(window, &r);
    std::vector<COLORREF> pixels = CaptureOnce(r);
    WaitUntil(
        [&] {
            return ::Sleep(50),
                   std::exchange(pixels, CaptureOnce(r)) == pixels &&
                       std::ranges::any_of(pixels, [&](COLORREF pixel) { return pixel != pixels.front(); });
        },
        3s);
    return pixels;
}

std::filesystem::path TenmoruExe() {
    const wchar_t* shipped = _wgetenv(L"TENMORU_SHIPPED_EXE");
    return shipped != nullptr ? shipped : L"Tenmoru.exe";
}

Session::Session(const std::filesystem::path& relativeExe, std::wstring_view mainClass) {
    tenmoru::unique_process_information started = Start(OwnFolder() / relativeExe);
    process_ = std::move(started.process);
    processId_ = started.processId;
    WaitUntil([&] { return (main_ = FindShownWindow(processId_, mainClass)) != nullptr || Ended(0ms); },
              std::max<std::chrono::milliseconds>(30s, ReactTimeout()));
    Require(main_ != nullptr && ThreadAnswers(main_), "the main window was not shown");
}

Session::~Session() {
    if (!Ended(0ms) && ::TerminateProcess(process_.get(), 1)) ::WaitForSingleObject(process_.get(), 10000);
}

bool Session::Ended(std::chrono::milliseconds timeout) const {
    return ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

std::optional<Box> Session::ShownBox() const {
    const HWND box = FindShownWindow(processId_, L"#32770");
    if (box == nullptr) return std::nullopt;
    const bool input = ::GetDlgItem(box, tenmoru::kInputFieldId) != nullptr;
    const HWND text = ::GetDlgItem(box, input ? tenmoru::kInputPromptId : 0xFFFF);  // 0xFFFF: a message's text
    return Box{box, input, Text(box), text != nullptr ? Text(text) : L""};
}

std::optional<Box> Session::WaitForBox() const {
    std::optional<Box> box;
    WaitUntil([&] { return (box = ShownBox()).has_value(); });
    return box;
}

// The next box exists before the handler reads messages again: once the main thread answers and no
// dialog exists, the program waits with nothing open.
std::optional<Box> Session::NextBoxOrIdle() const {
    std::optional<Box> next;
    Require(WaitUntil([&] {
                return (next = ShownBox()) ||
                       (Windows(processId_, L"#32770").empty() && ThreadAnswers(main_) && ::IsWindowEnabled(main_));
            }),
            "the program neither showed a box nor came back to its windows");
    return next;
}

Box Session::StartGame() const {
    ClickAt(Control(tenmoru::Tenmoru::cmdstat));
    const auto box = WaitForBox();
    Require(box && box->input, "the start button showed no input box");
    return *box;
}

std::optional<Box> Session::Answer(const Box& inputBox, std::wstring_view answer, WORD key) const {
    const HWND field = ::GetDlgItem(inputBox.window, tenmoru::kInputFieldId);
    Require(BringToForeground(inputBox.window) && WaitUntil([&] { return FocusedWindow(field) == field; }),
            "the input box's field has no focus");
    TypeText(answer);
    Require(WaitUntil([&] { return Text(field) == answer; }), "the typed answer did not arrive");
    return Close(inputBox.window, key);
}

std::optional<Box> Session::Close(HWND box, WORD key) const {
    Require(BringToForeground(box), "the box is not in front");
    PressKey(key);
    Require(WaitUntil([&] { return !::IsWindowVisible(box); }), "the box did not close");
    return NextBoxOrIdle();
}

HWND Session::OpenAbout() const {
    ClickAt(Control(tenmoru::Tenmoru::lblver));
    HWND about = nullptr;
    WaitUntil([&] { return (about = FindShownWindow(processId_, tenmoru::kAboutFormClass)) != nullptr; });
    return about;
}

}  // namespace e2e
