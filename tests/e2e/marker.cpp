// The system-information tool's stand-in: it writes its command line into "<its path>.started".
#include <windows.h>

#include <filesystem>
#include <fstream>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring line = GetCommandLineW(), record = std::wstring(self) + L".started";
    std::ofstream(std::filesystem::path(record + L"~"), std::ios::binary)  // whole once renamed
        .write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(line.size() * 2));
    std::filesystem::rename(record + L"~", record);
    return 0;
}
