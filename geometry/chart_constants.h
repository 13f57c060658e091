// The constants of the calculator's own arithmetic. Its results are defined with these truncated
// values (pi to seven decimals, a 6371 km sphere), so they must not be replaced by precise ones.
#pragma once

namespace orvanto::chart {

inline constexpr double kPi = 3.1415926;
inline constexpr double kTwoPi = 6.2831852;
inline constexpr double kEarthRadiusKm = 6371;
inline constexpr double kEarthDiameterKm = 12742;
// Kilometres per 360 degrees of arc: kTwoPi * kEarthRadiusKm.
inline constexpr double kCircumferenceKm = 40030.1729092;
inline constexpr double kKilometresPerNauticalMile = 1.852;

// Both scans run down from 180 degrees in steps of 0.001 degree.
inline constexpr double kScanStart = 180.0;
inline constexpr double kScanStep = 0.001;
inline constexpr int kScanPasses = 180000;

// Tolerances of the two scans: on the sine of the half angle, and on the cosine of the angle.
inline constexpr double kHalfAngleSineTolerance = 0.00001;
inline constexpr double kCosineTolerance = 0.0001;

}  // namespace orvanto::chart
