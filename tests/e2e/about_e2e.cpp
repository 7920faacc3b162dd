#include "about_e2e.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

#include "driver/owned.hpp"
#include "driver/process.hpp"

namespace about_e2e {

ScopedMachineValue::ScopedMachineValue(std::wstring keyPath, std::wstring valueName)
    : keyPath_(std::move(keyPath)), valueName_(std::move(valueName)) {
    driver::OwnedKey key;
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return;
    key = driver::OwnedKey(opened);
    keyExisted_ = true;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(opened, valueName_.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return;
    Saved saved{type, std::vector<BYTE>(size)};
    if (::RegQueryValueExW(opened, valueName_.c_str(), nullptr, &type, saved.data.data(), &size) == ERROR_SUCCESS) {
        saved.data.resize(size);
        saved_ = std::move(saved);
    }
}

ScopedMachineValue::~ScopedMachineValue() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    {
        const driver::OwnedKey key(opened);
        if (saved_) {
            ::RegSetValueExW(opened, valueName_.c_str(), 0, saved_->type, saved_->data.data(),
                             static_cast<DWORD>(saved_->data.size()));
        } else {
            ::RegDeleteValueW(opened, valueName_.c_str());
        }
    }
    // A key made for the test goes again once nothing is left in it.
    if (!keyExisted_) ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath_.c_str());
}

bool ScopedMachineValue::Set(const std::optional<std::wstring>& text) {
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                          nullptr) != ERROR_SUCCESS)
        return false;
    const driver::OwnedKey key(opened);
    if (!text) {
        const LSTATUS status = ::RegDeleteValueW(opened, valueName_.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    // An empty text is stored with no data at all, not even a final zero.
    const DWORD size = text->empty() ? 0 : static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(opened, valueName_.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text->c_str()), size) == ERROR_SUCCESS;
}

namespace {
std::filesystem::path RecordOf(const std::filesystem::path& program) {
    return std::filesystem::path(program.wstring() + L".started");
}
}  // namespace

ScopedMarker::ScopedMarker(std::filesystem::path path) : path_(std::move(path)) {
    std::error_code error;
    std::vector<std::filesystem::path> missing;
    for (auto folder = path_.parent_path(); !folder.empty() && !std::filesystem::exists(folder, error);
         folder = folder.parent_path())
        missing.insert(missing.begin(), folder);
    for (const auto& folder : missing) {
        if (!std::filesystem::create_directory(folder, error)) return;
        madeFolders_.insert(madeFolders_.begin(), folder);  // deepest first, for removal
    }
    std::filesystem::remove(RecordOf(path_), error);
    placed_ = ::CopyFileW((driver::OwnFolder() / L"about_marker.exe").c_str(), path_.c_str(), FALSE) != 0;
}

ScopedMarker::~ScopedMarker() {
    std::error_code error;
    if (placed_) std::filesystem::remove(path_, error);
    std::filesystem::remove(RecordOf(path_), error);
    for (const auto& folder : madeFolders_) std::filesystem::remove(folder, error);
}

std::optional<std::wstring> ScopedMarker::WaitForStart(std::chrono::milliseconds timeout) const {
    const auto record = RecordOf(path_);
    std::optional<std::wstring> commandLine;
    driver::WaitUntil(
        [&] {
            std::ifstream in(record, std::ios::binary);
            if (!in) return false;
            const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            if (bytes.empty() || bytes.size() % sizeof(wchar_t) != 0) return false;  // still being written
            commandLine = std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
            return true;
        },
        timeout);
    return commandLine;
}

}  // namespace about_e2e
