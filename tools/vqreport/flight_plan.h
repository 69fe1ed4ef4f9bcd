// The files vqreport new builds a report from: a route table (CSV), or a
// flight plan in the text form of the simulator's later versions, read into
// the same table so that both go through one set of checks.
//
// A flight plan is an INI file whose first line is "[flightplan]" (any case).
// Its section holds departure_name, destination_name and the waypoints, one
// line each, numbered from 0 without gaps, in one of two forms:
//   waypoint.1=NOSLI, I, N58* 20.00', E16* 1.50', +031000.00,
//   waypoint.1=ES, NOSLI, , NOSLI, I, N58* 20.00', E16* 1.50', +031000.00,
// (identifier, type letter, latitude, longitude, altitude in feet; the second
// form has the region first and the identifier twice). Each waypoint becomes a
// checkpoint in that order: its name the departure or destination name for
// the first and last and the identifier otherwise, cut to the 13 characters
// the display shows; its type APT, VOR, NDB, FIX or USR; its level the
// altitude in hundreds of feet (empty at 0).
#pragma once

#include <iosfwd>
#include <string>

#include "tools/vqreport/csv.h"

namespace vqreport {

// Reads `bytes`, the file `name`, as a flight plan when it is one, else as a
// route table. An XML file is refused, with the forms that are read. False,
// the problems printed to `err` ("NAME:LINE: error: ..."), when the file is
// none of these or has mistakes.
bool ReadRouteFile(const std::string& bytes, const std::string& name, CsvTable& table, std::ostream& err);

}  // namespace vqreport
