#pragma once

#include "gdi.h"

#include <string_view>

namespace tallino::win {

// A font of the layout for the given dots per inch; a family that is not installed gives way to
// its first installed substitute. A FontSpec without a family stands for the dialog font.
Font makeFont(const FontSpec &described, UINT dpi);
// For a text that must stay on one line of the given width, centred: a substitute is narrowed
// until the text fits.
Font fittedFont(const FontSpec &described, UINT dpi, std::wstring_view text, int width);

} // namespace tallino::win
