#pragma once

// The page's facts travel as JSON text, written by hand: the texts hold no control characters,
// so a quote and a backslash are all there is to escape.

#include <string>
#include <string_view>

namespace tallino::web {

inline std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            json += '\\';
        json += c;
    }
    return json + '"';
}

} // namespace tallino::web
