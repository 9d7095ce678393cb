#pragma once

// The page's facts travel as JSON text, written by hand.

#include <cstdio>
#include <string>
#include <string_view>

namespace tallino::web {

inline std::string quoted(std::string_view text)
{
    std::string json = "\"";
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) { // a control character only as an escape
            char escaped[7];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            json += escaped;
            continue;
        }
        if (c == '"' || c == '\\')
            json += '\\';
        json += c;
    }
    return json + '"';
}

} // namespace tallino::web
