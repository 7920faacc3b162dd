// A stand-in for the system-information tool in the launcher's end-to-end tests. Started, it
// writes its command line into "<its own path>.started" and ends; the test reads that file to
// learn which copy was started and with what command line. It shows no window.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring self(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()))) == self.size()) {
        self.resize(self.size() * 2);
    }
    self.resize(length);
    const std::wstring marker = self + L".started";
    const HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const std::wstring commandLine = GetCommandLineW();
    DWORD written = 0;
    const BOOL ok = WriteFile(file, commandLine.data(), static_cast<DWORD>(commandLine.size() * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(file);
    return ok ? 0 : 1;
}
