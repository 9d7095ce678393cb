#pragma once

#include <cstdint>

namespace tallino {

// The character code a key delivers to a digit box: only "0" to "9" pass, every other code
// becomes 0, which inserts nothing.
constexpr std::int16_t filterDigitKey(std::int16_t code)
{
    return code >= '0' && code <= '9' ? code : 0;
}

} // namespace tallino
