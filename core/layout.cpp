#include "layout.h"

#include <algorithm>

namespace tallino {

PixelRect placedOn(const PixelRect &workArea, int width, int height)
{
    const auto start = [](int areaStart, int room, int size) {
        return std::max(areaStart, areaStart + (room - size) / 2);
    };
    return { start(workArea.left, workArea.width, width),
        start(workArea.top, workArea.height, height), width, height };
}

} // namespace tallino
