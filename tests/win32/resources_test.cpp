// Tenmoru.exe's resources read back from the built file: version information, icons, manifest.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/win32/unique_handle.hpp"

namespace {

// Tenmoru.exe lies next to the test program in the build folder.
std::wstring ProgramPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + L"Tenmoru.exe";
}

std::vector<unsigned char> VersionBlock() {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

struct StringCase {
    const wchar_t* name;
    const wchar_t* expected;
};

const StringCase kStrings[] = {
    {L"FileVersion", L"2.00"},       {L"ProductVersion", L"2.00"},
    {L"ProductName", L"Tenmoru"},    {L"InternalName", L"Tenmoru"},
    {L"OriginalFilename", L"Tenmoru.exe"},
};

TEST(VersionResource, StringsOfTheJapaneseUnicodeTable) {
    std::vector<unsigned char> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "no version information in Tenmoru.exe";
    for (const StringCase& c : kStrings) {
        SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041104B0\\") + c.name;
        wchar_t* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length));
        EXPECT_EQ(std::wstring_view(value), c.expected);
    }
}

TEST(VersionResource, FixedPartAndTranslation) {
    std::vector<unsigned char> block = VersionBlock();
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 2));  // 2.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);              // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 2));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_TRUE(fixed->dwFileOS == VOS_NT_WINDOWS32 || fixed->dwFileOS == VOS__WINDOWS32);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);  // exactly one language
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitsPerPixel;
    DWORD bytes;
    WORD id;
};
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
#pragma pack(pop)

struct IconImage {
    int size;
    int bitsPerPixel;
};

struct IconCase {
    const char* name;
    int id;
    std::vector<IconImage> images;
};

const IconCase kIcons[] = {
    {"program icon", IDI_TENMORU, {{32, 4}, {16, 4}}},
    {"About dialog's icon", IDI_ABOUT, {{32, 4}, {32, 4}, {32, 1}}},
    {"About dialog's picture", IDI_PICICON, {{32, 4}}},
};

TEST(IconResources, SizesAndColourDepths) {
    const unique_hmodule program{LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
    ASSERT_TRUE(program);
    for (const IconCase& c : kIcons) {
        SCOPED_TRACE(c.name);
        const HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(c.id), RT_GROUP_ICON);
        ASSERT_NE(found, nullptr);
        const auto* header = static_cast<const IconGroupHeader*>(LockResource(LoadResource(program.get(), found)));
        ASSERT_NE(header, nullptr);
        ASSERT_EQ(header->count, c.images.size());
        const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 1);
        for (std::size_t i = 0; i < c.images.size(); ++i) {
            SCOPED_TRACE("image " + std::to_string(i));
            EXPECT_EQ(entries[i].width, c.images[i].size);
            EXPECT_EQ(entries[i].height, c.images[i].size);
            EXPECT_EQ(entries[i].bitsPerPixel, c.images[i].bitsPerPixel);
            // Each image has a colour part and a transparency mask: header, palette, bits, mask.
            const int size = c.images[i].size;
            const int bpp = c.images[i].bitsPerPixel;
            const DWORD rowColour = static_cast<DWORD>(((size * bpp + 31) / 32) * 4);
            const DWORD rowMask = static_cast<DWORD>(((size + 31) / 32) * 4);
            const DWORD expected = sizeof(BITMAPINFOHEADER) + (1u << bpp) * sizeof(RGBQUAD) +
                                   static_cast<DWORD>(size) * (rowColour + rowMask);
            EXPECT_EQ(entries[i].bytes, expected);
        }
    }
}

TEST(ManifestResource, AsksForPerMonitorDpiAndCommonControls6) {
    const unique_hmodule program{LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
    ASSERT_TRUE(program);
    const HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(program.get(), found)));
    const std::string_view manifest(text, SizeofResource(program.get(), found));
    for (const std::string_view wanted :
         {std::string_view("PerMonitorV2"), std::string_view("true/pm"), std::string_view("Microsoft.Windows.Common-Controls"),
          std::string_view("version=\"6.0.0.0\""), std::string_view("asInvoker"),
          std::string_view("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")}) {
        SCOPED_TRACE(std::string(wanted));
        EXPECT_NE(manifest.find(wanted), std::string_view::npos);
    }
}

}  // namespace
