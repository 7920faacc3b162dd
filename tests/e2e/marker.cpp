// The system-information tool's stand-in: it writes its command line and, on a second line, its
// current folder into the file TENMORU_MARKER_RECORD names.
#include <windows.h>

#include <filesystem>
#include <fstream>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t record[MAX_PATH] = {}, folder[MAX_PATH] = {};
    const std::wstring named(record, GetEnvironmentVariableW(L"TENMORU_MARKER_RECORD", record, MAX_PATH));
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring text = std::wstring(GetCommandLineW()) + L"\n" + folder;
    std::ofstream(std::filesystem::path(named + L"~"), std::ios::binary)  // whole once renamed
        .write(reinterpret_cast<const char*>(text.data()), static_cast<std::streamsize>(text.size() * 2));
    std::filesystem::rename(named + L"~", named);
    return 0;
}
