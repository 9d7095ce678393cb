#pragma once

#include <string>
#include <windows.h>

// The four digit boxes are plain EDIT controls with a subclass of their own: only the digit keys
// type into them, and the user's typing and pasting stop at two characters, while the program's
// own writes are taken in full.
namespace tallino::win::digitbox {

// The key filter, the whole-or-nothing paste and no input method, whose composed text would
// pass the filter by.
void install(HWND box);
// The program's own write. Whatever the box then holds is the most the user may lengthen it
// to, and at least two characters.
void showText(HWND box, const std::wstring &text);
// After the user's own edit, likewise.
void keepLengthLimit(HWND box);

} // namespace tallino::win::digitbox
