// How readable a text colour is on a background: the contrast ratio of the web's
// accessibility guidelines, from 1 (the same colour) to 21 (black on white).
#pragma once

#include "codegen/css_values.h"

namespace zarvex {

// Below this ratio normal-sized text is hard to read for many visitors.
inline constexpr double kReadableContrast = 4.5;

// The ratio of the lighter colour's relative luminance to the darker's, each plus 0.05.
// Colours are 0xBBGGRR, as the design holds them.
double ContrastRatio(ColorValue text, ColorValue background);

}  // namespace zarvex
