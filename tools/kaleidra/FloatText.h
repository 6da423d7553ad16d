// Floats as text that reads back as the same single-precision value.
#pragma once

#include <string>

// The fewest significant digits that parse back to exactly x ("0.1", "1e-07", "-0"). The
// non-finite values are "nan", "inf" and "-inf".
std::string FloatText(float x);
