#include "fonts.h"

#include "strings.h"

#include <cmath>

namespace tallino::win {

namespace {

int CALLBACK noteFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

bool isInstalled(const std::wstring &family)
{
    LOGFONTW wanted {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(ScreenDc(), &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring installedFamily(std::string_view family)
{
    const std::wstring wanted = wide(family);
    if (isInstalled(wanted))
        return wanted;
    for (const FontSubstitute &row : fontSubstitutes) {
        if (row.family != family)
            continue;
        for (const char *substitute : row.substitutes) {
            if (substitute && isInstalled(wide(substitute)))
                return wide(substitute);
        }
    }
    return wanted; // the font mapper's choice
}

LOGFONTW logFont(const FontSpec &described, UINT dpi)
{
    if (!described.family) {
        NONCLIENTMETRICSW metrics {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        return metrics.lfMessageFont;
    }
    LOGFONTW font {};
    font.lfHeight = -std::lround(described.points * dpi / 72);
    font.lfWeight = described.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    installedFamily(described.family).copy(font.lfFaceName, LF_FACESIZE - 1);
    return font;
}

// The room the text needs centred: its advance, and on both sides the larger of the inks that
// lean out past its ends.
int centredInkWidth(HDC dc, std::wstring_view text)
{
    ABC first {}, last {};
    if (!text.empty()) {
        GetCharABCWidthsW(dc, text.front(), text.front(), &first);
        GetCharABCWidthsW(dc, text.back(), text.back(), &last);
    }
    SIZE size {};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx + 2 * std::max({ 0, -first.abcA, -last.abcC });
}

} // namespace

Font makeFont(const FontSpec &described, UINT dpi)
{
    const LOGFONTW font = logFont(described, dpi);
    return Font(CreateFontIndirectW(&font));
}

Font fittedFont(const FontSpec &described, UINT dpi, std::wstring_view text, int width)
{
    LOGFONTW font = logFont(described, dpi);
    if (isInstalled(wide(described.family)))
        return Font(CreateFontIndirectW(&font));
    const ScreenDc screen;
    for (;;) {
        Font candidate(CreateFontIndirectW(&font));
        const Selected selected(screen, candidate.get());
        const int needed = centredInkWidth(screen, text);
        if (needed <= width || font.lfWidth == 1)
            return candidate;
        // lfWidth is the average character width: scale it, then step down to what fits.
        TEXTMETRICW metrics {};
        GetTextMetricsW(screen, &metrics);
        const LONG average = font.lfWidth ? font.lfWidth : metrics.tmAveCharWidth;
        font.lfWidth =
            std::clamp<LONG>(average * width / needed, 1, std::max<LONG>(1, average - 1));
    }
}

} // namespace tallino::win
