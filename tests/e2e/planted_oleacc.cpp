// An oleacc.dll planted beside Tenmoru.exe, as in a Downloads folder: it exports the two functions
// the program takes from the real one, answers neither, and leaves a file "loaded" when it is loaded.
#include <windows.h>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8] = {};
        GetModuleFileNameW(self, path, MAX_PATH);
        lstrcpyW(wcsrchr(path, L'\\') + 1, L"loaded");
        CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI CreateStdAccessibleObject(HWND, LONG, const GUID*, void** object) {
    *object = nullptr;
    return E_FAIL;
}

__declspec(dllexport) LRESULT WINAPI LresultFromObject(const GUID*, WPARAM, void*) { return E_FAIL; }

}  // extern "C"
