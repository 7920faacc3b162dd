#pragma once
// Pictures of what the player sees, saved for a person to look at.
#include <windows.h>

#include <filesystem>
#include <string_view>

namespace driver {

// <folder of the test program>\screenshots, created on first use.
std::filesystem::path ScreenshotFolder();

// Saves the screen area under the window (frame included) as <ScreenshotFolder>\<name>.bmp, a
// 24-bit bitmap; returns the file's path, or an empty path when the picture could not be taken.
std::filesystem::path SaveScreenshot(HWND window, std::wstring_view name);

}  // namespace driver
