#include "host/vqsim/flight_model.h"

#include <algorithm>
#include <cmath>

#include "cli/numbers.h"

#include "interface/units.h"

namespace vqsim {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double NmPerDegree = 60.0;
constexpr double TrailingLegNmIfUnknown = 10.0;

double LongitudeDifference(double from, double to) {
    double d = to - from;
    while (d > 180.0) d -= 360.0;
    while (d < -180.0) d += 360.0;
    return d;
}

double WrapLongitude(double longitude) {
    while (longitude > 180.0) longitude -= 360.0;
    while (longitude <= -180.0) longitude += 360.0;
    return longitude;
}

// A leg distance of the report as a positive number, or 0 when it is not one.
double LegWeight(const std::string& text) {
    double value = 0.0;
    return cli::ReadNumber(text, value) && value > 0.0 ? value : 0.0;
}

std::string Label(const std::vector<TChkPoint>& checkpoints, int k) {
    const std::string ident = ShownIdent(checkpoints[k]);
    return std::to_string(k + 1) + " " + (ident.empty() ? std::string(checkpoints[k].Name) : ident);
}

}  // namespace

double LegLengthNm(const GeoPoint& from, const GeoPoint& to) {
    const double dLat = to.LatitudeDegrees - from.LatitudeDegrees;
    const double midLat = (to.LatitudeDegrees + from.LatitudeDegrees) / 2.0 * Pi / 180.0;
    const double dLon = LongitudeDifference(from.LongitudeDegrees, to.LongitudeDegrees) * std::cos(midLat);
    return NmPerDegree * std::sqrt(dLat * dLat + dLon * dLon);
}

bool RoutePath::Build(const std::vector<TChkPoint>& checkpoints, RoutePath& path, std::string& error,
                      std::vector<std::string>& warnings) {
    RoutePath built;
    const int count = static_cast<int>(checkpoints.size());
    std::vector<int> positioned;
    for (int k = 0; k < count; ++k) {
        if (vqsim::HasPosition(checkpoints[k])) positioned.push_back(k);
    }
    if (positioned.size() < 2) {
        error = "the route has " + std::to_string(positioned.size()) +
                (positioned.size() == 1 ? " checkpoint" : " checkpoints") +
                " with a position; the aircraft needs at least two to fly between";
        return false;
    }
    built.Pass.assign(count, 0.0);
    built.Positioned.assign(count, false);

    // The corners: the positioned checkpoints in route order.
    for (std::size_t i = 0; i < positioned.size(); ++i) {
        const TChkPoint& c = checkpoints[positioned[i]];
        GeoPoint point{c.Latitude, c.Longitude};
        double along = 0.0;
        if (i > 0) {
            const GeoPoint& before = built.Points.back();
            along = built.Along.back() + LegLengthNm(before, point);
            const double dLat = point.LatitudeDegrees - before.LatitudeDegrees;
            const double dLon = LongitudeDifference(before.LongitudeDegrees, point.LongitudeDegrees);
            // The gauge sees an arrival closer than ArrivalDistanceDegrees
            // (latitude and longitude taken alike); two checkpoints closer
            // than twice it cannot be told apart.
            if (std::sqrt(dLat * dLat + dLon * dLon) < 2.0 * ArrivalDistanceDegrees) {
                char apart[16];
                std::snprintf(apart, sizeof apart, "%g", 2.0 * ArrivalDistanceDegrees);
                warnings.push_back("checkpoints " + Label(checkpoints, positioned[i - 1]) + " and " +
                                   Label(checkpoints, positioned[i]) +
                                   " lie closer than " + apart +
                                   " degrees: the gauge cannot see the second arrive");
            }
        }
        built.Points.push_back(point);
        built.Along.push_back(along);
        built.Pass[positioned[i]] = along;
        built.Positioned[positioned[i]] = true;
    }

    // Checkpoints without position between two with one.
    for (std::size_t i = 0; i + 1 < positioned.size(); ++i) {
        const int from = positioned[i], to = positioned[i + 1];
        if (to - from < 2) continue;
        double total = 0.0;
        bool numeric = true;
        for (int j = from + 1; j <= to; ++j) {
            const double w = LegWeight(checkpoints[j].LegDistance);
            numeric = numeric && w > 0.0;
            total += w;
        }
        const double start = built.Along[i], span = built.Along[i + 1] - built.Along[i];
        double sum = 0.0;
        for (int j = from + 1; j < to; ++j) {
            sum += numeric ? LegWeight(checkpoints[j].LegDistance) : 1.0;
            built.Pass[j] = start + span * sum / (numeric ? total : double(to - from));
        }
    }

    // After the last positioned checkpoint: fly on along the last leg.
    const int last = positioned.back();
    if (last < count - 1) {
        const GeoPoint end = built.Points.back();
        const GeoPoint before = built.Points[built.Points.size() - 2];
        const double legNm = built.Along.back() - built.Along[built.Along.size() - 2];
        double extension = 0.0;
        for (int j = last + 1; j < count; ++j) {
            const double w = LegWeight(checkpoints[j].LegDistance);
            extension += w > 0.0 ? w : TrailingLegNmIfUnknown;
            built.Pass[j] = built.Along.back() + extension;
        }
        if (legNm > 0.0) {
            const double f = extension / legNm;
            GeoPoint beyond{end.LatitudeDegrees + f * (end.LatitudeDegrees - before.LatitudeDegrees),
                            WrapLongitude(end.LongitudeDegrees +
                                          f * LongitudeDifference(before.LongitudeDegrees, end.LongitudeDegrees))};
            beyond.LatitudeDegrees = std::clamp(beyond.LatitudeDegrees, -89.9, 89.9);
            built.Points.push_back(beyond);
            built.Along.push_back(built.Along.back() + LegLengthNm(end, beyond));
            // Keep the pass distances on the path as measured.
            const double scale = (built.Along.back() - built.Along[built.Along.size() - 2]) / extension;
            for (int j = last + 1; j < count; ++j) {
                built.Pass[j] = built.Along[built.Along.size() - 2] + (built.Pass[j] - built.Along[built.Along.size() - 2]) * scale;
            }
        }
    }
    path = std::move(built);
    return true;
}

GeoPoint RoutePath::PointAt(double alongNm) const {
    if (Points.empty()) return GeoPoint{};
    if (alongNm <= 0.0) {
        Cursor = 0;
        return Points.front();
    }
    if (alongNm >= Along.back()) return Points.back();
    if (Cursor >= Points.size() - 1 || Along[Cursor] > alongNm) Cursor = 0;
    while (Cursor + 1 < Points.size() - 1 && Along[Cursor + 1] <= alongNm) ++Cursor;
    const GeoPoint& a = Points[Cursor];
    const GeoPoint& b = Points[Cursor + 1];
    const double length = Along[Cursor + 1] - Along[Cursor];
    const double f = length > 0.0 ? (alongNm - Along[Cursor]) / length : 0.0;
    return GeoPoint{a.LatitudeDegrees + f * (b.LatitudeDegrees - a.LatitudeDegrees),
                    WrapLongitude(a.LongitudeDegrees + f * LongitudeDifference(a.LongitudeDegrees, b.LongitudeDegrees))};
}

Flight::Flight(const RoutePath& path, const FlightSettings& settings, double startAlongNm, double departureSeconds,
               double airborneBeforeSeconds)
    : Route(&path),
      Config(settings),
      StartAlong(std::clamp(startAlongNm, 0.0, path.LengthNm())),
      Departure(departureSeconds),
      AirborneBefore(airborneBeforeSeconds) {
    Stop = Departure + (path.LengthNm() - StartAlong) / Config.GroundSpeedKnots * 3600.0;
}

double Flight::AlongAt(double elapsedSeconds) const {
    if (elapsedSeconds <= Departure) return StartAlong;
    if (elapsedSeconds >= Stop) return Route->LengthNm();
    return StartAlong + (elapsedSeconds - Departure) * Config.GroundSpeedKnots / 3600.0;
}

double Flight::ElapsedAtAlong(double alongNm) const {
    if (alongNm <= StartAlong) return Departure;
    return Departure + (std::min(alongNm, Route->LengthNm()) - StartAlong) / Config.GroundSpeedKnots * 3600.0;
}

double Flight::AirborneSecondsAt(double elapsedSeconds) const {
    return AirborneBefore + std::clamp(elapsedSeconds, Departure, Stop) - Departure;
}

void Flight::FuelAt(double elapsedSeconds, double tanks[3]) const {
    const double* initial = Config.TankFuel;
    const double total = initial[0] + initial[1] + initial[2];
    const double burned = Config.BurnPerHour * AirborneSecondsAt(elapsedSeconds) / 3600.0;
    for (int i = 0; i < 3; ++i) {
        const double share = total > 0.0 ? initial[i] / total : 0.0;
        tanks[i] = std::max(0.0, initial[i] - burned * share);
    }
}

}  // namespace vqsim
