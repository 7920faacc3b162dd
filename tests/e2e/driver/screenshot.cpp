#include "driver/screenshot.hpp"

#include <fstream>
#include <string>
#include <vector>

#include "driver/owned.hpp"
#include "driver/process.hpp"

namespace driver {

namespace {

// Bottom-up 24-bit rows, each padded to four bytes, as the BMP format stores them.
std::vector<char> CaptureRows(HWND window, BITMAPINFOHEADER& header) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return {};

    WindowDc screen(nullptr);
    OwnedMemoryDc memory(::CreateCompatibleDC(screen.get()));
    OwnedBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) return {};
    const HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory.get(), previous);

    header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<char> rows(stride * static_cast<std::size_t>(height));
    auto* info = reinterpret_cast<BITMAPINFO*>(&header);
    if (!::GetDIBits(memory.get(), static_cast<HBITMAP>(bitmap.get()), 0,
                     static_cast<UINT>(height), rows.data(), info, DIB_RGB_COLORS))
        return {};
    header.biSizeImage = static_cast<DWORD>(rows.size());
    return rows;
}

}  // namespace

std::filesystem::path ScreenshotFolder() {
    const auto folder = OwnFolder() / L"screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

std::filesystem::path SaveScreenshot(HWND window, std::wstring_view name) {
    BITMAPINFOHEADER header{};
    const std::vector<char> rows = CaptureRows(window, header);
    if (rows.empty()) return {};

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());

    const auto path = ScreenshotFolder() / (std::wstring(name) + L".bmp");
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    return out ? path : std::filesystem::path{};
}

}  // namespace driver
