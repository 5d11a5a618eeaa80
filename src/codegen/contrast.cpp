#include "codegen/contrast.h"

#include <algorithm>
#include <cmath>

namespace zarvex {

namespace {

double Channel(ColorValue color, int shift) {
    const double c = static_cast<double>((color >> shift) & 0xFF) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(ColorValue color) {
    return 0.2126 * Channel(color, 0) + 0.7152 * Channel(color, 8) + 0.0722 * Channel(color, 16);
}

}  // namespace

double ContrastRatio(ColorValue text, ColorValue background) {
    const double a = Luminance(text), b = Luminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace zarvex
