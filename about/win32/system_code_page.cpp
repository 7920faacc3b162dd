#include "about/win32/system_code_page.hpp"

#include <windows.h>

#include <climits>

namespace tenmoru {

std::string SystemAnsiCodePage::Encode(std::wstring_view text) const {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return bytes;
}

std::wstring SystemAnsiCodePage::Decode(std::string_view bytes) const {
    // The length is given, so the conversion reads exactly these bytes, zero bytes included; an
    // invalid or cut-off sequence becomes the code page's default character.
    if (bytes.empty() || bytes.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), needed);
    text.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return text;
}

}  // namespace tenmoru
