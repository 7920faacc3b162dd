#pragma once
// Application properties: the title that every window and message box of the program carries, and
// the version that the About dialog shows.
#include <string_view>

#include "resources/version.h"

namespace tenmoru {

struct AppProperties {
    std::wstring_view Title;
    int Major;
    int Minor;
    int Revision;
};

#define TENMORU_WIDE_(text) L##text
#define TENMORU_WIDE(text) TENMORU_WIDE_(text)
inline constexpr AppProperties App{TENMORU_WIDE(TENMORU_TITLE), TENMORU_VERSION_MAJOR, TENMORU_VERSION_MINOR,
                                   TENMORU_VERSION_REVISION};

}  // namespace tenmoru
