#include "layout.h"

#include <algorithm>

namespace tallino {

ControlDescription button(const char *name, TwipsRect box, FontSpec font, std::string text,
    std::string spokenName, std::string spokenDescription, Command command)
{
    return { .kind = ControlKind::Button,
        .name = name,
        .box = box,
        .font = font,
        .text = std::move(text),
        .spokenName = std::move(spokenName),
        .spokenDescription = std::move(spokenDescription),
        .command = command };
}

PixelRect placedOn(const PixelRect &workArea, int width, int height)
{
    const auto start = [](int areaStart, int room, int size) {
        return std::max(areaStart, areaStart + (room - size) / 2);
    };
    return { start(workArea.left, workArea.width, width),
        start(workArea.top, workArea.height, height), width, height };
}

} // namespace tallino
