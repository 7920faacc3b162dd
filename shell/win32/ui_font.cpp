#include "shell/win32/ui_font.hpp"

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
    return unique_hfont{CreateFontIndirectW(&metrics.lfMessageFont)};
}
