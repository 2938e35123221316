#pragma once

#include "support/TestEnvironment.h"

// The world of the fuzz targets that need windows: one offscreen application
// for the whole run, with a program folder and a settings folder of its own
// and message boxes, beeps, clipboard and wait cursor that show nothing and
// only count. The first call makes it; later calls hand back the same one.
TestEnvironment &StartFuzzApplication();
