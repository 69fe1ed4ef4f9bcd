// A map of the flight as an SVG picture: the checkpoints of the report, the
// track the aircraft flew, and where each arrival was taken.
#pragma once

#include <string>
#include <vector>

#include "host/vqsim/flight_model.h"
#include "host/vqsim/report_copy.h"

namespace vqsim {

struct ArrivalMark {
    GeoPoint Where;     // the aircraft's position when the mark appeared or the pilot marked
    std::string Label;  // the clock time, and how it was taken
    bool ByHand = false;
};

std::string RouteMapSvg(const std::vector<TChkPoint>& checkpoints, const RoutePath& path,
                        const std::vector<GeoPoint>& track, const std::vector<ArrivalMark>& arrivals,
                        const std::string& title);

}  // namespace vqsim
