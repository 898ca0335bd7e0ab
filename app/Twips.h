#pragma once
// The model measures the window in twips (1/1440 inch); Qt measures it in logical pixels.

#include <cmath>

namespace orvanta {

inline constexpr double kTwipsPerInch = 1440.0;

inline int PixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

inline int TwipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

}  // namespace orvanta
