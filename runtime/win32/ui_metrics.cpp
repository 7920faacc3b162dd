#include "runtime/win32/ui_metrics.hpp"

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/win32/newer_functions.hpp"

namespace tenmoru {

namespace {

// The metrics of the font that the font mapper really picks for the description.
bool RealizedMetrics(HDC dc, const LOGFONTW& font, TEXTMETRICW& metrics) {
    const unique_hfont realized{CreateFontIndirectW(&font)};
    if (!realized) return false;
    const unique_select_object selected(dc, realized.get());
    return GetTextMetricsW(dc, &metrics) != FALSE;
}

// The tmPitchAndFamily bit named "fixed pitch" is set for fonts of variable pitch.
bool IsProportional(const TEXTMETRICW& metrics) noexcept { return (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0; }

int CALLBACK CollectProportionalFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM faces) {
    // Vertical faces ("@...") lay text out sideways; only upright TrueType faces of variable pitch.
    if ((type & TRUETYPE_FONTTYPE) != 0 && IsProportional(*metrics) && font->lfFaceName[0] != L'@')
        reinterpret_cast<std::vector<std::wstring>*>(faces)->emplace_back(font->lfFaceName);
    return 1;
}

// Proportional faces made for Japanese user interfaces: those of Windows, then the one that free
// systems install.
constexpr std::array<const wchar_t*, 4> kJapaneseUiFaces = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic",
                                                            L"IPAPGothic"};

// The upright proportional TrueType faces of a character set, or only the one named, if installed.
// Asking for a face by name costs well under a millisecond and reads no font data.
std::vector<std::wstring> ProportionalFaces(HDC dc, BYTE charSet, const wchar_t* name) {
    std::vector<std::wstring> faces;
    LOGFONTW query{};
    query.lfCharSet = charSet;
    if (name != nullptr) lstrcpynW(query.lfFaceName, name, LF_FACESIZE);
    EnumFontFamiliesExW(dc, &query, CollectProportionalFace, reinterpret_cast<LPARAM>(&faces), 0);
    return faces;
}

// The first face whose realized font is proportional with the wanted line height, if any.
bool TakeFirstFitting(HDC dc, const std::vector<std::wstring>& faces, long wantedHeight, LOGFONTW& font) {
    for (const std::wstring& face : faces) {
        LOGFONTW candidate = font;
        lstrcpynW(candidate.lfFaceName, face.c_str(), LF_FACESIZE);
        TEXTMETRICW metrics{};
        if (RealizedMetrics(dc, candidate, metrics) && IsProportional(metrics) && metrics.tmHeight == wantedHeight) {
            font = candidate;
            return true;
        }
    }
    return false;
}

// Where the message font's face is missing (as under Wine without the Windows fonts), the font
// mapper stands in another face, perhaps one of fixed pitch whose half-width kana and Latin letters
// are wider than in the proportional faces Windows uses, and the captions then overrun their
// controls. A face that is not installed as a proportional one gives way to the first of the
// Japanese user-interface faces that is. Only where none is, the stand-in is realized (which reads
// its font data: under Wine, hundreds of kilobytes of memory for a face that is never drawn) and,
// if it is of fixed pitch, replaced by any proportional face of its character set and line height.
void PreferProportional(LOGFONTW& font) {
    const unique_memory_dc dc{CreateCompatibleDC(nullptr)};
    if (!dc || !ProportionalFaces(dc.get(), font.lfCharSet, font.lfFaceName).empty()) return;
    for (const wchar_t* name : kJapaneseUiFaces) {
        if (!ProportionalFaces(dc.get(), font.lfCharSet, name).empty()) {
            lstrcpynW(font.lfFaceName, name, LF_FACESIZE);
            return;
        }
    }
    TEXTMETRICW wanted{};
    if (!RealizedMetrics(dc.get(), font, wanted) || IsProportional(wanted)) return;
    TakeFirstFitting(dc.get(), ProportionalFaces(dc.get(), font.lfCharSet, nullptr), wanted.tmHeight, font);
}

}  // namespace

UiMetrics UiMetricsFor(UINT dpi) {
    constexpr int kDefaultPoints = 9;
    constexpr int kPointsPerInch = 72;
    UiMetrics metrics{dpi, dpi, {}};
    if (!MessageFont(metrics.messageFont, dpi)) {
        // Without the system's metrics: the stock GUI font's face at the default size for this DPI.
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.messageFont, &metrics.messageFont);
        metrics.messageFont.lfHeight = -MulDiv(kDefaultPoints, static_cast<int>(dpi), kPointsPerInch);
        metrics.messageFont.lfWidth = 0;
        return metrics;
    }
    const int standard = MulDiv(kDefaultPoints, static_cast<int>(dpi), kPointsPerInch);
    const int height = std::abs(metrics.messageFont.lfHeight);
    if (height > standard) metrics.layoutDpi = static_cast<UINT>(MulDiv(static_cast<int>(dpi), height, standard));
    return metrics;
}

unique_hfont CreateUiFont(const UiMetrics& metrics) {
    LOGFONTW font = metrics.messageFont;
    PreferProportional(font);
    return unique_hfont{CreateFontIndirectW(&font)};
}

}  // namespace tenmoru
