#pragma once
// Application properties: the title every message box carries and the version the About dialog shows.
#include <string_view>

#include "resources/version.h"

struct AppProperties {
    std::wstring_view Title;
    int Major;
    int Minor;
    int Revision;
};

inline constexpr AppProperties App{L"Tenmoru", TENMORU_VERSION_MAJOR, TENMORU_VERSION_MINOR,
                                   TENMORU_VERSION_REVISION};
