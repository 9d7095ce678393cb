#include "textwrap.h"

#include <algorithm>
#include <utility>

namespace tallino::win {

namespace {

int textWidth(HDC dc, std::wstring_view text)
{
    SIZE size {};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The next line's words that fit the width, and where the line after it starts.
std::pair<std::wstring_view, std::size_t> nextLine(HDC dc, std::wstring_view text, int width)
{
    std::size_t end = 0;
    for (std::size_t word = 0; word < text.size();) {
        const std::size_t wordEnd = std::min(text.find(L' ', word), text.size());
        if (end > 0 && textWidth(dc, text.substr(0, wordEnd)) > width)
            return { text.substr(0, end), word };
        end = wordEnd;
        word = std::min(text.find_first_not_of(L' ', wordEnd), text.size());
    }
    return { text.substr(0, end), text.size() };
}

} // namespace

void drawWrapped(HDC dc, const RECT &box, std::wstring_view text)
{
    TEXTMETRICW metrics {};
    GetTextMetricsW(dc, &metrics);
    text.remove_prefix(std::min(text.find_first_not_of(L' '), text.size()));
    for (int top = box.top; !text.empty() && top < box.bottom; top += metrics.tmHeight) {
        const auto [line, next] = nextLine(dc, text, box.right - box.left);
        ExtTextOutW(dc, box.left, top, ETO_CLIPPED, &box, line.data(),
            static_cast<UINT>(line.size()), nullptr);
        text.remove_prefix(next);
    }
}

} // namespace tallino::win
