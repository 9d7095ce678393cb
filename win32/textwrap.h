#pragma once

#include <string_view>
#include <windows.h>

namespace tallino::win {

// A label's text wrapped at word boundaries within its width, from the top left. A run of blanks
// hangs at the end of its line whatever its width, as the windows' texts were written for: their
// long runs of blanks push the next item onto a line of its own.
void drawWrapped(HDC dc, const RECT &box, std::wstring_view text);

} // namespace tallino::win
