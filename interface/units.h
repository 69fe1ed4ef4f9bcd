// The host's units of the aircraft's position, and the module's one
// conversion of them into degrees, named once for the module, the host double
// and the tools.
#pragma once

// The host's position units.
constexpr double LatitudeUnitsPerMinute = 1852.175925;
constexpr double LongitudeUnitsPerMinute = 13031248922.0;
constexpr double MinutesPerDegree = 60.0;

// Closer than this (degrees, planar) is "at the checkpoint".
constexpr double ArrivalDistanceDegrees = 0.006;

// The aircraft's position in degrees (north and east positive) from the host's units.
inline double LatitudeDegreesFromHost(double hostLatitude) {
    return hostLatitude / LatitudeUnitsPerMinute / MinutesPerDegree;
}
inline double LongitudeDegreesFromHost(double hostLongitude) {
    double degrees = hostLongitude / LongitudeUnitsPerMinute / MinutesPerDegree;
    if (degrees > 180.0) degrees -= 360.0;
    return degrees;
}
