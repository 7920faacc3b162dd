// A stand-in for the system-information tool: started, it writes its command line into
// "<its own path>.started" (aside first, then renamed, so the record is whole whenever it is there).
#include <windows.h>

#include <filesystem>
#include <fstream>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring line = GetCommandLineW(), record = std::wstring(self) + L".started";
    std::ofstream(std::filesystem::path(record + L"~"), std::ios::binary)
        .write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(line.size() * 2));
    std::filesystem::rename(record + L"~", record);
    return 0;
}
