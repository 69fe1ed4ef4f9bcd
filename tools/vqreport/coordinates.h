// Positions as dispatchers write them, in route tables and in flight plans:
// decimal degrees, or degrees and minutes with or without seconds, signed or
// with the hemisphere letter before or after.
#pragma once

#include <string>

namespace vqreport {

enum class Axis { Latitude, Longitude };

// Reads `text` as degrees of latitude or longitude, north and east positive:
//   decimal degrees:            52.5   -4.25   N52.5   4.25 W
//   degrees and minutes:        N50 30.5   50 30.5 N   N59* 54.50'   -50 30.5
//   degrees, minutes, seconds:  50 30 30 N   50*30'30"N   N47* 26' 52.03"
// The degree mark is '*' or the degree sign (code page 1252 or UTF-8), the
// minute mark ', the second mark ". Only the last part may have decimals;
// minutes and seconds are below 60. With `decimalComma`, ',' is the decimal
// mark. The range (90, 180) is the caller's to check. False, `degrees` left
// alone, for anything else.
bool ReadCoordinate(const std::string& text, Axis axis, bool decimalComma, double& degrees);

// The forms ReadCoordinate takes, with the letters of `axis`, for a message
// that has to say how to write one.
std::string CoordinateForms(Axis axis);

}  // namespace vqreport
