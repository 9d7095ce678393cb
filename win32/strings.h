#pragma once

#include <string>
#include <string_view>
#include <windows.h>

// The core speaks UTF-8; Windows, UTF-16.
namespace tallino::win {

inline std::wstring wide(std::string_view utf8)
{
    std::wstring text(utf8.size(), L'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
        static_cast<int>(utf8.size()), text.data(), static_cast<int>(text.size()))));
    return text;
}

inline std::string utf8(std::wstring_view text)
{
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
            static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

inline std::wstring textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace tallino::win
