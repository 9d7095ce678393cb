#pragma once

// The Windows edition's resources, named alike in tallino.rc and in the program.
#define TALLINO_ICON 1
#define TALLINO_ABACUS_PICTURE 2
