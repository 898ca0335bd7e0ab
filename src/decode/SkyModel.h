#pragma once

namespace orvanta {

// Every start begins with these; only a calibration fit changes them.
inline constexpr double kDefaultSkyModelK = -5.47e-7;
inline constexpr double kDefaultSkyModelD = 0.32;
inline constexpr double kDefaultSkyModelEps = 0.997;
inline constexpr double kDefaultSkyModelOffs = 0.0;

inline constexpr double kKelvinOffset = 273.16;

}  // namespace orvanta
