#pragma once

#include "layout.h"

// The error dialog and the About window as they were drawn, in twips, with their texts.
namespace tallino {

namespace errordialog {
const WindowDescription &window();
} // namespace errordialog

namespace about {
const WindowDescription &window();
} // namespace about

} // namespace tallino
