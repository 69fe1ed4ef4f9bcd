// Great-circle distance between two positions, for the leg distances that
// vqreport new works out when the route table gives none.
#pragma once

namespace vqreport {

// Mean earth radius in nautical miles (6371.0088 km / 1.852 km).
constexpr double EarthRadiusNm = 3440.065;

// Distance in nautical miles between two positions in degrees (north and east positive).
double GreatCircleNm(double latitude1, double longitude1, double latitude2, double longitude2);

}  // namespace vqreport
