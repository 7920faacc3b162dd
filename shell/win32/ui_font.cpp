#include "shell/win32/ui_font.hpp"

#include <algorithm>
#include <string>
#include <vector>

namespace {

void DeleteMemoryDc(HDC dc) noexcept { DeleteDC(dc); }
using unique_memory_dc = unique_any<HDC, DeleteMemoryDc>;

// The metrics of the font that the font mapper really picks for the description.
bool RealizedMetrics(HDC dc, const LOGFONTW& font, TEXTMETRICW& metrics) {
    const unique_hfont realized{CreateFontIndirectW(&font)};
    if (!realized) return false;
    const HGDIOBJ previous = SelectObject(dc, realized.get());
    const bool got = GetTextMetricsW(dc, &metrics) != FALSE;
    SelectObject(dc, previous);
    return got;
}

// The tmPitchAndFamily bit named "fixed pitch" is set for fonts of variable pitch.
bool IsProportional(const TEXTMETRICW& metrics) noexcept { return (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0; }

int CALLBACK CollectProportionalFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type, LPARAM faces) {
    // Vertical faces ("@...") lay text out sideways; only upright TrueType faces of variable pitch.
    if ((type & TRUETYPE_FONTTYPE) != 0 && IsProportional(*metrics) && font->lfFaceName[0] != L'@')
        reinterpret_cast<std::vector<std::wstring>*>(faces)->emplace_back(font->lfFaceName);
    return 1;
}

// Where the message font's face is missing (as under Wine without the Windows fonts), the font
// mapper may stand in a fixed-pitch face whose half-width kana and Latin letters are wider than
// in the proportional faces Windows uses, and the captions then overrun their controls. Such a
// stand-in is replaced by a proportional face of the same character set that has the same line
// height, so that every caption keeps the room its layout gives it.
void PreferProportional(LOGFONTW& font) {
    const unique_memory_dc dc{CreateCompatibleDC(nullptr)};
    TEXTMETRICW wanted{};
    if (!dc || !RealizedMetrics(dc.get(), font, wanted) || IsProportional(wanted)) return;

    std::vector<std::wstring> faces;
    LOGFONTW query{};
    query.lfCharSet = font.lfCharSet;
    EnumFontFamiliesExW(dc.get(), &query, CollectProportionalFace, reinterpret_cast<LPARAM>(&faces), 0);
    for (const std::wstring& face : faces) {
        LOGFONTW candidate = font;
        face.copy(candidate.lfFaceName, LF_FACESIZE - 1);
        candidate.lfFaceName[std::min<size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
        TEXTMETRICW metrics{};
        if (RealizedMetrics(dc.get(), candidate, metrics) && IsProportional(metrics) &&
            metrics.tmHeight == wanted.tmHeight) {
            font = candidate;
            return;
        }
    }
}

}  // namespace

unique_hfont CreateUiFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        // Without the metrics: the stock GUI font's face at 9 points for this DPI.
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.lfMessageFont, &metrics.lfMessageFont);
        constexpr int kPoints = 9;
        constexpr int kPointsPerInch = 72;
        metrics.lfMessageFont.lfHeight = -MulDiv(kPoints, static_cast<int>(dpi), kPointsPerInch);
        metrics.lfMessageFont.lfWidth = 0;
    }
    PreferProportional(metrics.lfMessageFont);
    return unique_hfont{CreateFontIndirectW(&metrics.lfMessageFont)};
}
