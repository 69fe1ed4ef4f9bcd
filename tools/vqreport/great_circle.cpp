#include "tools/vqreport/great_circle.h"

#include <algorithm>
#include <cmath>

namespace vqreport {

double GreatCircleNm(double latitude1, double longitude1, double latitude2, double longitude2) {
    const double radians = std::acos(-1.0) / 180.0;
    const double phi1 = latitude1 * radians;
    const double phi2 = latitude2 * radians;
    const double dPhi = (latitude2 - latitude1) * radians;
    const double dLambda = (longitude2 - longitude1) * radians;
    // Haversine form: well conditioned for the short legs of a route.
    const double a = std::sin(dPhi / 2) * std::sin(dPhi / 2) +
                     std::cos(phi1) * std::cos(phi2) * std::sin(dLambda / 2) * std::sin(dLambda / 2);
    return 2.0 * EarthRadiusNm * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

}  // namespace vqreport
