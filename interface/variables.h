// The six host variables the gauge reads: the simulator's clock for the
// checkpoint times and the three fuel quantities for the fuel account.
#pragma once

#include <cstdint>

#include "interface/records.h"

// The numbers by which the host knows the variables the module reads.
enum HostVariableToken : std::uint32_t {
    ClockHourToken = 3,
    ClockMinuteToken = 4,
    ClockSecondToken = 5,
    FuelQuantity1Token = 304,
    FuelQuantity2Token = 305,
    FuelQuantity3Token = 303,
    // The aircraft's position, line 3's second and third source variables.
    LatitudeToken = 71,
    LongitudeToken = 72,
};

extern HostVariable ClockHourVariable;
extern HostVariable ClockMinuteVariable;
extern HostVariable ClockSecondVariable;
extern HostVariable FuelQuantity1Variable;
extern HostVariable FuelQuantity2Variable;
extern HostVariable FuelQuantity3Variable;

// In the order install registers them.
extern HostVariable* const GaugeVariables[6];

// Asks the host for the variable's current value and returns it.
double ReadHostVariable(HostVariable& variable);
